// The version file is downloaded by a short-lived copy of the program,
// "veilux.exe --check-update", so that urlmon, WinINet and the TLS stack
// are never loaded into the process that runs all day, and whatever the
// network sends is parsed only in a process that ends at once.
#pragma once

// The one command line that makes the program the downloader.
inline constexpr wchar_t kUpdateHelperSwitch[] = L"--check-update";

// The helper's exit codes.
inline constexpr unsigned long kHelperWroteFile = 0;
inline constexpr unsigned long kHelperFailed = 1;

// Whether the arguments after the program's name ask for the helper: only
// the switch itself, exactly, counts.
bool IsUpdateHelperCommandLine(const wchar_t* arguments);

// The helper's whole run: downloads the version file to VersionFilePath()
// and returns the exit code. No mutex, no window, no icon, no message box.
unsigned long RunUpdateHelper();

// Called by a program about to end itself while a check runs: ends the
// helper that no job would end with it, and starts none outside a job
// after (one inside goes with the program's end). Waits only
// for a start that leaves a helper outside its job for a moment, which
// Windows 10 and later need not do.
void StopStartingUpdateHelpers();

// Starts the helper from the program's own file inside a job that ends it
// when this process ends (or, where no job can take it, without one), waits
// for it, and returns its exit code (kHelperFailed when it could not be
// started or ran past its time).
unsigned long RunUpdateHelperProcess();
