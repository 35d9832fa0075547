// Hears of every change to Explorer's "Advanced" values, whoever makes it:
// also the ones nobody announces (regedit, a script, a policy), and also
// after the key was deleted and made again (a .reg import, a reset script).
//
// The watch holds no thread: the main message loop waits for its events
// beside the messages (app/message_loop.h) and tells it which one came.
#pragma once

#include <windows.h>

#include "app/handles.h"

class ExplorerValuesWatch {
public:
    static constexpr DWORD kEventCount = 2;

    // Watches the key, and its parent "Explorer" for subkeys made or deleted;
    // the first change after this or after Rearm posts message to window,
    // once. False when neither watch can be had.
    bool Start(HWND window, UINT message);
    // The events the message loop waits on beside the messages.
    void Events(HANDLE (&events)[kEventCount]) const;
    // Called on the user-interface thread when events[index] was signalled:
    // marks which key changed and posts the message.
    void Signalled(DWORD index);
    // Asks for the next change, opening "Advanced" afresh when it was deleted
    // or made again. Called on the user-interface thread when the message
    // arrives, before the values are read, so no change is missed.
    bool Rearm();

private:
    // One key's registry notification.
    struct KeyWatch {
        UniqueKey key;
        UniqueHandle event;
        DWORD filter = 0;
        bool fired = false;
    };

    static bool Prepare(KeyWatch& watch, DWORD filter);
    static bool Arm(KeyWatch& watch);
    bool OpenValuesKey();

    KeyWatch values_;  // "Advanced": its values
    KeyWatch names_;  // "Explorer": the names of its subkeys
    HWND window_ = nullptr;
    UINT message_ = 0;
};
