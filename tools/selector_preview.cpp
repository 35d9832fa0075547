// Opens the settings window in the language given on the command line (a
// stored code such as RU, optionally followed by " list" to drop the language
// list open) and runs until it is closed: for screenshots.
#include <windows.h>
#include "app/gdiplus_header.h"

#include <string>

#include "app/app_state.h"
#include "i18n/language.h"
#include "i18n/language_selector.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    g_app.instance = instance;
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);

    const std::wstring arguments = commandLine ? commandLine : L"";
    const size_t space = arguments.find(L' ');
    const std::wstring code = arguments.substr(0, space);
    const bool dropList = space != std::wstring::npos && arguments.compare(space + 1, std::wstring::npos, L"list") == 0;

    SetLanguage(code.empty() ? L"EN" : code);
    OpenLanguageSelector();
    if (dropList && g_app.selectorWindow)
        SendDlgItemMessageW(g_app.selectorWindow, kLanguageListId, CB_SHOWDROPDOWN, TRUE, 0);
    MSG message;
    while (g_app.selectorWindow && GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (IsSelectorDialogMessage(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    Gdiplus::GdiplusShutdown(token);
    return 0;
}
