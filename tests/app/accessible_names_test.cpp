// Every window as a screen reader hears it: each control that shows text is
// announced by the text it shows now, each control without text of its own
// by the label standing before it or by a name of its own, before and after
// the texts change.

#include "app/program_windows.h"
#include "common/cut_file_notice.h"
#include "common/release_captions.h"
#include "common/session.h"
#include "common/ui/window_registry.h"
#include "support/main_window_fixture.h"
#include "ticket/ui/frm_report.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

#include <functional>
#include <optional>
#include <set>

namespace {

using jet4::Null;
using jet4::Value;

// A caption as it shows on screen: "&&" is one "&"; a lone "&" only
// underlines the letter after it.
QString shownCaption(const QString& caption)
{
    QString shown;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&' && i + 1 < caption.size())
            ++i;
        shown += caption[i];
    }
    return shown;
}

// The text a control shows of its own, or nothing for a control that shows
// none: a field, a list, a picture. A label without text but with a name of
// its own is a picture box still empty.
std::optional<QString> ownText(const QWidget& control)
{
    if (const auto* button = qobject_cast<const QAbstractButton*>(&control))
        return shownCaption(button->text());
    if (const auto* frame = qobject_cast<const QGroupBox*>(&control))
        return shownCaption(frame->title());
    if (const auto* label = qobject_cast<const QLabel*>(&control)) {
        if (!label->pixmap().isNull() ||
            (label->text().isEmpty() && !label->accessibleName().isEmpty()))
            return std::nullopt;
        // Only a label standing for a field underlines a letter.
        return label->buddy() != nullptr ? shownCaption(label->text()) : label->text();
    }
    return std::nullopt;
}

const QLabel* labelOf(const QWidget& field, const QWidget& window)
{
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        if (label->buddy() == &field)
            return label;
    }
    return nullptr;
}

// What a screen reader hears of a window: the name each of its controls is
// announced by, and every control heard otherwise than it shows.
struct Hearing
{
    QMap<QString, QString> names;
    QStringList faults;
};

Hearing listen(QWidget& window)
{
    Hearing hearing;
    const auto fault = [&](const QString& control, const QString& what) {
        hearing.faults << control + ": " + what;
    };
    for (QWidget* control : window.findChildren<QWidget*>()) {
        const QString name = control->objectName();
        if (name.isEmpty() || name.startsWith(QStringLiteral("qt_")))
            continue; // the toolkit's own parts of a control
        const QString heard =
            QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name);
        hearing.names.insert(name, heard);
        const QString fixed = control->accessibleName();
        const std::optional<QString> text = ownText(*control);
        if (qobject_cast<QComboBox*>(control) != nullptr) {
            // Announced by its text where it has one: its purpose must stay.
            if (fixed.isEmpty() || control->accessibleDescription().isEmpty())
                fault(name, "a combo box without a fixed name and description");
        } else if (const QLabel* label = labelOf(*control, window); text || label) {
            const QString shown = text ? *text : shownCaption(label->text());
            if (!fixed.isEmpty())
                fault(name, "has the fixed name \"" + fixed + "\" over \"" + shown + "\"");
            else if (heard != shown)
                fault(name, "is announced as \"" + heard + "\" over \"" + shown + "\"");
        } else if (heard.isEmpty()) {
            fault(name, "shows no text and has no name");
        }
    }
    return hearing;
}

// While it lives, the platform's accessibility is active, so that the
// windows send their changes at all, and the controls that tell the screen
// reader of a new name are noted.
struct NameChanges
{
    static inline std::set<QString> told;

    NameChanges()
    {
        QAccessible::installUpdateHandler([](QAccessibleEvent* event) {
            if (event->type() == QAccessible::NameChanged && event->object() != nullptr)
                told.insert(event->object()->objectName());
        });
        QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
    }
    ~NameChanges()
    {
        QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(false);
        QAccessible::installUpdateHandler(nullptr);
    }
    Q_DISABLE_COPY(NameChanges)
};

// An order line of job 3: part, description, quantity.
std::vector<Value> line(Value part, const char* description, Value quantity)
{
    return {"00000003", part,     "J", description, "ACME", 17,
            "555-0100", quantity, 17,  "PO-1",      Null,   Null};
}

// The windows made and joined as the program does, a database with one
// three-part job, and the settings the ticket reads except the owner's
// record.
class AccessibleNamesTest : public MainWindowTest
{
protected:
    void SetUp() override
    {
        wireProgram(m_session, m_tables);
        writeSetting("DELVHEAD.DAT",
                     "HARBOR LANE\r\n\r\n\r\n\r\n\r\n\r\n\r\n    \r\nRECEIPT\r\n2\r\n");
        writeSetting("BID.FYL", "3\r\n66\r\n\r\n\r\n\r\n");
        writeSetting("OwnsAct.DAT", "Harbor"); // too short to hold a name
        m_platform.printToFile = m_settings.filePath("ticket.pdf");
        m_session.jobLoaded = false; // a window loaded after a selection would stop early
        pointAtDataFolder();
        writeDatabase(
            {withRows(ordersSchema(), {line(1, "Flyer front", 300), line(2, "Flyer back", 200),
                                       line(3, "Flyer insert", 400)}),
             clientTable(
                 {{17, "ACME", "1 Main St", Null, "Salem", "OH", "44460", "Pat", "555-0100"}}),
             addressesSchema(), jobLogTable({{"00000003", "Flyers", "0", "Q-3"}})});
    }

    void TearDown() override
    {
        setCutFileReporter({});
        windows::unloadAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    static FrmDelivery& main() { return *windows::find<FrmDelivery>(windows::names::frmDelivery); }
    static FrmReport& report() { return *windows::find<FrmReport>(windows::names::frmReport); }
};

TEST_F(AccessibleNamesTest, EveryControlOfEveryWindowIsAnnouncedAsItShowsBeforeAndAfterChanges)
{
    using namespace windows::names;
    struct Scene
    {
        QString window; // brought to the scene by its name
        std::function<void()> change;
        std::vector<std::pair<const char*, QString>> heard;
        std::vector<const char*> told; // controls that send their new name
    };
    const QString partOne = "Description: (Part 1 of 3)", partTwo = "Description: (Part 2 of 3)";
    const Scene scenes[] = {
        {frmDelivery, {}, {{"Search", "Enter Job Number to Search:"}, {"txtQty", "Quantity:"}}, {}},
        {frmDelivery,
         [] { main().jobs().cboJobs->setText("00000003-Flyers"); },
         {{"txtJob", "Order No: 00000003"}, {"Label4", partOne}, {"txtDes", partOne}},
         {"txtJob", "txtQuote", "Label4", "txtDes"}},
        {frmDelivery,
         [] { main().parts().HScroll1->setValue(2); },
         {{"Label4", partTwo}, {"txtDes", partTwo}},
         {"Label4", "txtDes"}},
        {frmReport, {}, {{"cmdPrint", "Print Ticket"}}, {}},
        // The print stops without the owner's name.
        {frmReport, [] { report().cmdPrint_Click(); }, {{"cmdPrint", "Printing"}}, {"cmdPrint"}},
        {frmDelvHead, {}, {{"txtOwn", "Owners Head:"}, {"txtAdd2", "City, State & Zip:"}}, {}},
        {frmOwner, {}, {{"txtState", "City, State & Zip:"}}, {}},
        {frmMargins, {}, {{"Label6", "11."}, {"Text1", "Top Margin (0-10 Lines)"}}, {}},
        {frmComment, {}, {}, {}},
        {frmDate, {}, {}, {}},
        {frmAbout, {}, {{"lblVersion", versionCaption()}}, {"lblVersion"}},
        // The start-up windows last: the data-folder window's load may forget
        // the data folder the main window reads.
        {frmSplash, {}, {{"lblVersion", versionCaption()}}, {"lblVersion"}},
        {frmPath, {}, {{"Text1", "Location of Vantrell Data Folder."}}, {}},
    };

    const NameChanges changes;
    std::set<QString> windowsHeard;
    for (const Scene& scene : scenes) {
        NameChanges::told.clear();
        QWidget* shown = windows::show(scene.window);
        ASSERT_NE(shown, nullptr) << scene.window.toStdString();
        if (scene.change)
            scene.change();
        windowsHeard.insert(shown->objectName());
        const Hearing hearing = listen(*shown);
        EXPECT_EQ(hearing.faults.join('\n').toStdString(), "") << scene.window.toStdString();
        for (const auto& [control, name] : scene.heard)
            EXPECT_EQ(hearing.names.value(control).toStdString(), name.toStdString())
                << scene.window.toStdString() << ": " << control;
        for (const char* control : scene.told)
            EXPECT_EQ(NameChanges::told.count(control), 1U)
                << scene.window.toStdString() << ": " << control;
    }
    EXPECT_EQ(windowsHeard,
              (std::set<QString>{frmSplash, frmPath, frmDelivery, frmReport, frmDelvHead, frmOwner,
                                 frmMargins, frmComment, frmDate, frmAbout}));
}

// The walk itself: a caption under a fixed name, even its own, and a field
// with no name or a name over its label's are each heard wrongly.
TEST(AccessibleNamesWalk, FindsFixedNamesOverTextAndControlsWithoutNames)
{
    QWidget window;
    const auto add = [&](QWidget* control, const char* name) {
        control->setParent(&window);
        control->setObjectName(QString::fromLatin1(name));
        return control;
    };
    add(new QPushButton("Printing"), "stale")->setAccessibleName("Print Ticket");
    add(new QLabel("Version 1.2.65"), "fixed")->setAccessibleName("Version 1.2.65");
    add(new QLineEdit, "unnamed");
    auto* relabelled = add(new QLineEdit, "relabelled");
    relabelled->setAccessibleName("Description");
    static_cast<QLabel*>(add(new QLabel("Description: (Part 2 of 3)"), "caption"))
        ->setBuddy(relabelled);
    add(new QComboBox, "combo")->setAccessibleName("Jobs");
    add(new QPushButton("&Save && Exit"), "fine");
    add(new QScrollBar, "named")->setAccessibleName("Part No.");

    const Hearing hearing = listen(window);
    EXPECT_EQ(hearing.faults,
              (QStringList{"stale: has the fixed name \"Print Ticket\" over \"Printing\"",
                           "fixed: has the fixed name \"Version 1.2.65\" over \"Version 1.2.65\"",
                           "unnamed: shows no text and has no name",
                           "relabelled: has the fixed name \"Description\" over "
                           "\"Description: (Part 2 of 3)\"",
                           "combo: a combo box without a fixed name and description"}));
    EXPECT_EQ(hearing.names.value("fine"), "Save & Exit");
    EXPECT_EQ(hearing.names.value("caption"), "Description: (Part 2 of 3)");
}

} // namespace
