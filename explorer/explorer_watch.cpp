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

bool ExplorerValuesWatch::Prepare(KeyWatch& watch, DWORD filter) {
    watch.filter = filter;
    // Auto-reset: the loop's wait takes the signal, and the next arming starts clean.
    watch.event.reset(CreateEventW(nullptr, FALSE, FALSE, nullptr));
    return watch.event != nullptr;
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

void ExplorerValuesWatch::Events(HANDLE (&events)[kEventCount]) const {
    events[0] = values_.event.get();
    events[1] = names_.event.get();
}

void ExplorerValuesWatch::Signalled(DWORD index) {
    (index == 0 ? values_ : names_).fired = true;
    PostMessageW(window_, message_, 0, 0);
}

bool ExplorerValuesWatch::Arm(KeyWatch& watch) {
    if (!watch.key) return false;
    // The registration belongs to the calling thread, the user-interface
    // thread, which lives as long as the program.
    return RegNotifyChangeKeyValue(watch.key.get(), FALSE, watch.filter, watch.event.get(), TRUE) == ERROR_SUCCESS;
}

bool ExplorerValuesWatch::OpenValuesKey() {
    // The old handle's registration ends with it, and its closing may signal
    // the event: that is no change, so the signal is dropped.
    values_.key.reset();
    ResetEvent(values_.event.get());
    values_.fired = false;
    values_.key.reset(OpenForNotify(kExplorerAdvancedKeyPath));
    return values_.key != nullptr;
}

bool ExplorerValuesWatch::Rearm() {
    // A subkey of "Explorer" came or went: perhaps "Advanced", made anew.
    if (names_.fired) {
        names_.fired = false;
        Arm(names_);
    }
    // Gone, or made again under the same name, which is a new key: opened
    // afresh. While it is missing, the watch on "Explorer" tells when it is back.
    if (!values_.key || KeyDeleted(values_.key.get())) return OpenValuesKey() && Arm(values_);
    if (!values_.fired) return true;
    values_.fired = false;
    return Arm(values_);
}
