#include "app/command_line.h"

#include <objbase.h>
#include <shellapi.h>

#include <algorithm>
#include <span>
#include <string>

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
#include "i18n/command_texts.h"
#include "veilux_version.h"

// "1.0.0", from the version's three numbers.
#define VEILUX_QUOTED_VERSION(major, minor, patch) #major "." #minor "." #patch
#define VEILUX_VERSION_TEXT(major, minor, patch) VEILUX_QUOTED_VERSION(major, minor, patch)

namespace {

// The running copy answers at once; a copy that does not is hung or busy.
constexpr UINT kAnswerWaitMs = 5000;
// Exit returns only once the copy's process has ended, so that its file can be replaced.
constexpr DWORD kExitWaitMs = 10000;

// The words after the program's name, split as the C runtime splits them.
class CommandWords {
public:
    CommandWords() : arguments_(CommandLineToArgvW(GetCommandLineW(), &count_)) {}
    ~CommandWords() { LocalFree(arguments_); }
    CommandWords(const CommandWords&) = delete;
    CommandWords& operator=(const CommandWords&) = delete;
    [[nodiscard]] std::span<const wchar_t* const> Words() const {
        if (!arguments_ || count_ < 2) return {};
        return {arguments_ + 1, static_cast<std::size_t>(count_ - 1)};
    }

private:
    int count_ = 0;
    LPWSTR* arguments_;
};

// The stored interface language, else the user's; nothing is stored on the way.
Language CommandLanguage() {
    const std::wstring code = ReadLanguageSetting();
    if (code.empty()) return CommandLanguageForId(GetUserDefaultUILanguage());
    return LanguageForCode(code);
}

std::string Text(CommandText key) { return CommandLineText(CommandLanguage(), key); }

// The user's word, for an error line.
std::string Utf8(const std::wstring& word) {
    const int size = static_cast<int>(word.size());
    std::string bytes(
        static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, word.data(), size, nullptr, 0, nullptr, nullptr)),
        '\0');
    WideCharToMultiByte(CP_UTF8, 0, word.data(), size, bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr);
    return bytes;
}

// Catalogue texts end their lines with LF; a Windows console and the files
// scripts write take CR LF. The last line is ended too.
std::string WithCrLf(std::string_view text) {
    std::string lines;
    for (const char unit : text) {
        if (unit == '\n') lines += '\r';
        lines += unit;
    }
    if (lines.empty() || lines.back() != '\n') lines += "\r\n";
    return lines;
}

void Print(OutputStream stream, std::string_view text) { static_cast<void>(WriteOutput(stream, text)); }
void PrintError(CommandText key) { Print(OutputStream::Error, WithCrLf(Text(key))); }

int UsageError(const ParsedCommand& parsed) {
    const CommandText key = parsed.error == CommandError::MissingValue ? CommandText::MissingValue
                                                                       : CommandText::UnexpectedWord;
    // The line in pieces, the word in the place of its mark.
    const std::string_view line = CommandLineText(CommandLanguage(), key);
    const std::size_t mark = std::min(line.find("%1"), line.size());
    Print(OutputStream::Error, line.substr(0, mark));
    if (mark < line.size()) Print(OutputStream::Error, Utf8(parsed.word));
    Print(OutputStream::Error, WithCrLf(line.substr(std::min(mark + 2, line.size()))));
    Print(OutputStream::Error, "\r\n");
    Print(OutputStream::Error, WithCrLf(HelpText(Text(CommandText::Help))));
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

bool NeverInterrupted() { return false; }

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
        const Interrupted never = NeverInterrupted;
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
    // Without a handle to wait on, the end could not be told: the copy is not asked.
    const HANDLE process = processId ? OpenProcess(SYNCHRONIZE, FALSE, processId) : nullptr;
    ReportedState state;
    const bool ended = process && AskCopy(copy, Command{CommandVerb::Exit, CommandValue::None, false}, state) &&
                       WaitForSingleObject(process, kExitWaitMs) == WAIT_OBJECT_0;
    if (process) CloseHandle(process);
    if (!ended) PrintError(CommandText::NoAnswer);
    return ended ? 0 : 1;
}

int Report(const Command& command, const ReportedState& before, const ReportedState& after) {
    if (command.verb == CommandVerb::Status) {
        Print(OutputStream::Out, command.json ? StatusJson(after) : StatusText(after));
        return 0;
    }
    Print(OutputStream::Out, ChangedLine(command.verb, after));
    if (StateHasWanted(command, before, after)) return 0;
    PrintError(CommandText::NotDone);
    return 1;
}

int CarryOut(const Command& command) {
    const HWND copy = RunningCopy();
    if (command.verb == CommandVerb::Exit) {
        if (copy) return EndCopy(copy);
        PrintError(CommandText::NotRunning);
        return 1;
    }
    const ReportedState before = StoredState(copy != nullptr);
    if (copy) {
        ReportedState after;
        if (!AskCopy(copy, command, after)) {
            PrintError(CommandText::NoAnswer);
            return 1;
        }
        return Report(command, before, after);
    }
    if (command.verb != CommandVerb::Status) CarryOutHere(command);
    return Report(command, before, StoredState(false));
}

}  // namespace

bool HasCommandWords() { return !CommandWords().Words().empty(); }

int RunCommandLine() {
    const ParsedCommand parsed = ParseCommandWords(CommandWords().Words());
    if (parsed.error != CommandError::None) return UsageError(parsed);
    const Command& command = parsed.command;
    if (command.verb == CommandVerb::Help) {
        Print(OutputStream::Out, WithCrLf(HelpText(Text(CommandText::Help))));
        return 0;
    }
    if (command.verb == CommandVerb::Version) {
        Print(OutputStream::Out,
              "Veilux " VEILUX_VERSION_TEXT(VEILUX_VERSION_MAJOR, VEILUX_VERSION_MINOR, VEILUX_VERSION_PATCH) "\r\n");
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
