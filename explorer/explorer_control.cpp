#include "explorer/explorer_control.h"

#include <windows.h>
#include <shlobj.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>

#include "app/app_state.h"
#include "app/platform_calls.h"
#include "explorer/explorer_flags.h"
#include "explorer/folder_windows.h"
#include "explorer/registry.h"
#include "explorer/settings_store.h"
#include "tray/tray_icon.h"

namespace {

// The program changes bits of the settings record's first 32-bit word only.
std::uint32_t FirstWord(const SHELLSTATE& state) {
    std::uint32_t word = 0;
    std::memcpy(&word, &state, sizeof word);
    return word;
}

void SetFirstWord(SHELLSTATE& state, std::uint32_t word) { std::memcpy(&state, &word, sizeof word); }

// Replaces the masked shell settings with the word that change() makes of them.
template <typename Change>
void ChangeShellSettings(DWORD mask, Change change) {
    SHELLSTATE state;
    std::memset(&state, 0, sizeof state);
    g_platform.getSetShellSettings(&state, mask, FALSE);
    SetFirstWord(state, change(FirstWord(state)));
    g_platform.getSetShellSettings(&state, mask, TRUE);
    g_platform.changeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
}

void UpdateTray() {
    if (g_app.tray) g_app.tray->Update(g_app.hiddenVisible, g_app.includeSystemFiles);
}

// What Explorer shows now, by its registry values: the shell's own reading
// is not available everywhere, and Explorer keeps the two in step.
bool ExplorerShowsHiddenFiles() {
    DWORD value = 0;
    return ReadRegistryDword(kExplorerAdvancedKeyPath, L"Hidden", value) ? value == 1 : false;
}

bool ExplorerShowsExtensions() {
    DWORD value = 0;
    return ReadRegistryDword(kExplorerAdvancedKeyPath, L"HideFileExt", value) ? value == 0 : true;
}

std::optional<DWORD> ReadSuperHidden() {
    DWORD value = 0;
    if (!ReadRegistryDword(kExplorerAdvancedKeyPath, L"ShowSuperHidden", value)) return std::nullopt;
    return value;
}

// "ShowSuperHidden" as the program last wrote or read it; empty when it was absent.
std::optional<DWORD> g_superHiddenSeen;

// Folder Options' "Hide protected operating system files" writes
// "ShowSuperHidden" as 0 or 1. Such a change made elsewhere becomes the
// option; a value the program wrote or saw before, or any other, does not.
bool IncludeSystemFilesAfterChanges() {
    const std::optional<DWORD> now = ReadSuperHidden();
    const bool changed = now != g_superHiddenSeen;
    g_superHiddenSeen = now;
    if (changed && now && *now <= 1) return *now == 1;
    return g_app.includeSystemFiles;
}

// Set while a toggle runs. On Windows the shell's settings call announces
// the change to every top-level window, this program's included, before it
// returns: that announcement is the program's own change, half made, and
// must not be taken for one made elsewhere.
bool g_changingSettings = false;

class ChangingSettings {
public:
    ChangingSettings() { g_changingSettings = true; }
    ~ChangingSettings() { g_changingSettings = false; }
    ChangingSettings(const ChangingSettings&) = delete;
    ChangingSettings& operator=(const ChangingSettings&) = delete;
};

}  // namespace

bool LoadState() {
    g_app.controller = std::make_unique<AppController>();
    g_app.extensionsVisible = ExplorerShowsExtensions();
    g_app.hiddenVisible = ExplorerShowsHiddenFiles();
    // The option comes from the program's own value alone: its default (on)
    // is not Windows' default for "ShowSuperHidden" (0).
    g_app.includeSystemFiles = ReadIncludeSystemFiles();
    g_superHiddenSeen = ReadSuperHidden();
    return true;
}

bool FollowExplorerValues() {
    if (!g_app.controller || g_changingSettings) return false;
    const bool hidden = ExplorerShowsHiddenFiles();
    const bool extensions = ExplorerShowsExtensions();
    const bool system = IncludeSystemFilesAfterChanges();
    if (hidden == g_app.hiddenVisible && extensions == g_app.extensionsVisible && system == g_app.includeSystemFiles)
        return false;
    g_app.hiddenVisible = hidden;
    g_app.extensionsVisible = extensions;
    if (system != g_app.includeSystemFiles) {
        g_app.includeSystemFiles = system;
        WriteIncludeSystemFiles(system);
    }
    UpdateTray();
    return true;
}

void ApplyExplorerFlags(bool show, bool includeSystem) {
    ChangeShellSettings(kHiddenFilesMask,
                        [=](std::uint32_t word) { return WithHiddenFilesBits(word, show, includeSystem); });
    g_app.hiddenVisible = show;
    g_app.includeSystemFiles = includeSystem;
    UpdateTray();
}

void WriteExplorerValues(bool show, bool includeSystem) {
    WriteRegistryDword(kExplorerAdvancedKeyPath, L"Hidden", ShownOrNotValue(show));
    if (WriteRegistryDword(kExplorerAdvancedKeyPath, L"ShowSuperHidden", OnOffValue(includeSystem)))
        g_superHiddenSeen = OnOffValue(includeSystem);
}

// Each toggle flips what Explorer shows at the moment of the press, which
// may have been changed elsewhere since the program last looked.

void ToggleHiddenFiles() {
    if (!g_app.controller) return;
    const ChangingSettings changing;
    const bool newShow = !ExplorerShowsHiddenFiles();
    const bool system = g_app.includeSystemFiles;
    ApplyExplorerFlags(newShow, system);
    WriteExplorerValues(newShow, system);
    RefreshFolderWindows();
}

void ToggleSystemFiles() {
    const ChangingSettings changing;
    const bool show = ExplorerShowsHiddenFiles();
    const bool newSystem = !g_app.includeSystemFiles;
    ApplyExplorerFlags(show, newSystem);
    if (g_app.controller) {
        WriteIncludeSystemFiles(newSystem);
        WriteExplorerValues(show, newSystem);
    }
    RefreshFolderWindows();
}

void ToggleExtensions() {
    if (!g_app.controller) return;
    const ChangingSettings changing;
    const bool wasShown = ExplorerShowsExtensions();
    ChangeShellSettings(kExtensionsMask, [=](std::uint32_t word) { return WithExtensionsBit(word, !wasShown); });
    g_app.extensionsVisible = !wasShown;
    WriteRegistryDword(kExplorerAdvancedKeyPath, L"HideFileExt", HideFileExtValue(!wasShown));
    WriteIncludeExtensions(g_app.extensionsVisible);
    UpdateTray();
    RefreshFolderWindows();
}
