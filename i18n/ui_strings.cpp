#include "i18n/ui_strings.h"

#include <array>
#include <string>

namespace {
std::array<std::wstring, kMessageKeyCount> UiStrings;
}

const wchar_t* UiText(MessageKey key) { return UiStrings[static_cast<std::size_t>(key)].c_str(); }

void LoadLanguageTexts(std::wstring_view code) {
    const Language language = LanguageForCode(code);
    for (std::size_t key = 0; key < kMessageKeyCount; ++key) {
        UiStrings[key] = CatalogText(language, static_cast<MessageKey>(key));
    }
}
