#include "explorer/settings_store.h"

#include <windows.h>

#include "app/hotkey_rules.h"
#include "explorer/registry.h"
#include "i18n/catalog.h"

namespace {
constexpr DWORD kLanguageUnits = 10;
// The longest entry the program writes: a path of up to MAX_PATH - 1
// characters, its two quotes and the terminator (524 bytes).
constexpr DWORD kRunEntryBytes = (MAX_PATH - 1 + 2 + 1) * sizeof(wchar_t);

// Windows writes the mark as 12 bytes (a state word and the time of the switch).
constexpr DWORD kStartupMarkBytes = 64;

const wchar_t* ShortcutValueName(int hotkeyId) {
    return hotkeyId == kHotkeyToggleExtensions ? L"HotkeyExtensions" : L"HotkeyHidden";
}

// The key belongs to Windows: it is never created here, only a value in it deleted.
void ForgetStartupDisabledMark() { RegDeleteKeyValueW(HKEY_CURRENT_USER, kStartupApprovedKeyPath, kRunValueName); }

}  // namespace

std::wstring ReadLanguageSetting() {
    wchar_t buffer[kLanguageUnits] = {};
    if (!ReadRegistryBytes(kSettingsKeyPath, L"Lang", buffer, sizeof buffer)) return {};
    return std::wstring(StoredLanguageCode(buffer, kLanguageUnits));
}

void WriteLanguageSetting(std::wstring_view code) { WriteRegistryString(kSettingsKeyPath, L"Lang", code); }

bool ReadIncludeSystemFiles() {
    DWORD value = 0;
    if (!ReadRegistryDword(kSettingsKeyPath, L"IncludeSystemFiles", value)) return true;
    return value == 1;
}

void WriteIncludeSystemFiles(bool include) {
    WriteRegistryDword(kSettingsKeyPath, L"IncludeSystemFiles", include ? 1 : 0);
}

void WriteIncludeExtensions(bool shown) { WriteRegistryDword(kSettingsKeyPath, L"IncludeExtensions", shown ? 1 : 0); }

bool ReadDotFoldersHidden() {
    DWORD value = 0;
    return ReadRegistryExactDword(kSettingsKeyPath, L"DotFoldersHidden", value) && value == 1;
}

void WriteDotFoldersHidden(bool hidden) { WriteRegistryDword(kSettingsKeyPath, L"DotFoldersHidden", hidden ? 1 : 0); }

std::uint32_t ReadShortcutSetting(int hotkeyId) {
    DWORD value = 0;
    const bool read = ReadRegistryExactDword(kSettingsKeyPath, ShortcutValueName(hotkeyId), value);
    return StoredShortcut(read ? std::optional<std::uint32_t>(value) : std::nullopt, DefaultShortcut(hotkeyId));
}

void WriteShortcutSetting(int hotkeyId, std::uint32_t word) {
    WriteRegistryDword(kSettingsKeyPath, ShortcutValueName(hotkeyId), word);
}

void WriteRunAtStartup(bool chosen) { WriteRegistryDword(kSettingsKeyPath, L"RunAtStartup", chosen ? 1 : 0); }

bool RunEntryExists() {
    BYTE buffer[kRunEntryBytes] = {};
    return ReadRegistryBytes(kRunKeyPath, kRunValueName, buffer, sizeof buffer);
}

bool RunEntryEnabled() {
    if (!RunEntryExists()) return false;
    BYTE mark[kStartupMarkBytes] = {};
    // No mark, or one that does not fit, leaves the entry as Windows runs it: on.
    if (!ReadRegistryBytes(kStartupApprovedKeyPath, kRunValueName, mark, sizeof mark)) return true;
    return (mark[0] & 1) == 0;
}

void WriteRunEntry() {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    // A full buffer means the path was cut short: such a path would start
    // nothing, or something else, at logon.
    if (length == 0 || length >= MAX_PATH) return;
    // Quoted, so that a path with spaces cannot be read as a shorter program path.
    std::wstring quoted = L"\"";
    quoted.append(path, length);
    quoted += L"\"";
    WriteRegistryString(kRunKeyPath, kRunValueName, quoted);
    ForgetStartupDisabledMark();
}

void DeleteRunEntry() {
    DeleteRegistryValue(kRunKeyPath, kRunValueName);
    ForgetStartupDisabledMark();
}
