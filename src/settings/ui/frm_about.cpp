#include "settings/ui/frm_about.h"

#include "common/release_captions.h"
#include "common/ui/center_form.h"
#include "common/ui/named_control.h"
#include "common/ui/platform.h"
#include "common/ui/unload_window.h"
#include "common/ui/window_registry.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QProcess>
#include <QStandardPaths>
#include <QStyle>

namespace {

QLabel* wrappedLabel(const char* name, const QString& text)
{
    QLabel* label = named<QLabel>(name, text);
    label->setWordWrap(true);
    return label;
}

} // namespace

FrmAbout::FrmAbout(QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(windows::names::frmAbout);
    setWindowTitle(QStringLiteral("About"));

    picIcon = named<QLabel>("picIcon");
    picIcon->setPixmap(style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(48, 48));
    picIcon->setAccessibleName(QStringLiteral("Program icon"));
    lblTitle = named<QLabel>("lblTitle", QStringLiteral("Vantrell Delivery Ticket"));
    QFont titleFont(QStringLiteral("MS Sans Serif"));
    titleFont.setStyleHint(QFont::SansSerif);
    titleFont.setPointSize(14);
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);
    lblVersion = named<QLabel>("lblVersion", QStringLiteral("Version 1.00"));
    lblDescription =
        wrappedLabel("lblDescription",
                     QStringLiteral("The Vantrell Delivery Ticket reads the assigned job from the "
                                    "Vantrell qmdata.mdb database and assigns appropriate "
                                    "customer, ship to, job description and quantity to the "
                                    "printed form."));
    Label1 = wrappedLabel(
        "Label1", QStringLiteral("Copyright \u00a9 Quillmark Software. All rights reserved."));
    lblDisclaimer = wrappedLabel(
        "lblDisclaimer",
        QStringLiteral("Warning: this program is protected by copyright law. Copying or "
                       "distributing it, or any part of it, without the permission of Quillmark "
                       "Software is prohibited and may be prosecuted."));
    cmdOK = named<QPushButton>("cmdOK", QStringLiteral("OK"));
    cmdSysInfo = named<QPushButton>("cmdSysInfo", QStringLiteral("&System Info..."));

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdSysInfo);
    auto* layout = new QGridLayout(this);
    layout->addWidget(picIcon, 0, 0, 2, 1, Qt::AlignTop);
    layout->addWidget(lblTitle, 0, 1);
    layout->addWidget(lblVersion, 1, 1);
    layout->addWidget(lblDescription, 2, 1);
    layout->addWidget(Label1, 3, 1);
    layout->addWidget(lblDisclaimer, 4, 0, 1, 2);
    layout->addLayout(buttons, 4, 2, Qt::AlignBottom);
    layout->setColumnMinimumWidth(1, 320);

    connect(cmdOK, &QPushButton::clicked, this, [this] { runHandler([this] { cmdOK_Click(); }); });
    connect(cmdSysInfo, &QPushButton::clicked, this,
            [this] { runHandler([this] { cmdSysInfo_Click(); }); });

    adjustSize();
    Form_Load();
}

void FrmAbout::Form_Load()
{
    CenterForm(*this);
    setWindowTitle(QStringLiteral("Vantrell Delivery Ticket"));
    lblVersion->setText(versionCaption());
}

void FrmAbout::cmdOK_Click()
{
    unloadWindow(*this);
}

void FrmAbout::cmdSysInfo_Click()
{
    StartSysInfo();
}

const QList<QStringList>& FrmAbout::systemInfoPrograms()
{
    // The desktops' own system-information programs first, then the
    // general ones.
    static const QList<QStringList> programs{
        {QStringLiteral("kinfocenter")},
        {QStringLiteral("gnome-control-center"), QStringLiteral("system")},
        {QStringLiteral("hardinfo2")},
        {QStringLiteral("hardinfo")},
        {QStringLiteral("lshw-gtk")},
    };
    return programs;
}

void FrmAbout::StartSysInfo()
{
    for (const QStringList& command : systemInfoPrograms()) {
        const QString program = QStandardPaths::findExecutable(command.first());
        if (program.isEmpty())
            continue;
        if (QProcess::startDetached(program, command.mid(1)))
            return;
        break;
    }
    platform().messageBox(QStringLiteral("System Information Is Unavailable At This Time"));
}
