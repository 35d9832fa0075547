#include "explorer/explorer_control.h"

#include <windows.h>
#include <shlobj.h>

#include <cstdint>
#include <cstring>
#include <memory>

#include "app/app_state.h"
#include "app/platform_calls.h"
#include "explorer/explorer_flags.h"
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

}  // namespace

bool LoadState() {
    g_app.controller = std::make_unique<AppController>();
    DWORD value = 0;
    g_app.extensionsVisible = ReadRegistryDword(kExplorerAdvancedKeyPath, L"HideFileExt", value) ? value == 0 : true;
    g_app.hiddenVisible = ReadRegistryDword(kExplorerAdvancedKeyPath, L"Hidden", value) ? value == 1 : false;
    g_app.includeSystemFiles = ReadIncludeSystemFiles();
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
    WriteRegistryDword(kExplorerAdvancedKeyPath, L"ShowSuperHidden", OnOffValue(includeSystem));
}

void ToggleHiddenFiles() {
    if (!g_app.controller) return;
    const bool newShow = !g_app.hiddenVisible;
    const bool system = g_app.includeSystemFiles;
    ApplyExplorerFlags(newShow, system);
    WriteExplorerValues(newShow, system);
}

void ToggleSystemFiles() {
    const bool show = g_app.hiddenVisible;
    const bool newSystem = !g_app.includeSystemFiles;
    ApplyExplorerFlags(show, newSystem);
    if (!g_app.controller) return;
    WriteIncludeSystemFiles(newSystem);
    WriteExplorerValues(show, newSystem);
}

void ToggleExtensions() {
    if (!g_app.controller) return;
    const bool wasShown = g_app.extensionsVisible;
    ChangeShellSettings(kExtensionsMask, [=](std::uint32_t word) { return WithExtensionsBit(word, !wasShown); });
    g_app.extensionsVisible = !wasShown;
    WriteRegistryDword(kExplorerAdvancedKeyPath, L"HideFileExt", HideFileExtValue(!wasShown));
    WriteIncludeExtensions(g_app.extensionsVisible);
    UpdateTray();
}
