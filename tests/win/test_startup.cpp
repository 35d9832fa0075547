// The whole run, from the entry point's first step to its exit code, inside
// the test process: real mutex, window, registry and message loop.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/app_state.h"
#include "app/main_window.h"
#include "app/platform_calls.h"
#include "app/startup.h"
#include "explorer/settings_store.h"
#include "support/program_fixture.h"
#include "tray/commands.h"
#include "update/update_check.h"

namespace {

using Startup = ProgramTest;

// Chooses Exit from the menu as soon as the icon is in and the update check
// has had its answer.
void CALLBACK ExitSoon(HWND, UINT, UINT_PTR timer, DWORD) {
    if (WaitingForTray() || VersionDownloadRunning()) return;
    KillTimer(nullptr, timer);
    PostMessageW(FindWindowW(kMainWindowClass, L"Veilux"), WM_COMMAND, IDM_EXIT, 0);
}

int RunUntilExit() {
    SetTimer(nullptr, 0, 50, ExitSoon);
    return RunVeilux(GetModuleHandleW(nullptr));
}

std::vector<DWORD> NotifyMessages(const SeamRecorder& seam) {
    std::vector<DWORD> messages;
    for (const auto& call : seam.notifyIcons) messages.push_back(call.message);
    return messages;
}

}  // namespace

TEST_F(Startup, NormalRunShowsTheIconChecksOnceAndExitsWithZero) {
    ResetProgramRegistry();  // no stored language
    EXPECT_EQ(RunUntilExit(), 0);

    EXPECT_EQ(NotifyMessages(seam), (std::vector<DWORD>{NIM_ADD, NIM_MODIFY, NIM_MODIFY, NIM_MODIFY, NIM_DELETE}));
    EXPECT_EQ(seam.notifyIcons[1].data.uFlags, UINT{NIF_TIP});
    EXPECT_EQ(seam.notifyIcons[2].data.uFlags, UINT{NIF_ICON});
    EXPECT_EQ(seam.notifyIcons[3].data.uFlags, UINT{NIF_INFO});
    EXPECT_STREQ(seam.notifyIcons[3].data.szInfoTitle, L"Veilux");
    // The update check runs once, after the start balloon.
    ASSERT_EQ(seam.downloads.size(), 1u);
    const auto balloon = std::find(seam.order.begin(), seam.order.end(), "download");
    EXPECT_EQ(std::count(seam.order.begin(), balloon, "notifyIcon"), 4);
    EXPECT_TRUE(seam.messageBoxes.empty());

    // The language was chosen from the interface and stored.
    EXPECT_TRUE(ReadStoredString(kSettingsKeyPath, L"Lang"));
    // Everything was taken down.
    EXPECT_EQ(g_app.tray, nullptr);
    EXPECT_FALSE(g_app.controller);
    EXPECT_EQ(g_app.instance, nullptr);

    // The mutex is free: a new copy starts at once.
    DiscardMainWindow();
    EXPECT_EQ(RunUntilExit(), 0);
    EXPECT_TRUE(seam.messageBoxes.empty());
}

namespace {

HANDLE g_downloadHeld = nullptr;
HRESULT HangingDownload(LPCWSTR, LPCWSTR) {  // a server that never answers, until the test lets it go
    WaitForSingleObject(g_downloadHeld, INFINITE);
    return E_FAIL;
}

void CALLBACK ExitWhileDownloading(HWND, UINT, UINT_PTR timer, DWORD) {
    if (WaitingForTray() || !VersionDownloadRunning()) return;
    KillTimer(nullptr, timer);
    PostMessageW(FindWindowW(kMainWindowClass, L"Veilux"), WM_COMMAND, IDM_EXIT, 0);
}

}  // namespace

// Exit while the download hangs: the entry point is told, to end the process at once.
TEST_F(Startup, ADownloadThatHangsAtExitIsReported) {
    g_downloadHeld = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    g_platform.downloadToFile = HangingDownload;
    SetTimer(nullptr, 0, 50, ExitWhileDownloading);
    bool downloadRunning = false;
    EXPECT_EQ(RunVeilux(GetModuleHandleW(nullptr), &downloadRunning), 0);
    EXPECT_TRUE(downloadRunning) << "the exit decision was not made while the download hung";
    SetEvent(g_downloadHeld);
    ASSERT_EQ(WaitForSingleObject(g_app.versionDownload.get(), 10000), WAIT_OBJECT_0);
    CloseHandle(g_downloadHeld);
}

TEST_F(Startup, SecondCopyIsRefusedInTheStoredLanguage) {
    StoreString(kSettingsKeyPath, L"Lang", L"DE");
    HANDLE first = CreateMutexW(nullptr, TRUE, L"VeiluxApp");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(RunVeilux(GetModuleHandleW(nullptr)), 1);
    CloseHandle(first);

    ASSERT_EQ(seam.messageBoxes.size(), 1u);
    EXPECT_EQ(seam.messageBoxes[0].owner, nullptr);
    EXPECT_EQ(seam.messageBoxes[0].text, L"Die Anwendung läuft bereits.");
    EXPECT_EQ(seam.messageBoxes[0].caption, L"Veilux");
    EXPECT_EQ(seam.messageBoxes[0].type, UINT{MB_OK | MB_ICONINFORMATION});
    EXPECT_TRUE(seam.notifyIcons.empty());
    EXPECT_TRUE(seam.downloads.empty());
    EXPECT_EQ(FindWindowW(kMainWindowClass, nullptr), nullptr);
    EXPECT_EQ(ReadStoredString(kSettingsKeyPath, L"Lang"), L"DE");
}

namespace {

// Five minutes pass on the program's clock, a millisecond short of them first,
// each followed by a tick of the retry timer.
void CALLBACK FiveMinutesPass(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    SeamRecorder& seam = *ActiveRecorder();
    const HWND window = FindWindowW(kMainWindowClass, L"Veilux");
    seam.tickCount += 5 * 60 * 1000 - 1;
    SendMessageW(window, WM_TIMER, kTrayRetryTimer, 0);
    EXPECT_TRUE(seam.messageBoxes.empty());
    seam.tickCount += 1;
    SendMessageW(window, WM_TIMER, kTrayRetryTimer, 0);
}

}  // namespace

TEST_F(Startup, ATaskbarThatNeverTakesTheIconIsReportedAfterFiveMinutes) {
    seam.notifyIconResult = FALSE;  // the taskbar is there, and fails every add
    SetTimer(nullptr, 0, 100, FiveMinutesPass);
    EXPECT_EQ(RunVeilux(GetModuleHandleW(nullptr)), 1);

    const auto messages = NotifyMessages(seam);
    EXPECT_EQ(std::count(messages.begin(), messages.end(), DWORD{NIM_ADD}), 3);
    EXPECT_EQ(messages.back(), DWORD{NIM_DELETE});
    ASSERT_EQ(seam.messageBoxes.size(), 1u);
    EXPECT_EQ(seam.messageBoxes[0].text, L"Error creating system tray icon");
    EXPECT_EQ(seam.messageBoxes[0].caption, L"Error");
    EXPECT_EQ(seam.messageBoxes[0].type, UINT{MB_OK | MB_ICONERROR});
    EXPECT_TRUE(seam.downloads.empty());
    EXPECT_EQ(g_app.tray, nullptr);
    EXPECT_FALSE(g_app.controller);
    // The window and its class stay until the process ends.
    EXPECT_NE(FindWindowW(kMainWindowClass, nullptr), nullptr);
    // Meanwhile the tries thin out: 1, 2, 4 and 8 s apart, then every 15 s.
    std::vector<UINT> delays;
    for (unsigned tries = 0; tries < 7; ++tries) delays.push_back(TrayRetryDelayMs(tries));
    EXPECT_EQ(delays, (std::vector<UINT>{1000, 2000, 4000, 8000, 15000, 15000, 15000}));
}

namespace {

// What happens to the shell while a run waits for the taskbar to take the icon.
enum class ShellLater { AnnouncesTaskbar, JustAccepts, FailsTwiceThenAccepts };
ShellLater g_shellLater = ShellLater::JustAccepts;

void CALLBACK ShellChanges(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    SeamRecorder& seam = *ActiveRecorder();
    HWND window = FindWindowW(kMainWindowClass, L"Veilux");
    switch (g_shellLater) {
    case ShellLater::AnnouncesTaskbar:
        seam.notifyIconResult = TRUE;
        // Only the announcement can bring the icon in now.
        KillTimer(window, kTrayRetryTimer);
        PostMessageW(window, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
        break;
    case ShellLater::JustAccepts: seam.notifyIconResult = TRUE; break;
    case ShellLater::FailsTwiceThenAccepts:  // the start's add and the first tick fail, the second takes it
        SendMessageW(window, WM_TIMER, kTrayRetryTimer, 0);
        SendMessageW(window, WM_TIMER, kTrayRetryTimer, 0);
        break;
    }
}

}  // namespace

// Missing or busy at sign-in, present or not, the taskbar is waited for.
TEST_F(Startup, ATaskbarThatFailsTheAddIsWaitedFor) {
    for (const ShellLater later :
         {ShellLater::AnnouncesTaskbar, ShellLater::JustAccepts, ShellLater::FailsTwiceThenAccepts}) {
        SCOPED_TRACE(static_cast<int>(later));
        DiscardMainWindow();
        seam.notifyIcons.clear();
        seam.messageBoxes.clear();
        seam.downloads.clear();
        const bool failsTwice = later == ShellLater::FailsTwiceThenAccepts;
        seam.notifyIconResult = FALSE;
        seam.acceptAtAdd = failsTwice ? 3 : 0;
        g_shellLater = later;
        SetTimer(nullptr, 0, 300, ShellChanges);
        const int exitCode = RunUntilExit();

        const auto messages = NotifyMessages(seam);
        EXPECT_EQ(std::count(messages.begin(), messages.end(), DWORD{NIM_ADD}) == 3, failsTwice);
        EXPECT_EQ(exitCode, 0);
        EXPECT_TRUE(seam.messageBoxes.empty());
        // Refused while absent, then added; the state, the start balloon and
        // the update check follow once it is in.
        ASSERT_GE(messages.size(), 7u);
        EXPECT_EQ(std::vector<DWORD>(messages.begin(), messages.begin() + 2),
                  (std::vector<DWORD>{NIM_ADD, NIM_MODIFY}));
        const auto added = std::find(messages.rbegin(), messages.rend(), DWORD{NIM_ADD});
        const auto at = static_cast<std::size_t>(messages.rend() - added - 1);
        ASSERT_EQ(messages.size(), at + 5);
        EXPECT_EQ(seam.notifyIcons[at + 3].data.uFlags, UINT{NIF_INFO});
        EXPECT_STREQ(seam.notifyIcons[at + 3].data.szInfoTitle, L"Veilux");
        const auto balloon = [](const NotifyIconCall& call) { return call.data.uFlags == NIF_INFO; };
        EXPECT_EQ(std::count_if(seam.notifyIcons.begin(), seam.notifyIcons.end() - 1, balloon), 1);  // not NIM_DELETE
        EXPECT_EQ(messages.back(), DWORD{NIM_DELETE});
        EXPECT_EQ(seam.downloads.size(), 1u);
    }
}

TEST_F(Startup, AnIconTheShellAddedDespiteReportingFailureCounts) {
    seam.notifyIconAddResult = FALSE;  // timed out, but the icon is there: a modify succeeds
    EXPECT_EQ(RunUntilExit(), 0);
    const auto messages = NotifyMessages(seam);
    ASSERT_GE(messages.size(), 2u);
    EXPECT_EQ(std::count(messages.begin(), messages.end(), DWORD{NIM_ADD}), 1);
    EXPECT_EQ(messages[1], DWORD{NIM_MODIFY});
    EXPECT_EQ(seam.notifyIcons[1].data.uID, seam.notifyIcons[0].data.uID);
    EXPECT_EQ(seam.notifyIcons[1].data.hWnd, seam.notifyIcons[0].data.hWnd);
    EXPECT_TRUE(seam.messageBoxes.empty());
    EXPECT_EQ(seam.downloads.size(), 1u);
}

TEST_F(Startup, AClassAlreadyRegisteredIsReported) {
    WNDCLASSW taken = {};
    taken.lpfnWndProc = DefWindowProcW;
    taken.hInstance = GetModuleHandleW(nullptr);
    taken.lpszClassName = kMainWindowClass;
    ASSERT_NE(RegisterClassW(&taken), 0);
    EXPECT_EQ(RunVeilux(GetModuleHandleW(nullptr)), 1);
    ASSERT_EQ(seam.messageBoxes.size(), 1u);
    EXPECT_EQ(seam.messageBoxes[0].text, L"Error registering window class");
    EXPECT_EQ(seam.messageBoxes[0].type, UINT{MB_OK | MB_ICONERROR});
    EXPECT_FALSE(g_app.controller);
    // The mutex was released with the failed start.
    HANDLE probe = CreateMutexW(nullptr, TRUE, L"VeiluxApp");
    EXPECT_NE(GetLastError(), DWORD{ERROR_ALREADY_EXISTS});
    CloseHandle(probe);
}
