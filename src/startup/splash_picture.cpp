#include "startup/splash_picture.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

void drawBackground(QPainter& painter, const QRectF& area)
{
    QLinearGradient gradient(area.topLeft(), area.bottomRight());
    gradient.setColorAt(0.0, QColor(0x12, 0x2c, 0x4a));
    gradient.setColorAt(1.0, QColor(0x1f, 0x6f, 0x7c));
    painter.fillRect(area, gradient);

    // A thin rule above the band that holds the progress bar and notices.
    painter.setPen(QPen(QColor(255, 255, 255, 70), 1));
    const qreal ruleY = area.height() - 92;
    painter.drawLine(QPointF(20, ruleY), QPointF(area.width() - 20, ruleY));
}

// The ticket coming out of the printer: a sheet with a perforated foot, a
// heading bar, ruled item lines and a signature line.
void drawTicket(QPainter& painter, const QRectF& sheet)
{
    QPainterPath sheetPath;
    sheetPath.addRect(sheet);
    QPainterPath notches;
    const qreal notch = 4;
    for (qreal x = sheet.left() + notch * 2; x < sheet.right() - notch; x += notch * 3)
        notches.addEllipse(QPointF(x, sheet.bottom()), notch, notch);
    const QPainterPath outline = sheetPath.subtracted(notches);

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 60));
    painter.drawPath(outline.translated(4, 4));
    painter.setBrush(QColor(0xfb, 0xf8, 0xf0));
    painter.drawPath(outline);

    const qreal margin = 12;
    const qreal width = sheet.width() - margin * 2;
    painter.setBrush(QColor(0x12, 0x2c, 0x4a));
    painter.drawRect(QRectF(sheet.left() + margin, sheet.top() + 14, width * 0.6, 9));

    painter.setBrush(QColor(0xb8, 0xbf, 0xc6));
    const qreal lineWidths[] = {0.9, 0.75, 0.85, 0.5, 0.8, 0.65};
    qreal y = sheet.top() + 36;
    for (qreal part : lineWidths) {
        painter.drawRect(QRectF(sheet.left() + margin, y, width * 0.12, 4));
        painter.drawRect(QRectF(sheet.left() + margin + width * 0.18, y, width * 0.82 * part, 4));
        y += 14;
    }

    painter.setPen(QPen(QColor(0x5a, 0x64, 0x6e), 1));
    const qreal signY = sheet.bottom() - 22;
    painter.drawLine(QPointF(sheet.left() + margin, signY),
                     QPointF(sheet.left() + margin + width * 0.55, signY));
}

void drawPrinter(QPainter& painter, const QRectF& body)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x2b, 0x33, 0x3d));
    painter.drawRoundedRect(body, 8, 8);
    painter.setBrush(QColor(0x3b, 0x45, 0x52));
    painter.drawRoundedRect(body.adjusted(6, 6, -6, -body.height() / 2), 5, 5);

    // The paper slot and a ready light.
    painter.setBrush(QColor(0x0c, 0x10, 0x14));
    painter.drawRect(QRectF(body.left() + 14, body.bottom() - 8, body.width() - 28, 4));
    painter.setBrush(QColor(0x6d, 0xe0, 0x8a));
    painter.drawEllipse(QPointF(body.right() - 16, body.top() + body.height() * 0.7), 3, 3);
}

} // namespace

QPixmap splashPicture(const QSize& size)
{
    QPixmap picture(size);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);

    drawBackground(painter, QRectF(QPointF(0, 0), QSizeF(size)));

    const QRectF printer(28, 26, 180, 54);
    // The ticket is drawn first so the printer's front covers its top edge.
    drawTicket(painter,
               QRectF(printer.left() + 24, printer.bottom() - 12, printer.width() - 48, 140));
    drawPrinter(painter, printer);
    return picture;
}
