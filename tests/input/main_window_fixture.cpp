#include "main_window_fixture.h"

#include "common/module_values.h"
#include "common/ui/window_registry.h"
#include "demodata/order_entry_schema.h"
#include "input/frm_delivery.h"
#include "orderdb/table_source.h"
#include "support/test_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QTimer>
#include <QWidget>

using jet4::ColumnType;

MainWindowTest::MainWindowTest()
{
    table_source::clearCache();
    windows::reset();
    // The data-folder window: counted, and closed as soon as events run,
    // having chosen m_folderChosen (nothing when empty).
    windows::registerWindow(QStringLiteral("frmPath"), [this] {
        ++m_dataFolderWindowShown;
        auto* window = new QWidget;
        window->setObjectName(QStringLiteral("frmPath"));
        QTimer::singleShot(0, window, [this, window] {
            if (!m_folderChosen.isEmpty())
                DataFolder = m_folderChosen;
            window->close();
        });
        return window;
    });
}

MainWindowTest::~MainWindowTest()
{
    m_window.reset();
    windows::reset();
    // Windows closed without an event loop are deleted now, with their timers.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void MainWindowTest::pointAtDataFolder()
{
    writeSetting(QStringLiteral("qmvanck.dat"), (m_data.path() + "\r\n/srv/est\r\n").toUtf8());
}

void MainWindowTest::writeDatabase(const std::vector<jet4::Table>& tables)
{
    jet4::writeDatabase(QDir(m_data.path()).filePath("qmdata.mdb").toStdString(), tables);
}

void MainWindowTest::writeSetting(const QString& name, const QByteArray& bytes)
{
    writeFileContents(m_settings.filePath(name), bytes);
}

QByteArray MainWindowTest::setting(const QString& name) const
{
    return fileContents(m_settings.filePath(name));
}

bool MainWindowTest::load()
{
    try {
        m_window = std::make_unique<FrmDelivery>();
    } catch (const ProgramEnded&) {
        return false;
    }
    return true;
}

QStringList MainWindowTest::messageTexts() const
{
    QStringList texts;
    for (const auto& message : m_platform.messages)
        texts << message.text;
    return texts;
}

jet4::Table clientTable(std::vector<std::vector<jet4::Value>> rows)
{
    jet4::Table table = clientSchema();
    table.rows = std::move(rows);
    return table;
}

jet4::Table jobLogTable(std::vector<std::vector<jet4::Value>> rows, ColumnType invoicedType)
{
    jet4::Table table = jobLogSchema(invoicedType);
    table.rows = std::move(rows);
    return table;
}

jet4::Table ordersTable()
{
    return ordersSchema();
}

jet4::Table addressesTable()
{
    return addressesSchema();
}
