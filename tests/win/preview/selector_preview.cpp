// Opens the settings window in the language given on the command line (a
// stored code such as RU) and runs until it is closed: for screenshots.
#include <windows.h>
#include <gdiplus.h>

#include "app/app_state.h"
#include "i18n/language.h"
#include "i18n/language_selector.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    g_app.instance = instance;
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
    SetLanguage(commandLine && *commandLine ? commandLine : L"EN");
    OpenLanguageSelector();
    MSG message;
    while (g_app.selectorWindow && GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    Gdiplus::GdiplusShutdown(token);
    return 0;
}
