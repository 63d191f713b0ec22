#pragma once

#include "support/temp_settings.h"

#include <QWidget>
#include <gtest/gtest.h>

// Start-up windows under test: a temporary settings folder, the real splash
// and data-folder windows registered by their names, and a plain window
// standing for frmDelivery that counts its loads. Every window is unloaded
// and deleted again after each case.
class StartupWindowsTest : public ::testing::Test
{
protected:
    StartupWindowsTest();
    ~StartupWindowsTest() override;

    // Writes the data-folder file under the readers' spelling.
    void writeDataFolderFile(const QByteArray& bytes);
    // The data-folder file's bytes, or "<missing>".
    QByteArray dataFolderFileBytes() const;

    // Runs the deletions that closing windows left for the event loop.
    static void deleteClosedWindows();

    TempSettingsFolder m_settings;
    int m_mainWindowLoads = 0;
};

// The loaded window `name` when it is also visible, else nullptr.
QWidget* shownWindow(const char* name);
