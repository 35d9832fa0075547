// The string catalogue: every user-visible text in each of the ten languages,
// and the rules that pick a language from a code or from the user's
// interface language. Portable: no Windows headers.
#pragma once

#include <cstddef>
#include <string_view>

enum class MessageKey : int {
    TipHiddenVisible,
    TipHiddenHidden,
    TipHiddenSystemVisible,
    MenuShowHidden,
    MenuHideHidden,
    MenuIncludeSystem,
    MenuShowExtensions,
    MenuHideExtensions,
    MenuSettings,
    MenuUserGuide,
    MenuExit,
    SelectorTitle,
    SelectorRunAtStartup,
    SelectorAccept,
    SelectorCancel,
    LinkGoToApp,
    LinkInstagram,
    LinkGoToMaker,
    LinkDonate,
    BalloonStartedTitle,
    BalloonStarted,
    BalloonUpdateTitle,
    BalloonUpdateText,
    ErrorTitle,
    ErrorInit,
    ErrorAlreadyRunning,
    ErrorRegisterClass,
    ErrorCreateWindow,
    ErrorTrayIcon,
    MenuShortcuts,
    ShortcutsHiddenLabel,
    ShortcutsExtensionsLabel,
    ShortcutsInUse,
    ShortcutsDefaults,
    MenuDotFoldersHidden,
    ShortcutsNeedsCtrlOrAlt,
    ShortcutsTypesCharacter,
    ShortcutsUsedByOther,
    KeyCtrl,
    KeyAlt,
    KeyShift,
    Count
};
inline constexpr std::size_t kMessageKeyCount = static_cast<std::size_t>(MessageKey::Count);

// In the order the settings window lists them.
enum class Language : int {
    English,
    Spanish,
    Portuguese,
    German,
    French,
    Italian,
    Chinese,
    Russian,
    Korean,
    Dutch,
    Count
};
inline constexpr std::size_t kLanguageCount = static_cast<std::size_t>(Language::Count);

struct LanguageInfo {
    const wchar_t* code;  // the stored "Lang" code, e.g. L"ES"
    const wchar_t* displayName;  // the language's own name, the same in every interface language
};

// Indexed by Language; the codes live as long as the program.
extern const LanguageInfo kLanguages[kLanguageCount];

const wchar_t* CatalogText(Language language, MessageKey key);

// The language a stored code selects. Codes are compared exactly (length and
// every UTF-16 unit, case-sensitive); "EN" and anything unknown give English.
Language LanguageForCode(std::wstring_view code);

// The code in a stored value's buffer of count UTF-16 units: the units before
// the first NUL, or all of them, since stored data need not end in one.
std::wstring_view StoredLanguageCode(const wchar_t* units, std::size_t count);

// The code chosen at start when none is stored: Spanish and Portuguese
// interfaces of any region get their language, every other one English.
const wchar_t* StartupCodeForLanguageId(unsigned short languageId);
