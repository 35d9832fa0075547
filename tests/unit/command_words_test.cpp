#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "app/command_words.h"
#include "i18n/command_texts.h"

namespace {

ParsedCommand Parse(const std::vector<std::wstring>& words) {
    std::vector<const wchar_t*> units;
    for (const std::wstring& word : words) units.push_back(word.c_str());
    return ParseCommandWords(units);
}

CommandMessage Encoded(CommandVerb verb, CommandValue value) {
    CommandMessage message{};
    EXPECT_TRUE(EncodeCommand(Command{verb, value, false}, message));
    return message;
}

}  // namespace

TEST(CommandWords, KeywordsInAnyCaseWithTheirValues) {
    const ParsedCommand hidden = Parse({L"HiDdEn", L"TOGGLE"});
    EXPECT_EQ(hidden.error, CommandError::None);
    EXPECT_EQ(hidden.command.verb, CommandVerb::Hidden);
    EXPECT_EQ(hidden.command.value, CommandValue::Toggle);
    EXPECT_EQ(Parse({L"dotfolders", L"Off"}).command.value, CommandValue::Off);
    EXPECT_TRUE(Parse({L"status", L"--JSON"}).command.json);
    EXPECT_FALSE(Parse({L"status"}).command.json);
    for (const wchar_t* help : {L"help", L"--help", L"-H", L"/?"})
        EXPECT_EQ(Parse({help}).command.verb, CommandVerb::Help);
    EXPECT_EQ(Parse({L"--version"}).command.verb, CommandVerb::Version);
    EXPECT_EQ(Parse({}).command.verb, CommandVerb::None);
    EXPECT_EQ(Parse({}).error, CommandError::None);
}

TEST(CommandWords, UsageErrorsNameTheirWord) {
    EXPECT_EQ(Parse({L"hide"}).error, CommandError::UnknownWord);
    EXPECT_EQ(Parse({L"hide"}).word, L"hide");
    EXPECT_EQ(Parse({L"extensions"}).error, CommandError::MissingValue);
    EXPECT_EQ(Parse({L"extensions"}).word, L"extensions");
    // Only the two Explorer switches flip.
    EXPECT_EQ(Parse({L"protected", L"toggle"}).error, CommandError::UnknownWord);
    EXPECT_EQ(Parse({L"hidden", L"yes"}).word, L"yes");
    EXPECT_EQ(Parse({L"exit", L"now"}).error, CommandError::ExtraWord);
    EXPECT_EQ(Parse({L"status", L"--json", L"x"}).word, L"x");
    EXPECT_EQ(Parse({L"hidden", L"on", L"on"}).error, CommandError::ExtraWord);
    EXPECT_EQ(Parse({L"", L"on"}).error, CommandError::UnknownWord);
    // 64 units pass to the word check; 65 are refused whatever the word.
    EXPECT_EQ(Parse({std::wstring(64, L'a')}).error, CommandError::UnknownWord);
    EXPECT_EQ(Parse({L"status", std::wstring(65, L'a')}).error, CommandError::TooLong);
    EXPECT_EQ(Parse({L"bogus", std::wstring(65, L'a')}).word, std::wstring(65, L'a'));
}

TEST(CommandWords, StatusLinesJsonAndChangedLine) {
    ReportedState state;
    state.hiddenShown = true;
    state.dotFoldersHidden = true;
    EXPECT_EQ(
        StatusText(state),
        "hidden-files: shown\r\nprotected-files: off\r\nextensions: hidden\r\ndot-folders: on\r\nrunning: no\r\n");
    state.running = true;
    state.protectedIncluded = true;
    state.extensionsShown = true;
    state.hiddenShown = false;
    EXPECT_EQ(StatusJson(state), "{\"hidden-files\":\"hidden\",\"protected-files\":\"on\",\"extensions\":\"shown\","
                                 "\"dot-folders\":\"on\",\"running\":\"yes\"}\r\n");
    EXPECT_EQ(ChangedLine(CommandVerb::Hidden, state), "hidden-files: hidden\r\n");
    EXPECT_EQ(ChangedLine(CommandVerb::Protected, state), "protected-files: on\r\n");
    EXPECT_EQ(ChangedLine(CommandVerb::Extensions, state), "extensions: shown\r\n");
    EXPECT_EQ(ChangedLine(CommandVerb::DotFolders, state), "dot-folders: on\r\n");
}

TEST(CommandWords, WantedStateAfterTheCommand) {
    ReportedState before;
    ReportedState after;
    after.hiddenShown = true;
    EXPECT_TRUE(StateHasWanted({CommandVerb::Hidden, CommandValue::Toggle, false}, before, after));
    EXPECT_TRUE(StateHasWanted({CommandVerb::Hidden, CommandValue::On, false}, before, after));
    EXPECT_FALSE(StateHasWanted({CommandVerb::Hidden, CommandValue::Off, false}, before, after));
    EXPECT_FALSE(StateHasWanted({CommandVerb::Extensions, CommandValue::Toggle, false}, before, after));
    EXPECT_TRUE(StateHasWanted({CommandVerb::DotFolders, CommandValue::Off, false}, before, after));
}

TEST(CommandMessageLayout, RoundTripsAndRefusesEveryMalformedForm) {
    const CommandMessage good = Encoded(CommandVerb::Extensions, CommandValue::Off);
    Command decoded;
    ASSERT_TRUE(DecodeCommand(kCommandMessageId, &good, sizeof good, decoded));
    EXPECT_EQ(decoded.verb, CommandVerb::Extensions);
    EXPECT_EQ(decoded.value, CommandValue::Off);
    const CommandMessage exit = Encoded(CommandVerb::Exit, CommandValue::None);
    ASSERT_TRUE(DecodeCommand(kCommandMessageId, &exit, sizeof exit, decoded));
    EXPECT_EQ(decoded.verb, CommandVerb::Exit);
    // Help, version and a setting without its value never travel.
    CommandMessage unused{};
    EXPECT_FALSE(EncodeCommand({CommandVerb::Help, CommandValue::None, false}, unused));
    EXPECT_FALSE(EncodeCommand({CommandVerb::Hidden, CommandValue::None, false}, unused));

    EXPECT_FALSE(DecodeCommand(kCommandMessageId + 1, &good, sizeof good, decoded));
    EXPECT_FALSE(DecodeCommand(kCommandMessageId, nullptr, sizeof good, decoded));
    EXPECT_FALSE(DecodeCommand(kCommandMessageId, &good, sizeof good - 1, decoded));
    unsigned char longer[sizeof good + 1] = {};
    std::memcpy(longer, &good, sizeof good);
    EXPECT_FALSE(DecodeCommand(kCommandMessageId, longer, sizeof longer, decoded));
    const auto refused = [](void (*spoil)(CommandMessage&)) {
        CommandMessage message = Encoded(CommandVerb::Hidden, CommandValue::On);
        spoil(message);
        Command ignored;
        return !DecodeCommand(kCommandMessageId, &message, sizeof message, ignored);
    };
    EXPECT_TRUE(refused([](CommandMessage& m) { m.magic ^= 1; }));
    EXPECT_TRUE(refused([](CommandMessage& m) { m.version = 2; }));
    EXPECT_TRUE(refused([](CommandMessage& m) { m.size = 13; }));
    EXPECT_TRUE(refused([](CommandMessage& m) { m.spare[1] = 1; }));
    EXPECT_TRUE(refused([](CommandMessage& m) { m.verb = static_cast<std::uint8_t>(CommandVerb::Help); }));
    EXPECT_TRUE(refused([](CommandMessage& m) { m.verb = 200; }));
    EXPECT_TRUE(refused([](CommandMessage& m) { m.value = static_cast<std::uint8_t>(CommandValue::None); }));
    EXPECT_TRUE(refused([](CommandMessage& m) { m.value = 4; }));
    EXPECT_TRUE(refused([](CommandMessage& m) {
        m.verb = static_cast<std::uint8_t>(CommandVerb::Protected);
        m.value = static_cast<std::uint8_t>(CommandValue::Toggle);
    }));
    EXPECT_TRUE(refused([](CommandMessage& m) {
        m.verb = static_cast<std::uint8_t>(CommandVerb::Status);
        m.value = static_cast<std::uint8_t>(CommandValue::On);
    }));
}

TEST(CommandMessageLayout, AnswerCarriesTheStateAndZeroIsNone) {
    ReportedState state;
    state.protectedIncluded = true;
    state.dotFoldersHidden = true;
    ReportedState read;
    ASSERT_TRUE(DecodeAnswer(EncodeAnswer(state), read));
    EXPECT_FALSE(read.hiddenShown);
    EXPECT_TRUE(read.protectedIncluded);
    EXPECT_FALSE(read.extensionsShown);
    EXPECT_TRUE(read.dotFoldersHidden);
    EXPECT_TRUE(read.running);
    EXPECT_FALSE(DecodeAnswer(0, read));
    EXPECT_FALSE(DecodeAnswer(1, read));  // a plain TRUE, as any window may answer, is no answer
}

TEST(CommandWords, LanguageOfTheHelpAndErrors) {
    EXPECT_EQ(CommandLanguageForId(0x0409), Language::English);
    EXPECT_EQ(CommandLanguageForId(0x0407), Language::German);
    EXPECT_EQ(CommandLanguageForId(0x0C0C), Language::French);  // French of Canada
    EXPECT_EQ(CommandLanguageForId(0x0804), Language::Chinese);
    EXPECT_EQ(CommandLanguageForId(0x0413), Language::Dutch);
    EXPECT_EQ(CommandLanguageForId(0x0411), Language::English);  // Japanese has no texts
}

// Every language has the help's nine lines and the errors, the word's mark where an error names one.
TEST(CommandTexts, EveryLanguageHasTheHelpAndEveryError) {
    for (std::size_t lang = 0; lang < kLanguageCount; ++lang) {
        const auto language = static_cast<Language>(lang);
        const std::string help = CommandLineText(language, CommandText::Help);
        EXPECT_EQ(std::count(help.begin(), help.end(), '\n'), 8) << "language " << lang;
        EXPECT_EQ(help.find("\n\n"), std::string::npos) << "language " << lang;
        for (std::size_t key = 1; key < kCommandTextCount; ++key) {
            const std::string text = CommandLineText(language, static_cast<CommandText>(key));
            const bool namesWord = key <= static_cast<std::size_t>(CommandText::UnexpectedWord);
            EXPECT_FALSE(text.empty()) << "language " << lang << " key " << key;
            EXPECT_EQ(text.find("%1") != std::string::npos, namesWord) << "language " << lang << " key " << key;
        }
    }
    const std::string help = HelpText(CommandLineText(Language::German, CommandText::Help));
    EXPECT_EQ(help.find("  veilux hidden on|off|toggle       versteckte Dateien anzeigen"), 0u);
    EXPECT_NE(help.find("  veilux --version                  Version ausgeben\n\nExitcode 0"), std::string::npos);
    EXPECT_EQ(help.back(), '\n');
}
