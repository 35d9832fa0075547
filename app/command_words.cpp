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

std::string Line(const Field& field) { return std::string(field.name) + ": " + field.value + "\r\n"; }

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

}  // namespace

ParsedCommand ParseCommandWords(const std::vector<std::wstring>& words) {
    if (std::ranges::any_of(words, [](const std::wstring& word) { return word.size() > kLongestArgument; }))
        return Failure(CommandError::TooLong);
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
    for (const Field& field : Fields(state)) text += Line(field);
    return text;
}

std::string StatusJson(const ReportedState& state) {
    std::string text = "{";
    for (const Field& field : Fields(state)) {
        if (text.size() > 1) text += ',';
        text += std::string("\"") + field.name + "\":\"" + field.value + "\"";
    }
    return text + "}\r\n";
}

std::string ChangedLine(CommandVerb verb, const ReportedState& state) {
    const std::array<Field, 5> fields = Fields(state);
    switch (verb) {
    case CommandVerb::Hidden: return Line(fields[0]);
    case CommandVerb::Protected: return Line(fields[1]);
    case CommandVerb::Extensions: return Line(fields[2]);
    case CommandVerb::DotFolders: return Line(fields[3]);
    default: return {};
    }
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

Language CommandLanguageForId(unsigned short languageId) {
    switch (languageId & 0x3FFu) {
    case 0x0Au: return Language::Spanish;
    case 0x16u: return Language::Portuguese;
    case 0x07u: return Language::German;
    case 0x0Cu: return Language::French;
    case 0x10u: return Language::Italian;
    case 0x04u: return Language::Chinese;
    case 0x19u: return Language::Russian;
    case 0x12u: return Language::Korean;
    case 0x13u: return Language::Dutch;
    default: return Language::English;
    }
}

std::string Utf8(std::wstring_view text) {
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::uint32_t point = static_cast<std::uint32_t>(text[i]);
        if (point >= 0xD800 && point < 0xDC00 && i + 1 < text.size()) {
            const std::uint32_t low = static_cast<std::uint32_t>(text[i + 1]);
            if (low >= 0xDC00 && low < 0xE000) {
                point = 0x10000 + ((point - 0xD800) << 10) + (low - 0xDC00);
                ++i;
            }
        }
        if (point >= 0xD800 && point < 0xE000) point = 0xFFFD;  // a lone surrogate
        if (point < 0x80) {
            bytes += static_cast<char>(point);
        } else if (point < 0x800) {
            bytes += static_cast<char>(0xC0 | (point >> 6));
            bytes += static_cast<char>(0x80 | (point & 0x3F));
        } else if (point < 0x10000) {
            bytes += static_cast<char>(0xE0 | (point >> 12));
            bytes += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
            bytes += static_cast<char>(0x80 | (point & 0x3F));
        } else {
            bytes += static_cast<char>(0xF0 | (point >> 18));
            bytes += static_cast<char>(0x80 | ((point >> 12) & 0x3F));
            bytes += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
            bytes += static_cast<char>(0x80 | (point & 0x3F));
        }
    }
    return bytes;
}
