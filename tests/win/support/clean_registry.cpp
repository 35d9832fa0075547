#include "support/clean_registry.h"

#include "app/app_state.h"
#include "explorer/explorer_control.h"
#include "explorer/settings_store.h"
#include "tray/tray_icon.h"

void ResetProgramRegistry() {
    RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKeyPath);
    RegDeleteKeyW(HKEY_CURRENT_USER, kSettingsKeyPath);
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKeyPath, kRunValueName);
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kStartupApprovedKeyPath, kRunValueName);
    for (const wchar_t* name : {L"Hidden", L"ShowSuperHidden", L"HideFileExt"})
        RegDeleteKeyValueW(HKEY_CURRENT_USER, kExplorerAdvancedKeyPath, name);
}

void ResetAppState() {
    if (g_app.selectorWindow) DestroyWindow(g_app.selectorWindow);
    g_app.tray.reset();
    ClearRunState();
    g_app.selectorWindow = nullptr;
}

void CleanRegistryTest::SetUp() {
    ResetAppState();
    ResetProgramRegistry();
}

void CleanRegistryTest::TearDown() {
    ResetAppState();
    ResetProgramRegistry();
}

std::optional<StoredValue> ReadStoredValue(const wchar_t* keyPath, const wchar_t* name) {
    DWORD type = 0;
    DWORD size = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, keyPath, name, RRF_RT_ANY | RRF_NOEXPAND, &type, nullptr, &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    StoredValue value;
    value.type = type;
    value.bytes.resize(size);
    if (RegGetValueW(HKEY_CURRENT_USER, keyPath, name, RRF_RT_ANY | RRF_NOEXPAND, &type,
                     size ? value.bytes.data() : nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    value.bytes.resize(size);
    return value;
}

std::optional<DWORD> ReadStoredDword(const wchar_t* keyPath, const wchar_t* name) {
    const auto value = ReadStoredValue(keyPath, name);
    if (!value || value->type != REG_DWORD || value->bytes.size() != sizeof(DWORD)) return std::nullopt;
    DWORD result = 0;
    memcpy(&result, value->bytes.data(), sizeof result);
    return result;
}

std::optional<std::wstring> ReadStoredString(const wchar_t* keyPath, const wchar_t* name) {
    const auto value = ReadStoredValue(keyPath, name);
    if (!value || value->type != REG_SZ) return std::nullopt;
    std::wstring text(value->bytes.size() / sizeof(wchar_t), L'\0');
    memcpy(text.data(), value->bytes.data(), text.size() * sizeof(wchar_t));
    const auto end = text.find(L'\0');
    if (end != std::wstring::npos) text.resize(end);
    return text;
}

void StoreValue(const wchar_t* keyPath, const wchar_t* name, DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, keyPath, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
    RegCloseKey(key);
}

void StoreDword(const wchar_t* keyPath, const wchar_t* name, DWORD value) {
    StoreValue(keyPath, name, REG_DWORD, &value, sizeof value);
}

void StoreString(const wchar_t* keyPath, const wchar_t* name, const std::wstring& text) {
    StoreValue(keyPath, name, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

void PumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}
