#include "explorer/explorer_watch.h"

#include "explorer/explorer_control.h"

ExplorerValuesWatch::~ExplorerValuesWatch() {
    if (!wait_) return;
    // No callback may run once the watch is gone; a running one only posts.
    SetThreadpoolWait(wait_, nullptr, nullptr);
    WaitForThreadpoolWaitCallbacks(wait_, TRUE);
    CloseThreadpoolWait(wait_);
}

bool ExplorerValuesWatch::Start(HWND window, UINT message) {
    window_ = window;
    message_ = message;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kExplorerAdvancedKeyPath, 0, KEY_NOTIFY, &key) != ERROR_SUCCESS) return false;
    key_.reset(key);
    // Auto-reset: the wait takes the signal, and the next arming starts clean.
    event_.reset(CreateEventW(nullptr, FALSE, FALSE, nullptr));
    if (!event_) return false;
    wait_ = CreateThreadpoolWait(OnChanged, this, nullptr);
    if (!wait_) return false;
    return Rearm();
}

bool ExplorerValuesWatch::Rearm() {
    if (!wait_) return false;
    // The registration belongs to the calling thread, the user-interface
    // thread, which lives as long as the program.
    if (RegNotifyChangeKeyValue(key_.get(), FALSE, REG_NOTIFY_CHANGE_LAST_SET, event_.get(), TRUE) != ERROR_SUCCESS)
        return false;
    SetThreadpoolWait(wait_, event_.get(), nullptr);
    return true;
}

// On a thread-pool thread: it only tells the user-interface thread, where
// the state lives.
void CALLBACK ExplorerValuesWatch::OnChanged(PTP_CALLBACK_INSTANCE, void* context, PTP_WAIT, TP_WAIT_RESULT) {
    const auto* watch = static_cast<const ExplorerValuesWatch*>(context);
    PostMessageW(watch->window_, watch->message_, 0, 0);
}
