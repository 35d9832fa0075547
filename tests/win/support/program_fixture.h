// Helpers for tests that run the program's start-up inside the test process.
#pragma once

#include <windows.h>

#include <functional>

#include "support/clean_registry.h"
#include "support/seam_recorder.h"

// True when the icon shows the visible-files picture (a large white centre).
bool IconShowsVisibleFiles(HICON icon);

// Whether an icon handle is still alive.
bool IconAlive(HICON icon);

// Destroys the hidden window a finished run leaves behind, drops the quit
// it posts and unregisters its class, so that the next run can start afresh.
void DiscardMainWindow();

// Pumps messages, and the watch on Explorer's values, as the program's loop
// does, until done() holds or the time is up; returns done().
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 3000);

// Removes a posted WM_QUIT, if any; reports whether there was one and its code.
bool TakeQuit(WPARAM& exitCode);

// A test that starts from a clean registry with recorders in the seam and
// English texts.
class ProgramTest : public CleanRegistryTest {
protected:
    void SetUp() override;
    void TearDown() override;
    SeamRecorder seam;
};
