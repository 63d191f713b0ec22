#include "input/ui/parts_panel.h"

#include "common/ui/event_scroll_bar.h"
#include "common/ui/event_text_box.h"
#include "common/ui/named_control.h"

#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>

PartsPanel::PartsPanel()
{
    Frame7 = named<QGroupBox>("Frame7", QString());
    Label5 = named<QLabel>("Label5", QStringLiteral("Delivery Ticket Input"));
    QFont headingFont = Label5->font();
    headingFont.setBold(true);
    Label5->setFont(headingFont);
    picParts = named<QLabel>("picParts");
    picParts->setFixedSize(40, 40);
    picParts->setFrameShape(QFrame::Box);
    picParts->setAccessibleName(QStringLiteral("Part No. picture"));
    lblPart = named<QLabel>("lblPart", QStringLiteral("Part No."));
    txtQty = named<EventTextBox>("txtQty");
    txtBO = named<EventTextBox>("txtBO");
    txtDes = named<EventTextBox>("txtDes");
    Label2 = buddyLabel("Label2", QStringLiteral("&Quantity:"), txtQty);
    Label3 = buddyLabel("Label3", QStringLiteral("&Back-Ordered:"), txtBO);
    Label4 = buddyLabel("Label4", QStringLiteral("Description:"), txtDes);
    HScroll1 = named<EventScrollBar>("HScroll1");
    HScroll1->setRange(1, 9);
    HScroll1->setAccessibleName(lblPart->text());
    txtQty->setMinimumWidth(110);
    txtBO->setMinimumWidth(110);

    auto* layout = new QGridLayout(Frame7);
    layout->addWidget(Label5, 0, 0, 1, 3);
    layout->addWidget(lblPart, 1, 0);
    layout->addWidget(picParts, 1, 1, 2, 1);
    layout->addWidget(Label2, 1, 2);
    layout->addWidget(txtQty, 1, 3);
    layout->addWidget(Label3, 2, 2);
    layout->addWidget(txtBO, 2, 3);
    layout->addWidget(Label4, 3, 0, 1, 4);
    layout->addWidget(txtDes, 4, 0, 1, 4);
    layout->addWidget(HScroll1, 5, 0, 1, 4);
}
