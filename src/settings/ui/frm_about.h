#pragma once

// The About window, frmAbout: the product, its release, what it does, and
// a button that starts the desktop's system-information program.

#include "common/ui/handler_runner.h"

#include <QStringList>
#include <QWidget>

class QLabel;
class QPushButton;

class FrmAbout final : public QWidget, private HandlerRunner
{
    Q_OBJECT

public:
    // Constructing the window is its load.
    explicit FrmAbout(QWidget* parent = nullptr);

    QLabel* picIcon = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblDescription = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* lblDisclaimer = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdSysInfo = nullptr;

    // Centres the window; caption and release.
    void Form_Load();
    void cmdOK_Click();
    void cmdSysInfo_Click();

    // Starts the first system-information program found on the PATH as a
    // program of its own, without waiting for it; when there is none or it
    // cannot be started, says "System Information Is Unavailable At This
    // Time".
    void StartSysInfo();

    // The programs looked for, in this order: each a command line.
    static const QList<QStringList>& systemInfoPrograms();
};
