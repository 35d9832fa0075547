// The settings window, built for real under Wine: its layout, the saved
// choices it shows, what OK and Cancel write, its links and its handles.
#include <windows.h>
#include <commctrl.h>
#include "app/gdiplus_header.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/web_endpoints.h"
#include "explorer/settings_store.h"
#include "i18n/catalog.h"
#include "i18n/language.h"
#include "i18n/ui_strings.h"
#include "support/program_fixture.h"
#include "ui/png_image.h"
#include "ui/settings_window.h"
#include "update/version_rule.h"

namespace {

// The program keeps GDI+ up for its whole run; so does this test.
class GdiplusEnvironment : public testing::Environment {
public:
    void SetUp() override {
        Gdiplus::GdiplusStartupInput input;
        Gdiplus::GdiplusStartup(&token_, &input, nullptr);
    }
    void TearDown() override { Gdiplus::GdiplusShutdown(token_); }

private:
    ULONG_PTR token_ = 0;
};
const auto* const kGdiplus = testing::AddGlobalTestEnvironment(new GdiplusEnvironment);

constexpr int kBadPngResource = 299;  // a "PNG" resource whose bytes are no PNG

std::wstring TextOf(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

RECT ChildRect(HWND child) {
    RECT rect = {};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// The version record and manifest this test program carries: the program's
// own resource script, compiled the same way as for veilux.exe. Read raw, so
// the test needs no version.dll import.
struct VersionRecord {
    DWORD fileMS = 0, fileLS = 0, productMS = 0, productLS = 0;
    std::wstring fileVersion, productVersion;  // the StringFileInfo values
};

std::wstring StringValue(const std::wstring& record, const wchar_t* key) {
    const std::wstring keyWithNul = std::wstring(key) + L'\0';
    std::size_t at = record.find(keyWithNul);
    if (at == std::wstring::npos) return L"";
    at += keyWithNul.size();
    while (at < record.size() && record[at] == L'\0') ++at;  // the value is aligned to 32 bits
    return record.substr(at, record.find(L'\0', at) - at);
}

bool ReadVersionRecord(VersionRecord& version) {
    HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(VS_VERSION_INFO), RT_VERSION);
    if (!found) return false;
    const auto* bytes = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, found)));
    const DWORD size = SizeofResource(nullptr, found);
    for (DWORD at = 0; at + sizeof(VS_FIXEDFILEINFO) <= size; at += 4) {
        VS_FIXEDFILEINFO info = {};
        std::memcpy(&info, bytes + at, sizeof info);
        if (info.dwSignature != 0xFEEF04BD) continue;
        version.fileMS = info.dwFileVersionMS;
        version.fileLS = info.dwFileVersionLS;
        version.productMS = info.dwProductVersionMS;
        version.productLS = info.dwProductVersionLS;
        const std::wstring record(reinterpret_cast<const wchar_t*>(bytes), size / sizeof(wchar_t));
        version.fileVersion = StringValue(record, L"FileVersion");
        version.productVersion = StringValue(record, L"ProductVersion");
        return true;
    }
    return false;
}

// The version in the manifest's own assemblyIdentity (not the common controls').
std::string ManifestVersion() {
    HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(1), RT_MANIFEST);
    if (!found) return "";
    const std::string manifest(static_cast<const char*>(LockResource(LoadResource(nullptr, found))),
                               SizeofResource(nullptr, found));
    const std::size_t name = manifest.find("name=\"OrvSoftware.Veilux\"");
    const std::size_t value = manifest.find("version=\"", name);
    if (name == std::string::npos || value == std::string::npos) return "";
    return manifest.substr(value + 9, manifest.find('"', value + 9) - value - 9);
}

BITMAP BitmapInfo(HBITMAP bitmap) {
    BITMAP info = {};
    GetObjectW(bitmap, sizeof info, &info);
    return info;
}

class Selector : public ProgramTest {
protected:
    HWND Open() {
        OpenLanguageSelector();
        PumpMessages();
        return g_app.selectorWindow;
    }
    HWND Child(int id) { return GetDlgItem(g_app.selectorWindow, id); }
    std::wstring SelectedCode() {
        const HWND list = Child(kLanguageListId);
        const LRESULT index = SendMessageW(list, CB_GETCURSEL, 0, 0);
        return reinterpret_cast<const wchar_t*>(SendMessageW(list, CB_GETITEMDATA, index, 0));
    }
    void Press(int id) { SendMessageW(g_app.selectorWindow, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
    void Check(bool checked) {
        SendMessageW(Child(kRunAtStartupId), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    }
};

}  // namespace

TEST_F(Selector, WindowHasItsClassCaptionSizeAndPlace) {
    const HWND window = Open();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(ClassOf(window), L"IdiomaSelectorWindow");
    EXPECT_EQ(TextOf(window), L"Settings - Veilux 1.0");
    EXPECT_TRUE(IsWindowVisible(window));
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_VISIBLE), WS_CAPTION | WS_SYSMENU | WS_VISIBLE);
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_CHILD), 0);
    EXPECT_EQ(GetParent(window), nullptr);
    RECT rect = {};
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.right - rect.left, 320);
    EXPECT_EQ(rect.bottom - rect.top, 215);
    EXPECT_EQ(rect.left, (GetSystemMetrics(SM_CXSCREEN) - 320) / 2);
    EXPECT_EQ(rect.top, (GetSystemMetrics(SM_CYSCREEN) - 215) / 2);
    DestroyWindow(window);

    StoreString(kSettingsKeyPath, L"Lang", L"ES");
    EXPECT_EQ(TextOf(Open()), L"Configuración - Veilux 1.0");
    EXPECT_EQ(TextOf(Child(IDOK)), L"Aceptar");
}

// One version feeds them all: what Windows shows in the file's properties,
// the manifest, the caption, and the code the update check compares and
// sends to the download page. Today that is 1.0.0.0, "1.0" and 100.
TEST_F(Selector, CaptionVersionCodeAndDownloadPageAgreeWithTheVersionRecord) {
    VersionRecord version;
    ASSERT_TRUE(ReadVersionRecord(version));
    const unsigned major = HIWORD(version.fileMS), minor = LOWORD(version.fileMS), patch = HIWORD(version.fileLS);
    EXPECT_EQ(LOWORD(version.fileLS), 0u);
    EXPECT_EQ(version.productMS, version.fileMS);
    EXPECT_EQ(version.productLS, version.fileLS);
    const std::wstring dotted = std::to_wstring(major) + L"." + std::to_wstring(minor) + L"." + std::to_wstring(patch) +
                                L".0";
    EXPECT_EQ(version.fileVersion, dotted);
    EXPECT_EQ(version.productVersion, dotted);
    const std::string manifestVersion = ManifestVersion();
    EXPECT_EQ(std::wstring(manifestVersion.begin(), manifestVersion.end()), dotted);

    EXPECT_EQ(TextOf(Open()), L"Settings - Veilux " + std::to_wstring(major) + L"." + std::to_wstring(minor));
    EXPECT_EQ(CurrentVersionCode, static_cast<int>(major * 100 + minor * 10 + patch));
    const std::wstring page = DownloadPageUrl();
    const std::wstring query = L"/vx/update/?ver=" + std::to_wstring(CurrentVersionCode);
    ASSERT_GE(page.size(), query.size());
    EXPECT_EQ(page.substr(page.size() - query.size()), query);
}

TEST_F(Selector, ControlsHaveTheirClassesRectanglesAndStyles) {
    const HWND window = Open();
    ASSERT_NE(window, nullptr);
    const struct {
        int id;
        const wchar_t* className;
        const wchar_t* text;
        RECT rect;
        LONG style;
    } expected[] = {
        {kLanguageListId, L"ComboBox", L"English", {20, 45, 270, 0}, WS_TABSTOP | CBS_DROPDOWNLIST},
        {kRunAtStartupId, L"Button", L"Run at Windows startup", {21, 75, 321, 100}, WS_TABSTOP | BS_AUTOCHECKBOX},
        {IDOK, L"Button", L"OK", {50, 110, 150, 135}, BS_DEFPUSHBUTTON},
        {IDCANCEL, L"Button", L"Cancel", {160, 110, 260, 135}, BS_PUSHBUTTON},
        {kMakerLinkId, L"Static", L"", {2, 146, 34, 178}, SS_NOTIFY | SS_BITMAP},
        {kHomeLinkId, L"Static", L"", {262, 10, 278, 26}, SS_NOTIFY | SS_BITMAP},
        {kInstagramLinkId, L"Static", L"", {282, 10, 298, 26}, SS_NOTIFY | SS_BITMAP},
        {kDonateLinkId, L"Static", L"", {220, 145, 320, 175}, SS_NOTIFY | SS_BITMAP},
    };
    for (const auto& control : expected) {
        SCOPED_TRACE(control.id);
        const HWND child = Child(control.id);
        ASSERT_NE(child, nullptr);
        EXPECT_EQ(_wcsicmp(ClassOf(child).c_str(), control.className), 0) << ClassOf(child).c_str();
        const LONG style = GetWindowLongW(child, GWL_STYLE);
        EXPECT_EQ(style & (WS_CHILD | WS_VISIBLE), WS_CHILD | WS_VISIBLE);
        EXPECT_EQ(style & control.style, control.style);
        const RECT rect = ChildRect(child);
        EXPECT_EQ(rect.left, control.rect.left);
        EXPECT_EQ(rect.top, control.rect.top);
        EXPECT_EQ(rect.right, control.rect.right);
        // A closed drop-down list is as tall as its font makes it.
        if (control.rect.bottom) {
            EXPECT_EQ(rect.bottom, control.rect.bottom);
        }
        if (control.id == kLanguageListId || control.id == kRunAtStartupId || control.id <= IDCANCEL) {
            EXPECT_EQ(TextOf(child), control.text);
        }
    }
    // The label, found by its text (its id is 0).
    HWND label = FindWindowExW(window, nullptr, L"Static", L"Language Selector");
    ASSERT_NE(label, nullptr);
    const RECT labelRect = ChildRect(label);
    EXPECT_EQ(labelRect.left, 20);
    EXPECT_EQ(labelRect.top, 25);
    EXPECT_EQ(labelRect.right, 220);
    EXPECT_EQ(labelRect.bottom, 45);

    // One font, "Segoe UI" at 12 pixels, on the five text controls only.
    const auto font = reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0));
    ASSERT_NE(font, nullptr);
    LOGFONTW logFont = {};
    GetObjectW(font, sizeof logFont, &logFont);
    EXPECT_STREQ(logFont.lfFaceName, L"Segoe UI");
    EXPECT_EQ(logFont.lfHeight, -12);
    EXPECT_EQ(logFont.lfWeight, FW_NORMAL);
    EXPECT_EQ(logFont.lfQuality, CLEARTYPE_QUALITY);
    for (int id : {kLanguageListId, kRunAtStartupId, IDOK, IDCANCEL})
        EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(Child(id), WM_GETFONT, 0, 0)), font) << id;
    EXPECT_NE(reinterpret_cast<HFONT>(SendMessageW(Child(kHomeLinkId), WM_GETFONT, 0, 0)), font);
}

TEST_F(Selector, ListHoldsTheTenLanguagesWithTheirCodes) {
    Open();
    const HWND list = Child(kLanguageListId);
    const wchar_t* names[] = {L"English",  L"Español", L"Português", L"Deutsch", L"Français",
                              L"Italiano", L"中文",    L"Русский",   L"한국어",  L"Nederlands"};
    const wchar_t* codes[] = {L"EN", L"ES", L"PT", L"DE", L"FR", L"IT", L"ZH", L"RU", L"KO", L"NL"};
    ASSERT_EQ(SendMessageW(list, CB_GETCOUNT, 0, 0), 10);
    for (int i = 0; i < 10; ++i) {
        wchar_t text[32] = {};
        SendMessageW(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        EXPECT_STREQ(text, names[i]);
        EXPECT_STREQ(reinterpret_cast<const wchar_t*>(SendMessageW(list, CB_GETITEMDATA, i, 0)), codes[i]);
    }
}

TEST_F(Selector, SavedLanguageIsPreselectedOnlyWhenItMatchesExactly) {
    const struct {
        const wchar_t* stored;  // null: no value at all
        const wchar_t* selected;
        const wchar_t* savedAfterOpening;
    } cases[] = {
        {L"ES", L"ES", L"ES"}, {L"KO", L"KO", L"KO"}, {L"es", L"EN", L"es"},
        {L"XX", L"EN", L"XX"}, {nullptr, L"EN", L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored ? c.stored : L"(none)");
        ResetProgramRegistry();
        if (c.stored) StoreString(kSettingsKeyPath, L"Lang", c.stored);
        ASSERT_NE(Open(), nullptr);
        EXPECT_EQ(SelectedCode(), c.selected);
        // Opening applies and stores the saved code again, unchanged.
        EXPECT_EQ(ReadStoredString(kSettingsKeyPath, L"Lang"), c.savedAfterOpening);
        DestroyWindow(g_app.selectorWindow);
    }
    // Accepting the English the window fell back to stores a real code.
    StoreString(kSettingsKeyPath, L"Lang", L"es");
    Open();
    Press(IDOK);
    EXPECT_EQ(ReadStoredString(kSettingsKeyPath, L"Lang"), L"EN");
}

TEST_F(Selector, OkWritesLanguageRunEntryAndChoice) {
    Open();
    SendMessageW(Child(kLanguageListId), CB_SETCURSEL, 3, 0);  // Deutsch
    Check(true);
    Press(IDOK);
    EXPECT_EQ(g_app.selectorWindow, nullptr);
    EXPECT_EQ(ReadStoredString(kSettingsKeyPath, L"Lang"), L"DE");
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    EXPECT_EQ(ReadStoredString(kRunKeyPath, kRunValueName), L"\"" + std::wstring(path) + L"\"");
    EXPECT_EQ(ReadStoredDword(kSettingsKeyPath, L"RunAtStartup"), DWORD{1});

    // Opened again: in German, the box checked because the entry exists.
    EXPECT_EQ(TextOf(Open()), L"Einstellungen - Veilux 1.0");
    EXPECT_EQ(SendMessageW(Child(kRunAtStartupId), BM_GETCHECK, 0, 0), BST_CHECKED);
    Check(false);
    Press(IDOK);
    EXPECT_FALSE(ReadStoredValue(kRunKeyPath, kRunValueName));
    EXPECT_EQ(ReadStoredDword(kSettingsKeyPath, L"RunAtStartup"), DWORD{0});

    // Unchecked with no entry, and no change at all: all three still written.
    RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKeyPath);
    Open();
    RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKeyPath);
    Press(IDOK);
    EXPECT_EQ(ReadStoredString(kSettingsKeyPath, L"Lang"), L"EN");
    EXPECT_EQ(ReadStoredDword(kSettingsKeyPath, L"RunAtStartup"), DWORD{0});
    EXPECT_FALSE(ReadStoredValue(kRunKeyPath, kRunValueName));
}

TEST_F(Selector, CheckBoxFollowsTheRunEntryNotTheRecordedChoice) {
    StoreDword(kSettingsKeyPath, L"RunAtStartup", 1);
    Open();
    EXPECT_EQ(SendMessageW(Child(kRunAtStartupId), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    DestroyWindow(g_app.selectorWindow);
    StoreString(kRunKeyPath, kRunValueName, L"C:\\elsewhere\\veilux.exe");
    Open();
    EXPECT_EQ(SendMessageW(Child(kRunAtStartupId), BM_GETCHECK, 0, 0), BST_CHECKED);
    DestroyWindow(g_app.selectorWindow);

    // Switched off in Task Manager: the box says so, and an OK given for the
    // language alone leaves it off, the entry gone with its mark.
    const BYTE off[12] = {3};
    StoreValue(kStartupApprovedKeyPath, kRunValueName, REG_BINARY, off, sizeof off);
    Open();
    EXPECT_EQ(SendMessageW(Child(kRunAtStartupId), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    Press(IDOK);
    EXPECT_FALSE(ReadStoredValue(kRunKeyPath, kRunValueName));
    EXPECT_FALSE(ReadStoredValue(kStartupApprovedKeyPath, kRunValueName));

    // A stale entry of an old copy, switched off: checked here, this copy's
    // own quoted path is stored and Windows' mark dropped.
    StoreString(kRunKeyPath, kRunValueName, L"C:\\old copy\\veilux.exe");
    StoreValue(kStartupApprovedKeyPath, kRunValueName, REG_BINARY, off, sizeof off);
    Open();
    Check(true);
    Press(IDOK);
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    EXPECT_EQ(ReadStoredString(kRunKeyPath, kRunValueName), L"\"" + std::wstring(path) + L"\"");
    EXPECT_FALSE(ReadStoredValue(kStartupApprovedKeyPath, kRunValueName));
    EXPECT_TRUE(RunEntryEnabled());
}

TEST_F(Selector, CancelAndCloseWriteNothing) {
    for (bool useClose : {false, true}) {
        SCOPED_TRACE(useClose ? "close box" : "Cancel");
        ResetProgramRegistry();
        StoreString(kSettingsKeyPath, L"Lang", L"FR");
        Open();
        SendMessageW(Child(kLanguageListId), CB_SETCURSEL, 7, 0);
        Check(true);
        if (useClose) SendMessageW(g_app.selectorWindow, WM_CLOSE, 0, 0);
        else Press(IDCANCEL);
        EXPECT_EQ(g_app.selectorWindow, nullptr);
        EXPECT_EQ(ReadStoredString(kSettingsKeyPath, L"Lang"), L"FR");
        EXPECT_FALSE(ReadStoredValue(kRunKeyPath, kRunValueName));
        EXPECT_FALSE(ReadStoredValue(kSettingsKeyPath, L"RunAtStartup"));
    }
}

// Enter presses the button that has the focus, however it came there (a
// mouse press let go beside the button gives it the focus too); elsewhere OK.
TEST_F(Selector, EnterPressesTheFocusedButton) {
    for (int focused : {IDCANCEL, kRunAtStartupId}) {
        SCOPED_TRACE(focused);
        ResetProgramRegistry();
        Open();
        EXPECT_EQ(SendMessageW(g_app.selectorWindow, DM_GETDEFID, 0, 0), MAKELONG(IDOK, DC_HASDEFID));
        SetFocus(Child(focused));
        MSG enter = {Child(focused), WM_KEYDOWN, VK_RETURN, 1, 0, {}};
        EXPECT_TRUE(IsSelectorDialogMessage(enter));
        PumpMessages();
        EXPECT_EQ(g_app.selectorWindow, nullptr);
        EXPECT_EQ(ReadStoredValue(kSettingsKeyPath, L"RunAtStartup").has_value(), focused != IDCANCEL);
    }
}

TEST_F(Selector, SecondOpenBringsTheSameWindowForward) {
    const HWND first = Open();
    ASSERT_NE(first, nullptr);
    ShowWindow(first, SW_MINIMIZE);
    OpenLanguageSelector();
    EXPECT_EQ(g_app.selectorWindow, first);
    EXPECT_FALSE(IsIconic(first));
    int windows = 0;
    for (HWND w = FindWindowW(L"IdiomaSelectorWindow", nullptr); w;
         w = FindWindowExW(nullptr, w, L"IdiomaSelectorWindow", nullptr))
        ++windows;
    EXPECT_EQ(windows, 1);
    DestroyWindow(first);
    EXPECT_EQ(g_app.selectorWindow, nullptr);
}

TEST_F(Selector, LinksOpenTheirPagesOnASingleClickOnly) {
    Open();
    const struct {
        int id;
        std::wstring address;
    } links[] = {
        {kHomeLinkId, ProductHomeUrl()},
        {kInstagramLinkId, InstagramUrl()},
        {kMakerLinkId, MakerHomeUrl()},
        {kDonateLinkId, DonationUrl()},
    };
    for (const auto& link : links) {
        SCOPED_TRACE(link.id);
        seam.shellExecutes.clear();
        const HWND control = Child(link.id);
        SendMessageW(g_app.selectorWindow, WM_COMMAND, MAKEWPARAM(link.id, STN_DBLCLK),
                     reinterpret_cast<LPARAM>(control));
        EXPECT_TRUE(seam.shellExecutes.empty());
        SendMessageW(g_app.selectorWindow, WM_COMMAND, MAKEWPARAM(link.id, STN_CLICKED),
                     reinterpret_cast<LPARAM>(control));
        ASSERT_EQ(seam.shellExecutes.size(), 1u);
        EXPECT_EQ(seam.shellExecutes[0].file, link.address);
        EXPECT_EQ(seam.shellExecutes[0].verb, L"open");
        EXPECT_EQ(seam.shellExecutes[0].owner, nullptr);
        EXPECT_EQ(seam.shellExecutes[0].show, SW_SHOWNORMAL);
        EXPECT_NE(g_app.selectorWindow, nullptr);  // the window stays open
    }
    // A real click on the home link reaches the window as STN_CLICKED.
    seam.shellExecutes.clear();
    const HWND home = Child(kHomeLinkId);
    SendMessageW(home, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    SendMessageW(home, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
    ASSERT_EQ(seam.shellExecutes.size(), 1u);
    EXPECT_EQ(seam.shellExecutes[0].file, ProductHomeUrl());
}

TEST_F(Selector, LinksShowTheirPicturesTooltipsAndTheHand) {
    const HWND window = Open();
    const struct {
        int id;
        LONG width, height;
    } pictures[] = {
        {kHomeLinkId, 16, 16}, {kInstagramLinkId, 16, 16}, {kMakerLinkId, 32, 32}, {kDonateLinkId, 100, 30}};
    for (const auto& picture : pictures) {
        const auto bitmap = reinterpret_cast<HBITMAP>(SendMessageW(Child(picture.id), STM_GETIMAGE, IMAGE_BITMAP, 0));
        ASSERT_NE(bitmap, nullptr) << picture.id;
        EXPECT_EQ(BitmapInfo(bitmap).bmWidth, picture.width);
        EXPECT_EQ(BitmapInfo(bitmap).bmHeight, picture.height);
    }

    const HWND tooltip = FindWindowExW(nullptr, nullptr, TOOLTIPS_CLASSW, nullptr);
    HWND ours = nullptr;
    for (HWND t = tooltip; t; t = FindWindowExW(nullptr, t, TOOLTIPS_CLASSW, nullptr))
        if (GetWindow(t, GW_OWNER) == window) ours = t;
    ASSERT_NE(ours, nullptr);
    EXPECT_EQ(GetWindowLongW(ours, GWL_EXSTYLE) & WS_EX_TOPMOST, WS_EX_TOPMOST);
    const LONG tipStyle = GetWindowLongW(ours, GWL_STYLE);
    EXPECT_EQ(tipStyle & (WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX), WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX);
    EXPECT_EQ(SendMessageW(ours, TTM_GETTOOLCOUNT, 0, 0), 4);
    wchar_t text[80] = {};
    TOOLINFOW tool = {};
    tool.cbSize = sizeof tool;
    tool.hwnd = window;
    tool.uId = reinterpret_cast<UINT_PTR>(Child(kHomeLinkId));
    tool.lpszText = text;
    SendMessageW(ours, TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(text, L"Go to Veilux ");

    SendMessageW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(Child(kDonateLinkId)),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));
}

TEST_F(Selector, LabelAndCheckBoxSitOnWhiteOutsideHighContrast) {
    const HWND window = Open();
    HDC dc = GetDC(window);
    const HWND label = FindWindowExW(window, nullptr, L"Static", L"Language Selector");
    const std::pair<UINT, HWND> painted[] = {{WM_CTLCOLORSTATIC, label},
                                             {WM_CTLCOLORSTATIC, Child(kRunAtStartupId)},
                                             {WM_CTLCOLORBTN, Child(kRunAtStartupId)}};
    for (auto [message, control] : painted) {
        SetBkColor(dc, RGB(1, 2, 3));
        const LRESULT brush =
            SendMessageW(window, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
        EXPECT_EQ(reinterpret_cast<HGDIOBJ>(brush), GetStockObject(WHITE_BRUSH));
        EXPECT_EQ(GetBkColor(dc), RGB(255, 255, 255));
        EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 0));
    }
    // Turned on while the window is open: the next painting takes the theme's colours.
    seam.highContrast = true;
    for (auto [message, control] : painted) {
        SetBkColor(dc, RGB(1, 2, 3));
        const LRESULT brush =
            SendMessageW(window, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
        const COLORREF background = GetBkColor(dc);
        SetBkColor(dc, RGB(1, 2, 3));
        EXPECT_EQ(brush,
                  DefWindowProcW(window, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
        EXPECT_EQ(background, GetBkColor(dc));
    }
    seam.highContrast = false;
    const LRESULT other =
        SendMessageW(window, WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(Child(IDOK)));
    EXPECT_NE(reinterpret_cast<HGDIOBJ>(other), GetStockObject(WHITE_BRUSH));
    ReleaseDC(window, dc);
}

TEST_F(Selector, PngResourcesDecodeToTheirSizes) {
    const struct {
        WORD id;
        LONG width, height;
    } images[] = {{200, 16, 16}, {201, 16, 16}, {202, 32, 32}, {203, 100, 30}};
    for (const auto& image : images) {
        const HBITMAP first = LoadPngBitmap(image.id);
        const HBITMAP second = LoadPngBitmap(image.id);
        ASSERT_NE(first, nullptr) << image.id;
        EXPECT_NE(first, second);  // decoded anew each time, each the caller's own
        EXPECT_EQ(BitmapInfo(first).bmWidth, image.width);
        EXPECT_EQ(BitmapInfo(first).bmHeight, image.height);
        DeleteObject(first);
        DeleteObject(second);
    }
    EXPECT_EQ(LoadPngBitmap(204), nullptr);
    EXPECT_EQ(LoadPngBitmap(kBadPngResource), nullptr);
}

TEST_F(Selector, LinkWithAnUndecodableImageIsBlankButClickable) {
    const HWND window = Open();
    const HWND link = CreateImageLink(window, 100, 150, 16, 16, kBadPngResource, kHomeLinkId, L"tip", nullptr);
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(SendMessageW(link, STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
    SendMessageW(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageW(link, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    ASSERT_EQ(seam.shellExecutes.size(), 1u);
    EXPECT_EQ(seam.shellExecutes[0].file, ProductHomeUrl());
}

TEST_F(Selector, OpeningAndClosingFiftyTimesLeavesNoBitmapOrFont) {
    std::vector<HGDIOBJ> made;
    for (int cycle = 0; cycle < 50; ++cycle) {
        const HWND window = Open();
        ASSERT_NE(window, nullptr);
        made.push_back(reinterpret_cast<HGDIOBJ>(SendMessageW(Child(IDOK), WM_GETFONT, 0, 0)));
        for (int id : {kHomeLinkId, kInstagramLinkId, kMakerLinkId, kDonateLinkId}) {
            // What the link shows, and what it was given: a static control
            // may show its own copy of a bitmap with alpha.
            made.push_back(reinterpret_cast<HGDIOBJ>(SendMessageW(Child(id), STM_GETIMAGE, IMAGE_BITMAP, 0)));
            made.push_back(GetPropW(Child(id), L"VeiluxLinkBitmap"));
        }
        if (cycle % 2) SendMessageW(window, WM_CLOSE, 0, 0);
        else Press(IDCANCEL);
        ASSERT_EQ(g_app.selectorWindow, nullptr);
    }
    ASSERT_EQ(made.size(), 450u);
    int alive = 0;
    for (HGDIOBJ object : made) {
        EXPECT_NE(object, nullptr);
        if (GetObjectType(object) != 0) ++alive;
    }
    EXPECT_EQ(alive, 0);
}

// Every size is scaled from its 96-DPI value: opened at 150 % the window is
// 1.5 times as large, with the font and the pictures drawn for 150 %; moved
// to 200 % and to 125 % it takes Windows' rectangle and lays itself out again.
TEST_F(Selector, WindowControlsFontAndPicturesFollowTheScale) {
    const auto bitmapWidth = [this](int id) {
        return BitmapInfo(reinterpret_cast<HBITMAP>(SendMessageW(Child(id), STM_GETIMAGE, IMAGE_BITMAP, 0))).bmWidth;
    };
    const auto fontHeight = [this] {
        LOGFONTW logFont = {};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(Child(IDOK), WM_GETFONT, 0, 0)), sizeof logFont, &logFont);
        return logFont.lfHeight;
    };
    // Run with the prefix at 144 DPI, the window reads the real DPI.
    const HDC screen = GetDC(nullptr);
    if (GetDeviceCaps(screen, LOGPIXELSY) != 144) seam.dpi = 144;
    ReleaseDC(nullptr, screen);
    const HWND window = Open();
    ASSERT_NE(window, nullptr);
    RECT rect = {};
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.right - rect.left, 480);
    EXPECT_EQ(rect.bottom - rect.top, 323);
    EXPECT_EQ(rect.left, (GetSystemMetrics(SM_CXSCREEN) - 480) / 2);
    const RECT ok = ChildRect(Child(IDOK));
    EXPECT_EQ(ok.left, 75);
    EXPECT_EQ(ok.top, 165);
    EXPECT_EQ(ok.right, 225);
    EXPECT_EQ(ok.bottom, 203);
    EXPECT_EQ(ChildRect(Child(kDonateLinkId)).right, 480);
    EXPECT_EQ(fontHeight(), -18);
    EXPECT_EQ(bitmapWidth(kHomeLinkId), 24);
    EXPECT_EQ(bitmapWidth(kDonateLinkId), 150);
    EXPECT_EQ(ChildRect(Child(kMakerLinkId)).bottom, 267);

    const auto oldFont = reinterpret_cast<HGDIOBJ>(SendMessageW(Child(IDOK), WM_GETFONT, 0, 0));
    const HGDIOBJ oldPicture = GetPropW(Child(kHomeLinkId), L"VeiluxLinkBitmap");
    RECT suggested = {40, 30, 680, 460};
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.left, 40);
    EXPECT_EQ(rect.right - rect.left, 640);
    EXPECT_EQ(rect.bottom - rect.top, 430);
    EXPECT_EQ(ChildRect(Child(IDCANCEL)).left, 320);
    EXPECT_EQ(ChildRect(Child(kHomeLinkId)).right, 556);
    EXPECT_EQ(fontHeight(), -24);
    EXPECT_EQ(bitmapWidth(kHomeLinkId), 32);
    EXPECT_EQ(bitmapWidth(kMakerLinkId), 64);
    EXPECT_EQ(GetObjectType(oldFont), 0u);  // the replaced font and picture are gone
    EXPECT_EQ(GetObjectType(oldPicture), 0u);

    // 125 %: the 1.5x drawing brought down to 20 px.
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(120, 120), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(bitmapWidth(kHomeLinkId), 20);
    EXPECT_EQ(
        BitmapInfo(reinterpret_cast<HBITMAP>(SendMessageW(Child(kHomeLinkId), STM_GETIMAGE, IMAGE_BITMAP, 0))).bmHeight,
        20);
    EXPECT_EQ(fontHeight(), -15);
}

// No text is cut, in any language, at 100, 125, 150 and 200 %: each one is
// measured in its control's font against the room its control leaves it
// inside the window (the check box and the list keep room for their box and
// arrow, a push button for its edges).
TEST_F(Selector, EveryTextFitsAtEveryScale) {
    for (const UINT dpi : {96u, 120u, 144u, 192u}) {
        seam.dpi = dpi;
        for (const LanguageInfo& language : kLanguages) {
            SCOPED_TRACE(testing::Message() << dpi << " DPI, " << testing::PrintToString(std::wstring(language.code)));
            StoreString(kSettingsKeyPath, L"Lang", language.code);
            const HWND window = Open();
            ASSERT_NE(window, nullptr);
            RECT client = {};
            GetClientRect(window, &client);
            const HDC dc = GetDC(window);
            SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(Child(IDOK), WM_GETFONT, 0, 0)));
            const auto width = [dc](const std::wstring& text) {
                SIZE size = {};
                GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
                return static_cast<int>(size.cx);
            };
            const auto room = [&client](HWND control, int kept) {
                const RECT rect = ChildRect(control);
                return static_cast<int>(std::min(rect.right, client.right) - rect.left) - kept;
            };
            const HWND label = FindWindowExW(window, nullptr, L"Static", nullptr);
            EXPECT_LE(width(TextOf(label)), room(label, 0)) << testing::PrintToString(TextOf(label));
            const HWND box = Child(kRunAtStartupId);
            EXPECT_LE(width(TextOf(box)), room(box, MulDiv(20, static_cast<int>(dpi), 96)))
                << testing::PrintToString(TextOf(box));
            for (int id : {IDOK, IDCANCEL})
                EXPECT_LE(width(TextOf(Child(id))), room(Child(id), MulDiv(12, static_cast<int>(dpi), 96)))
                    << testing::PrintToString(TextOf(Child(id)));
            const HWND list = Child(kLanguageListId);
            for (int i = 0; i < 10; ++i) {
                wchar_t item[64] = {};
                SendMessageW(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
                EXPECT_LE(width(item), room(list, MulDiv(24, static_cast<int>(dpi), 96)));
            }
            EXPECT_EQ(TextOf(label), UiText(MessageKey::SelectorTitle));  // the texts of the language measured
            ReleaseDC(window, dc);
            DestroyWindow(window);
        }
    }
}
