// Hears of every change to Explorer's "Advanced" values, whoever makes it:
// also the ones nobody announces (regedit, a script, a policy), and also
// after the key was deleted and made again (a .reg import, a reset script).
#pragma once

#include <windows.h>

#include <atomic>

#include "app/handles.h"

class ExplorerValuesWatch {
public:
    ExplorerValuesWatch() = default;
    ~ExplorerValuesWatch();
    ExplorerValuesWatch(const ExplorerValuesWatch&) = delete;
    ExplorerValuesWatch& operator=(const ExplorerValuesWatch&) = delete;

    // Watches the key, and its parent "Explorer" for subkeys made or deleted;
    // the first change after this or after Rearm posts message to window,
    // once. False when neither watch can be had.
    bool Start(HWND window, UINT message);
    // Asks for the next change, opening "Advanced" afresh when it was deleted
    // or made again. Called on the user-interface thread when the message
    // arrives, before the values are read, so no change is missed.
    bool Rearm();

private:
    // One key's registry notification, waited for on the thread pool.
    struct KeyWatch {
        UniqueKey key;
        UniqueHandle event;
        PTP_WAIT wait = nullptr;
        DWORD filter = 0;
        std::atomic<bool> fired{false};
    };

    bool Prepare(KeyWatch& watch, DWORD filter);
    bool Arm(KeyWatch& watch);
    bool OpenValuesKey();
    static void Close(KeyWatch& watch);
    static void CALLBACK OnChanged(PTP_CALLBACK_INSTANCE instance, void* context, PTP_WAIT wait, TP_WAIT_RESULT result);

    KeyWatch values_;  // "Advanced": its values
    KeyWatch names_;  // "Explorer": the names of its subkeys
    HWND window_ = nullptr;
    UINT message_ = 0;
};
