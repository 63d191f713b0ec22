// The main window on the large order-entry database, loaded plain and with
// an accessibility client attached, one after the other in the same run.
//
//   bench_accessible_load [--bridge] [data folder]
//
// By default a stand-in client is attached: accessibility is made active,
// and every update the window sends is looked at the way a screen reader's
// bridge does (the object it concerns, its role, name and state); this runs
// headless. With --bridge the platform's own bridge carries the updates to
// whatever screen reader listens, e.g. under X with AT-SPI:
//
//   dbus-run-session -- xvfb-run -a sh -c '/usr/libexec/at-spi-bus-launcher
//     --launch-immediately & QT_QPA_PLATFORM=xcb
//     QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 bench_accessible_load --bridge'
//
// Without a data folder the benchmark database of bench_orderdb is used (run
// that first). Figures are medians of five runs of each kind, taken in
// turns in one process.

#include "bench_setup.h"
#include "common/session.h"
#include "common/ui/event_combo_box.h"
#include "input/ui/frm_delivery.h"
#include "orderdb/table_source.h"

#include <QAccessible>
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>

namespace {

constexpr int Runs = 5;

qint64 updates = 0;

void lookAtUpdate(QAccessibleEvent* event)
{
    ++updates;
    if (QAccessibleInterface* object = event->accessibleInterface()) {
        volatile auto role = object->role();
        volatile auto length = object->text(QAccessible::Name).size();
        volatile bool focused = object->state().focused;
        (void)role;
        (void)length;
        (void)focused;
    }
}

void rootObject(QObject*) {}

void attachStandInClient()
{
    QAccessible::installUpdateHandler(lookAtUpdate);
    QAccessible::installRootObjectHandler(rootObject);
}

// A platform bridge turns active once it has reached the accessibility bus.
bool waitForBridge()
{
    QElapsedTimer waited;
    waited.start();
    while (!QAccessible::isActive() && waited.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    return QAccessible::isActive();
}

void setAccessibilityActive(bool active)
{
    if (QPlatformAccessibility* accessibility =
            QGuiApplicationPrivate::platformIntegration()->accessibility())
        accessibility->setActive(active);
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    runHeadless();
    QApplication app(argc, argv);

    const bool bridge = argc > 1 && std::strcmp(argv[1], "--bridge") == 0;
    if (bridge) {
        --argc;
        ++argv;
    }
    const QString dataFolder = benchDataFolder(argc, argv);
    if (dataFolder.isEmpty())
        return 1;
    QTemporaryDir settings;
    Session session = sessionIn(settings.path(), dataFolder); // as the program's main owns it
    TableSource tables;

    if (bridge && !waitForBridge()) {
        std::fprintf(stderr, "no accessibility bridge became active\n");
        return 1;
    }
    if (!bridge)
        attachStandInClient();
    setAccessibilityActive(true);
    if (!QAccessible::isActive()) {
        std::fprintf(stderr, "accessibility cannot be made active on this platform\n");
        return 1;
    }

    std::vector<double> plain, accessible;
    qint64 updatesPerLoad = 0;
    qsizetype customers = 0, jobs = 0;
    for (int run = 0; run < 2 * Runs; ++run) {
        const bool active = run % 2 == 1;
        setAccessibilityActive(active);
        tables.clearCache(); // every run reads the file anew
        const qint64 updatesBefore = updates;
        const auto start = std::chrono::steady_clock::now();
        auto* window = new FrmDelivery(session, tables);
        window->Form_Load();
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        (active ? accessible : plain).push_back(seconds);
        if (active)
            updatesPerLoad = updates - updatesBefore;
        customers = window->soldTo().cboCust->count();
        jobs = window->jobs().cboJobs->count();
        delete window;
    }

    std::printf("main window load, %lld customers and %lld jobs:\n",
                static_cast<long long>(customers), static_cast<long long>(jobs));
    std::printf("  plain                  %.3f s\n", median(plain));
    std::printf("  accessibility active   %.3f s", median(accessible));
    if (!bridge)
        std::printf(" (%lld updates looked at)", static_cast<long long>(updatesPerLoad));
    std::printf("; ratio %.2f\n", median(accessible) / median(plain));
    return 0;
}
