#include "input/ui/sold_to_panel.h"

#include "common/ui/event_combo_box.h"
#include "common/ui/event_text_block.h"
#include "common/ui/named_control.h"

#include <QGroupBox>
#include <QVBoxLayout>

SoldToPanel::SoldToPanel()
{
    Frame2 = named<QGroupBox>("Frame2", QStringLiteral("Sold To (Select or Modify Customer )"));
    cboCust = named<EventComboBox>("cboCust");
    nameComboBox(cboCust, QStringLiteral("Sold To"));
    txtCust = named<EventTextBlock>("txtCust");
    txtCust->setAccessibleName(QStringLiteral("Sold To address"));
    auto* layout = new QVBoxLayout(Frame2);
    layout->addWidget(cboCust);
    layout->addWidget(txtCust, 1);
}
