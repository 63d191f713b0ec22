#include "settings/ui/frm_margins.h"

#include "common/numeric.h"
#include "common/runtime_error.h"
#include "common/ui/center_form.h"
#include "common/ui/event_text_box.h"
#include "common/ui/named_control.h"
#include "common/ui/platform.h"
#include "common/ui/save_failure.h"
#include "common/ui/unload_window.h"
#include "common/ui/window_registry.h"
#include "settings/margins_file.h"

#include <QGridLayout>
#include <QPainter>
#include <QVBoxLayout>

#include <utility>

namespace {

constexpr int kEnter = 13;

// The ticket page in small: its outline with the top margin, the delivery
// head and the sold-to and ship-to blocks marked, labelled in place.
class PageDrawing final : public QWidget
{
public:
    explicit PageDrawing(QWidget* parent)
        : QWidget(parent)
    {
        setObjectName(QStringLiteral("picPage"));
        setAccessibleName(QStringLiteral("Ticket page"));
        setFixedSize(kPage.width() + 2, kPage.height() + 2);
        const std::tuple<const char*, const char*, int> labels[] = {
            {"lblTopMargin", "Top Margin", 4},
            {"lblDelvHead", "Delivery Head", kHeadTop + 4},
            {"lblSoldShip", " Sold To     Ship To", kBlocksTop + 4}};
        for (const auto& [name, text, top] : labels) {
            QLabel* label = named<QLabel>(name, QString::fromLatin1(text));
            label->setParent(this);
            QFont font = label->font();
            font.setPointSize(7);
            label->setFont(font);
            label->move(8, top);
        }
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(kPage, Qt::white);
        painter.drawRect(kPage);
        painter.setPen(QPen(Qt::darkGray, 1, Qt::DashLine));
        for (const int y : {kHeadTop, kBlocksTop, kBlocksBottom})
            painter.drawLine(kPage.left(), y, kPage.right(), y);
        painter.drawLine(kPage.center().x(), kBlocksTop, kPage.center().x(), kBlocksBottom);
    }

private:
    static constexpr QRect kPage{0, 0, 136, 176}; // 8.5 by 11 at 16 per inch
    static constexpr int kHeadTop = 18;
    static constexpr int kBlocksTop = 58;
    static constexpr int kBlocksBottom = 96;
};

EventTextBox* marginBox(const char* name)
{
    auto* box = named<EventTextBox>(name);
    box->setMaximumWidth(60);
    return box;
}

} // namespace

FrmMargins::FrmMargins(QString settingsFolder, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_settingsFolder(std::move(settingsFolder))
{
    setObjectName(windows::names::frmMargins);
    setWindowTitle(QStringLiteral("Delivery Margins"));

    QLabel* title = named<QLabel>("lblTitle", QStringLiteral("Identify Margins"));
    QFont titleFont = title->font();
    titleFont.setPointSize(12);
    titleFont.setBold(true);
    title->setFont(titleFont);
    QPalette red = title->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    title->setPalette(red);

    auto* page = new PageDrawing(this);
    // The page's size in inches, announced as it reads, with what it is.
    QLabel* width = named<QLabel>("lblWidth", QStringLiteral("8.5"));
    width->setAccessibleDescription(QStringLiteral("Page width"));
    Label6 = named<QLabel>("Label6", QStringLiteral("11.0"));
    Label6->setAccessibleDescription(QStringLiteral("Page height"));

    Text1 = marginBox("Text1");
    Text2 = marginBox("Text2");
    Text3 = marginBox("Text3");
    cmdMargins = named<QPushButton>("cmdMargins", QStringLiteral("Save && Exit"));
    QLabel* label2 = buddyLabel(
        "lblText2", QStringLiteral("Lines between Delivery Head && Sold To (0-3)"), Text2);
    label2->hide();
    Text2->hide();

    auto* drawing = new QGridLayout;
    drawing->addWidget(page, 0, 0);
    drawing->addWidget(Label6, 0, 1, Qt::AlignVCenter);
    drawing->addWidget(width, 1, 0, Qt::AlignHCenter);
    auto* boxes = new QVBoxLayout;
    boxes->addWidget(buddyLabel("lblText1", QStringLiteral("Top Margin (0-10 Lines)"), Text1));
    boxes->addWidget(Text1);
    boxes->addWidget(label2);
    boxes->addWidget(Text2);
    boxes->addWidget(buddyLabel("lblText3", QStringLiteral("Total Lines in Form (66)"), Text3));
    boxes->addWidget(Text3);
    boxes->addStretch();
    boxes->addWidget(cmdMargins);
    auto* layout = new QGridLayout(this);
    layout->addWidget(title, 0, 0, 1, 2, Qt::AlignHCenter);
    layout->addLayout(drawing, 1, 0);
    layout->addLayout(boxes, 1, 1);

    connectControls();

    adjustSize();
    Form_Load();
}

void FrmMargins::connectControls()
{
    setTabChain({Text1, Text3, cmdMargins});

    connect(Text3, &EventTextBox::keyPressed, this,
            [this](int key) { runHandler([&] { Text3_KeyPress(key); }); });
    connect(Text3, &EventTextBox::lostFocus, this,
            [this] { runHandler([this] { Text3_LostFocus(); }); });
    connect(cmdMargins, &QPushButton::clicked, this,
            [this] { runHandler([this] { cmdMargins_Click(); }); });
}

void FrmMargins::Form_Load()
{
    CenterForm(*this);
    const Result<Margins> margins = readMargins(m_settingsFolder);
    if (margins) {
        Label6->setText(pageHeightText(margins->totalLines));
        Text3->setText(QString::number(margins->totalLines));
        Text1->setText(QString::number(margins->topMargin));
    } else {
        const QString number = QString::number(margins.failure().number());
        platform().messageBox(margins.failure().code == ErrorCode::FileNotFound
                                  ? QStringLiteral("Bid.Fyl is Missing! Will Create Now! Error "
                                                   "Number: ") +
                                        number
                                  : QStringLiteral("Error Number: ") + number,
                              Platform::Buttons::Ok, Platform::Icon::Critical,
                              QStringLiteral("Warning"));
    }
}

void FrmMargins::Text3_KeyPress(int keyAscii)
{
    if (keyAscii == kEnter)
        cmdMargins->setFocus();
}

void FrmMargins::Text3_LostFocus()
{
    Label6->setText(pageHeightText(numericValue(Text3->text())));
}

void FrmMargins::cmdMargins_Click()
{
    if (const Result<void> saved = saveMargins(m_settingsFolder, Text1->text(), Text3->text());
        !saved) {
        reportSaveFailure(saved.failure());
        return;
    }
    unloadWindow(*this);
}
