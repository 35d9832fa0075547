#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "i18n/catalog.h"
#include "i18n/ui_strings.h"

using namespace std::string_view_literals;

TEST(LanguageForCode, ExactCaseSensitiveMatchElseEnglish) {
    const struct {
        std::wstring_view code;
        Language expected;
    } cases[] = {
        {L"ES"sv, Language::Spanish},  {L"PT"sv, Language::Portuguese}, {L"NL"sv, Language::Dutch},
        {L"es"sv, Language::English},  {L"Es"sv, Language::English},    {L"ESP"sv, Language::English},
        {L"E"sv, Language::English},   {L""sv, Language::English},      {L"EN"sv, Language::English},
        {L" ES"sv, Language::English}, {L"ES "sv, Language::English},   {L"ES\0"sv, Language::English},
        {L"XX"sv, Language::English},  {L"ru"sv, Language::English},    {L"ZH-CN"sv, Language::English},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LanguageForCode(c.code), c.expected)
            << "code of length " << c.code.size() << ": " << std::wstring(c.code).c_str();
    }
}

TEST(LanguageForCode, EveryListedCodeSelectsItsLanguage) {
    for (std::size_t i = 0; i < kLanguageCount; ++i) {
        EXPECT_EQ(LanguageForCode(kLanguages[i].code), static_cast<Language>(i)) << kLanguages[i].code;
    }
}

// Only the primary language (the low 10 bits) counts.
TEST(StartupCodeForLanguageId, SpanishAndPortugueseOfAnyRegionElseEnglish) {
    // The table is laid out by hand.
    // clang-format off
    const struct {
        unsigned short id;
        const wchar_t* code;
    } cases[] = {
        {0x000A, L"ES"}, {0x040A, L"ES"}, {0x0C0A, L"ES"}, {0x080A, L"ES"}, {0x580A, L"ES"},
        {0x0016, L"PT"}, {0x0416, L"PT"}, {0x0816, L"PT"},
        {0x0007, L"EN"}, {0x0407, L"EN"}, {0x0409, L"EN"}, {0x000C, L"EN"}, {0x040C, L"EN"},
        {0x0000, L"EN"}, {0x004A, L"EN"}, {0x010A, L"EN"}, {0x0216, L"EN"}, {0xFFFF, L"EN"},
    };
    // clang-format on
    for (const auto& c : cases) {
        EXPECT_EQ(std::wstring(StartupCodeForLanguageId(c.id)), c.code) << std::hex << "id 0x" << c.id;
    }
}

namespace {
void ExpectCurrentTextsAre(Language language) {
    for (std::size_t key = 0; key < kMessageKeyCount; ++key) {
        const MessageKey k = static_cast<MessageKey>(key);
        ASSERT_NE(UiText(k), nullptr);
        EXPECT_EQ(std::wstring(UiText(k)), CatalogText(language, k)) << "key " << key;
    }
}
}  // namespace

TEST(UiStrings, LoadingALanguageReplacesAllTexts) {
    LoadLanguageTexts(L"RU");
    ExpectCurrentTextsAre(Language::Russian);
    LoadLanguageTexts(L"KO");
    ExpectCurrentTextsAre(Language::Korean);
    LoadLanguageTexts(L"es");
    ExpectCurrentTextsAre(Language::English);
    LoadLanguageTexts(L"FR");
    ExpectCurrentTextsAre(Language::French);
    LoadLanguageTexts(L"");
    ExpectCurrentTextsAre(Language::English);
    EXPECT_EQ(std::wstring(UiText(MessageKey::MenuExit)), L"Exit");
}
