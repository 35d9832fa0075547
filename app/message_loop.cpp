#include "app/message_loop.h"

#include "app/app_state.h"
#include "explorer/explorer_watch.h"
#include "ui/settings_window.h"
#include "ui/shortcuts_window.h"

bool PumpMessagesAndWatch(DWORD timeoutMs, int& exitCode) {
    HANDLE events[ExplorerValuesWatch::kEventCount] = {};
    DWORD eventCount = 0;
    if (g_app.explorerWatch) {
        g_app.explorerWatch->Events(events);
        eventCount = ExplorerValuesWatch::kEventCount;
    }
    // MWMO_INPUTAVAILABLE: a message already seen but still queued (left by a
    // modal loop, say) wakes the wait too. A change that comes while a modal
    // loop runs (the tray menu, a message box) waits here until it ends;
    // Explorer's own changes are also announced with "ShellState", which
    // reaches the window from any loop.
    const DWORD woken = MsgWaitForMultipleObjectsEx(eventCount, eventCount ? events : nullptr, timeoutMs, QS_ALLINPUT,
                                                    MWMO_INPUTAVAILABLE);
    // The wait took an auto-reset event's signal: the watch is told which.
    if (woken < WAIT_OBJECT_0 + eventCount && g_app.explorerWatch)
        g_app.explorerWatch->Signalled(woken - WAIT_OBJECT_0);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            exitCode = static_cast<int>(message.wParam);
            return false;
        }
        // The settings and shortcuts windows answer the keyboard as a dialog box does.
        if (IsSelectorDialogMessage(message) || IsShortcutsDialogMessage(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return true;
}
