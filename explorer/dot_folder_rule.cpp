#include "explorer/dot_folder_rule.h"

#include <algorithm>
#include <cwchar>

namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

bool IsDriveLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

// "X:\" at the start.
bool HasDrivePrefix(std::wstring_view path) {
    return path.size() >= 3 && IsDriveLetter(path[0]) && path[1] == L':' && IsSeparator(path[2]);
}

bool HasUncPrefix(std::wstring_view path) { return path.size() >= 3 && IsSeparator(path[0]) && IsSeparator(path[1]); }

bool HasDotComponent(std::wstring_view path) {
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = start;
        while (end < path.size() && !IsSeparator(path[end])) ++end;
        const std::wstring_view component = path.substr(start, end - start);
        if (component == L"." || component == L"..") return true;
        start = end + 1;
    }
    return false;
}

}  // namespace

bool IsDotFolderName(std::wstring_view name) {
    if (name.size() < 2 || name.front() != L'.') return false;
    if (name.back() == L'.' || name.back() == L' ') return false;  // also "." and ".."
    return std::none_of(name.begin(), name.end(), IsSeparator);
}

bool MayMarkHidden(std::uint32_t attributes) {
    if (attributes == kInvalidAttributes) return false;
    return (attributes & kAttributeDirectory) != 0 &&
           (attributes & (kAttributeReparsePoint | kAttributeSystem | kAttributeHidden)) == 0;
}

bool MayUnmarkHidden(std::uint32_t attributes) {
    if (attributes == kInvalidAttributes) return false;
    return (attributes & kAttributeDirectory) != 0 && (attributes & kAttributeHidden) != 0 &&
           (attributes & kAttributeReparsePoint) == 0;
}

bool IsFullPath(std::wstring_view path) {
    if (HasDrivePrefix(path)) return true;
    // "\\server\share": a server name and something after it.
    if (!HasUncPrefix(path)) return false;
    const std::size_t serverEnd = std::find_if(path.begin() + 2, path.end(), IsSeparator) - path.begin();
    return serverEnd > 2 && serverEnd + 1 < path.size();
}

std::wstring_view LastComponent(std::wstring_view path) {
    const auto last = std::find_if(path.rbegin(), path.rend(), IsSeparator);
    return path.substr(static_cast<std::size_t>(path.rend() - last));
}

std::wstring_view ParentPath(std::wstring_view path) {
    const std::size_t nameLength = LastComponent(path).size();
    if (nameLength == path.size()) return {};
    std::wstring_view parent = path.substr(0, path.size() - nameLength - 1);
    // A drive root keeps its separator: "C:\.x" lies in "C:\".
    if (parent.size() == 2 && parent[1] == L':') parent = path.substr(0, 3);
    return parent;
}

std::wstring RootOf(std::wstring_view path) {
    if (HasDrivePrefix(path)) return std::wstring(path.substr(0, 2)) + L'\\';
    if (!IsFullPath(path)) return {};
    // Past "\\server\share".
    std::size_t end = 2;
    for (int part = 0; part < 2 && end < path.size(); ++part) {
        while (end < path.size() && !IsSeparator(path[end])) ++end;
        if (part == 0) ++end;
    }
    return std::wstring(path.substr(0, end)) + L'\\';
}

std::wstring JoinPath(std::wstring_view place, std::wstring_view name) {
    std::wstring path(place);
    if (!path.empty() && !IsSeparator(path.back())) path += L'\\';
    path += name;
    return path;
}

bool MayUnmarkPath(std::wstring_view path) {
    // In a folder: "\\server\.x" would be a share, not a folder in one.
    return IsFullPath(ParentPath(path)) && !HasDotComponent(path) && IsDotFolderName(LastComponent(path));
}

std::vector<std::wstring> SplitMultiString(const wchar_t* units, std::size_t count) {
    std::vector<std::wstring> strings;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= count; ++i) {
        if (i < count && units[i] != L'\0') continue;
        if (i > start) strings.emplace_back(units + start, i - start);
        start = i + 1;
    }
    return strings;
}

std::wstring JoinMultiString(const std::vector<std::wstring>& strings) {
    std::wstring units;
    for (const std::wstring& text : strings) {
        units += text;
        units += L'\0';
    }
    units += L'\0';
    return units;
}

std::vector<std::wstring> UsablePlaces(const std::vector<std::wstring>& listed, std::size_t maxLength) {
    std::vector<std::wstring> places;
    for (std::wstring place : listed) {
        if (place.size() > maxLength || !IsFullPath(place) || HasDotComponent(place)) continue;
        while (place.size() > 3 && IsSeparator(place.back())) place.pop_back();
        if (std::find(places.begin(), places.end(), place) == places.end()) places.push_back(std::move(place));
    }
    return places;
}

std::wstring LongPathForm(std::wstring_view path) {
    if (path.starts_with(L"\\\\?\\") || !IsFullPath(path)) return std::wstring(path);
    std::wstring full = HasDrivePrefix(path) ? std::wstring(L"\\\\?\\") + std::wstring(path)
                                             : std::wstring(L"\\\\?\\UNC\\") + std::wstring(path.substr(2));
    std::replace(full.begin(), full.end(), L'/', L'\\');
    return full;
}

namespace {

constexpr std::size_t kVolumeDigits = 16;
constexpr std::size_t kIdDigits = 32;
constexpr wchar_t kHexDigits[] = L"0123456789abcdef";

void AppendHex(std::wstring& text, std::uint64_t value) {
    for (int shift = 60; shift >= 0; shift -= 4) text += kHexDigits[(value >> shift) & 0xF];
}

bool ReadHex(std::wstring_view digits, std::uint64_t& value) {
    value = 0;
    for (const wchar_t c : digits) {
        const wchar_t* digit = std::wcschr(kHexDigits, c >= L'A' && c <= L'F' ? c - L'A' + L'a' : c);
        if (c == L'\0' || !digit) return false;
        value = (value << 4) | static_cast<std::uint64_t>(digit - kHexDigits);
    }
    return true;
}

bool ParseEntry(std::wstring_view line, MarkEntry& entry) {
    constexpr std::size_t pathStart = kVolumeDigits + 1 + kIdDigits + 1;
    if (line.size() <= pathStart || line[kVolumeDigits] != L' ' || line[pathStart - 1] != L' ') return false;
    entry.path = line.substr(pathStart);
    if (!ReadHex(line.substr(0, kVolumeDigits), entry.identity.volume) ||
        !ReadHex(line.substr(kVolumeDigits + 1, kIdDigits / 2), entry.identity.idHigh) ||
        !ReadHex(line.substr(kVolumeDigits + 1 + kIdDigits / 2, kIdDigits / 2), entry.identity.idLow) ||
        !IsFullPath(entry.path))
        return false;
    entry.identified = entry.identity.volume != 0 || entry.identity.idLow != 0 || entry.identity.idHigh != 0;
    return true;
}

}  // namespace

std::wstring FormatRecord(const std::vector<MarkEntry>& entries) {
    std::wstring text;
    for (const MarkEntry& entry : entries) {
        // An entry not yet identified is written with zeros, which no volume and folder have.
        const FolderIdentity identity = entry.identified ? entry.identity : FolderIdentity{};
        AppendHex(text, identity.volume);
        text += L' ';
        AppendHex(text, identity.idHigh);
        AppendHex(text, identity.idLow);
        text += L' ';
        text += entry.path;
        text += L"\r\n";
    }
    return text;
}

bool ParseRecord(std::wstring_view text, std::vector<MarkEntry>& entries) {
    entries.clear();
    while (!text.empty()) {
        const std::size_t end = text.find(L'\n');
        // Every line ends with its line break: a record cut short is not read.
        if (end == std::wstring_view::npos || end == 0 || text[end - 1] != L'\r') return false;
        MarkEntry entry;
        if (!ParseEntry(text.substr(0, end - 1), entry)) return false;
        entries.push_back(std::move(entry));
        text.remove_prefix(end + 1);
    }
    return true;
}
