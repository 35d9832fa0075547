#include "explorer/explorer_watch.h"

#include "explorer/explorer_control.h"

namespace {

constexpr wchar_t kExplorerKeyPath[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";

HKEY OpenForNotify(const wchar_t* path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_NOTIFY | KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return nullptr;
    return key;
}

// A deleted key's handle hears nothing more, whether or not a key of the
// same name has been made since.
bool KeyDeleted(HKEY key) {
    return RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                            nullptr, nullptr) == ERROR_KEY_DELETED;
}

}  // namespace

ExplorerValuesWatch::~ExplorerValuesWatch() {
    Close(values_);
    Close(names_);
}

// No callback may run once the watch is gone; a running one only posts.
void ExplorerValuesWatch::Close(KeyWatch& watch) {
    if (!watch.wait) return;
    SetThreadpoolWait(watch.wait, nullptr, nullptr);
    WaitForThreadpoolWaitCallbacks(watch.wait, TRUE);
    CloseThreadpoolWait(watch.wait);
    watch.wait = nullptr;
}

bool ExplorerValuesWatch::Prepare(KeyWatch& watch, DWORD filter) {
    watch.filter = filter;
    // Auto-reset: the wait takes the signal, and the next arming starts clean.
    watch.event.reset(CreateEventW(nullptr, FALSE, FALSE, nullptr));
    if (!watch.event) return false;
    watch.wait = CreateThreadpoolWait(OnChanged, this, nullptr);
    return watch.wait != nullptr;
}

bool ExplorerValuesWatch::Start(HWND window, UINT message) {
    window_ = window;
    message_ = message;
    if (!Prepare(values_, REG_NOTIFY_CHANGE_LAST_SET) || !Prepare(names_, REG_NOTIFY_CHANGE_NAME)) return false;
    names_.key.reset(OpenForNotify(kExplorerKeyPath));
    const bool namesArmed = Arm(names_);
    const bool valuesArmed = OpenValuesKey() && Arm(values_);
    return namesArmed || valuesArmed;
}

bool ExplorerValuesWatch::Arm(KeyWatch& watch) {
    if (!watch.wait || !watch.key) return false;
    // The registration belongs to the calling thread, the user-interface
    // thread, which lives as long as the program.
    if (RegNotifyChangeKeyValue(watch.key.get(), FALSE, watch.filter, watch.event.get(), TRUE) != ERROR_SUCCESS)
        return false;
    SetThreadpoolWait(watch.wait, watch.event.get(), nullptr);
    return true;
}

bool ExplorerValuesWatch::OpenValuesKey() {
    // The old handle's registration ends with it, and its closing may signal
    // the event: that is no change, so the wait is stopped and the signal dropped.
    SetThreadpoolWait(values_.wait, nullptr, nullptr);
    WaitForThreadpoolWaitCallbacks(values_.wait, TRUE);
    values_.key.reset();
    ResetEvent(values_.event.get());
    values_.fired.store(false);
    values_.key.reset(OpenForNotify(kExplorerAdvancedKeyPath));
    return values_.key != nullptr;
}

bool ExplorerValuesWatch::Rearm() {
    // A subkey of "Explorer" came or went: perhaps "Advanced", made anew.
    if (names_.fired.exchange(false)) Arm(names_);
    // Gone, or made again under the same name, which is a new key: opened
    // afresh. While it is missing, the watch on "Explorer" tells when it is back.
    if (!values_.key || KeyDeleted(values_.key.get())) return OpenValuesKey() && Arm(values_);
    if (values_.fired.exchange(false)) return Arm(values_);
    return true;
}

// On a thread-pool thread: it only marks which watch fired and tells the
// user-interface thread, where the state lives.
void CALLBACK ExplorerValuesWatch::OnChanged(PTP_CALLBACK_INSTANCE, void* context, PTP_WAIT wait, TP_WAIT_RESULT) {
    auto* watch = static_cast<ExplorerValuesWatch*>(context);
    (wait == watch->names_.wait ? watch->names_ : watch->values_).fired.store(true);
    PostMessageW(watch->window_, watch->message_, 0, 0);
}
