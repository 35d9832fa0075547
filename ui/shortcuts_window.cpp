#include "ui/shortcuts_window.h"

#include <commctrl.h>
#include <strsafe.h>

#include <algorithm>
#include <cwchar>

#include "app/app_state.h"
#include "app/hotkeys.h"
#include "app/platform_calls.h"
#include "app/system_look.h"
#include "i18n/catalog.h"
#include "i18n/ui_strings.h"
#include "res/resource.h"
#include "ui/display_scale.h"
#include "ui/window_parts.h"
#include "veilux_version.h"

namespace {

constexpr int kClientHeight = 203;
constexpr int kMargin = 16;
constexpr int kMinRowWidth = 328;  // the window is wider where a language's texts need it
constexpr int kButtonGap = 6;
constexpr int kButtonWidth = 90;  // OK and Cancel
constexpr int kMinDefaultsWidth = 128;
constexpr int kButtonPadding = 24;  // the text's room inside a push button, both sides together
constexpr DWORD kWindowStyle = WS_CAPTION | WS_SYSMENU;
constexpr int kFieldIds[kShortcutCount] = {kHiddenShortcutFieldId, kExtensionsShortcutFieldId};
constexpr int kStatusIds[kShortcutCount] = {kHiddenShortcutStatusId, kExtensionsShortcutStatusId};
constexpr MessageKey kLabels[kShortcutCount] = {MessageKey::ShortcutsHiddenLabel, MessageKey::ShortcutsExtensionsLabel};
// Every text a note under a field can show.
constexpr MessageKey kStatusTexts[] = {MessageKey::ShortcutsInUse, MessageKey::ShortcutsUsedByOther,
                                       MessageKey::ShortcutsNeedsCtrlOrAlt, MessageKey::ShortcutsTypesCharacter};
// Shown under a field whose shortcut cannot be had (outside a high-contrast theme).
constexpr COLORREF kStatusColour = RGB(176, 0, 0);

// Owned by the window, reached through GWLP_USERDATA.
struct ShortcutsControls {
    HFONT font = nullptr;
    HWND labels[kShortcutCount] = {};
    HWND fields[kShortcutCount] = {};
    HWND statuses[kShortcutCount] = {};
    HWND lastFocus = nullptr;  // the control that had the focus when the window was last deactivated
    // A registered shortcut typed into a field: the field saw its modifiers
    // but not its key, and forgets it when they are released; it is put
    // back after each release until all of them are up.
    HWND typedField = nullptr;
    std::uint32_t typedWord = kNoShortcut;
};

HINSTANCE ProgramModule() { return GetModuleHandleW(nullptr); }

ShortcutsControls* ControlsOf(HWND window) {
    return reinterpret_cast<ShortcutsControls*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

HWND CreateChild(HWND parent, DWORD exStyle, const wchar_t* className, const wchar_t* text, DWORD style, int x, int y,
                 int width, int height, int id) {
    return CreateWindowExW(exStyle, className, text, style, x, y, width, height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ProgramModule(), nullptr);
}

bool RegisterShortcutsClass() {
    WNDCLASSW existing = {};
    if (GetClassInfoW(ProgramModule(), kShortcutsWindowClass, &existing)) return true;
    WNDCLASSW windowClass = {};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = ShortcutsWindowProc;
    windowClass.hInstance = ProgramModule();
    windowClass.hIcon = LoadIconW(ProgramModule(), MAKEINTRESOURCEW(IDI_APP));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    windowClass.lpszClassName = kShortcutsWindowClass;
    return RegisterClassW(&windowClass) != 0;
}

// Whether the shortcut of a field is held by another program right now.
bool ShortcutTaken(int index) {
    const Shortcut& shortcut = g_app.shortcuts[index];
    return shortcut.word != kNoShortcut && !shortcut.registered;
}

void ShowStatus(const ShortcutsControls& controls, int index, bool inUse) {
    SetWindowTextW(controls.statuses[index], inUse ? UiText(MessageKey::ShortcutsInUse) : L"");
}

const wchar_t* RefusalText(ShortcutRefusal refusal) {
    switch (refusal) {
    case ShortcutRefusal::InUse: return UiText(MessageKey::ShortcutsInUse);
    case ShortcutRefusal::UsedByOther: return UiText(MessageKey::ShortcutsUsedByOther);
    case ShortcutRefusal::NeedsCtrlOrAlt: return UiText(MessageKey::ShortcutsNeedsCtrlOrAlt);
    case ShortcutRefusal::TypesCharacter: return UiText(MessageKey::ShortcutsTypesCharacter);
    case ShortcutRefusal::None: break;
    }
    return L"";
}

int TextWidth(HDC dc, const wchar_t* text) {
    SIZE size = {};
    GetTextExtentPoint32W(dc, text, static_cast<int>(std::wcslen(text)), &size);
    return size.cx;
}

// The widths the current language's texts need in the window's font: the
// rows (labels, notes, the row of buttons) and the Defaults button. The
// font is that of the window's DPI, and so are the widths.
struct ShortcutsLayout {
    int rowWidth = 0;
    int defaultsWidth = 0;
};

ShortcutsLayout MeasureLayout(HFONT font, UINT dpi) {
    ShortcutsLayout layout{ScaleFrom96(kMinRowWidth, dpi), ScaleFrom96(kMinDefaultsWidth, dpi)};
    const HDC dc = GetDC(nullptr);
    if (!dc) return layout;
    const HGDIOBJ old = SelectObject(dc, font);
    for (const MessageKey key : kLabels) layout.rowWidth = std::max(layout.rowWidth, TextWidth(dc, UiText(key)));
    for (const MessageKey key : kStatusTexts) layout.rowWidth = std::max(layout.rowWidth, TextWidth(dc, UiText(key)));
    layout.defaultsWidth = std::max(
        layout.defaultsWidth, TextWidth(dc, UiText(MessageKey::ShortcutsDefaults)) + ScaleFrom96(kButtonPadding, dpi));
    layout.rowWidth = std::max(layout.rowWidth, layout.defaultsWidth + 2 * ScaleFrom96(kButtonGap + kButtonWidth, dpi));
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return layout;
}

// Every control at its place for this DPI in that DPI's font, and the width
// the rows need; the font is replaced only once the controls have the new one.
// The window's outer size for that client area comes back in size.
bool LayOutControls(HWND window, ShortcutsControls& controls, UINT dpi, SIZE& size) {
    const HFONT font = CreateWindowFont(dpi);
    if (!font) return false;
    const ShortcutsLayout layout = MeasureLayout(font, dpi);
    const auto at = [dpi](int pixels) { return ScaleFrom96(pixels, dpi); };
    const int left = at(kMargin);
    const int rowWidth = layout.rowWidth;
    for (int i = 0; i < kShortcutCount; ++i) {
        const int top = 14 + i * 72;
        MoveWindow(controls.labels[i], left, at(top), rowWidth, at(18), TRUE);
        MoveWindow(controls.fields[i], left, at(top + 20), rowWidth, at(24), TRUE);
        MoveWindow(controls.statuses[i], left, at(top + 46), rowWidth, at(18), TRUE);
    }
    const int buttonWidth = at(kButtonWidth);
    const int cancelLeft = left + rowWidth - buttonWidth;
    const int okLeft = cancelLeft - at(kButtonGap) - buttonWidth;
    MoveWindow(GetDlgItem(window, kShortcutDefaultsId), left, at(162), layout.defaultsWidth, at(25), TRUE);
    MoveWindow(GetDlgItem(window, IDOK), okLeft, at(162), buttonWidth, at(25), TRUE);
    MoveWindow(GetDlgItem(window, IDCANCEL), cancelLeft, at(162), buttonWidth, at(25), TRUE);
    for (HWND control : {controls.labels[0], controls.fields[0], controls.statuses[0], controls.labels[1],
                         controls.fields[1], controls.statuses[1], GetDlgItem(window, kShortcutDefaultsId),
                         GetDlgItem(window, IDOK), GetDlgItem(window, IDCANCEL)})
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    if (controls.font) DeleteObject(controls.font);
    controls.font = font;
    RECT frame = {0, 0, rowWidth + 2 * left, at(kClientHeight)};
    AdjustWindowRectForDpi(frame, kWindowStyle, dpi);
    size = {frame.right - frame.left, frame.bottom - frame.top};
    return true;
}

// Each control is made empty; LayOutControls puts it at the place of the window's DPI.
bool BuildControls(HWND window, ShortcutsControls& controls) {
    for (int i = 0; i < kShortcutCount; ++i) {
        controls.labels[i] =
            CreateChild(window, 0, L"STATIC", UiText(kLabels[i]), WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, 0);
        controls.fields[i] = CreateChild(window, WS_EX_CLIENTEDGE, HOTKEY_CLASSW, nullptr,
                                         WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 0, 0, kFieldIds[i]);
        controls.statuses[i] = CreateChild(window, 0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, kStatusIds[i]);
        if (!controls.labels[i] || !controls.fields[i] || !controls.statuses[i]) return false;
        // A key alone or with Shift alone is shown as typed; OK refuses it and says why.
        SendMessageW(controls.fields[i], HKM_SETHOTKEY, g_app.shortcuts[i].word, 0);
        ShowStatus(controls, i, ShortcutTaken(i));
    }
    const HWND defaults = CreateChild(window, 0, L"BUTTON", UiText(MessageKey::ShortcutsDefaults),
                                      WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, 0, 0,
                                      kShortcutDefaultsId);
    const HWND ok = CreateChild(window, 0, L"BUTTON", UiText(MessageKey::SelectorAccept),
                                WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 0, 0, 0, IDOK);
    const HWND cancel = CreateChild(window, 0, L"BUTTON", UiText(MessageKey::SelectorCancel),
                                    WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, 0, 0, IDCANCEL);
    if (!defaults || !ok || !cancel) return false;
    // The window takes the width its rows need, centred on the screen, at
    // the DPI of the screen it opens on.
    SIZE size = {};
    if (!LayOutControls(window, controls, g_platform.windowDpi(window), size)) return false;
    SetWindowPos(window, nullptr, (GetSystemMetrics(SM_CXSCREEN) - size.cx) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - size.cy) / 2, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}

// Moved to a screen of another scale: the window stays where Windows
// suggests and takes the size its texts need in the new font.
void OnDpiChanged(HWND window, WPARAM wParam, LPARAM lParam) {
    ShortcutsControls* controls = ControlsOf(window);
    SIZE size = {};
    if (!controls || !LayOutControls(window, *controls, HIWORD(wParam), size)) return;
    const auto* suggested = reinterpret_cast<const RECT*>(lParam);
    if (suggested)
        SetWindowPos(window, nullptr, suggested->left, suggested->top, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

void FreeControls(HWND window) {
    ShortcutsControls* controls = ControlsOf(window);
    if (!controls) return;
    if (controls->font) DeleteObject(controls->font);
    delete controls;
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
}

LRESULT OnCreate(HWND window) {
    auto* controls = new ShortcutsControls{};
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(controls));
    if (BuildControls(window, *controls)) return 0;
    // NOLINTNEXTLINE(clang-analyzer-cplusplus.NewDeleteLeaks): freed through the window's data, out of its sight
    FreeControls(window);
    return -1;
}

void OnDestroy(HWND window) {
    FreeControls(window);
    if (g_app.shortcutsWindow == window) g_app.shortcutsWindow = nullptr;
}

// OK: all the changes are made and the window closes, or none is and each
// refused field says why.
void ApplyShortcutChoices(HWND window) {
    const ShortcutsControls* controls = ControlsOf(window);
    if (!controls) return;
    std::uint32_t words[kShortcutCount] = {};
    for (int i = 0; i < kShortcutCount; ++i) words[i] = LOWORD(SendMessageW(controls->fields[i], HKM_GETHOTKEY, 0, 0));
    ShortcutRefusal refusals[kShortcutCount] = {};
    if (ChangeShortcuts(words, refusals)) {
        DestroyWindow(window);
        return;
    }
    for (int i = 0; i < kShortcutCount; ++i) {
        if (refusals[i] != ShortcutRefusal::None) SetWindowTextW(controls->statuses[i], RefusalText(refusals[i]));
        else ShowStatus(*controls, i, ShortcutTaken(i));
    }
}

void PutDefaults(HWND window) {
    for (int i = 0; i < kShortcutCount; ++i)
        SendDlgItemMessageW(window, kFieldIds[i], HKM_SETHOTKEY, DefaultShortcut(i + 1), 0);
}

// cppcheck-suppress constParameter ; a handle is passed as the API declares it, not as a pointer to const
bool IsField(HWND window, HWND control) {
    const ShortcutsControls* controls = ControlsOf(window);
    return controls && control && (control == controls->fields[0] || control == controls->fields[1]);
}

bool ModifierDown() { return GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0 || GetKeyState(VK_SHIFT) < 0; }

// A key's release reaches the field that a registered shortcut was typed into.
bool OnTypedShortcutRelease(HWND window, MSG& message) {
    ShortcutsControls* controls = ControlsOf(window);
    if (!controls || !controls->typedField || message.hwnd != controls->typedField ||
        (message.message != WM_KEYUP && message.message != WM_SYSKEYUP))
        return false;
    TranslateMessage(&message);
    DispatchMessageW(&message);
    SendMessageW(controls->typedField, HKM_SETHOTKEY, controls->typedWord, 0);
    if (!ModifierDown()) controls->typedField = nullptr;
    return true;
}

void ShowShortcutsDefaultButton(HWND window) { ShowDefaultButton(window, {IDOK, IDCANCEL, kShortcutDefaultsId}); }

// The first time the window comes to the front, the first field gets the focus.
bool OnActivate(HWND window, WPARAM wParam) {
    ShortcutsControls* controls = ControlsOf(window);
    if (!controls || !KeepFocusAcrossActivation(window, wParam, controls->lastFocus, controls->fields[0])) return false;
    if (LOWORD(wParam) != WA_INACTIVE) ShowShortcutsDefaultButton(window);
    return true;
}

// The labels and notes sit on white, the notes in red; a high-contrast theme's colours win.
LRESULT OnStaticColour(HWND window, HDC dc, HWND control) {
    const ShortcutsControls* controls = ControlsOf(window);
    const auto brush = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    if (!controls || !brush || HighContrastOn())
        return DefWindowProcW(window, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                              reinterpret_cast<LPARAM>(control));
    const bool status = control == controls->statuses[0] || control == controls->statuses[1];
    SetBkColor(dc, RGB(255, 255, 255));
    SetTextColor(dc, status ? kStatusColour : RGB(0, 0, 0));
    return reinterpret_cast<LRESULT>(brush);
}

}  // namespace

void OpenShortcutsWindow() {
    if (g_app.shortcutsWindow && IsWindow(g_app.shortcutsWindow)) {
        SetForegroundWindow(g_app.shortcutsWindow);
        if (IsIconic(g_app.shortcutsWindow)) ShowWindow(g_app.shortcutsWindow, SW_RESTORE);
        return;
    }
    INITCOMMONCONTROLSEX common = {sizeof common, ICC_STANDARD_CLASSES | ICC_HOTKEY_CLASS};
    InitCommonControlsEx(&common);
    if (!RegisterShortcutsClass()) return;

    wchar_t caption[128] = {};
    // Cut safely, should a translation ever be longer than the buffer.
    StringCchPrintfW(caption, 128, L"%s - Veilux " VEILUX_VERSION_SHORT_TEXT, UiText(MessageKey::MenuShortcuts));
    // Sized and centred once its controls have measured their texts.
    const HWND window = CreateWindowExW(0, kShortcutsWindowClass, caption, kWindowStyle, 0, 0, 0, 0, nullptr, nullptr,
                                        ProgramModule(), nullptr);
    if (!window) return;
    g_app.shortcutsWindow = window;
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
}

void CloseShortcutsWindow() {
    if (g_app.shortcutsWindow && IsWindow(g_app.shortcutsWindow)) DestroyWindow(g_app.shortcutsWindow);
    g_app.shortcutsWindow = nullptr;
}

bool IsShortcutsDialogMessage(MSG& message) {
    const HWND window = g_app.shortcutsWindow;
    if (!window || !IsWindow(window) || (message.hwnd != window && !IsChild(window, message.hwnd))) return false;
    // Alt+F4 closes the window; a field would take it as a shortcut.
    if (message.message == WM_SYSKEYDOWN && message.wParam == VK_F4 && (HIWORD(message.lParam) & KF_ALTDOWN)) {
        PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
        return true;
    }
    // Backspace or Delete alone leaves a field without a shortcut.
    if (message.message == WM_KEYDOWN && (message.wParam == VK_BACK || message.wParam == VK_DELETE) &&
        IsField(window, message.hwnd) && !ModifierDown()) {
        SendMessageW(message.hwnd, HKM_SETHOTKEY, 0, 0);
        return true;
    }
    if (OnTypedShortcutRelease(window, message)) return true;
    ShowShortcutsDefaultButton(window);
    return IsDialogMessageW(window, &message) != FALSE;
}

bool ShortcutsWindowTakesHotkey(int hotkeyId) {
    const HWND window = g_app.shortcutsWindow;
    if (!window || GetForegroundWindow() != window) return false;
    const HWND focus = GetFocus();
    ShortcutsControls* controls = ControlsOf(window);
    if (!controls || !IsField(window, focus)) return false;
    controls->typedField = focus;
    controls->typedWord = ShortcutOf(hotkeyId).word;
    SendMessageW(focus, HKM_SETHOTKEY, controls->typedWord, 0);
    return true;
}

LRESULT CALLBACK ShortcutsWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: return OnCreate(window);
    case WM_DESTROY: OnDestroy(window); return 0;
    case WM_CLOSE: DestroyWindow(window); return 0;
    case WM_DPICHANGED: OnDpiChanged(window, wParam, lParam); return 0;
    case WM_ACTIVATE:
        if (OnActivate(window, wParam)) return 0;
        break;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK: ApplyShortcutChoices(window); return 0;
        case IDCANCEL: DestroyWindow(window); return 0;
        case kShortcutDefaultsId: PutDefaults(window); return 0;
        default: break;
        }
        break;
    case WM_CTLCOLORSTATIC:
        return OnStaticColour(window, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    default: break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
