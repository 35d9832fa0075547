// Every Windows test starts and ends with the program's own key gone, no Run
// entry, no Explorer view values and a fresh state record. All of it happens
// in the process's throwaway HKEY_CURRENT_USER (throwaway_user_hive.cpp),
// never in the real user's.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

void ResetProgramRegistry();
void ResetAppState();

class CleanRegistryTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};

// Reads of a value exactly as stored: type and raw bytes.
struct StoredValue {
    DWORD type = REG_NONE;
    std::vector<BYTE> bytes;
};
std::optional<StoredValue> ReadStoredValue(const wchar_t* keyPath, const wchar_t* name);
std::optional<DWORD> ReadStoredDword(const wchar_t* keyPath, const wchar_t* name);
// The string's code units up to (not including) the first NUL.
std::optional<std::wstring> ReadStoredString(const wchar_t* keyPath, const wchar_t* name);
void StoreValue(const wchar_t* keyPath, const wchar_t* name, DWORD type, const void* data, DWORD size);
void StoreDword(const wchar_t* keyPath, const wchar_t* name, DWORD value);
void StoreString(const wchar_t* keyPath, const wchar_t* name, const std::wstring& text);

// Runs the thread's message queue until it is empty.
void PumpMessages();
