#include "tray/tray_icon.h"

#include <strsafe.h>

#include <cstring>

#include "app/platform_calls.h"
#include "i18n/ui_strings.h"
#include "tray/commands.h"
#include "tray/tray_view.h"
#include "ui/display_scale.h"

namespace {

constexpr UINT kAddFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_INFO;

// Each icon is loaded as the caller's own handle (no LR_SHARED), so it can be
// destroyed. At the size the shell draws it, the icon's own frame of that
// size is taken and not shrunk or stretched by the shell.
HICON LoadStateIcon(int resourceId, int size) {
    return static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resourceId), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

// Copies text into a fixed field, cutting it at the field's size.
template <std::size_t N>
void CopyBounded(wchar_t (&field)[N], const wchar_t* text) {
    // cppcheck-suppress ignoredReturnValue ; a cut text is what is wanted here
    StringCchCopyW(field, N, text);  // always terminated, cut when too long
}

}  // namespace

TrayIcon::TrayIcon() { std::memset(&nid, 0, sizeof nid); }

TrayIcon::~TrayIcon() { Remove(); }

bool TrayIcon::Create(HWND owner) {
    ownerWindow = owner;
    nid.cbSize = sizeof(NOTIFYICONDATAW);
    nid.hWnd = owner;
    nid.uID = TRAY_ICON_ID;
    nid.uFlags = kAddFlags;
    nid.uCallbackMessage = WM_TRAYICON;
    if (!ReplaceIcon(kIconHiddenFilesHidden, IconSizeNow())) {
        ownerWindow = nullptr;
        std::memset(&nid, 0, sizeof nid);
        return false;
    }
    created = true;
    return true;
}

// The notification area draws its icons at the small-icon size of the
// taskbar's DPI, which is the primary screen's, where the hidden owner sits.
int TrayIcon::IconSizeNow() const { return SmallIconSizeForDpi(g_platform.windowDpi(ownerWindow)); }

bool TrayIcon::ReplaceIcon(int resourceId, int size) {
    HICON icon = LoadStateIcon(resourceId, size);
    if (!icon) return false;
    // Exactly one handle is held: the one replaced goes at once.
    if (currentIcon) DestroyIcon(currentIcon);
    currentIcon = icon;
    nid.hIcon = icon;
    shownIconId_ = resourceId;
    iconSize_ = size;
    return true;
}

bool TrayIcon::AddWithFlags(UINT flags) {
    if (!created) return false;
    nid.uFlags = flags;
    if (g_platform.notifyIcon(NIM_ADD, &nid)) return true;
    // A busy shell can time out and report failure, yet add the icon. A
    // modify succeeds only for an icon that exists, so it tells.
    return g_platform.notifyIcon(NIM_MODIFY, &nid) != FALSE;
}

bool TrayIcon::Add() { return AddWithFlags(kAddFlags); }

// The current picture and tooltip; the last balloon is not shown again. A
// new taskbar also comes after a change of the display scale: the picture
// is loaded again at the size of the new one first.
bool TrayIcon::AddAgain() {
    if (!created) return false;
    const int size = IconSizeNow();
    if (size != iconSize_) ReplaceIcon(shownIconId_, size);  // failing, the old picture is shown
    return AddWithFlags(NIF_MESSAGE | NIF_ICON | NIF_TIP);
}

bool TrayIcon::FollowDisplayScale() {
    if (!created) return false;
    const int size = IconSizeNow();
    if (size == iconSize_ || !ReplaceIcon(shownIconId_, size)) return false;
    nid.uFlags = NIF_ICON;
    g_platform.notifyIcon(NIM_MODIFY, &nid);
    return true;
}

void TrayIcon::Update(bool hiddenVisible, bool includeSystemFiles) {
    if (!created) return;
    CopyBounded(nid.szTip, UiText(TooltipKey(hiddenVisible, includeSystemFiles)));
    nid.uFlags = NIF_TIP;
    g_platform.notifyIcon(NIM_MODIFY, &nid);

    // Loaded afresh even when the picture stays, so exactly one handle is held.
    if (!ReplaceIcon(StateIconId(hiddenVisible), IconSizeNow())) return;
    nid.uFlags = NIF_ICON;
    g_platform.notifyIcon(NIM_MODIFY, &nid);
}

void TrayIcon::ShowBalloon(const wchar_t* title, const wchar_t* text, bool opensDownloadPage) {
    if (!created || !title || !text) return;
    updateClickPending = opensDownloadPage;
    CopyBounded(nid.szInfoTitle, title);
    CopyBounded(nid.szInfo, text);
    nid.dwInfoFlags = NIIF_LARGE_ICON;
    nid.uFlags = NIF_INFO;
    g_platform.notifyIcon(NIM_MODIFY, &nid);
}

void TrayIcon::Remove() {
    if (!created) return;
    g_platform.notifyIcon(NIM_DELETE, &nid);
    if (currentIcon) DestroyIcon(currentIcon);
    currentIcon = nullptr;
    shownIconId_ = 0;
    iconSize_ = 0;
    ownerWindow = nullptr;
    std::memset(&nid, 0, sizeof nid);
    created = false;
}
