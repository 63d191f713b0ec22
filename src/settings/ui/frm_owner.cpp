#include "settings/ui/frm_owner.h"

#include "common/runtime_error.h"
#include "common/ui/center_form.h"
#include "common/ui/named_control.h"
#include "common/ui/save_failure.h"
#include "common/ui/unload_window.h"
#include "common/ui/window_registry.h"
#include "settings/owner_record_file.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include <utility>

namespace {

QLineEdit* fieldBox(const char* name, int width)
{
    return courierBox(name, 9.75, width, width + 1);
}

} // namespace

FrmOwner::FrmOwner(QString settingsFolder, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_settingsFolder(std::move(settingsFolder))
{
    setObjectName(windows::names::frmOwner);
    setWindowTitle(QStringLiteral("Owner's Data"));

    lblDelvHead = titleLabel("lblDelvHead", QStringLiteral("Owner's File"), 14);
    lblDelvHead->setAlignment(Qt::AlignCenter);

    txtName = fieldBox("txtName", OwnerRecord::NameWidth);
    txtAdd = fieldBox("txtAdd", OwnerRecord::AddressWidth);
    txtState = fieldBox("txtState", OwnerRecord::CityStateZipWidth);
    txtPhone = fieldBox("txtPhone", OwnerRecord::PhoneWidth);
    txtCom = fieldBox("txtCom", OwnerRecord::CommentWidth);
    cmdSave = named<QPushButton>("cmdSave", QStringLiteral("&Save"));
    cmdExit = named<QPushButton>("cmdExit", QStringLiteral("&Exit"));

    auto* form = new QFormLayout;
    form->addRow(buddyLabel("lblName", QStringLiteral("Name:"), txtName), txtName);
    form->addRow(buddyLabel("lblAdd", QStringLiteral("Address:"), txtAdd), txtAdd);
    form->addRow(buddyLabel("lblState", QStringLiteral("City, State && Zip:"), txtState), txtState);
    form->addRow(buddyLabel("lblPhone", QStringLiteral("Phone Number:"), txtPhone), txtPhone);
    form->addRow(buddyLabel("lblCom", QStringLiteral("Comment Line:"), txtCom), txtCom);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdSave);
    buttons->addWidget(cmdExit);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblDelvHead);
    layout->addLayout(form);
    layout->addLayout(buttons);

    setTabChain({txtName, txtAdd, txtState, txtPhone, txtCom, cmdSave, cmdExit});

    connect(cmdSave, &QPushButton::clicked, this,
            [this] { runHandler([this] { cmdSave_Click(); }); });
    connect(cmdExit, &QPushButton::clicked, this,
            [this] { runHandler([this] { cmdExit_Click(); }); });

    adjustSize();
    Form_Load();
}

void FrmOwner::Form_Load()
{
    CenterForm(*this);
    const auto record = readOwnerRecord(m_settingsFolder);
    if (!record)
        return;
    txtName->setText(record->name);
    txtAdd->setText(record->address);
    txtState->setText(record->cityStateZip);
    txtPhone->setText(record->phone);
    txtCom->setText(record->comment);
}

void FrmOwner::cmdSave_Click()
{
    const Result<void> written =
        writeOwnerRecord(m_settingsFolder, {txtName->text(), txtAdd->text(), txtState->text(),
                                            txtPhone->text(), txtCom->text()});
    if (!written) {
        reportSaveFailure(written.failure());
        return;
    }
    cmdExit->setFocus();
}

void FrmOwner::cmdExit_Click()
{
    unloadWindow(*this);
}
