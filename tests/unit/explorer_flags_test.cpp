#include <gtest/gtest.h>

#include <cstdint>

#include "explorer/explorer_flags.h"

TEST(ExplorerFlags, ShellMasksAndBits) {
    EXPECT_EQ(kHiddenFilesMask, 0x40001u);
    EXPECT_EQ(kExtensionsMask, 0x2u);
    EXPECT_EQ(kShowAllObjectsBit | kShowExtensionsBit | kShowSuperHiddenBit, 0x8003u);
}

// Bits 0 and 15 follow the two switches; every other bit of the word is kept.
TEST(ExplorerFlags, HiddenFilesBits) {
    const struct {
        std::uint32_t word;
        bool show;
        bool includeSystem;
        std::uint32_t expected;
    } cases[] = {
        {0x00000000u, false, false, 0x00000000u}, {0x00000000u, true, false, 0x00000001u},
        {0x00000000u, false, true, 0x00008000u},  {0x00000000u, true, true, 0x00008001u},
        {0xFFFFFFFFu, false, false, 0xFFFF7FFEu}, {0xFFFFFFFFu, true, false, 0xFFFF7FFFu},
        {0xFFFFFFFFu, false, true, 0xFFFFFFFEu},  {0xFFFFFFFFu, true, true, 0xFFFFFFFFu},
        {0x00008001u, false, false, 0x00000000u}, {0x00000002u, true, false, 0x00000003u},
        {0x12345678u, true, true, 0x1234D679u},   {0x8000FFFFu, false, true, 0x8000FFFEu},
        {0x00010000u, false, false, 0x00010000u}, {0x00004000u, true, false, 0x00004001u},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WithHiddenFilesBits(c.word, c.show, c.includeSystem), c.expected)
            << std::hex << "word 0x" << c.word << " show " << c.show << " system " << c.includeSystem;
    }
}

TEST(ExplorerFlags, ExtensionsBit) {
    const struct {
        std::uint32_t word;
        bool shown;
        std::uint32_t expected;
    } cases[] = {
        {0x00000000u, false, 0x00000000u}, {0x00000000u, true, 0x00000002u}, {0xFFFFFFFFu, false, 0xFFFFFFFDu},
        {0xFFFFFFFFu, true, 0xFFFFFFFFu},  {0x00008001u, true, 0x00008003u}, {0x00008003u, false, 0x00008001u},
        {0x00000004u, true, 0x00000006u},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WithExtensionsBit(c.word, c.shown), c.expected) << std::hex << "word 0x" << c.word;
    }
}

TEST(ExplorerFlags, RegistryEncodings) {
    // "Hidden": 1 yes, 2 no (never 0).
    EXPECT_EQ(ShownOrNotValue(true), 1u);
    EXPECT_EQ(ShownOrNotValue(false), 2u);
    // "HideFileExt": 1 while extensions are hidden.
    EXPECT_EQ(HideFileExtValue(true), 0u);
    EXPECT_EQ(HideFileExtValue(false), 1u);
    // "ShowSuperHidden", "IncludeSystemFiles", "IncludeExtensions".
    EXPECT_EQ(OnOffValue(true), 1u);
    EXPECT_EQ(OnOffValue(false), 0u);
}
