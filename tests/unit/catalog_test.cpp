#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <string>

#include "i18n/catalog.h"

namespace {

std::wstring Text(Language language, MessageKey key) { return CatalogText(language, key); }

Language LanguageAt(std::size_t index) { return static_cast<Language>(index); }
MessageKey KeyAt(std::size_t index) { return static_cast<MessageKey>(index); }

}  // namespace

TEST(Catalog, EveryLanguageHasEveryText) {
    for (std::size_t lang = 0; lang < kLanguageCount; ++lang) {
        for (std::size_t key = 0; key < kMessageKeyCount; ++key) {
            const wchar_t* text = CatalogText(LanguageAt(lang), KeyAt(key));
            ASSERT_NE(text, nullptr) << "language " << lang << " key " << key;
            EXPECT_GT(std::wcslen(text), 0u) << "language " << lang << " key " << key;
        }
    }
}

TEST(Catalog, LanguagesInListOrderWithCodesAndOwnNames) {
    const struct {
        const wchar_t* code;
        const wchar_t* name;
    } expected[] = {
        {L"EN", L"English"},  {L"ES", L"Español"}, {L"PT", L"Português"}, {L"DE", L"Deutsch"}, {L"FR", L"Français"},
        {L"IT", L"Italiano"}, {L"ZH", L"中文"},    {L"RU", L"Русский"},   {L"KO", L"한국어"},  {L"NL", L"Nederlands"},
    };
    static_assert(sizeof expected / sizeof expected[0] == kLanguageCount, "one row per language");
    for (std::size_t i = 0; i < kLanguageCount; ++i) {
        EXPECT_EQ(std::wstring(kLanguages[i].code), expected[i].code) << "position " << i;
        EXPECT_EQ(std::wstring(kLanguages[i].displayName), expected[i].name) << "position " << i;
    }
}

// Details that are easy to lose when a text is retyped or "cleaned up".
TEST(Catalog, CodeUnitDetails) {
    for (std::size_t lang = 0; lang < kLanguageCount; ++lang) {
        const Language language = LanguageAt(lang);
        SCOPED_TRACE(kLanguages[lang].code);
        const std::wstring goToApp = Text(language, MessageKey::LinkGoToApp);
        ASSERT_GE(goToApp.size(), 2u);
        EXPECT_EQ(goToApp.back(), L' ') << "exactly one trailing space";
        EXPECT_NE(goToApp[goToApp.size() - 2], L' ') << "exactly one trailing space";

        const std::wstring update = Text(language, MessageKey::BalloonUpdateText);
        EXPECT_EQ(std::count(update.begin(), update.end(), L'\n'), 1) << "one line feed";
        EXPECT_EQ(update.find(L'\r'), std::wstring::npos) << "no carriage return";

        EXPECT_EQ(Text(language, MessageKey::BalloonStartedTitle), L"Veilux");
        EXPECT_EQ(Text(language, MessageKey::LinkInstagram), L"Instagram");
        EXPECT_NE(Text(language, MessageKey::LinkDonate).find(L"PayPal"), std::wstring::npos);
        for (std::size_t key = 0; key < kMessageKeyCount; ++key) {
            EXPECT_EQ(Text(language, KeyAt(key)).find(L'&'), std::wstring::npos) << "no mnemonic, key " << key;
        }
    }
}

TEST(Catalog, FrenchHasSpaceBeforeEveryColon) {
    int colons = 0;
    for (std::size_t key = 0; key < kMessageKeyCount; ++key) {
        const std::wstring text = Text(Language::French, KeyAt(key));
        for (std::size_t i = text.find(L':'); i != std::wstring::npos; i = text.find(L':', i + 1)) {
            ++colons;
            ASSERT_GT(i, 0u);
            EXPECT_EQ(text[i - 1], L' ') << "key " << key;
        }
    }
    EXPECT_EQ(colons, 3);  // the three tooltips
}

TEST(Catalog, ChineseTooltipsUseFullWidthColon) {
    for (MessageKey key :
         {MessageKey::TipHiddenVisible, MessageKey::TipHiddenHidden, MessageKey::TipHiddenSystemVisible}) {
        const std::wstring text = Text(Language::Chinese, key);
        EXPECT_NE(text.find(L'\uFF1A'), std::wstring::npos);
        EXPECT_EQ(text.find(L':'), std::wstring::npos);
    }
}

TEST(Catalog, RussianOkIsCyrillic) {
    EXPECT_EQ(Text(Language::Russian, MessageKey::SelectorAccept), std::wstring({wchar_t(0x041E), wchar_t(0x041A)}));
    EXPECT_EQ(Text(Language::English, MessageKey::SelectorAccept), L"OK");
}

// The notification record holds 127 tooltip, 63 title and 255 text units; the
// longest texts of the catalogue are 40, 25 and 93.
TEST(Catalog, TrayTextsFitTheNotificationRecord) {
    const struct {
        MessageKey keys[3];
        std::size_t count;
        std::size_t longest;
    } groups[] = {
        {{MessageKey::TipHiddenVisible, MessageKey::TipHiddenHidden, MessageKey::TipHiddenSystemVisible}, 3, 40},
        {{MessageKey::BalloonStartedTitle, MessageKey::BalloonUpdateTitle}, 2, 25},
        {{MessageKey::BalloonStarted, MessageKey::BalloonUpdateText}, 2, 93},
    };
    for (const auto& group : groups) {
        std::size_t longest = 0;
        for (std::size_t lang = 0; lang < kLanguageCount; ++lang)
            for (std::size_t k = 0; k < group.count; ++k)
                longest = std::max(longest, Text(LanguageAt(lang), group.keys[k]).size());
        EXPECT_EQ(longest, group.longest);
    }
}

TEST(Catalog, SpotChecks) {
    const struct {
        Language language;
        MessageKey key;
        const wchar_t* text;
    } cases[] = {
        {Language::English, MessageKey::TipHiddenSystemVisible, L"Hidden and system files: VISIBLE"},
        {Language::English, MessageKey::BalloonUpdateText,
         L"A new version of Veilux is available.\nClick to go to the downloads page"},
        {Language::English, MessageKey::ErrorTrayIcon, L"Error creating system tray icon"},
        {Language::Spanish, MessageKey::MenuShowExtensions, L"Mostrar extensión de archivos"},
        {Language::Spanish, MessageKey::ErrorInit, L"Error inicializando la aplicación"},
        {Language::Portuguese, MessageKey::TipHiddenVisible, L"Arquivos ocultos: VISÍVEIS"},
        {Language::Portuguese, MessageKey::BalloonUpdateTitle, L"Atualização Disponível"},
        {Language::German, MessageKey::MenuIncludeSystem, L"Geschützte Systemdateien einschließen"},
        {Language::German, MessageKey::LinkGoToApp, L"Zu Veilux gehen "},
        {Language::French, MessageKey::TipHiddenHidden, L"Fichiers cachés : CACHÉS"},
        {Language::French, MessageKey::BalloonUpdateText,
         L"Une nouvelle version d'Veilux est disponible.\nCliquez pour aller à la page de téléchargements"},
        {Language::Italian, MessageKey::BalloonUpdateTitle, L"Aggiornamento disponibile"},
        {Language::Italian, MessageKey::SelectorRunAtStartup, L"Esegui all'avvio di Windows"},
        {Language::Chinese, MessageKey::TipHiddenSystemVisible, L"隐藏文件和系统文件：可见"},
        {Language::Chinese, MessageKey::BalloonStarted, L"Veilux 已启动并在系统托盘中运行。"},
        {Language::Russian, MessageKey::MenuIncludeSystem, L"Включить защищённые системные файлы"},
        {Language::Russian, MessageKey::LinkGoToApp, L"Перейти к Veilux "},
        {Language::Korean, MessageKey::TipHiddenHidden, L"숨김 파일: 숨김"},
        {Language::Korean, MessageKey::LinkGoToMaker, L"Orv Software로 이동"},
        {Language::Dutch, MessageKey::TipHiddenSystemVisible, L"Verborgen en systeembestanden: ZICHTBAAR"},
        {Language::Dutch, MessageKey::ErrorAlreadyRunning, L"De toepassing wordt al uitgevoerd."},
        {Language::English, MessageKey::MenuShortcuts, L"Keyboard shortcuts"},
        {Language::English, MessageKey::ShortcutsInUse, L"In use by another program"},
        {Language::German, MessageKey::ShortcutsHiddenLabel, L"Versteckte Dateien anzeigen oder ausblenden"},
        {Language::Korean, MessageKey::ShortcutsDefaults, L"기본값"},
        {Language::French, MessageKey::ShortcutsExtensionsLabel, L"Afficher ou masquer les extensions de fichiers"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Text(c.language, c.key), c.text)
            << "language " << static_cast<int>(c.language) << " key " << static_cast<int>(c.key);
    }
}
