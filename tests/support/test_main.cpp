#include <gtest/gtest.h>

#ifdef TICKET_TEST_WINDOWS
#include <QApplication>
using TestApplication = QApplication;
#else
#include <QCoreApplication>
using TestApplication = QCoreApplication;
#endif

// One main() for every test program. Programs that test windows get a
// QApplication; the toolkit-free libraries are tested under a
// QCoreApplication, so nothing there can reach for a widget unnoticed.
int main(int argc, char** argv)
{
    // The test discovery at build time runs this binary without the test
    // environment, and CI has no display: fall back to the headless platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TestApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
