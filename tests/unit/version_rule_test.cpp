#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <string_view>
#include <vector>

#include "update/version_rule.h"

using namespace std::string_view_literals;

namespace {

// The bytes live in a heap block of exactly their size, so that a read past
// the end is caught by the address sanitizer.
VersionLine Read(std::string_view bytes) {
    const std::vector<unsigned char> block(bytes.begin(), bytes.end());
    return ReadVersionLine(block.empty() ? nullptr : block.data(), block.size());
}

}  // namespace

TEST(VersionRule, FirstLineLeadingInteger) {
    // The table is laid out by hand.
    // clang-format off
    const struct {
        std::string_view bytes;
        bool empty;
        int code;
    } cases[] = {
        {""sv, true, 0},
        {"101"sv, false, 101},
        {"100"sv, false, 100},
        {"101\r\n"sv, false, 101},
        {" 101\r\n"sv, false, 101},
        {"+101"sv, false, 101},
        {"-5"sv, false, -5},
        {"abc"sv, false, 0},
        {"101abc"sv, false, 101},
        {"1.0.1"sv, false, 1},
        {"0000000000000000000000101"sv, false, 101},
        // Only the first line counts; CR LF is one line feed.
        {"7\n8"sv, false, 7},
        {"101\r\n200"sv, false, 101},
        {"\n101"sv, true, 0},
        {"\r\n101"sv, true, 0},
        {"\r\r\n101"sv, false, 0},  // a lone CR is a character of the line
        {"\r"sv, false, 0},
        {"\r101"sv, false, 101},
        {"1\r01"sv, false, 1},
        // 0x1A ends the text.
        {"\x1A" "101"sv, true, 0},
        {"10\x1A" "1"sv, false, 10},
        {"\x1A\n"sv, true, 0},
        // Leading white space: tab, VT, FF, CR, space, 0x85, 0xA0 and nothing else.
        {"\t\v\f\r 42"sv, false, 42},
        {"\x85" "42"sv, false, 42},
        {"\xA0" "42"sv, false, 42},
        {"\x1C" "42"sv, false, 0},
        {"\xC2\xA0" "42"sv, false, 0},      // bytes, not UTF-8
        {"\xEF\xBB\xBF" "101"sv, false, 0},  // no byte-order mark handling
        {"   "sv, false, 0},
        {"1\0" "2"sv, false, 1},
        // One optional sign, directly before the digits.
        {"+-5"sv, false, 0},
        {"--5"sv, false, 0},
        {"- 5"sv, false, 0},
        {"-"sv, false, 0},
        {" -007x"sv, false, -7},
        // Clamped to the signed 32-bit range.
        {"2147483647"sv, false, INT_MAX},
        {"2147483648"sv, false, INT_MAX},
        {"-2147483648"sv, false, INT_MIN},
        {"-2147483649"sv, false, INT_MIN},
        {"99999999999999999999999999999999"sv, false, INT_MAX},
        {"-99999999999999999999999999999999\n5"sv, false, INT_MIN},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(std::string(c.bytes)));
        const VersionLine line = Read(c.bytes);
        EXPECT_EQ(line.empty, c.empty);
        EXPECT_EQ(line.code, c.code);
    }
}

TEST(VersionRule, NewerMeansGreaterThanOwnCode) {
    EXPECT_EQ(CurrentVersionCode, 100);
    EXPECT_TRUE(IsNewerVersion(101));
    EXPECT_TRUE(IsNewerVersion(INT_MAX));
    EXPECT_FALSE(IsNewerVersion(100));
    EXPECT_FALSE(IsNewerVersion(0));
    EXPECT_FALSE(IsNewerVersion(-101));
    EXPECT_FALSE(IsNewerVersion(INT_MIN));
}

// A whole read block without any line end: every byte belongs to the line.
TEST(VersionRule, FullReadBlockWithoutLineEnd) {
    std::string block(kVersionFileReadLimit - 3, ' ');
    block += "101";
    EXPECT_EQ(Read(block).code, 101);

    std::string zeros(kVersionFileReadLimit - 1, '0');
    zeros += "7";
    EXPECT_EQ(Read(zeros).code, 7);

    EXPECT_EQ(Read(std::string(kVersionFileReadLimit, '9')).code, INT_MAX);

    std::string trailingCr(kVersionFileReadLimit - 1, ' ');
    trailingCr += '\r';  // the last byte; nothing after it may be looked at
    const VersionLine line = Read(trailingCr);
    EXPECT_FALSE(line.empty);
    EXPECT_EQ(line.code, 0);
}
