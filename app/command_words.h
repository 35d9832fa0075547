// The command line's words, the state it reports and the message that hands
// a command to the running copy. Portable: no Windows headers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "i18n/catalog.h"

enum class CommandVerb : std::uint8_t { None, Hidden, Extensions, Protected, DotFolders, Status, Exit, Help, Version };
enum class CommandValue : std::uint8_t { None, On, Off, Toggle };

struct Command {
    CommandVerb verb = CommandVerb::None;
    CommandValue value = CommandValue::None;
    bool json = false;  // status only
};

enum class CommandError : std::uint8_t { None, UnknownWord, MissingValue, ExtraWord, TooLong };

struct ParsedCommand {
    Command command;
    CommandError error = CommandError::None;
    std::wstring word;  // the word the error names
};

// Longer arguments are refused before anything else is read.
inline constexpr std::size_t kLongestArgument = 64;

// The words after the program's name; none gives CommandVerb::None (the
// program starts as usual). Keywords are English, in any letter case.
ParsedCommand ParseCommandWords(std::span<const wchar_t* const> words);

// The language of the help and errors for a Windows language id, when none
// is stored: any of the catalogue's ten by its primary language, else English.
Language CommandLanguageForId(unsigned short languageId);

// Whether the command changes a setting (and so prints the one line of what it changed).
bool ChangesSetting(CommandVerb verb);

// What a command reports: Explorer's two switches, the program's two options, and whether a copy runs.
struct ReportedState {
    bool hiddenShown = false;
    bool protectedIncluded = false;
    bool extensionsShown = false;
    bool dotFoldersHidden = false;
    bool running = false;
};

// Five lines "name: value", each ended with CR LF.
std::string StatusText(const ReportedState& state);
// One JSON object with the same names and values, then CR LF.
std::string StatusJson(const ReportedState& state);
// The one line of what the verb changes, as it now stands, then CR LF.
std::string ChangedLine(CommandVerb verb, const ReportedState& state);
// Whether the state shows what the command asked for (a toggle asks for the opposite of before).
bool StateHasWanted(const Command& command, const ReportedState& before, const ReportedState& after);

// The message's layout, version 1: sent as WM_COPYDATA with dwData
// kCommandMessageId; anything of another size, identifier, magic, version,
// verb, value or a non-zero spare byte is ignored.
inline constexpr std::uintptr_t kCommandMessageId = 0x56584331u;  // "VXC1"
inline constexpr std::uint32_t kCommandMagic = 0x4C494356u;  // "VCIL"
inline constexpr std::uint16_t kCommandLayoutVersion = 1;

struct CommandMessage {
    std::uint32_t magic;
    std::uint16_t version;
    std::uint16_t size;  // sizeof(CommandMessage)
    std::uint8_t verb;
    std::uint8_t value;
    std::uint8_t spare[2];
};
static_assert(sizeof(CommandMessage) == 12, "the layout is fixed");

// Only the verbs the running copy carries out: the setting verbs with their values, status and exit.
bool EncodeCommand(const Command& command, CommandMessage& message);
bool DecodeCommand(std::uintptr_t id, const void* data, std::size_t size, Command& command);

// The copy's answer, the window procedure's result: the state afterwards
// with a mark; 0 (what an ignored or unhandled message returns) is no answer.
std::intptr_t EncodeAnswer(const ReportedState& state);
bool DecodeAnswer(std::intptr_t answer, ReportedState& state);

// The help, from the text of nine lines in the interface language (what each
// command does, then the exit codes): the commands, which are the same in
// every language, stand before their lines. Lines end with LF.
std::string HelpText(std::string_view lines);
