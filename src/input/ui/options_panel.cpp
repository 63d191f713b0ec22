#include "input/ui/options_panel.h"

#include "common/ui/event_check_box.h"
#include "common/ui/event_combo_box.h"
#include "common/ui/event_option_button.h"
#include "common/ui/named_control.h"

#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

#include <initializer_list>

namespace {

// A control of the event kind with its caption set after construction.
template<typename Widget>
Widget* captioned(const char* name, const QString& caption)
{
    auto* widget = named<Widget>(name);
    widget->setText(caption);
    return widget;
}

// The option groups' headings are bold, like the part frame's.
QLabel* heading(const char* name, const QString& text)
{
    auto* label = named<QLabel>(name, text);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

} // namespace

OptionsPanel::OptionsPanel()
{
    Frame8 = named<QGroupBox>("Frame8", QStringLiteral("Options"));
    Label6 = heading("Label6", QStringLiteral("List"));
    chkAll = captioned<EventOptionButton>("chkAll", QStringLiteral("&All Jobs"));
    chkInv = captioned<EventOptionButton>("chkInv", QStringLiteral("&Invoiced Jobs"));
    chkNon = captioned<EventOptionButton>("chkNon", QStringLiteral("&Non-Invoiced Jobs"));
    chkAll->setValue(true);
    Label8 = heading("Label8", QStringLiteral("Include"));
    chkJob = captioned<EventCheckBox>("chkJob", QStringLiteral("&Job/Quote Numbers"));
    chkComment = captioned<EventCheckBox>("chkComment", QStringLiteral("&Comments Shown"));
    cboComment = named<EventComboBox>("cboComment");
    nameComboBox(cboComment, QStringLiteral("Comment line"));
    cboComment->setMinimumContentsLength(22);
    auto* optionLayout = new QVBoxLayout(Frame8);
    optionLayout->setSpacing(2);
    for (QWidget* widget : std::initializer_list<QWidget*>{Label6, chkAll, chkInv, chkNon, Label8,
                                                           chkJob, chkComment, cboComment})
        optionLayout->addWidget(widget);

    buildFormSelection();
    chkPart = captioned<EventCheckBox>("chkPart", QStringLiteral("Only &Print Part No Shown"));
    Check1 = captioned<EventCheckBox>("Check1", QStringLiteral("Set Contact as First &Line"));

    m_column = new QVBoxLayout;
    m_column->addWidget(Frame8);
    m_column->addWidget(Frame4);
    m_column->addWidget(chkPart);
    m_column->addWidget(Check1);
    m_column->addStretch(1);
}

// The form selection is kept for the operator's habit; every ticket has the
// one layout.
void OptionsPanel::buildFormSelection()
{
    Frame4 = named<QGroupBox>("Frame4", QStringLiteral("Form Selections"));
    Option3 = captioned<EventOptionButton>("Option3", QStringLiteral("5.5x8.5 Form 2 Up"));
    Option2 = captioned<EventOptionButton>("Option2", QStringLiteral("Basic Delivery Form"));
    Option1 = captioned<EventOptionButton>("Option1", QStringLiteral("Pre-Printed Form"));
    Option2->setValue(true);
    auto* formLayout = new QVBoxLayout(Frame4);
    formLayout->setSpacing(2);
    formLayout->addWidget(Option3);
    formLayout->addWidget(Option2);
    formLayout->addWidget(Option1);
}
