#include "main_window_fixture.h"

#include "common/module_values.h"
#include "common/ui/window_registry.h"
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
    return {"Client",
            {{"ClientID", ColumnType::Long},
             {"Name", ColumnType::Text, 50},
             {"Addr1", ColumnType::Text, 50},
             {"Addr2", ColumnType::Text, 50},
             {"City", ColumnType::Text, 30},
             {"State", ColumnType::Text, 2},
             {"Zip", ColumnType::Text, 10},
             {"Contact", ColumnType::Text, 40},
             {"Phone", ColumnType::Text, 20}},
            std::move(rows)};
}

jet4::Table jobLogTable(std::vector<std::vector<jet4::Value>> rows, ColumnType invoicedType)
{
    return {"JobLog",
            {{"Job", ColumnType::Text, 8},
             {"Description", ColumnType::Text, 100},
             {"Invoiced", invoicedType, 1},
             {"QuoteNo", ColumnType::Text, 10}},
            std::move(rows)};
}

jet4::Table ordersTable()
{
    return {"Orders",
            {{"OrderNo", ColumnType::Text, 8},
             {"PartNo", ColumnType::Integer},
             {"QuoteorJob", ColumnType::Text, 1},
             {"Description", ColumnType::Text, 150},
             {"AcctName", ColumnType::Text, 50},
             {"AcctNo", ColumnType::Long},
             {"Phone", ColumnType::Text, 20},
             {"PressQty", ColumnType::Long},
             {"CustomerID", ColumnType::Long},
             {"PurchaseOrder", ColumnType::Text, 20},
             {"SHIPTOID", ColumnType::Long},
             {"SHIPTONAME", ColumnType::Text, 50}},
            {}};
}

jet4::Table addressesTable()
{
    return {"Addresses",
            {{"AddressID", ColumnType::Long},
             {"ADDRESSNAME", ColumnType::Text, 50},
             {"STREET1", ColumnType::Text, 50},
             {"STREET2", ColumnType::Text, 50},
             {"CITY", ColumnType::Text, 30},
             {"STATE", ColumnType::Text, 2},
             {"ZIP", ColumnType::Text, 10},
             {"CustomerID", ColumnType::Long}},
            {}};
}
