// The program's entry: makes its windows known and tied together, then hands
// over to the start-up procedure.

#include "app/program_windows.h"
#include "common/session.h"
#include "startup/sub_main.h"

#include <QApplication>

int main(int argc, char** argv)
{
    // Made first: it outlives every window.
    Session session;
    QApplication app(argc, argv);
    wireProgram(session);
    subMain::Main(session);
    return app.exec();
}
