#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "explorer/dot_folder_rule.h"

// Which names qualify, and which kinds of folder may be marked and unmarked.
TEST(DotFolderRule, NamesAndKinds) {
    for (const wchar_t* name : {L".ssh", L".vscode", L".a", L"...x", L".name.with.dots", L".gitconfig"})
        EXPECT_TRUE(IsDotFolderName(name)) << testing::PrintToString(std::wstring(name));
    // "." and ".." and names a plain Windows path cannot reach ("...",
    // ".x." and ".x " would lose their ending and name another folder).
    for (const wchar_t* name : {L"", L".", L"..", L"...", L".x.", L".x ", L"ssh", L"a.b", L" .x", L".a\\b", L".a/b"})
        EXPECT_FALSE(IsDotFolderName(name)) << testing::PrintToString(std::wstring(name));

    const std::uint32_t directory = kAttributeDirectory;
    EXPECT_TRUE(MayMarkHidden(directory));
    EXPECT_TRUE(MayMarkHidden(directory | 0x1u | 0x20u | 0x2000u));  // read-only, archive, not indexed
    EXPECT_FALSE(MayMarkHidden(0x20u));  // a file
    EXPECT_FALSE(MayMarkHidden(directory | kAttributeHidden));  // already hidden, like Git's .git
    EXPECT_FALSE(MayMarkHidden(directory | kAttributeSystem));
    EXPECT_FALSE(MayMarkHidden(directory | kAttributeReparsePoint));  // junction or symbolic link
    EXPECT_FALSE(MayMarkHidden(kInvalidAttributes));

    EXPECT_TRUE(MayUnmarkHidden(directory | kAttributeHidden));
    EXPECT_TRUE(MayUnmarkHidden(directory | kAttributeHidden | kAttributeSystem));
    EXPECT_FALSE(MayUnmarkHidden(directory));  // shown again by the user
    EXPECT_FALSE(MayUnmarkHidden(kAttributeHidden | 0x20u));  // a file took the folder's place
    EXPECT_FALSE(MayUnmarkHidden(directory | kAttributeHidden | kAttributeReparsePoint));
    EXPECT_FALSE(MayUnmarkHidden(kInvalidAttributes));
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

    EXPECT_EQ(ParentPath(L"C:\\Users\\me\\.ssh"), L"C:\\Users\\me");
    EXPECT_EQ(ParentPath(L"C:\\.x"), L"C:\\");
    EXPECT_EQ(JoinPath(L"C:\\Users\\me", L".ssh"), L"C:\\Users\\me\\.ssh");
    EXPECT_EQ(JoinPath(L"C:\\", L".x"), L"C:\\.x");
    EXPECT_EQ(RootOf(L"C:\\Users\\me\\.ssh"), L"C:\\");
    EXPECT_EQ(RootOf(L"\\\\server\\share\\dir\\.x"), L"\\\\server\\share\\");
    EXPECT_EQ(RootOf(L"relative\\.x"), L"");

    // Empty strings, relative paths, a path with "..", an overlong one and
    // repeats are skipped; a trailing separator goes, but not a root's own.
    const std::vector<std::wstring> listed = {
        L"",
        L"dots",
        L"C:\\dots\\",
        L"C:\\dots",
        L"C:\\",
        L"\\\\srv\\share\\",
        L"C:\\a\\..\\Windows",
        L"C:\\" + std::wstring(12000, L'x'),
        L"E:\\tools",
    };
    EXPECT_EQ(UsablePlaces(listed, 259),
              (std::vector<std::wstring>{L"C:\\dots", L"C:\\", L"\\\\srv\\share", L"E:\\tools"}));

    // A REG_MULTI_SZ as stored, with empty strings, and cut short without its NULs.
    const std::wstring units(L"C:\\a\\.x\0\0C:\\b\\.y\0C:\\c\\.z", 24);
    EXPECT_EQ(SplitMultiString(units.data(), units.size()),
              (std::vector<std::wstring>{L"C:\\a\\.x", L"C:\\b\\.y", L"C:\\c\\.z"}));
    EXPECT_EQ(JoinMultiString({L"C:\\a\\.x", L"C:\\b\\.y"}), std::wstring(L"C:\\a\\.x\0C:\\b\\.y\0\0", 17));
    EXPECT_EQ(JoinMultiString({}), std::wstring(1, L'\0'));
}
