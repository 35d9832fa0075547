// Owners for Windows handles: each releases its handle exactly once and
// cannot be copied, so a handle is never leaked or freed twice.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

namespace handles {
struct KeyCloser {
    void operator()(HKEY key) const { RegCloseKey(key); }
};
struct IconDestroyer {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};
struct MenuDestroyer {
    void operator()(HMENU menu) const { DestroyMenu(menu); }
};
struct GdiObjectDeleter {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
struct FindCloser {
    void operator()(HANDLE search) const { FindClose(search); }
};
struct ChangeNotificationCloser {
    void operator()(HANDLE notification) const { FindCloseChangeNotification(notification); }
};
struct GlobalFreer {
    void operator()(HGLOBAL memory) const { GlobalFree(memory); }
};
struct ComReleaser {
    void operator()(IUnknown* object) const { object->Release(); }
};
}  // namespace handles

using UniqueKey = std::unique_ptr<std::remove_pointer_t<HKEY>, handles::KeyCloser>;
using UniqueIcon = std::unique_ptr<std::remove_pointer_t<HICON>, handles::IconDestroyer>;
using UniqueMenu = std::unique_ptr<std::remove_pointer_t<HMENU>, handles::MenuDestroyer>;
using UniqueFont = std::unique_ptr<std::remove_pointer_t<HFONT>, handles::GdiObjectDeleter>;
using UniqueBitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, handles::GdiObjectDeleter>;
using UniqueHandle = std::unique_ptr<void, handles::HandleCloser>;
// Both come back as INVALID_HANDLE_VALUE on failure, which is never owned.
using UniqueFind = std::unique_ptr<void, handles::FindCloser>;
using UniqueChangeNotification = std::unique_ptr<void, handles::ChangeNotificationCloser>;
using UniqueGlobal = std::unique_ptr<void, handles::GlobalFreer>;
template <typename T>
using UniqueCom = std::unique_ptr<T, handles::ComReleaser>;
