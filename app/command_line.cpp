#include "app/command_line.h"

#include <objbase.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/command_output.h"
#include "app/command_words.h"
#include "app/main_window.h"
#include "app/platform_calls.h"
#include "app/startup.h"
#include "explorer/dot_folders.h"
#include "explorer/explorer_control.h"
#include "explorer/registry.h"
#include "explorer/settings_store.h"
#include "explorer/shell_views.h"
#include "i18n/catalog.h"
#include "veilux_version.h"

namespace {

// The running copy answers at once; a copy that does not is hung or busy.
constexpr UINT kAnswerWaitMs = 5000;
// Exit returns only once the copy's process has ended, so that its file can be replaced.
constexpr DWORD kExitWaitMs = 10000;

std::vector<std::wstring> CommandWords() {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::wstring> words;
    if (!arguments) return words;
    for (int i = 1; i < count; ++i) words.emplace_back(arguments[i]);
    LocalFree(arguments);
    return words;
}

// The stored interface language, else the user's; nothing is stored on the way.
Language CommandLanguage() {
    const std::wstring code = ReadLanguageSetting();
    return code.empty() ? CommandLanguageForId(GetUserDefaultUILanguage()) : LanguageForCode(code);
}

std::wstring Text(MessageKey key) { return CatalogText(CommandLanguage(), key); }

// Catalogue texts end their lines with LF; a Windows console and the files scripts write take CR LF.
std::wstring WithCrLf(std::wstring_view text) {
    std::wstring lines;
    for (const wchar_t unit : text) {
        if (unit == L'\n') lines += L'\r';
        lines += unit;
    }
    return lines + L"\r\n";
}

void Print(OutputStream stream, std::wstring_view text) { static_cast<void>(WriteOutput(stream, text)); }
void PrintAscii(const std::string& text) { Print(OutputStream::Out, std::wstring(text.begin(), text.end())); }
void PrintError(MessageKey key) { Print(OutputStream::Error, WithCrLf(Text(key))); }

int UsageError(const ParsedCommand& parsed) {
    MessageKey key = MessageKey::CliUnknownWord;
    if (parsed.error == CommandError::MissingValue) key = MessageKey::CliMissingValue;
    else if (parsed.error == CommandError::ExtraWord) key = MessageKey::CliExtraWord;
    else if (parsed.error == CommandError::TooLong) key = MessageKey::CliTooLong;
    std::wstring line = Text(key);
    const std::size_t mark = line.find(L"%1");
    if (mark != std::wstring::npos) line.replace(mark, 2, parsed.word);
    Print(OutputStream::Error, WithCrLf(line) + L"\r\n" + WithCrLf(Text(MessageKey::CliHelp)));
    return 2;
}

// What is stored now, as Explorer and the program read it at start.
ReportedState StoredState(bool running) {
    ReportedState state;
    DWORD value = 0;
    state.hiddenShown = ReadRegistryDword(kExplorerAdvancedKeyPath, L"Hidden", value) && value == 1;
    state.extensionsShown = !ReadRegistryDword(kExplorerAdvancedKeyPath, L"HideFileExt", value) || value == 0;
    state.protectedIncluded = ReadIncludeSystemFiles();
    state.dotFoldersHidden = ReadDotFoldersHidden();
    state.running = running;
    return state;
}

bool Wanted(CommandValue value, bool now) { return value == CommandValue::Toggle ? !now : value == CommandValue::On; }

// The running copy's way: the press's or the menu item's own function, when
// the setting is not already as asked. Changes made elsewhere are taken over
// first, so that "on" is judged by what Explorer shows now.
void CarryOutInCopy(const Command& command) {
    FollowExplorerValues();
    switch (command.verb) {
    case CommandVerb::Hidden:
        if (Wanted(command.value, g_app.hiddenVisible) != g_app.hiddenVisible) ToggleHiddenFiles();
        break;
    case CommandVerb::Extensions:
        if (Wanted(command.value, g_app.extensionsVisible) != g_app.extensionsVisible) ToggleExtensions();
        break;
    case CommandVerb::Protected:
        if (Wanted(command.value, g_app.includeSystemFiles) != g_app.includeSystemFiles) ToggleSystemFiles();
        break;
    case CommandVerb::DotFolders:
        if (Wanted(command.value, g_app.dotFoldersHidden) != g_app.dotFoldersHidden) ToggleDotFolders();
        break;
    default: break;
    }
}

// With no copy running the same functions do the work, without an icon or a
// window, and open views are refreshed before the process ends. The dot
// folders are marked, or their marks undone, to the end here: no worker
// would finish it.
void CarryOutHere(const Command& command) {
    g_platform.refreshShellViews = RefreshShellViewsNow;
    LoadState();
    g_app.dotFoldersHidden = ReadDotFoldersHidden();
    if (command.verb == CommandVerb::DotFolders) {
        const bool hidden = command.value == CommandValue::On;
        WriteDotFoldersHidden(hidden);
        const Interrupted never = [] { return false; };
        FolderBirths births;
        if (ReadDotFoldersHidden() != hidden) return;  // refused: nothing on disk changes
        const bool changed = hidden ? MarkDotFolders(DotFolderPlaces(), never, births) : UnmarkDotFolders(never);
        if (changed) RefreshShellViewsNow();
        return;
    }
    CarryOutInCopy(command);
}

HWND RunningCopy() { return FindWindowW(kMainWindowClass, kProductName); }

bool AskCopy(HWND copy, const Command& command, ReportedState& state) {
    CommandMessage message{};
    if (!EncodeCommand(command, message)) return false;
    COPYDATASTRUCT data = {};
    data.dwData = kCommandMessageId;
    data.cbData = sizeof message;
    data.lpData = &message;
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(copy, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG | SMTO_ERRORONEXIT,
                             kAnswerWaitMs, &answer))
        return false;
    return DecodeAnswer(static_cast<std::intptr_t>(answer), state);
}

// Asks the copy to end as its Exit item does and waits for its process.
int EndCopy(HWND copy) {
    DWORD processId = 0;
    GetWindowThreadProcessId(copy, &processId);
    const HANDLE process = processId ? OpenProcess(SYNCHRONIZE, FALSE, processId) : nullptr;
    ReportedState state;
    bool ended = AskCopy(copy, Command{CommandVerb::Exit, CommandValue::None, false}, state);
    if (ended && process) ended = WaitForSingleObject(process, kExitWaitMs) == WAIT_OBJECT_0;
    else if (ended) {
        // Without a handle to the process (another user's), its window going is all there is to see.
        for (DWORD waited = 0; IsWindow(copy) && waited < kExitWaitMs; waited += 50) Sleep(50);
        ended = !IsWindow(copy);
    }
    if (process) CloseHandle(process);
    if (!ended) PrintError(MessageKey::CliNoAnswer);
    return ended ? 0 : 1;
}

int Report(const Command& command, const ReportedState& before, const ReportedState& after) {
    if (command.verb == CommandVerb::Status) {
        PrintAscii(command.json ? StatusJson(after) : StatusText(after));
        return 0;
    }
    PrintAscii(ChangedLine(command.verb, after));
    if (StateHasWanted(command, before, after)) return 0;
    PrintError(MessageKey::CliNotDone);
    return 1;
}

int CarryOut(const Command& command) {
    const HWND copy = RunningCopy();
    if (command.verb == CommandVerb::Exit) {
        if (copy) return EndCopy(copy);
        PrintError(MessageKey::CliNotRunning);
        return 1;
    }
    const ReportedState before = StoredState(copy != nullptr);
    if (copy) {
        ReportedState after;
        if (!AskCopy(copy, command, after)) {
            PrintError(MessageKey::CliNoAnswer);
            return 1;
        }
        return Report(command, before, after);
    }
    if (command.verb != CommandVerb::Status) CarryOutHere(command);
    return Report(command, before, StoredState(false));
}

}  // namespace

bool HasCommandWords() { return !CommandWords().empty(); }

int RunCommandLine() {
    const ParsedCommand parsed = ParseCommandWords(CommandWords());
    if (parsed.error != CommandError::None) return UsageError(parsed);
    const Command& command = parsed.command;
    if (command.verb == CommandVerb::Help) {
        Print(OutputStream::Out, WithCrLf(Text(MessageKey::CliHelp)));
        return 0;
    }
    if (command.verb == CommandVerb::Version) {
        PrintAscii("Veilux " + std::to_string(VEILUX_VERSION_MAJOR) + "." + std::to_string(VEILUX_VERSION_MINOR) + "." +
                   std::to_string(VEILUX_VERSION_PATCH) + "\r\n");
        return 0;
    }
    // The shell's calls and the known-folder lookup may use COM.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    const int exitCode = CarryOut(command);
    ClearRunState();
    if (SUCCEEDED(com)) CoUninitialize();
    return exitCode;
}

LRESULT AnswerCommandMessage(const COPYDATASTRUCT* data) {
    Command command;
    // The sender's buffer is only lent for the call: it is read here and not kept.
    if (!data || !DecodeCommand(data->dwData, data->lpData, data->cbData, command)) return 0;
    CarryOutInCopy(command);
    const LRESULT answer = EncodeAnswer(StoredState(true));
    // The answer is on its way before the program ends: the quit is only posted.
    if (command.verb == CommandVerb::Exit) ExitApplication();
    return answer;
}
