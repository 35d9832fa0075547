// The start-up update check: the version file through the recorded
// download on the check's own thread, the temporary file on the real disk,
// the balloon recorded; and the real download function's cache handling.
#include <windows.h>
#include <wininet.h>  // the cache's types; its functions are loaded from System32 as the program does

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "app/app_state.h"
#include "app/main_window.h"
#include "app/platform_calls.h"
#include "app/web_endpoints.h"
#include "support/program_fixture.h"
#include "tray/tray_icon.h"
#include "update/update_check.h"

namespace {

bool FileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string FileBytes(const std::wstring& path) {
    std::ifstream file(path.c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    std::ofstream file(path.c_str(), std::ios::binary | std::ios::trunc);
    file << bytes;
}

class UpdateCheck : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        owner = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPED, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
        ASSERT_TRUE(tray.Create(owner));
        path = VersionFilePath();
        DeleteFileW(path.c_str());
    }
    void TearDown() override {
        tray.Remove();
        DestroyWindow(owner);
        DeleteFileW(path.c_str());
        ProgramTest::TearDown();
    }
    bool BalloonShown() const { return !seam.notifyIcons.empty(); }
    // The check as the program runs it: the download on its thread, whose
    // message tells the owner when it has ended; then the answer is read.
    void Check() {
        controller.CheckForUpdates(owner);
        // Generous: a thread's first COM start is slow on a loaded machine.
        ASSERT_EQ(WaitForSingleObject(g_app.versionDownload.get(), 20000), WAIT_OBJECT_0);
        EXPECT_FALSE(VersionDownloadRunning());
        MSG done = {};
        ASSERT_TRUE(PeekMessageW(&done, owner, kUpdateCheckDoneMessage, kUpdateCheckDoneMessage, PM_REMOVE));
        if (done.wParam) controller.OfferUpdate(tray);
    }

    HWND owner = nullptr;
    TrayIcon tray;
    AppController controller;
    std::wstring path;
};

}  // namespace

TEST_F(UpdateCheck, DownloadsTheVersionFileIntoTheTemporaryFolder) {
    // The user's own folder for such files, never the program's folder.
    wchar_t temp[MAX_PATH] = {};
    ASSERT_NE(GetEnvironmentVariableW(L"TMP", temp, MAX_PATH), 0u);
    EXPECT_EQ(path, std::wstring(temp) + L"\\vxversion.orv");

    seam.downloadResult = S_OK;
    seam.downloadBody = "101\r\n";
    Check();
    ASSERT_EQ(seam.downloads.size(), 1u);
    EXPECT_EQ(seam.downloads[0].url, VersionFileUrl());
    EXPECT_EQ(seam.downloads[0].localPath, path);

    ASSERT_EQ(seam.notifyIcons.size(), 1u);
    const NOTIFYICONDATAW& data = seam.notifyIcons[0].data;
    EXPECT_EQ(data.uFlags, UINT{NIF_INFO});
    EXPECT_STREQ(data.szInfoTitle, L"Update Available");
    EXPECT_STREQ(data.szInfo, L"A new version of Veilux is available.\nClick to go to the downloads page");
    EXPECT_TRUE(tray.updateClickPending);
    EXPECT_FALSE(FileExists(path));
}

TEST_F(UpdateCheck, EachKindOfFirstLineHasItsOutcome) {
    const std::string digits(5000, '9');
    // The table is laid out by hand.
    // clang-format off
    const struct {
        std::string body;
        bool balloon;
        bool fileStays;
    } cases[] = {
        {"101", true, false},
        {"101\n", true, false},
        {"  101abc", true, false},
        {"+101", true, false},
        {digits, true, false},                       // clamped to the largest code
        {"101" + std::string(4 << 20, 'x'), true, false},  // a first line of several MiB, read only in part
        {"100", false, false},
        {"99", false, false},
        {"2", false, false},
        {"-5", false, false},
        {"1.0.1", false, false},
        {"100\n200", false, false},
        {std::string(30, '7'), true, false},
        {"\xEF\xBB\xBF" "101", false, false},        // a byte-order mark hides the number
        {std::string("\xFF\xFE" "1\0" "0\0" "1\0", 8), false, false},
        {"<html>101</html>", false, false},
        {"", false, true},
        {"\r\n101", false, true},
        {"\n101", false, true},
        {"\x1A" "101", false, true},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.body.substr(0, 20));
        seam.notifyIcons.clear();
        tray.updateClickPending = tray.updateOffered = false;
        seam.downloadResult = S_OK;
        seam.downloadBody = c.body;
        Check();
        EXPECT_EQ(BalloonShown(), c.balloon);
        EXPECT_EQ(tray.updateClickPending, c.balloon);
        EXPECT_EQ(tray.updateOffered, c.balloon);
        EXPECT_EQ(FileExists(path), c.fileStays);
        DeleteFileW(path.c_str());
    }
}

TEST_F(UpdateCheck, FailedDownloadLeavesAnOldFileAlone) {
    WriteFileBytes(path, "101 from an earlier start");
    seam.downloadResult = HRESULT(0x800C0019);  // INET_E_INVALID_CERTIFICATE
    Check();
    EXPECT_EQ(seam.downloads.size(), 1u);
    EXPECT_FALSE(BalloonShown());
    EXPECT_EQ(FileBytes(path), "101 from an earlier start");
}

TEST_F(UpdateCheck, NoBalloonWithoutACreatedIcon) {
    tray.Remove();
    seam.notifyIcons.clear();
    seam.downloadResult = S_OK;
    seam.downloadBody = "101";
    Check();
    EXPECT_FALSE(BalloonShown());
    EXPECT_FALSE(tray.updateClickPending);
    EXPECT_FALSE(FileExists(path));
}

TEST_F(UpdateCheck, DownloadPageTellsTheRunningVersion) {
    OpenDownloadPage();
    ASSERT_EQ(seam.shellExecutes.size(), 1u);
    EXPECT_EQ(seam.shellExecutes[0].owner, nullptr);
    EXPECT_EQ(seam.shellExecutes[0].verb, L"open");
    EXPECT_EQ(seam.shellExecutes[0].file, std::wstring(L"https://") + SiteHost() + L"/vx/update/?ver=100");
    EXPECT_TRUE(seam.shellExecutes[0].parametersNull && seam.shellExecutes[0].directoryNull);
    EXPECT_EQ(seam.shellExecutes[0].show, SW_SHOWNORMAL);
}

namespace {

// WinINet is no known DLL: like the program, the test takes it from System32 only.
template <typename Function>
Function WinInet(const char* name) {
    const HMODULE module = LoadLibraryExW(L"wininet.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

// Whether WinINet's cache holds an entry for the address.
bool CacheHolds(const std::wstring& url) {
    static const auto getInfo =
        WinInet<BOOL(WINAPI*)(LPCWSTR, LPINTERNET_CACHE_ENTRY_INFOW, LPDWORD)>("GetUrlCacheEntryInfoW");
    DWORD size = 0;
    if (!getInfo) return false;
    if (getInfo(url.c_str(), nullptr, &size)) return true;
    return GetLastError() == ERROR_INSUFFICIENT_BUFFER;
}

bool CacheAnswer(const std::wstring& url, const std::string& body) {
    static const auto create = WinInet<BOOL(WINAPI*)(LPCWSTR, DWORD, LPCWSTR, LPWSTR, DWORD)>("CreateUrlCacheEntryW");
    static const auto commit =
        WinInet<BOOL(WINAPI*)(LPCWSTR, LPCWSTR, FILETIME, FILETIME, DWORD, LPWSTR, DWORD, LPCWSTR, LPCWSTR)>(
            "CommitUrlCacheEntryW");
    wchar_t file[MAX_PATH] = {};
    if (!create || !commit || !create(url.c_str(), 0, L"orv", file, 0)) return false;
    WriteFileBytes(file, body);
    FILETIME never = {0xFFFFFFFF, 0x7FFFFFFF};  // still fresh for ever
    FILETIME modified = {};
    return commit(url.c_str(), file, never, modified, NORMAL_CACHE_ENTRY, nullptr, 0, nullptr, nullptr) != FALSE;
}

}  // namespace

// The real download first drops the cached answer: a stale "no update" kept
// by WinINet would otherwise hide every new release. Nothing listens on the
// port, so only the forgetting can remove the entry.
TEST(RealDownload, ForgetsTheCachedVersionFileFirst) {
    const std::wstring url = L"https://localhost:1/vx/update/vxversion.orv";
    ASSERT_TRUE(CacheAnswer(url, "100\r\n"));
    ASSERT_TRUE(CacheHolds(url));
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, temp);
    const std::wstring local = std::wstring(temp) + L"cache-test.orv";
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    EXPECT_TRUE(FAILED(DefaultPlatformCalls().downloadToFile(url.c_str(), local.c_str())));
    if (SUCCEEDED(com)) CoUninitialize();
    EXPECT_FALSE(CacheHolds(url));
    // Should the check above have failed, the entry goes now.
    if (const auto forget = WinInet<BOOL(WINAPI*)(LPCWSTR)>("DeleteUrlCacheEntryW")) forget(url.c_str());
    DeleteFileW(local.c_str());
}
