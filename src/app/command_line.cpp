#include "app/command_line.h"

#include "common/version.h"

#include <QCommandLineParser>

namespace {

constexpr char ProgramName[] = "vantrell-ticket";

QString releaseNumber()
{
    return QStringLiteral("%1.%2.%3")
        .arg(version::Major)
        .arg(version::Minor)
        .arg(version::Revision);
}

// The usage, under the program's own name however it was started.
QString usageOf(const QCommandLineParser& parser)
{
    QString text = parser.helpText();
    const qsizetype lineEnd = text.indexOf(QLatin1Char('\n'));
    return QStringLiteral("Usage: %1 [options]").arg(QLatin1String(ProgramName)) +
           text.mid(lineEnd);
}

} // namespace

QString versionLine()
{
    return QLatin1String(ProgramName) + QLatin1Char(' ') + releaseNumber();
}

CommandLine readCommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Fills in, previews and prints delivery tickets from the order-entry "
                       "database."));
    // Not addHelpOption(): it offers Qt's own options too, which this
    // command line does not take.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and exit."));
    parser.addOption(help);
    const QCommandLineOption shownVersion({QStringLiteral("v"), QStringLiteral("version")},
                                          QStringLiteral("Show the program's release and exit."));
    parser.addOption(shownVersion);
    const QCommandLineOption settingsFolder(
        QStringLiteral("settings-folder"),
        QStringLiteral("Keep the settings files in <DIR> (created when missing) instead of the "
                       "program's folder or the user's configuration folder."),
        QStringLiteral("DIR"));
    parser.addOption(settingsFolder);

    CommandLine line;
    if (!parser.parse(arguments)) {
        line.action = CommandLine::Action::Refuse;
        line.text = parser.errorText() + QLatin1Char('\n') + usageOf(parser);
    } else if (!parser.positionalArguments().isEmpty()) {
        line.action = CommandLine::Action::Refuse;
        line.text = QStringLiteral("Unexpected argument '%1'.\n")
                        .arg(parser.positionalArguments().constFirst()) +
                    usageOf(parser);
    } else if (parser.isSet(help)) {
        line.action = CommandLine::Action::ShowHelp;
        line.text = usageOf(parser);
    } else if (parser.isSet(shownVersion)) {
        line.action = CommandLine::Action::ShowVersion;
        line.text = versionLine() + QLatin1Char('\n');
    } else if (parser.isSet(settingsFolder) && parser.value(settingsFolder).isEmpty()) {
        line.action = CommandLine::Action::Refuse;
        line.text = QStringLiteral("The settings folder may not be empty.\n") + usageOf(parser);
    } else {
        line.settingsFolder = parser.value(settingsFolder);
    }
    return line;
}
