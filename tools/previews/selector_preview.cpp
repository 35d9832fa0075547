// Opens the settings window in the language given on the command line (a
// stored code such as RU, optionally followed by " list" to drop the language
// list open) and runs until it is closed: for screenshots. " shortcuts" opens
// the keyboard shortcuts window instead, " taken" the same with Alt+Shift+.
// held elsewhere.
#include <windows.h>
#include "app/gdiplus_header.h"

#include <string>

#include "app/app_state.h"
#include "app/hotkeys.h"
#include "i18n/language.h"
#include "ui/settings_window.h"
#include "ui/shortcuts_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    g_app.instance = instance;
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);

    const std::wstring arguments = commandLine ? commandLine : L"";
    const size_t space = arguments.find(L' ');
    const std::wstring code = arguments.substr(0, space);
    const std::wstring mode = space == std::wstring::npos ? L"" : arguments.substr(space + 1);

    SetLanguage(code.empty() ? L"EN" : code);
    if (mode == L"shortcuts" || mode == L"taken") {
        if (mode == L"taken") RegisterHotKey(nullptr, 99, MOD_ALT | MOD_SHIFT, VK_OEM_PERIOD);
        RegisterStoredShortcuts();  // on this thread: there is no main window
        OpenShortcutsWindow();
    } else {
        OpenLanguageSelector();
    }
    if (mode == L"list" && g_app.selectorWindow)
        SendDlgItemMessageW(g_app.selectorWindow, kLanguageListId, CB_SHOWDROPDOWN, TRUE, 0);
    MSG message;
    while ((g_app.selectorWindow || g_app.shortcutsWindow) && GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (IsSelectorDialogMessage(message) || IsShortcutsDialogMessage(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    Gdiplus::GdiplusShutdown(token);
    return 0;
}
