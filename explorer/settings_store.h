// The settings store: the program's own per-user values under
// HKEY_CURRENT_USER "Software\Veilux", and its entry in the per-user Run key
// that makes Windows start it at logon. Nothing here reports a failure: a
// failed read gives the value's default, a failed write keeps the old value.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

inline constexpr wchar_t kSettingsKeyPath[] = L"Software\\Veilux";
inline constexpr wchar_t kRunKeyPath[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr wchar_t kRunValueName[] = L"Veilux";
// Where Windows marks a Run entry that the user switched off in Task Manager
// or Settings: a binary value named like the entry whose first byte has its
// lowest bit set (03, 07) while the entry is off; 02, 06 or no value mean on.
inline constexpr wchar_t kStartupApprovedKeyPath[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";

// The stored "Lang" code, at most 10 UTF-16 units; empty when absent,
// unreadable or longer than 20 bytes.
std::wstring ReadLanguageSetting();
void WriteLanguageSetting(std::wstring_view code);

// "IncludeSystemFiles": only 1 counts as true; absent or unreadable is true.
bool ReadIncludeSystemFiles();
void WriteIncludeSystemFiles(bool include);

void WriteIncludeExtensions(bool shown);

// "DotFoldersHidden": only a REG_DWORD of 1 counts as on; absent, another
// type or another number is off, so nothing on disk changes unasked.
bool ReadDotFoldersHidden();
void WriteDotFoldersHidden(bool hidden);

// "HotkeyHidden" and "HotkeyExtensions", by hotkey id: a hotkey control's
// word, 0 for no shortcut; unreadable or malformed gives the default.
std::uint32_t ReadShortcutSetting(int hotkeyId);
void WriteShortcutSetting(int hotkeyId, std::uint32_t word);

void WriteRunAtStartup(bool chosen);

// Whether the Run entry exists (its data is not compared with this program's path).
bool RunEntryExists();
// Whether Windows will start the program at logon: the Run entry exists and
// the user has not switched it off in Task Manager or Settings.
bool RunEntryEnabled();
// Stores the running executable's path, in double quotes, as the Run entry,
// and drops Windows' "disabled" mark so that the user's choice takes effect.
// Leaves both as they were when the path could not be had in full.
void WriteRunEntry();
// Deletes the Run entry and Windows' mark for it.
void DeleteRunEntry();
