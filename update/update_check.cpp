#include "update/update_check.h"

#include <windows.h>

#include <memory>

#include "app/app_state.h"
#include "app/main_window.h"
#include "app/platform_calls.h"
#include "app/web_endpoints.h"
#include "i18n/ui_strings.h"
#include "tray/tray_icon.h"
#include "update/update_helper.h"
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

// What the waiting thread needs, all of it its own: it touches nothing of
// the program's state, the tray icon or the texts.
struct VersionDownload {
    unsigned long (*runHelper)();
    HWND window;
};

// The download runs in the helper process; this thread only waits for it.
DWORD WINAPI DownloadVersionFile(void* parameter) {
    const std::unique_ptr<VersionDownload> job(static_cast<VersionDownload*>(parameter));
    const bool written = job->runHelper() == kHelperWroteFile;
    // A window gone by now means the program is ending: the post fails and that is all.
    PostMessageW(job->window, kUpdateCheckDoneMessage, written ? TRUE : FALSE, 0);
    return 0;
}

}  // namespace

std::wstring VersionFilePath() {
    wchar_t folder[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
    // A cut path names another folder: never write a file there.
    if (length == 0 || length > MAX_PATH) return {};
    return std::wstring(folder, length) + L"vxversion.orv";
}

void AppController::CheckForUpdates(HWND window) const {
    // The helper finds the same path; without one there is nowhere to write.
    if (VersionFilePath().empty()) return;
    auto job = std::make_unique<VersionDownload>();
    job->runHelper = g_platform.runUpdateHelper;
    job->window = window;
    // The download can take as long as the network makes it; the user never waits for it.
    HANDLE thread = CreateThread(nullptr, 0, DownloadVersionFile, job.get(), 0, nullptr);
    if (!thread) return;
    static_cast<void>(job.release());  // the thread owns it now
    g_app.versionDownload.reset(thread);
}

bool VersionDownloadRunning() {
    return g_app.versionDownload && WaitForSingleObject(g_app.versionDownload.get(), 0) == WAIT_TIMEOUT;
}

void AppController::OfferUpdate(TrayIcon& tray) const {
    const std::wstring localPath = VersionFilePath();
    if (localPath.empty()) return;
    VersionAnswer answer = VersionAnswer::Empty;
    if (!ReadVersionFile(localPath, answer)) return;
    // An empty first line is left on disk, as an unreadable answer.
    if (answer == VersionAnswer::Empty) return;
    if (answer == VersionAnswer::Newer) {
        tray.ShowBalloon(UiText(MessageKey::BalloonUpdateTitle), UiText(MessageKey::BalloonUpdateText), true);
        // The balloon may never be seen (Do Not Disturb holds it back): the menu keeps the offer.
        tray.updateOffered = true;
    }
    DeleteFileW(localPath.c_str());
}

void OpenDownloadPage() {
    g_platform.shellExecute(nullptr, L"open", DownloadPageUrl().c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}
