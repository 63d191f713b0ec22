#pragma once

// What one run of the program holds between its windows: the folder of the
// settings files, the two folders of the data-folder file, the ticket date
// and whether a job is loaded. The application owns the one Session and hands
// it to the windows that read or change it; nothing else keeps these values.

#include <QString>

struct Session
{
    // The folder the settings files lie in, decided once at start-up from
    // the command line and the copy's layout (common/install_layout.h).
    QString settingsFolder;

    // The order-entry data folder, without a trailing separator: holds the
    // database and the comment file. Set by reads of the data-folder file
    // and by the data-folder window.
    QString dataFolder;

    // The second folder of the data-folder file: stored, shown and written
    // back, never read from.
    QString estFolder;

    // The ticket date as short-date text.
    QString ticketDate;

    // True once a job selection has taken its job key, false while one
    // starts.
    bool jobLoaded = false;
};
