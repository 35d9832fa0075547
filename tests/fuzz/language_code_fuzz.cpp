// The stored "Lang" value as the settings store reads it: at most 20 bytes of
// data, whatever its type, in a zero-filled buffer of ten UTF-16 units. The
// code must be the units before the first NUL, and it must select a language
// other than English exactly when it equals that language's code.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <string>

#include "i18n/catalog.h"

namespace {

constexpr std::size_t kUnits = 10;

void Check(bool holds) {
    if (!holds) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > kUnits * 2) return 0;  // the registry read fails: nothing is decoded
    wchar_t units[kUnits] = {};
    for (std::size_t i = 0; i < size; ++i) units[i / 2] |= static_cast<wchar_t>(data[i] << (i % 2 * 8));

    const std::wstring_view code = StoredLanguageCode(units, kUnits);
    std::size_t length = 0;
    while (length < kUnits && units[length] != L'\0') ++length;
    Check(code.data() == units && code.size() == length);

    const Language language = LanguageForCode(code);
    const std::wstring text(code);
    const auto matches = std::count_if(std::begin(kLanguages), std::end(kLanguages),
                                       [&](const LanguageInfo& info) { return text == info.code; });
    Check(matches <= 1);
    if (language == Language::English) {
        Check(matches == 0 || text == L"EN");
    } else {
        Check(text == kLanguages[static_cast<int>(language)].code);
    }
    return 0;
}
