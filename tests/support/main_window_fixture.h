#pragma once

#include "common/session.h"
#include "common/ui/event_combo_box.h"
#include "common/ui/event_progress_bar.h"
#include "common/ui/event_text_block.h"
#include "common/ui/event_text_box.h"
#include "demodata/order_entry_schema.h"
#include "input/ui/frm_delivery.h"
#include "jet4/jet4_writer.h"
#include "orderdb/table_source.h"
#include "support/scripted_platform.h"
#include "support/temp_settings.h"
#include "support/test_files.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

// (The main window's controls come with it, for every test of the window.)
// A settings folder, a data folder with a writer-made database, scripted
// message boxes, a session, and the main window loaded on them.
class MainWindowTest : public ::testing::Test
{
protected:
    MainWindowTest();
    ~MainWindowTest() override;

    // The data-folder file names the data folder.
    void pointAtDataFolder()
    {
        writeSetting(QStringLiteral("qmvanck.dat"), (m_data.path() + "\r\n/srv/est\r\n").toUtf8());
    }

    void writeDatabase(const std::vector<jet4::Table>& tables)
    {
        jet4::writeDatabase(m_data.filePath("qmdata.mdb").toStdString(), tables);
    }
    // Points at the data folder, writes the tables there and loads the window.
    bool loadOn(const std::vector<jet4::Table>& tables)
    {
        pointAtDataFolder();
        m_tables.clearCache();
        writeDatabase(tables);
        return load();
    }

    void writeSetting(const QString& name, const QByteArray& bytes)
    {
        writeFileContents(m_settings.filePath(name), bytes);
    }
    QByteArray setting(const QString& name) const
    {
        return fileContents(m_settings.filePath(name));
    }

    // Loads the main window (again); false when the load ended the program.
    bool load()
    {
        m_window.reset();
        try {
            m_window = std::make_unique<FrmDelivery>(m_session, m_tables);
            m_window->Form_Load();
        } catch (const ProgramEnded&) {
            return false;
        }
        return true;
    }

    FrmDelivery& window() { return *m_window; }

    // The operator picks an entry of the box's list, adding it first when
    // the list lacks it: the entry becomes the text without a change event.
    static void pick(EventComboBox* box, const QString& entry)
    {
        if (box->findText(entry) < 0)
            box->addItem(entry);
        box->setCurrentIndex(box->findText(entry));
        emit box->activated(box->currentIndex());
    }

    QStringList messageTexts() const
    {
        QStringList texts;
        for (const auto& message : m_platform.messages)
            texts << message.text;
        return texts;
    }

    TempSettingsFolder m_settings;
    QTemporaryDir m_data;
    ScriptedPlatform m_platform;
    // The run's values and table source, as the program's main owns them.
    Session m_session;
    TableSource m_tables;
    int m_dataFolderWindowShown = 0;
    QString m_folderChosen;
    std::unique_ptr<FrmDelivery> m_window;
};

inline jet4::Table withRows(jet4::Table table, std::vector<std::vector<jet4::Value>> rows)
{
    table.rows = std::move(rows);
    return table;
}

// Tables of the kinds the main window opens.
inline jet4::Table clientTable(std::vector<std::vector<jet4::Value>> rows)
{
    return withRows(clientSchema(), std::move(rows));
}
inline jet4::Table jobLogTable(std::vector<std::vector<jet4::Value>> rows,
                               jet4::ColumnType invoicedType = jet4::ColumnType::Text)
{
    return withRows(jobLogSchema(invoicedType), std::move(rows));
}
