#include "i18n/language.h"

#include <windows.h>

#include <string>

#include "explorer/settings_store.h"
#include "i18n/catalog.h"
#include "i18n/ui_strings.h"

void SetLanguage(std::wstring_view code) {
    WriteLanguageSetting(code);
    LoadLanguageTexts(code);
}

void LoadStartupLanguage() {
    std::wstring code = ReadLanguageSetting();
    if (code.empty()) code = StartupCodeForLanguageId(GetUserDefaultUILanguage());
    SetLanguage(code);
}
