// The program's entry: reads its command line, settles where its settings
// live, makes its windows known and tied together, then hands over to the
// start-up procedure.

#include "app/command_line.h"
#include "app/program_start.h"
#include "app/program_windows.h"
#include "common/session.h"
#include "orderdb/table_source.h"
#include "startup/sub_main.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const CommandLine line = readCommandLine(arguments);
    if (line.action != CommandLine::Action::Run)
        return answerCommandLine(line);

    // Made before the application: they outlive every window.
    Session session;
    const TableSource tables;
    QApplication app(argc, argv);
    nameProgram();
    session.settingsFolder = makeSettingsFolder(line.settingsFolder);
    wireProgram(session, tables);
    warnOfMissingReader();
    subMain::Main(session);
    return app.exec();
}
