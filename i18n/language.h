// Choosing and switching the interface language.
#pragma once

#include <string_view>

// Stores the code as "Lang", then loads the texts of the language it selects.
void SetLanguage(std::wstring_view code);

// The stored code, or, when none is stored, the code for the user's
// interface language; applied with SetLanguage.
void LoadStartupLanguage();
