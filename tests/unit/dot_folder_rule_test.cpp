#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "explorer/dot_folder_rule.h"

// Which names qualify, and which kinds of folder may be marked and unmarked.
TEST(DotFolderRule, NamesAndKinds) {
    for (const wchar_t* name : {L".ssh", L".a", L"...x", L".name.with.dots", L".gitconfig"})
        EXPECT_TRUE(IsDotFolderName(name)) << testing::PrintToString(std::wstring(name));
    // "." and "..", and names Windows cuts short (".x." and ".x " would name another folder).
    for (const wchar_t* name : {L"", L".", L"..", L"...", L".x.", L".x ", L"ssh", L"a.b", L" .x", L".a\\b", L".a/b"})
        EXPECT_FALSE(IsDotFolderName(name)) << testing::PrintToString(std::wstring(name));

    // Marked: plain folders, keeping read-only, archive and not indexed; never a file, a folder hidden before
    // (like Git's .git), a system folder or a junction or link. Unmarked: only hidden folders that are no link.
    const std::uint32_t dir = kAttributeDirectory, hidden = dir | kAttributeHidden, link = kAttributeReparsePoint;
    for (std::uint32_t a : {dir, dir | 0x2021u}) EXPECT_TRUE(MayMarkHidden(a)) << a;
    for (std::uint32_t a : {0x20u, hidden, dir | kAttributeSystem, dir | link, kInvalidAttributes})
        EXPECT_FALSE(MayMarkHidden(a)) << a;
    for (std::uint32_t a : {hidden, hidden | kAttributeSystem}) EXPECT_TRUE(MayUnmarkHidden(a)) << a;
    // Shown again by the user, a file in a marked folder's place, a link.
    for (std::uint32_t a : {dir, kAttributeHidden | 0x20u, hidden | link, kInvalidAttributes})
        EXPECT_FALSE(MayUnmarkHidden(a)) << a;
}

// A record entry is unmarked only as a full path to a dot folder: an entry
// edited by hand to name another folder, or to climb out with "..", is not.
TEST(DotFolderRule, RecordEntriesAndPlaces) {
    for (const wchar_t* path : {L"C:\\Users\\me\\.ssh", L"d:/work/.cache", L"\\\\server\\share\\.config", L"C:\\.x"})
        EXPECT_TRUE(MayUnmarkPath(path)) << testing::PrintToString(std::wstring(path));
    for (const wchar_t* path :
         {L"C:\\Windows", L"C:\\", L"C:\\Users\\me", L".ssh", L"Users\\.ssh", L"C:.ssh", L"\\\\server\\.ssh",
          L"C:\\Users\\me\\..", L"C:\\Users\\me\\.ssh\\..", L"C:\\Windows\\..\\Users\\.ssh", L"C:\\Users\\me\\...",
          L"C:\\Users\\me\\.ssh\\", L"garbage", L""})
        EXPECT_FALSE(MayUnmarkPath(path)) << testing::PrintToString(std::wstring(path));
    // A drive root or a share as the place.
    EXPECT_EQ(ParentPath(L"C:\\.x"), L"C:\\");
    EXPECT_EQ(JoinPath(L"C:\\", L".x"), L"C:\\.x");
    EXPECT_EQ(RootOf(L"\\\\server\\share\\dir\\.x"), L"\\\\server\\share\\");

    // Empty, relative, with "..", overlong and repeated places are skipped;
    // a trailing separator goes, but not a root's own.
    const std::wstring overlong = L"C:\\" + std::wstring(12000, L'x');
    const std::vector<std::wstring> listed = {
        L"",      L"dots",     L"C:\\dots\\", L"C:\\dots", L"C:\\", L"\\\\srv\\share\\", L"C:\\a\\..\\Windows",
        overlong, L"E:\\tools"};
    EXPECT_EQ(UsablePlaces(listed, 259),
              (std::vector<std::wstring>{L"C:\\dots", L"C:\\", L"\\\\srv\\share", L"E:\\tools"}));

    // A REG_MULTI_SZ as stored, with empty strings, and cut short without its NULs.
    const std::wstring units(L"C:\\a\\.x\0\0C:\\b\\.y\0C:\\c\\.z", 24);
    EXPECT_EQ(SplitMultiString(units.data(), units.size()),
              (std::vector<std::wstring>{L"C:\\a\\.x", L"C:\\b\\.y", L"C:\\c\\.z"}));
    EXPECT_EQ(JoinMultiString({L"C:\\a\\.x", L"C:\\b\\.y"}), std::wstring(L"C:\\a\\.x\0C:\\b\\.y\0\0", 17));
}

// The long form of drive and share paths; the record's lines, read back as written, and a record cut
// short, edited into another shape or naming a relative path is not read at all.
TEST(DotFolderRule, LongPathsAndRecordLines) {
    EXPECT_EQ(LongPathForm(L"C:\\Users\\me/.ssh"), L"\\\\?\\C:\\Users\\me\\.ssh");
    EXPECT_EQ(LongPathForm(L"\\\\server\\share\\.x"), L"\\\\?\\UNC\\server\\share\\.x");
    for (const wchar_t* same : {L"\\\\?\\C:\\.x", L"relative\\.x", L""}) EXPECT_EQ(LongPathForm(same), same);

    const std::vector<MarkEntry> entries = {{L"C:\\Users\\me\\.ssh", {0xABCD1234u, 0x1000000000052u, 0}, true},
                                            {L"\\\\srv\\share\\.a b", {~0ull, 7, ~0ull}, true},
                                            {L"D:\\.older", {}, false}};
    const std::wstring text = FormatRecord(entries);
    EXPECT_EQ(text.substr(0, text.find(L'\n') + 1),
              L"00000000abcd1234 00000000000000000001000000000052 C:\\Users\\me\\.ssh\r\n");
    std::vector<MarkEntry> read;
    EXPECT_TRUE(ParseRecord(text, read));
    EXPECT_EQ(read, entries);
    EXPECT_TRUE(ParseRecord(L"", read) && read.empty());
    // The same volume as an older Windows reports it: its serial's low 32 bits.
    EXPECT_EQ(entries[0].identity, (FolderIdentity{0x12345678ABCD1234u, 0x1000000000052u, 0}));
    EXPECT_FALSE(entries[0].identity == (FolderIdentity{0xABCD1234u, 0x52u, 0}));
    for (const std::wstring& bad :
         std::vector<std::wstring>{text.substr(0, text.size() - 1), L"C:\\Users\\me\\.ssh\r\n" + text,
                                   L"00000000abcd1234 0000000000000000000100000000005g C:\\.x\r\n",
                                   L"00000000abcd1234 00000000000000000001000000000052 .x\r\n"})
        EXPECT_FALSE(ParseRecord(bad, read)) << testing::PrintToString(bad);
}
