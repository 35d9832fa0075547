#include "ui/settings_window.h"

#include <commctrl.h>
#include <strsafe.h>

#include <string>

#include "app/app_state.h"
#include "app/platform_calls.h"
#include "app/system_look.h"
#include "app/web_endpoints.h"
#include "explorer/settings_store.h"
#include "i18n/catalog.h"
#include "i18n/language.h"
#include "i18n/ui_strings.h"
#include "res/resource.h"
#include "ui/display_scale.h"
#include "ui/png_image.h"
#include "ui/window_parts.h"
#include "veilux_version.h"

namespace {

constexpr int kWindowWidth = 320;
constexpr int kWindowHeight = 215;
constexpr DWORD kWindowStyle = WS_VISIBLE | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kImageLinkStyle = WS_CHILD | WS_VISIBLE | SS_NOTIFY | SS_BITMAP;

// Where each control sits, in client pixels at 96 DPI; at any other DPI each
// number is scaled.
struct Place {
    int x, y, width, height;
};
constexpr Place kLabelPlace = {20, 25, 200, 20};
constexpr Place kListPlace = {20, 45, 250, 100};  // the drop-down part included
constexpr Place kRunAtStartupPlace = {21, 75, 300, 25};
constexpr Place kAcceptPlace = {50, 110, 100, 25};
constexpr Place kCancelPlace = {160, 110, 100, 25};
// The image links, in the order of ImageLinks: the 1x picture's id and its place.
struct LinkPicture {
    WORD pngId;
    Place place;
};
constexpr LinkPicture kLinkPictures[4] = {
    {IDB_LINK_HOME, {262, 10, 16, 16}},
    {IDB_LINK_CAMERA, {282, 10, 16, 16}},
    {IDB_MAKER_LOGO, {2, 146, 32, 32}},
    {IDB_DONATE, {220, 145, 100, 30}},
};

HINSTANCE ProgramModule() { return GetModuleHandleW(nullptr); }

SelectorControls* ControlsOf(HWND window) {
    return reinterpret_cast<SelectorControls*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

HWND ImageLinks(const SelectorControls& controls, int index) {
    const HWND links[4] = {controls.homeLink, controls.instagramLink, controls.makerLink, controls.donateLink};
    return links[index];
}

// Static controls do not own the bitmaps they are given; and one that made
// its own copy (a bitmap with alpha under visual styles) hands that copy back
// when the image is replaced. Both are freed with the window, or when a new
// scale brings a new picture.
void ReleaseLinkBitmap(HWND link) {
    const auto given = reinterpret_cast<HBITMAP>(GetPropW(link, L"VeiluxLinkBitmap"));
    const auto shown = reinterpret_cast<HBITMAP>(SendMessageW(link, STM_SETIMAGE, IMAGE_BITMAP, 0));
    RemovePropW(link, L"VeiluxLinkBitmap");
    if (shown && shown != given) DeleteObject(shown);
    if (given) DeleteObject(given);
}

void ReleaseLinkBitmaps(const SelectorControls& controls) {
    for (int i = 0; i < 4; ++i)
        if (const HWND link = ImageLinks(controls, i)) ReleaseLinkBitmap(link);
}

// The picture drawn for the scale of this DPI, at the link's size there.
// Without its picture the link stays blank but clickable.
void ShowLinkPicture(HWND link, const LinkPicture& picture, UINT dpi) {
    ReleaseLinkBitmap(link);
    const int scale = ImageScaleForDpi(dpi);
    const int offset = scale == 200 ? IDB_SCALED_200_OFFSET : scale == 150 ? IDB_SCALED_150_OFFSET : 0;
    const HBITMAP bitmap = LoadPngBitmapAt(static_cast<WORD>(picture.pngId + offset),
                                           ScaleFrom96(picture.place.width, dpi),
                                           ScaleFrom96(picture.place.height, dpi));
    if (!bitmap) return;
    SetPropW(link, L"VeiluxLinkBitmap", bitmap);
    SendMessageW(link, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
}

void MoveTo(HWND control, const Place& place, UINT dpi) {
    if (!control) return;
    MoveWindow(control, ScaleFrom96(place.x, dpi), ScaleFrom96(place.y, dpi), ScaleFrom96(place.width, dpi),
               ScaleFrom96(place.height, dpi), TRUE);
}

// Puts every control at its place for this DPI, with the font and the
// pictures of that scale. The font is replaced only once the controls have
// the new one.
bool LayOutControls(HWND window, SelectorControls& controls, UINT dpi) {
    const HFONT font = CreateWindowFont(dpi);
    if (!font) return false;
    const HWND accept = GetDlgItem(window, IDOK);
    const HWND cancel = GetDlgItem(window, IDCANCEL);
    MoveTo(controls.label, kLabelPlace, dpi);
    MoveTo(controls.languageList, kListPlace, dpi);
    MoveTo(controls.runAtStartup, kRunAtStartupPlace, dpi);
    MoveTo(accept, kAcceptPlace, dpi);
    MoveTo(cancel, kCancelPlace, dpi);
    for (HWND control : {controls.label, controls.languageList, controls.runAtStartup, accept, cancel})
        if (control) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    if (controls.font) DeleteObject(controls.font);
    controls.font = font;
    for (int i = 0; i < 4; ++i) {
        const HWND link = ImageLinks(controls, i);
        if (!link) continue;
        // A bitmap control takes its picture's size: the picture first, then the place.
        ShowLinkPicture(link, kLinkPictures[i], dpi);
        MoveTo(link, kLinkPictures[i].place, dpi);
    }
    return true;
}

// The window's outer size at this DPI, centred on the primary screen.
void CentreOnScreen(HWND window, UINT dpi) {
    const int width = ScaleFrom96(kWindowWidth, dpi);
    const int height = ScaleFrom96(kWindowHeight, dpi);
    SetWindowPos(window, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

// Moved to a screen of another scale: Windows suggests the rectangle that
// keeps the window's place and size there; the contents follow.
void OnDpiChanged(HWND window, WPARAM wParam, LPARAM lParam) {
    const auto* suggested = reinterpret_cast<const RECT*>(lParam);
    if (suggested)
        SetWindowPos(window, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    if (SelectorControls* controls = ControlsOf(window)) LayOutControls(window, *controls, HIWORD(wParam));
}

void FreeControls(HWND window) {
    SelectorControls* controls = ControlsOf(window);
    if (!controls) return;
    ReleaseLinkBitmaps(*controls);
    if (controls->font) DeleteObject(controls->font);
    delete controls;
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
}

HWND CreateChild(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style, int x, int y, int width,
                 int height, int id) {
    return CreateWindowExW(0, className, text, style, x, y, width, height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ProgramModule(), nullptr);
}

std::wstring LinkAddress(int id) {
    switch (id) {
    case kHomeLinkId: return ProductHomeUrl();
    case kInstagramLinkId: return InstagramUrl();
    case kMakerLinkId: return MakerHomeUrl();
    case kDonateLinkId: return DonationUrl();
    default: return {};
    }
}

bool RegisterSelectorClass() {
    WNDCLASSW existing = {};
    if (GetClassInfoW(ProgramModule(), kSelectorWindowClass, &existing)) return true;
    WNDCLASSW windowClass = {};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = SelectorWindowProc;
    windowClass.hInstance = ProgramModule();
    windowClass.hIcon = LoadIconW(ProgramModule(), MAKEINTRESOURCEW(IDI_APP));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    windowClass.lpszClassName = kSelectorWindowClass;
    return RegisterClassW(&windowClass) != 0;
}

// The first time the window comes to the front, the language list gets the focus.
bool OnActivate(HWND window, WPARAM wParam) {
    SelectorControls* controls = ControlsOf(window);
    return controls && KeepFocusAcrossActivation(window, wParam, controls->lastFocus, controls->languageList);
}

void BringToFront(HWND window) {
    SetForegroundWindow(window);
    if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
}

LRESULT OnCreate(HWND window) {
    auto* controls = new SelectorControls{};
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(controls));
    if (BuildSelectorControls(window, *controls)) {
        // Made at the DPI of the screen it opens on, sized for it there.
        CentreOnScreen(window, g_platform.windowDpi(window));
        return 0;
    }
    // NOLINTNEXTLINE(clang-analyzer-cplusplus.NewDeleteLeaks): freed through the window's data, out of its sight
    FreeControls(window);
    return -1;
}

void OnDestroy(HWND window) {
    FreeControls(window);
    if (g_app.selectorWindow == window) g_app.selectorWindow = nullptr;
}

void OnLinkClicked(int id) {
    const std::wstring address = LinkAddress(id);
    g_platform.shellExecute(nullptr, L"open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

// The label and the check box sit on white (outside a high-contrast theme).
// cppcheck-suppress constParameter ; a handle is passed as the API declares it, not as a pointer to const
bool PaintsWhite(HWND window, HWND control) {
    const SelectorControls* controls = ControlsOf(window);
    return controls && control && (control == controls->label || control == controls->runAtStartup);
}

// cppcheck-suppress constParameter ; a handle is passed as the API declares it, not as a pointer to const
bool IsImageLink(HWND window, HWND control) {
    const SelectorControls* controls = ControlsOf(window);
    if (!controls || !control) return false;
    for (int i = 0; i < 4; ++i)
        if (ImageLinks(*controls, i) == control) return true;
    return false;
}

}  // namespace

void OpenLanguageSelector() {
    if (g_app.selectorWindow && IsWindow(g_app.selectorWindow)) {
        BringToFront(g_app.selectorWindow);
        return;
    }
    INITCOMMONCONTROLSEX common = {sizeof common, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&common);
    if (!RegisterSelectorClass()) return;

    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    // The saved language again, so the window's texts are those the user chose.
    SetLanguage(ReadLanguageSetting());

    wchar_t caption[128] = {};
    // Cut safely, should a translation ever be longer than the buffer.
    StringCchPrintfW(caption, 128, L"%s - Veilux " VEILUX_VERSION_SHORT_TEXT, UiText(MessageKey::MenuSettings));

    HWND window = CreateWindowExW(0, kSelectorWindowClass, caption, kWindowStyle, (screenWidth - kWindowWidth) / 2,
                                  (screenHeight - kWindowHeight) / 2, kWindowWidth, kWindowHeight, nullptr, nullptr,
                                  ProgramModule(), nullptr);
    if (!window) return;
    g_app.selectorWindow = window;
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
}

bool IsSelectorDialogMessage(MSG& message) {
    const HWND window = g_app.selectorWindow;
    if (!window || !IsWindow(window) || (message.hwnd != window && !IsChild(window, message.hwnd))) return false;
    // Alt+F4 closes the window whichever control has the focus; a drop-down
    // list may keep system keys to itself (Wine's does).
    if (message.message == WM_SYSKEYDOWN && message.wParam == VK_F4 && (HIWORD(message.lParam) & KF_ALTDOWN)) {
        PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
        return true;
    }
    // Enter presses the framed button: the frame first follows the focus,
    // wherever a key or the mouse has put it.
    ShowDefaultButton(window, {IDOK, IDCANCEL});
    return IsDialogMessageW(window, &message) != FALSE;
}

// Each control is made at its 96-DPI place; LayOutControls then puts it at
// the place of the window's DPI.
bool BuildSelectorControls(HWND window, SelectorControls& controls) {
    const UINT dpi = g_platform.windowDpi(window);
    controls.label =
        CreateChild(window, L"STATIC", UiText(MessageKey::SelectorTitle), WS_CHILD | WS_VISIBLE, 20, 25, 200, 20, 0);
    if (!controls.label) return false;
    controls.languageList = CreateChild(window, L"ComboBox", nullptr,
                                        WS_CHILD | WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWNLIST, 20, 45, 250, 100,
                                        kLanguageListId);
    if (!controls.languageList) return false;
    controls.runAtStartup = CreateChild(window, L"BUTTON", UiText(MessageKey::SelectorRunAtStartup),
                                        WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 21, 75, 300, 25,
                                        kRunAtStartupId);
    if (!controls.runAtStartup) return false;
    // The box shows whether Windows will start the program, whatever was
    // chosen before: an entry switched off in Task Manager does not count.
    if (RunEntryEnabled()) SendMessageW(controls.runAtStartup, BM_SETCHECK, BST_CHECKED, 0);

    const HWND accept = CreateChild(window, L"BUTTON", UiText(MessageKey::SelectorAccept),
                                    WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 50, 110, 100, 25, IDOK);
    if (!accept) return false;
    const HWND cancel = CreateChild(window, L"BUTTON", UiText(MessageKey::SelectorCancel),
                                    WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 160, 110, 100, 25, IDCANCEL);
    if (!cancel) return false;

    controls.tooltip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                       CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr,
                                       ProgramModule(), nullptr);
    if (controls.tooltip)
        SetWindowPos(controls.tooltip, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    // The pictures come with the layout, at the window's scale.
    controls.makerLink =
        CreateImageLink(window, 2, 146, 32, 32, 0, kMakerLinkId, UiText(MessageKey::LinkGoToMaker), controls.tooltip);
    controls.homeLink =
        CreateImageLink(window, 262, 10, 16, 16, 0, kHomeLinkId, UiText(MessageKey::LinkGoToApp), controls.tooltip);
    controls.instagramLink = CreateImageLink(window, 282, 10, 16, 16, 0, kInstagramLinkId,
                                             UiText(MessageKey::LinkInstagram), controls.tooltip);
    controls.donateLink =
        CreateImageLink(window, 220, 145, 100, 30, 0, kDonateLinkId, UiText(MessageKey::LinkDonate), controls.tooltip);

    if (!LayOutControls(window, controls, dpi)) return false;
    FillLanguageList(controls.languageList);
    return true;
}

HWND CreateImageLink(HWND parent, int x, int y, int width, int height, WORD pngId, int controlId,
                     const wchar_t* tooltipText, HWND tooltip) {
    const HWND link = CreateChild(parent, L"STATIC", L"", kImageLinkStyle, x, y, width, height, controlId);
    if (!link) return nullptr;
    // Without its picture the link stays blank but clickable; 0 leaves it
    // blank until the window's layout gives it the picture of its scale.
    if (const HBITMAP bitmap = pngId ? LoadPngBitmap(pngId) : nullptr) {
        SetPropW(link, L"VeiluxLinkBitmap", bitmap);
        SendMessageW(link, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
    }
    if (tooltip && tooltipText) {
        TOOLINFOW tool = {};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = parent;
        tool.uId = reinterpret_cast<UINT_PTR>(link);
        tool.lpszText = const_cast<wchar_t*>(tooltipText);  // copied by the tooltip
        SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    return link;
}

void FillLanguageList(HWND list) {
    for (const LanguageInfo& language : kLanguages) {
        const LRESULT index = SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(language.displayName));
        if (index >= 0) SendMessageW(list, CB_SETITEMDATA, index, reinterpret_cast<LPARAM>(language.code));
    }
    const std::wstring saved = ReadLanguageSetting();
    const LRESULT count = SendMessageW(list, CB_GETCOUNT, 0, 0);
    LRESULT selected = 0;
    for (LRESULT i = 0; i < count; ++i) {
        const auto* code = reinterpret_cast<const wchar_t*>(SendMessageW(list, CB_GETITEMDATA, i, 0));
        if (code && saved == code) {
            selected = i;
            break;
        }
    }
    SendMessageW(list, CB_SETCURSEL, selected, 0);
}

void ApplySelectorChoices(HWND window) {
    const SelectorControls* controls = ControlsOf(window);
    if (!controls || !controls->languageList) return;
    const LRESULT selected = SendMessageW(controls->languageList, CB_GETCURSEL, 0, 0);
    if (selected != CB_ERR) {
        const LRESULT data = SendMessageW(controls->languageList, CB_GETITEMDATA, selected, 0);
        if (data != 0 && data != CB_ERR) SetLanguage(reinterpret_cast<const wchar_t*>(data));
    }
    if (controls->runAtStartup) {
        const bool chosen = SendMessageW(controls->runAtStartup, BM_GETCHECK, 0, 0) == BST_CHECKED;
        if (chosen) WriteRunEntry();
        else DeleteRunEntry();
        WriteRunAtStartup(chosen);
    }
    DestroyWindow(window);
}

LRESULT CALLBACK SelectorWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: return OnCreate(window);
    case WM_DESTROY: OnDestroy(window); return 0;
    case WM_CLOSE: DestroyWindow(window); return 0;
    case WM_DPICHANGED: OnDpiChanged(window, wParam, lParam); return 0;
    // The dialog manager asks which button is the default one: Enter pressed
    // on a control that is not a push button presses it.
    case DM_GETDEFID: return MAKELONG(IDOK, DC_HASDEFID);
    case WM_ACTIVATE:
        if (OnActivate(window, wParam)) return 0;
        break;
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        if (id == IDOK) {
            ApplySelectorChoices(window);
            return 0;
        }
        if (id == IDCANCEL) {
            DestroyWindow(window);
            return 0;
        }
        if (id >= kHomeLinkId && id <= kDonateLinkId) {
            if (HIWORD(wParam) == STN_CLICKED) OnLinkClicked(id);
            return 0;
        }
        break;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
        // A high-contrast theme's colours win over the white.
        if (HighContrastOn()) break;
        const auto brush = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        if (brush && PaintsWhite(window, reinterpret_cast<HWND>(lParam))) {
            const auto dc = reinterpret_cast<HDC>(wParam);
            SetBkColor(dc, RGB(255, 255, 255));
            SetTextColor(dc, RGB(0, 0, 0));
            return reinterpret_cast<LRESULT>(brush);
        }
        break;
    }
    case WM_SETCURSOR:
        // The image links are links: they show the hand.
        if (IsImageLink(window, reinterpret_cast<HWND>(wParam))) {
            SetCursor(LoadCursorW(nullptr, IDC_HAND));
            return TRUE;
        }
        break;
    default: break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
