// The program's entry. Until the main window exists this shows a small
// stand-in window that proves the settings and the database can be read.

#include "common/module_values.h"
#include "common/runtime_error.h"
#include "orderdb/table_cursor.h"
#include "startup/data_folder_file.h"

#include <QApplication>
#include <QLabel>

namespace {

QString describeDatabase()
{
    try {
        readDataFolderFile();
    } catch (const RuntimeError&) {
        // A missing or short data-folder file leaves what could be read.
    }
    if (DataFolder.isEmpty())
        return QStringLiteral("No data folder is set.");
    try {
        TableCursor jobs;
        jobs.open(databasePath(), QStringLiteral("JobLog"));
        return QStringLiteral("Data folder %1: %2 jobs.").arg(DataFolder).arg(jobs.recordCount());
    } catch (const RuntimeError& error) {
        return QStringLiteral("Data folder %1: Error # %2").arg(DataFolder).arg(error.number());
    }
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QLabel window(QStringLiteral("Vantrell Delivery Ticket\n\n") + describeDatabase());
    window.setWindowTitle(QStringLiteral("Quillmark's Vantrell Series"));
    window.setMargin(24);
    window.show();
    return app.exec();
}
