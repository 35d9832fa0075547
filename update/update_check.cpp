#include "update/update_check.h"

#include <windows.h>
#include <shlwapi.h>

#include "app/app_state.h"
#include "app/platform_calls.h"
#include "app/web_endpoints.h"
#include "i18n/ui_strings.h"
#include "tray/tray_icon.h"
#include "update/version_rule.h"

namespace {

// The answer in the first kVersionFileReadLimit bytes, or nothing when the file
// cannot be opened. A huge or endless file is never read further.
bool ReadVersionFile(const std::wstring& path, VersionAnswer& answer) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    unsigned char bytes[kVersionFileReadLimit];
    DWORD size = 0;
    DWORD got = 0;
    while (size < sizeof bytes && ReadFile(file, bytes + size, sizeof bytes - size, &got, nullptr) && got != 0)
        size += got;
    CloseHandle(file);
    answer = JudgeVersionFile(bytes, size);
    return true;
}

}  // namespace

std::wstring VersionFilePath() {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    // A cut path names another folder: never write a file there.
    if (length == 0 || length >= MAX_PATH) return {};
    PathRemoveFileSpecW(path);
    return std::wstring(path) + L"\\vxversion.orv";
}

void AppController::CheckForUpdates(TrayIcon& tray) const {
    const std::wstring localPath = VersionFilePath();
    if (localPath.empty()) return;
    if (FAILED(g_platform.downloadToFile(VersionFileUrl().c_str(), localPath.c_str()))) return;
    VersionAnswer answer = VersionAnswer::Empty;
    if (!ReadVersionFile(localPath, answer)) return;
    // An empty first line is left on disk, as an unreadable answer.
    if (answer == VersionAnswer::Empty) return;
    if (answer == VersionAnswer::Newer)
        tray.ShowBalloon(UiText(MessageKey::BalloonUpdateTitle), UiText(MessageKey::BalloonUpdateText), true);
    DeleteFileW(localPath.c_str());
}

void OpenDownloadPage() {
    g_platform.shellExecute(nullptr, L"open", DownloadPageUrl().c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}
