// The program's command line: "veilux hidden on", "veilux status", "veilux
// exit" and the rest. A command is handed to the copy that runs in the
// session, whose hidden window carries it out as a press or a menu item
// would; with none running, the command process does the same work itself.
// A command shows no window, box or icon and takes no single-instance guard.
#pragma once

#include <windows.h>

// Whether the process was started with words after its name.
bool HasCommandWords();

// Parses the words, carries the command out and returns the process exit
// code: 0 done, 1 not done, 2 a usage error (the help then goes to stderr).
int RunCommandLine();

// The running copy's side: a WM_COPYDATA of the command layout is carried
// out and answered with the state afterwards; anything else gets 0.
LRESULT AnswerCommandMessage(const COPYDATASTRUCT* data);
