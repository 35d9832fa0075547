// Which folders the "treat dot folders as hidden" option may mark and
// unmark, and the reading of its registry lists. Portable: no Windows
// headers; the attribute bits carry the values of the Windows file API.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::uint32_t kAttributeHidden = 0x00000002u;  // FILE_ATTRIBUTE_HIDDEN
inline constexpr std::uint32_t kAttributeSystem = 0x00000004u;  // FILE_ATTRIBUTE_SYSTEM
inline constexpr std::uint32_t kAttributeDirectory = 0x00000010u;  // FILE_ATTRIBUTE_DIRECTORY
inline constexpr std::uint32_t kAttributeReparsePoint = 0x00000400u;  // FILE_ATTRIBUTE_REPARSE_POINT
inline constexpr std::uint32_t kInvalidAttributes = 0xFFFFFFFFu;  // INVALID_FILE_ATTRIBUTES

// A name that begins with "." and is not "." or "..". A name that ends in
// "." or a space is left out too: Windows strips those from the last
// component of a path, so "C:\Users\me\..." would name the profile itself.
bool IsDotFolderName(std::wstring_view name);

// A directory that is not a reparse point (junction or symbolic link), not
// marked system and not hidden yet.
bool MayMarkHidden(std::uint32_t attributes);
// A hidden directory that is not a reparse point.
bool MayUnmarkHidden(std::uint32_t attributes);

// A full path: "X:\..." or a UNC path "\\server\share\...".
bool IsFullPath(std::wstring_view path);
// The part after the last "\" or "/".
std::wstring_view LastComponent(std::wstring_view path);
// The folder that holds the path's last component; empty when there is none.
std::wstring_view ParentPath(std::wstring_view path);
// Where a path's volume starts: "X:\" or "\\server\share\"; empty when it has none.
std::wstring RootOf(std::wstring_view path);
// place + "\" + name, with no doubled separator.
std::wstring JoinPath(std::wstring_view place, std::wstring_view name);

// A record entry the program may unmark: a full path, no component of it "."
// or "..", whose last component is a dot-folder name. A record edited by hand
// to name C:\Windows names nothing it may touch.
bool MayUnmarkPath(std::wstring_view path);

// The strings of a REG_MULTI_SZ's units, empty ones left out; data without
// its final NUL still gives its last string.
std::vector<std::wstring> SplitMultiString(const wchar_t* units, std::size_t count);
// The units of a REG_MULTI_SZ holding the strings: each with its NUL, and one more NUL.
std::wstring JoinMultiString(const std::vector<std::wstring>& strings);

// The places of "DotFolderPlaces" that can be used: full paths of at most
// maxLength units, without a trailing separator (a drive root keeps its
// own), each once; the rest is skipped.
std::vector<std::wstring> UsablePlaces(const std::vector<std::wstring>& listed, std::size_t maxLength);

// The form of a full path that the file API takes at any length and as it
// is, with no "." or trailing space dropped: "\\?\X:\..." or
// "\\?\UNC\server\share\...", with "/" made "\". A path already in that
// form, or not a full path, is given back as it is.
std::wstring LongPathForm(std::wstring_view path);

// What tells one folder from every other on the computer: its volume's
// serial number and its file id. Only the serial's low 32 bits are
// compared, so that the 32-bit serial an older Windows reports matches the
// 64-bit one a newer Windows reports for the same volume.
struct FolderIdentity {
    std::uint64_t volume = 0;
    std::uint64_t idLow = 0;
    std::uint64_t idHigh = 0;
    [[nodiscard]] bool SameVolume(std::uint64_t otherVolume) const {
        return static_cast<std::uint32_t>(volume) == static_cast<std::uint32_t>(otherVolume);
    }
    bool operator==(const FolderIdentity& other) const {
        return SameVolume(other.volume) && idLow == other.idLow && idHigh == other.idHigh;
    }
};

// One folder the program marked. An entry read from an older record that
// named paths alone has no identity until a pass finds its folder.
struct MarkEntry {
    std::wstring path;
    FolderIdentity identity;
    bool identified = false;
    bool operator==(const MarkEntry& other) const {
        return path == other.path && identified == other.identified && (!identified || identity == other.identity);
    }
};

// The record as text, one entry a line: 16 hex digits of the volume's
// serial, a space, 32 of the file id, a space, the path. An entry without
// an identity yet has zeros for both.
std::wstring FormatRecord(const std::vector<MarkEntry>& entries);
// False for text that is not such a record (then nothing of it may be
// trusted, and nothing is read); an empty text is an empty record.
bool ParseRecord(std::wstring_view text, std::vector<MarkEntry>& entries);
