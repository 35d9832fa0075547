// Hears of every change to Explorer's "Advanced" values, whoever makes it:
// also the ones nobody announces (regedit, a script, a policy).
#pragma once

#include <windows.h>

#include "app/handles.h"

class ExplorerValuesWatch {
public:
    ExplorerValuesWatch() = default;
    ~ExplorerValuesWatch();
    ExplorerValuesWatch(const ExplorerValuesWatch&) = delete;
    ExplorerValuesWatch& operator=(const ExplorerValuesWatch&) = delete;

    // Watches the key; the first change after this or after Rearm posts
    // message to window, once. False when the key or the watch cannot be had.
    bool Start(HWND window, UINT message);
    // Asks for the next change. Called on the user-interface thread when the
    // message arrives, before the values are read, so no change is missed.
    bool Rearm();

private:
    static void CALLBACK OnChanged(PTP_CALLBACK_INSTANCE instance, void* context, PTP_WAIT wait, TP_WAIT_RESULT result);

    UniqueKey key_;
    UniqueHandle event_;
    PTP_WAIT wait_ = nullptr;
    HWND window_ = nullptr;
    UINT message_ = 0;
};
