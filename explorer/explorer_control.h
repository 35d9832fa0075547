// Explorer's view settings: loaded once at start, flipped on demand. Each
// change goes to the shell's live settings, to the shell's change
// notification (so open folder windows redraw) and to Explorer's per-user
// registry values. The program's copy of the state lives in g_app.
#pragma once

inline constexpr wchar_t kExplorerAdvancedKeyPath[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";

// Creates the AppController and reads the three flags. Always succeeds.
bool LoadState();

void ApplyExplorerFlags(bool show, bool includeSystem);
void WriteExplorerValues(bool show, bool includeSystem);

void ToggleHiddenFiles();
void ToggleSystemFiles();
void ToggleExtensions();
