// The program's entry: makes its windows known and tied together, then hands
// over to the start-up procedure.

#include "app/program_windows.h"
#include "startup/sub_main.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    wireProgram();
    subMain::Main();
    return app.exec();
}
