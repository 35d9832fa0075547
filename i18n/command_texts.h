// The command line's texts: the help and the error lines, in each of the
// catalogue's ten languages. Portable: no Windows headers.
#pragma once

#include <cstddef>

#include "i18n/catalog.h"

enum class CommandText : int {
    // Nine lines: what each of the eight commands does (in the help's
    // order), then the exit codes. The commands themselves are English.
    Help,
    // "%1" stands for the word the error names: one that is no command or
    // value, one too many, or one too long.
    MissingValue,
    UnexpectedWord,
    NotRunning,
    NoAnswer,
    NotDone,
    Count
};
inline constexpr std::size_t kCommandTextCount = static_cast<std::size_t>(CommandText::Count);

// UTF-8, as long as the program runs.
const char* CommandLineText(Language language, CommandText key);
