#include "settings_windows_fixture.h"

#include "input/frm_delivery.h"
#include "settings/ui/frm_about.h"
#include "settings/ui/frm_comment.h"
#include "settings/ui/frm_date.h"
#include "settings/ui/frm_delv_head.h"
#include "settings/ui/frm_margins.h"
#include "settings/ui/frm_owner.h"
#include "support/test_files.h"

#include <QCoreApplication>
#include <QDir>

SettingsWindowsTest::SettingsWindowsTest()
{
    windows::reset();
    QDir(m_settings.path()).mkdir(QStringLiteral("data"));
    using namespace windows::names;
    windows::registerWindow(frmAbout, [] { return new FrmAbout; });
    windows::registerWindow(frmComment, [] { return new FrmComment; });
    windows::registerWindow(frmDate, [] { return new FrmDate; });
    windows::registerWindow(frmDelvHead, [] { return new FrmDelvHead; });
    windows::registerWindow(frmMargins, [] { return new FrmMargins; });
    windows::registerWindow(frmOwner, [] { return new FrmOwner; });
    windows::registerWindow(frmDelivery, [] { return new FrmDelivery; });
    windows::registerWindow(frmPath, [this] {
        ++m_pathWindowShown;
        auto* window = new QWidget;
        window->setObjectName(frmPath);
        return window;
    });
}

SettingsWindowsTest::~SettingsWindowsTest()
{
    windows::reset();
    deleteClosedWindows();
}

void SettingsWindowsTest::writeSetting(const QString& name, const QByteArray& bytes)
{
    writeFileContents(m_settings.filePath(name), bytes);
}

QByteArray SettingsWindowsTest::setting(const QString& name) const
{
    return fileContents(m_settings.filePath(name));
}

void SettingsWindowsTest::pointAtDataFolder()
{
    writeSetting(QStringLiteral("qmvanck.dat"), (dataFolder() + "\r\n/srv/est\r\n").toUtf8());
}

QStringList SettingsWindowsTest::messageTexts() const
{
    QStringList texts;
    for (const auto& message : m_platform.messages)
        texts << message.text;
    return texts;
}

void SettingsWindowsTest::deleteClosedWindows()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
