#pragma once

#include "jet4/jet4_writer.h"
#include "support/scripted_platform.h"
#include "support/temp_settings.h"

#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

class FrmDelivery;

// A settings folder, a data folder with a writer-made database, scripted
// message boxes, and the main window loaded on them.
class MainWindowTest : public ::testing::Test
{
protected:
    MainWindowTest();
    ~MainWindowTest() override;

    // The data-folder file names the data folder.
    void pointAtDataFolder();
    void writeDatabase(const std::vector<jet4::Table>& tables);
    void writeSetting(const QString& name, const QByteArray& bytes);
    QByteArray setting(const QString& name) const;

    // Loads the main window; false when the load ended the program.
    bool load();
    FrmDelivery& window() { return *m_window; }

    QStringList messageTexts() const;

    TempSettingsFolder m_settings;
    QTemporaryDir m_data;
    ScriptedPlatform m_platform;
    int m_dataFolderWindowShown = 0;
    QString m_folderChosen;
    std::unique_ptr<FrmDelivery> m_window;
};

// Small tables of the four kinds the main window opens.
jet4::Table clientTable(std::vector<std::vector<jet4::Value>> rows);
jet4::Table jobLogTable(std::vector<std::vector<jet4::Value>> rows,
                        jet4::ColumnType invoicedType = jet4::ColumnType::Text);
jet4::Table ordersTable();
jet4::Table addressesTable();
