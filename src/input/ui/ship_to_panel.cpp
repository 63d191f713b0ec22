#include "input/ui/ship_to_panel.h"

#include "common/ui/event_combo_box.h"
#include "common/ui/event_text_block.h"
#include "common/ui/named_control.h"

#include <QGroupBox>
#include <QVBoxLayout>

ShipToPanel::ShipToPanel()
{
    Frame5 = named<QGroupBox>("Frame5", QStringLiteral("Ship To (Use Customer Database)"));
    cboSCust = named<EventComboBox>("cboSCust");
    nameComboBox(cboSCust, Frame5->title());
    (new QVBoxLayout(Frame5))->addWidget(cboSCust);

    Frame6 = named<QGroupBox>("Frame6", QStringLiteral("Ship To (Use Ship To Database)"));
    cboShip = named<EventComboBox>("cboShip");
    nameComboBox(cboShip, Frame6->title());
    txtShip = named<EventTextBlock>("txtShip");
    txtShip->setAccessibleName(QStringLiteral("Ship To address"));
    auto* layout = new QVBoxLayout(Frame6);
    layout->addWidget(cboShip);
    layout->addWidget(txtShip, 1);
}
