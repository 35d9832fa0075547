#include <gtest/gtest.h>

#include <cwchar>

#include "i18n/catalog.h"

TEST(Catalog, EveryLanguageHasEveryText) {
    for (std::size_t lang = 0; lang < kLanguageCount; ++lang) {
        for (std::size_t key = 0; key < kMessageKeyCount; ++key) {
            const wchar_t* text = CatalogText(static_cast<Language>(lang), static_cast<MessageKey>(key));
            ASSERT_NE(text, nullptr) << "language " << lang << " key " << key;
            EXPECT_GT(std::wcslen(text), 0u) << "language " << lang << " key " << key;
        }
    }
}
