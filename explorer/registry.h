// One registry value at a time under HKEY_CURRENT_USER: every call opens the
// key, reads or writes one value and closes the key again. Failures are
// reported only through the result; callers choose their own defaults.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

// Queries up to 4 bytes into a zero-filled DWORD; the value's type is not
// examined. Fails for a missing key or value and for data longer than 4 bytes.
bool ReadRegistryDword(const wchar_t* keyPath, const wchar_t* valueName, DWORD& value);

// Reads a value that is a REG_DWORD of exactly 4 bytes; fails for any other.
bool ReadRegistryExactDword(const wchar_t* keyPath, const wchar_t* valueName, DWORD& value);

// Queries the value's bytes into buffer (which the caller zero-fills);
// fails when the data does not fit in bufferBytes.
bool ReadRegistryBytes(const wchar_t* keyPath, const wchar_t* valueName, void* buffer, DWORD bufferBytes);

// Opens or creates the key and sets a 4-byte REG_DWORD.
bool WriteRegistryDword(const wchar_t* keyPath, const wchar_t* valueName, DWORD value);

// Opens or creates the key and sets a REG_SZ whose byte count includes the terminating NUL.
bool WriteRegistryString(const wchar_t* keyPath, const wchar_t* valueName, std::wstring_view text);

// The strings of a REG_MULTI_SZ of at most maxBytes, empty ones left out;
// nothing for a missing value, another type or a longer value.
std::vector<std::wstring> ReadRegistryStrings(const wchar_t* keyPath, const wchar_t* valueName, DWORD maxBytes);

// Like ReadRegistryStrings, but tells a list that is not there (true, no
// strings) from one that is there and cannot be read: a key that does not
// open for another reason than its absence, another type, a longer value.
bool ReadRegistryStringsIfAny(const wchar_t* keyPath, const wchar_t* valueName, DWORD maxBytes,
                              std::vector<std::wstring>& strings);

// Opens or creates the key and sets a REG_MULTI_SZ of the strings, its two final NULs counted.
bool WriteRegistryStrings(const wchar_t* keyPath, const wchar_t* valueName, const std::vector<std::wstring>& strings);

// Whether the value exists, of any type and size.
bool RegistryValueExists(const wchar_t* keyPath, const wchar_t* valueName);

// Deletes the value; true also when it was already absent.
bool DeleteRegistryValue(const wchar_t* keyPath, const wchar_t* valueName);
