#include "settings/ui/frm_delv_head.h"

#include "common/runtime_error.h"
#include "common/ui/center_form.h"
#include "common/ui/named_control.h"
#include "common/ui/save_failure.h"
#include "common/ui/unload_window.h"
#include "common/ui/window_registry.h"
#include "settings/delivery_header_file.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace {

constexpr int kBorderLength = 79;

QLineEdit* headerBox(const char* name, int maxLength, const QString& text = {})
{
    return courierBox(name, 8.25, maxLength, kBorderLength, text);
}

} // namespace

FrmDelvHead::FrmDelvHead(QString settingsFolder, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_settingsFolder(std::move(settingsFolder))
{
    setObjectName(windows::names::frmDelvHead);
    setWindowTitle(QStringLiteral("Delivery Ticket Headline"));

    lblDelvHead = titleLabel("lblDelvHead", QStringLiteral("Delivery Ticket Headlines"), 14);
    lblDelvHead->setAlignment(Qt::AlignCenter);

    txtBord = headerBox("txtBord", kBorderLength);
    txtOwn = headerBox("txtOwn", kBorderLength);
    txtBord2 = headerBox("txtBord2", kBorderLength);
    txtAdd1 = headerBox("txtAdd1", kBorderLength);
    txtAdd2 = headerBox("txtAdd2", kBorderLength);
    txtPhone = headerBox("txtPhone", 0);
    txtFax = headerBox("txtFax", 0);
    txtEmail = headerBox("txtEmail", 0);
    txtHead = headerBox("txtHead", 0,
                        QStringLiteral("*  *  *  D E L I V E R Y   R E C E I P T  *  *  *"));
    txtSpc = headerBox("txtSpc", 1, QStringLiteral("2"));
    txtSpc->setMinimumWidth(0);
    txtSpc->setMaximumWidth(txtSpc->fontMetrics().horizontalAdvance(QStringLiteral("MM")) + 12);

    lblDesc = named<QLabel>("lblDesc",
                            QStringLiteral("There will be one line space prior to Main Headline. "
                                           "Line spaces identified on left will follow Main "
                                           "Headline, then start Ticket body."));
    lblDesc->setWordWrap(true);
    cmdSave = named<QPushButton>("cmdSave", QStringLiteral("&Save"));
    cmdExit = named<QPushButton>("cmdExit", QStringLiteral("&Exit"));

    auto* form = new QFormLayout;
    const std::pair<const char*, QLineEdit*> rows[] = {
        {"Top Border Copy:", txtBord},     {"Owners Head:", txtOwn},
        {"Bottom Border Copy:", txtBord2}, {"Address Line:", txtAdd1},
        {"City, State && Zip:", txtAdd2},  {"Phone Number:", txtPhone},
        {"Fax Number:", txtFax},           {"Email/Web Address:", txtEmail},
        {"Main Headline:", txtHead},       {"Line Spaces:", txtSpc}};
    for (const auto& [caption, box] : rows) {
        const QString labelName = QStringLiteral("lbl") + box->objectName().mid(3);
        form->addRow(
            buddyLabel(labelName.toLatin1().constData(), QString::fromLatin1(caption), box), box);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdSave);
    buttons->addWidget(cmdExit);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblDelvHead);
    layout->addLayout(form);
    layout->addWidget(lblDesc);
    layout->addLayout(buttons);

    connectControls();

    adjustSize();
    Form_Load();
}

QLineEdit* FrmDelvHead::boxForLine(int line) const
{
    QLineEdit* const boxes[] = {txtBord, txtOwn,  txtBord2, txtAdd1, txtAdd2, txtPhone,
                                txtFax,  nullptr, txtHead,  txtSpc,  txtEmail};
    return boxes[line - 1];
}

void FrmDelvHead::connectControls()
{
    // Screen order to the headline, the buttons, and the line count last.
    setTabChain({txtBord, txtOwn, txtBord2, txtAdd1, txtAdd2, txtPhone, txtFax, txtEmail, txtHead,
                 cmdSave, cmdExit, txtSpc});

    connect(cmdSave, &QPushButton::clicked, this,
            [this] { runHandler([this] { cmdSave_Click(); }); });
    connect(cmdExit, &QPushButton::clicked, this,
            [this] { runHandler([this] { cmdExit_Click(); }); });
}

void FrmDelvHead::Form_Load()
{
    CenterForm(*this);
    const auto header = readDeliveryHeader(m_settingsFolder);
    if (!header)
        return;
    for (int line = 1; line <= DeliveryHeader::SlotCount; ++line) {
        QLineEdit* box = boxForLine(line);
        if (box == nullptr)
            continue;
        // The limits hold for typing: a longer line written by other means
        // is shown, and saved again, whole.
        const QString& text = header->slot(line);
        box->setMaxLength(std::max(box->maxLength(), static_cast<int>(text.size())));
        box->setText(text);
    }
}

void FrmDelvHead::cmdSave_Click()
{
    DeliveryHeader header;
    for (int line = 1; line <= DeliveryHeader::SlotCount; ++line) {
        if (QLineEdit* box = boxForLine(line))
            header.slot(line) = box->text();
    }
    if (const Result<void> written = writeDeliveryHeader(m_settingsFolder, header); !written)
        reportSaveFailure(written.failure());
}

void FrmDelvHead::cmdExit_Click()
{
    unloadWindow(*this);
}
