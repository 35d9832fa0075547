#include "i18n/catalog.h"

const LanguageInfo kLanguages[kLanguageCount] = {
    {L"EN", L"English"},  {L"ES", L"Español"}, {L"PT", L"Português"}, {L"DE", L"Deutsch"}, {L"FR", L"Français"},
    {L"IT", L"Italiano"}, {L"ZH", L"中文"},    {L"RU", L"Русский"},   {L"KO", L"한국어"},  {L"NL", L"Nederlands"},
};

Language LanguageForCode(std::wstring_view code) {
    // English is never compared: it is what every other code falls back to.
    for (int index = static_cast<int>(Language::Spanish); index < static_cast<int>(Language::Count); ++index) {
        if (code == kLanguages[index].code) return static_cast<Language>(index);
    }
    return Language::English;
}

std::wstring_view StoredLanguageCode(const wchar_t* units, std::size_t count) {
    const std::wstring_view all(units, count);
    return all.substr(0, all.find(L'\0'));
}

const wchar_t* StartupCodeForLanguageId(unsigned short languageId) {
    const unsigned primary = languageId & 0x3FFu;
    if (primary == 0x0Au) return L"ES";
    if (primary == 0x16u) return L"PT";
    return L"EN";
}
