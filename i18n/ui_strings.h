// UiStrings: the texts of the current language. Every consumer reads its
// text at the moment of use; a text stays valid until the language changes.
#pragma once

#include <string_view>

#include "i18n/catalog.h"

// The current text for a key; empty before the first language is loaded.
const wchar_t* UiText(MessageKey key);

// Replaces all the texts with those of the language the code selects.
void LoadLanguageTexts(std::wstring_view code);
