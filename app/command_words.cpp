#include "app/command_words.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

wchar_t LowerAscii(wchar_t unit) { return unit >= L'A' && unit <= L'Z' ? static_cast<wchar_t>(unit + 32) : unit; }

bool SameWord(std::wstring_view word, std::wstring_view keyword) {
    if (word.size() != keyword.size()) return false;
    for (std::size_t i = 0; i < word.size(); ++i)
        if (LowerAscii(word[i]) != keyword[i]) return false;
    return true;
}

struct VerbWord {
    const wchar_t* word;
    CommandVerb verb;
};

constexpr std::array<VerbWord, 11> kVerbWords = {{
    {L"hidden", CommandVerb::Hidden},
    {L"extensions", CommandVerb::Extensions},
    {L"protected", CommandVerb::Protected},
    {L"dotfolders", CommandVerb::DotFolders},
    {L"status", CommandVerb::Status},
    {L"exit", CommandVerb::Exit},
    {L"help", CommandVerb::Help},
    {L"--help", CommandVerb::Help},
    {L"-h", CommandVerb::Help},
    {L"/?", CommandVerb::Help},
    {L"--version", CommandVerb::Version},
}};

CommandVerb VerbOf(std::wstring_view word) {
    for (const VerbWord& entry : kVerbWords)
        if (SameWord(word, entry.word)) return entry.verb;
    return CommandVerb::None;
}

bool TakesToggle(CommandVerb verb) { return verb == CommandVerb::Hidden || verb == CommandVerb::Extensions; }

CommandValue ValueOf(std::wstring_view word, CommandVerb verb) {
    if (SameWord(word, L"on")) return CommandValue::On;
    if (SameWord(word, L"off")) return CommandValue::Off;
    if (TakesToggle(verb) && SameWord(word, L"toggle")) return CommandValue::Toggle;
    return CommandValue::None;
}

ParsedCommand Failure(CommandError error, std::wstring word = {}) {
    ParsedCommand parsed;
    parsed.error = error;
    parsed.word = std::move(word);
    return parsed;
}

const char* ShownOrHidden(bool shown) { return shown ? "shown" : "hidden"; }
const char* OnOrOff(bool on) { return on ? "on" : "off"; }

struct Field {
    const char* name;
    const char* value;
};

std::array<Field, 5> Fields(const ReportedState& state) {
    return {{
        {"hidden-files", ShownOrHidden(state.hiddenShown)},
        {"protected-files", OnOrOff(state.protectedIncluded)},
        {"extensions", ShownOrHidden(state.extensionsShown)},
        {"dot-folders", OnOrOff(state.dotFoldersHidden)},
        {"running", state.running ? "yes" : "no"},
    }};
}

// Appended piece by piece: the program is kept small, and each operator+ is code of its own.
void AppendLine(std::string& text, const Field& field) {
    text.append(field.name).append(": ").append(field.value).append("\r\n");
}

// The flag each setting verb reads and changes.
bool ReportedSetting(CommandVerb verb, const ReportedState& state) {
    switch (verb) {
    case CommandVerb::Hidden: return state.hiddenShown;
    case CommandVerb::Extensions: return state.extensionsShown;
    case CommandVerb::Protected: return state.protectedIncluded;
    case CommandVerb::DotFolders: return state.dotFoldersHidden;
    default: return false;
    }
}

constexpr std::intptr_t kAnswerMark = 0x5600;

// In the order of the help's lines, padded to one column.
constexpr std::array<const char*, 8> kHelpCommands = {
    "  veilux hidden on|off|toggle       ", "  veilux extensions on|off|toggle   ",
    "  veilux protected on|off           ", "  veilux dotfolders on|off          ",
    "  veilux status [--json]            ", "  veilux exit                       ",
    "  veilux help                       ", "  veilux --version                  ",
};

// The primary language ids of the catalogue's languages, in its order, five
// bits each in one number: a table would cost the program more than this.
constexpr std::uint64_t PackedIds(const std::array<std::uint64_t, kLanguageCount>& ids) {
    std::uint64_t packed = 0;
    for (std::size_t i = 0; i < ids.size(); ++i) packed |= ids[i] << (5 * i);
    return packed;
}
constexpr std::uint64_t kPrimaryLanguageIds = PackedIds({0x09, 0x0A, 0x16, 0x07, 0x0C, 0x10, 0x04, 0x19, 0x12, 0x13});

}  // namespace

Language CommandLanguageForId(unsigned short languageId) {
    const std::uint64_t primary = languageId & 0x3FFu;
    for (std::size_t i = 0; i < kLanguageCount; ++i)
        if (((kPrimaryLanguageIds >> (5 * i)) & 0x1Fu) == primary) return static_cast<Language>(i);
    return Language::English;
}

ParsedCommand ParseCommandWords(std::span<const wchar_t* const> words) {
    const auto tooLong = std::ranges::find_if(
        words, [](const wchar_t* word) { return std::wstring_view(word).size() > kLongestArgument; });
    if (tooLong != words.end()) return Failure(CommandError::TooLong, *tooLong);
    ParsedCommand parsed;
    if (words.empty()) return parsed;
    const CommandVerb verb = VerbOf(words[0]);
    if (verb == CommandVerb::None) return Failure(CommandError::UnknownWord, words[0]);
    parsed.command.verb = verb;
    std::size_t used = 1;
    if (ChangesSetting(verb)) {
        if (words.size() < 2) return Failure(CommandError::MissingValue, words[0]);
        parsed.command.value = ValueOf(words[1], verb);
        if (parsed.command.value == CommandValue::None) return Failure(CommandError::UnknownWord, words[1]);
        used = 2;
    } else if (verb == CommandVerb::Status && words.size() > 1 && SameWord(words[1], L"--json")) {
        parsed.command.json = true;
        used = 2;
    }
    if (words.size() > used) return Failure(CommandError::ExtraWord, words[used]);
    return parsed;
}

bool ChangesSetting(CommandVerb verb) {
    return verb == CommandVerb::Hidden || verb == CommandVerb::Extensions || verb == CommandVerb::Protected ||
           verb == CommandVerb::DotFolders;
}

std::string StatusText(const ReportedState& state) {
    std::string text;
    for (const Field& field : Fields(state)) AppendLine(text, field);
    return text;
}

std::string StatusJson(const ReportedState& state) {
    std::string text;
    for (const Field& field : Fields(state))
        text.append(text.empty() ? "{\"" : ",\"").append(field.name).append("\":\"").append(field.value).append("\"");
    return text.append("}\r\n");
}

std::string ChangedLine(CommandVerb verb, const ReportedState& state) {
    std::size_t field = 0;
    switch (verb) {
    case CommandVerb::Hidden: field = 0; break;
    case CommandVerb::Protected: field = 1; break;
    case CommandVerb::Extensions: field = 2; break;
    case CommandVerb::DotFolders: field = 3; break;
    default: return {};
    }
    std::string text;
    AppendLine(text, Fields(state)[field]);
    return text;
}

bool StateHasWanted(const Command& command, const ReportedState& before, const ReportedState& after) {
    if (!ChangesSetting(command.verb)) return true;
    const bool now = ReportedSetting(command.verb, after);
    switch (command.value) {
    case CommandValue::On: return now;
    case CommandValue::Off: return !now;
    case CommandValue::Toggle: return now != ReportedSetting(command.verb, before);
    default: return false;
    }
}

bool EncodeCommand(const Command& command, CommandMessage& message) {
    const bool setting = ChangesSetting(command.verb) && command.value != CommandValue::None;
    if (!setting && command.verb != CommandVerb::Status && command.verb != CommandVerb::Exit) return false;
    message = CommandMessage{};
    message.magic = kCommandMagic;
    message.version = kCommandLayoutVersion;
    message.size = sizeof(CommandMessage);
    message.verb = static_cast<std::uint8_t>(command.verb);
    message.value = static_cast<std::uint8_t>(setting ? command.value : CommandValue::None);
    return true;
}

bool DecodeCommand(std::uintptr_t id, const void* data, std::size_t size, Command& command) {
    if (id != kCommandMessageId || !data || size != sizeof(CommandMessage)) return false;
    CommandMessage message;
    std::memcpy(&message, data, sizeof message);  // the sender's buffer need not be aligned
    if (message.magic != kCommandMagic || message.version != kCommandLayoutVersion ||
        message.size != sizeof(CommandMessage) || message.spare[0] != 0 || message.spare[1] != 0)
        return false;
    const auto verb = static_cast<CommandVerb>(message.verb);
    const auto value = static_cast<CommandValue>(message.value);
    if (message.value > static_cast<std::uint8_t>(CommandValue::Toggle)) return false;
    if (ChangesSetting(verb)) {
        if (value == CommandValue::None || (value == CommandValue::Toggle && !TakesToggle(verb))) return false;
    } else if ((verb != CommandVerb::Status && verb != CommandVerb::Exit) || value != CommandValue::None) {
        return false;
    }
    command = Command{verb, value, false};
    return true;
}

std::intptr_t EncodeAnswer(const ReportedState& state) {
    return kAnswerMark | (state.hiddenShown ? 1 : 0) | (state.protectedIncluded ? 2 : 0) |
           (state.extensionsShown ? 4 : 0) | (state.dotFoldersHidden ? 8 : 0);
}

bool DecodeAnswer(std::intptr_t answer, ReportedState& state) {
    if ((answer & ~std::intptr_t{0xF}) != kAnswerMark) return false;
    state.hiddenShown = (answer & 1) != 0;
    state.protectedIncluded = (answer & 2) != 0;
    state.extensionsShown = (answer & 4) != 0;
    state.dotFoldersHidden = (answer & 8) != 0;
    state.running = true;
    return true;
}

std::string HelpText(std::string_view lines) {
    std::string help;
    std::size_t line = 0;
    for (std::size_t start = 0; start <= lines.size(); ++line) {
        std::size_t end = lines.find('\n', start);
        if (end == std::string_view::npos) end = lines.size();
        if (line < kHelpCommands.size()) help.append(kHelpCommands[line]);
        else help += '\n';  // a blank line before the exit codes
        help.append(lines.substr(start, end - start)).append("\n");
        start = end + 1;
    }
    return help;
}
