#include "app/command_line.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

using Action = CommandLine::Action;

TEST(CommandLineTest, ReadsTheOptionsAndRefusesWhatItDoesNotKnow)
{
    const std::tuple<QStringList, Action, QString, QString> cases[] = {
        // arguments after the program's name, action, settings folder, start of the text
        {{}, Action::Run, "", ""},
        {{"--settings-folder", "/srv/shop2"}, Action::Run, "/srv/shop2", ""},
        {{"--settings-folder=/srv/shop2"}, Action::Run, "/srv/shop2", ""},
        {{"--help"}, Action::ShowHelp, "", "Usage: vantrell-ticket [options]\n"},
        {{"-h"}, Action::ShowHelp, "", "Usage: vantrell-ticket [options]\n"},
        {{"--version"}, Action::ShowVersion, "", "vantrell-ticket 1.2.65\n"},
        {{"-v"}, Action::ShowVersion, "", "vantrell-ticket 1.2.65\n"},
        {{"--bogus"}, Action::Refuse, "", "Unknown option 'bogus'.\nUsage: "},
        {{"--settings-folder"}, Action::Refuse, "", "Missing value after '--settings-folder'.\n"},
        {{"--settings-folder="}, Action::Refuse, "", "The settings folder may not be empty.\n"},
        {{"stray"}, Action::Refuse, "", "Unexpected argument 'stray'.\nUsage: "},
        {{"--help", "--bogus"}, Action::Refuse, "", "Unknown option 'bogus'."},
        {{"--help-all"}, Action::Refuse, "", "Unknown option 'help-all'."},
        {{"-platform", "offscreen"},
         Action::Refuse,
         "",
         "Unknown options: p, l, a, t, f, o, r, m."},
    };
    for (const auto& [arguments, action, folder, text] : cases) {
        const CommandLine line =
            readCommandLine(QStringList{"/usr/bin/vantrell-ticket"} + arguments);
        const std::string shown = arguments.join(' ').toStdString();
        EXPECT_EQ(line.action, action) << shown;
        EXPECT_EQ(line.settingsFolder, folder) << shown;
        if (text.isEmpty())
            EXPECT_EQ(line.text, QString()) << shown;
        else
            EXPECT_TRUE(line.text.startsWith(text)) << shown << ": " << line.text.toStdString();
    }
}

// The reason takes one line, and the usage that follows names every option.
TEST(CommandLineTest, ARefusalGivesOneLineOfReasonThenTheUsage)
{
    const CommandLine line = readCommandLine({"vantrell-ticket", "--bogus"});
    const QStringList lines = line.text.split('\n');
    ASSERT_GE(lines.size(), 2);
    EXPECT_TRUE(lines[1].startsWith("Usage: vantrell-ticket")) << line.text.toStdString();
    for (const char* option : {"--help", "--version", "--settings-folder <DIR>"})
        EXPECT_TRUE(line.text.contains(option)) << option;
    EXPECT_FALSE(line.text.contains("--help-all"));
    EXPECT_EQ(CommandLineRefused, 2);
}

} // namespace
