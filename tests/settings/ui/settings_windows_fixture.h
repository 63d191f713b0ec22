#pragma once

#include "common/ui/window_registry.h"
#include "support/scripted_platform.h"
#include "support/temp_settings.h"

#include <QStringList>
#include <gtest/gtest.h>

// The settings windows under test: a temporary settings folder with a data
// folder "data" in it, scripted message boxes, every settings window and
// the real main window registered by their names, and a plain window
// standing for frmPath that counts how often it is shown.
class SettingsWindowsTest : public ::testing::Test
{
protected:
    SettingsWindowsTest();
    ~SettingsWindowsTest() override;

    template<typename Window>
    Window* show(const QString& name)
    {
        auto* window = windows::show<Window>(name);
        EXPECT_NE(window, nullptr) << name.toStdString();
        return window;
    }

    void writeSetting(const QString& name, const QByteArray& bytes);
    QByteArray setting(const QString& name) const;
    QString dataFolder() const { return m_settings.filePath(QStringLiteral("data")); }
    // The data-folder file names the data folder.
    void pointAtDataFolder();

    QStringList messageTexts() const;
    // Whether the window is still loaded (not unloaded by its own handler).
    static bool loaded(const QString& name) { return windows::find(name) != nullptr; }
    static void deleteClosedWindows();

    TempSettingsFolder m_settings;
    ScriptedPlatform m_platform;
    int m_pathWindowShown = 0;
};
