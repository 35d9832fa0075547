#include "explorer/registry.h"

#include <string>

#include "app/handles.h"
#include "explorer/dot_folder_rule.h"

namespace {

UniqueKey OpenForReading(const wchar_t* keyPath) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, keyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) return nullptr;
    return UniqueKey(key);
}

UniqueKey OpenForWriting(const wchar_t* keyPath) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, keyPath, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
        return nullptr;
    }
    return UniqueKey(key);
}

}  // namespace

bool ReadRegistryBytes(const wchar_t* keyPath, const wchar_t* valueName, void* buffer, DWORD bufferBytes) {
    const UniqueKey key = OpenForReading(keyPath);
    if (!key) return false;
    DWORD size = bufferBytes;
    return RegQueryValueExW(key.get(), valueName, nullptr, nullptr, static_cast<BYTE*>(buffer), &size) == ERROR_SUCCESS;
}

bool ReadRegistryDword(const wchar_t* keyPath, const wchar_t* valueName, DWORD& value) {
    DWORD data = 0;
    if (!ReadRegistryBytes(keyPath, valueName, &data, sizeof data)) return false;
    value = data;
    return true;
}

bool ReadRegistryExactDword(const wchar_t* keyPath, const wchar_t* valueName, DWORD& value) {
    const UniqueKey key = OpenForReading(keyPath);
    if (!key) return false;
    DWORD type = REG_NONE;
    DWORD data = 0;
    DWORD size = sizeof data;
    if (RegQueryValueExW(key.get(), valueName, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof data)
        return false;
    value = data;
    return true;
}

bool WriteRegistryDword(const wchar_t* keyPath, const wchar_t* valueName, DWORD value) {
    const UniqueKey key = OpenForWriting(keyPath);
    if (!key) return false;
    return RegSetValueExW(key.get(), valueName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value) ==
           ERROR_SUCCESS;
}

bool WriteRegistryString(const wchar_t* keyPath, const wchar_t* valueName, std::wstring_view text) {
    const UniqueKey key = OpenForWriting(keyPath);
    if (!key) return false;
    const std::wstring terminated(text);  // c_str() supplies the NUL that the byte count includes
    const DWORD bytes = static_cast<DWORD>((terminated.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(key.get(), valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(terminated.c_str()), bytes) ==
           ERROR_SUCCESS;
}

std::vector<std::wstring> ReadRegistryStrings(const wchar_t* keyPath, const wchar_t* valueName, DWORD maxBytes) {
    const UniqueKey key = OpenForReading(keyPath);
    if (!key) return {};
    DWORD type = REG_NONE;
    DWORD size = 0;
    if (RegQueryValueExW(key.get(), valueName, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != REG_MULTI_SZ || size > maxBytes)
        return {};
    std::wstring units(size / sizeof(wchar_t) + 1, L'\0');
    // A value that grew since it was measured is not read at all.
    if (RegQueryValueExW(key.get(), valueName, nullptr, &type, reinterpret_cast<BYTE*>(units.data()), &size) !=
            ERROR_SUCCESS ||
        type != REG_MULTI_SZ)
        return {};
    return SplitMultiString(units.data(), size / sizeof(wchar_t));
}

bool ReadRegistryStringsIfAny(const wchar_t* keyPath, const wchar_t* valueName, DWORD maxBytes,
                              std::vector<std::wstring>& strings) {
    strings.clear();
    HKEY opened = nullptr;
    const LSTATUS open = RegOpenKeyExW(HKEY_CURRENT_USER, keyPath, 0, KEY_READ, &opened);
    if (open == ERROR_FILE_NOT_FOUND) return true;
    if (open != ERROR_SUCCESS) return false;
    const UniqueKey key(opened);
    DWORD type = REG_NONE;
    DWORD size = 0;
    const LSTATUS query = RegQueryValueExW(key.get(), valueName, nullptr, &type, nullptr, &size);
    if (query == ERROR_FILE_NOT_FOUND) return true;
    if (query != ERROR_SUCCESS || type != REG_MULTI_SZ || size > maxBytes) return false;
    std::wstring units(size / sizeof(wchar_t) + 1, L'\0');
    if (RegQueryValueExW(key.get(), valueName, nullptr, &type, reinterpret_cast<BYTE*>(units.data()), &size) !=
            ERROR_SUCCESS ||
        type != REG_MULTI_SZ)
        return false;
    strings = SplitMultiString(units.data(), size / sizeof(wchar_t));
    return true;
}

bool WriteRegistryStrings(const wchar_t* keyPath, const wchar_t* valueName, const std::vector<std::wstring>& strings) {
    const UniqueKey key = OpenForWriting(keyPath);
    if (!key) return false;
    const std::wstring units = JoinMultiString(strings);
    const DWORD bytes = static_cast<DWORD>(units.size() * sizeof(wchar_t));
    return RegSetValueExW(key.get(), valueName, 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(units.data()), bytes) ==
           ERROR_SUCCESS;
}

bool RegistryValueExists(const wchar_t* keyPath, const wchar_t* valueName) {
    const UniqueKey key = OpenForReading(keyPath);
    return key && RegQueryValueExW(key.get(), valueName, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool DeleteRegistryValue(const wchar_t* keyPath, const wchar_t* valueName) {
    const UniqueKey key = OpenForWriting(keyPath);
    if (!key) return false;
    const LSTATUS status = RegDeleteValueW(key.get(), valueName);
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}
