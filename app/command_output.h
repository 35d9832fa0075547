// Where a command's lines go: the standard handles the process was given (a
// pipe, a file, a console), else the console of the process that started it.
// A GUI program has no console of its own, and a command never makes one.
#pragma once

#include <string_view>

enum class OutputStream { Out, Error };

// Writes the UTF-8 text: as it is to a pipe or a file, as UTF-16 to a
// console. False when there is nowhere to write or the write failed.
bool WriteOutput(OutputStream stream, std::string_view text);
