// Explorer's view settings: loaded at start, followed when they change
// elsewhere, flipped on demand. Each flip starts from what Explorer shows at
// that moment and goes to the shell's live settings, to the shell's change
// notification, to Explorer's per-user registry values and to the open folder
// windows, which redraw. The program's copy of the state lives in g_app.
#pragma once

inline constexpr wchar_t kExplorerAdvancedKeyPath[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";

// Creates the AppController and reads the three flags. Always succeeds.
bool LoadState();

// Reads "Hidden" and "HideFileExt" again, as LoadState does, and takes over
// what changed, redrawing the tray; a new "ShowSuperHidden" of 0 or 1 becomes
// the include-system-files option, which is saved. Writes nothing else, and
// nothing of Explorer's: the change was made elsewhere (Explorer's options, a
// script) and stays as it was made. Does nothing without the controller or
// while the program is changing the settings itself. True when the program's
// copy changed.
bool FollowExplorerValues();

void ApplyExplorerFlags(bool show, bool includeSystem);
void WriteExplorerValues(bool show, bool includeSystem);

void ToggleHiddenFiles();
void ToggleSystemFiles();
void ToggleExtensions();
