#include "part_bitmap.h"

#include <QPainter>
#include <QPolygonF>

#include <array>
#include <stdexcept>

namespace {

enum Segment : unsigned {
    Top = 1u << 0,
    UpperRight = 1u << 1,
    LowerRight = 1u << 2,
    Bottom = 1u << 3,
    LowerLeft = 1u << 4,
    UpperLeft = 1u << 5,
    Middle = 1u << 6,
};

// The lit segments of the digits 1 to 9.
constexpr std::array<unsigned, 9> DigitSegments = {
    UpperRight | LowerRight,
    Top | UpperRight | Middle | LowerLeft | Bottom,
    Top | UpperRight | Middle | LowerRight | Bottom,
    UpperLeft | Middle | UpperRight | LowerRight,
    Top | UpperLeft | Middle | LowerRight | Bottom,
    Top | UpperLeft | Middle | LowerLeft | LowerRight | Bottom,
    Top | UpperRight | LowerRight,
    Top | UpperRight | LowerRight | Bottom | LowerLeft | UpperLeft | Middle,
    Top | UpperRight | LowerRight | Bottom | UpperLeft | Middle,
};

// The digit's box inside the picture and the thickness of a stroke.
constexpr qreal GlyphWidth = 22;
constexpr qreal GlyphHeight = 32;
constexpr qreal Stroke = 5;
constexpr qreal Gap = 1; // between neighbouring segments

const QColor Ground(0xFF, 0xFF, 0xF4);
const QColor Ink(0x10, 0x20, 0x60);

// A bar with pointed ends from `from` to `to` along one axis.
QPolygonF bar(QPointF from, QPointF to)
{
    const bool horizontal = from.y() == to.y();
    const qreal h = Stroke / 2;
    const QPointF along = horizontal ? QPointF(h, 0) : QPointF(0, h);
    const QPointF across = horizontal ? QPointF(0, h) : QPointF(h, 0);
    return QPolygonF({from, from + along - across, to - along - across, to, to - along + across,
                      from + along + across});
}

} // namespace

QImage drawPartBitmap(int part)
{
    if (part < 1 || part > 9)
        throw std::out_of_range("a part picture exists for the parts 1 to 9 only");

    QImage image(PartBitmapSize, PartBitmapSize, QImage::Format_RGB32);
    image.fill(Ground);

    const qreal left = (PartBitmapSize - GlyphWidth) / 2 + Stroke / 2;
    const qreal right = (PartBitmapSize + GlyphWidth) / 2 - Stroke / 2;
    const qreal top = (PartBitmapSize - GlyphHeight) / 2 + Stroke / 2;
    const qreal bottom = (PartBitmapSize + GlyphHeight) / 2 - Stroke / 2;
    const qreal middle = (top + bottom) / 2;

    const auto across = [&](qreal y) { return bar({left + Gap, y}, {right - Gap, y}); };
    const auto down = [&](qreal x, qreal y0, qreal y1) {
        return bar({x, y0 + Gap}, {x, y1 - Gap});
    };
    const std::array<std::pair<Segment, QPolygonF>, 7> segments = {{
        {Top, across(top)},
        {UpperRight, down(right, top, middle)},
        {LowerRight, down(right, middle, bottom)},
        {Bottom, across(bottom)},
        {LowerLeft, down(left, middle, bottom)},
        {UpperLeft, down(left, top, middle)},
        {Middle, across(middle)},
    }};

    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Ink);
    if (part == 1) // a lone right-hand stroke would look pushed aside
        painter.translate((left - right) / 2, 0);
    const unsigned lit = DigitSegments[static_cast<std::size_t>(part - 1)];
    for (const auto& [segment, shape] : segments) {
        if ((lit & segment) != 0)
            painter.drawPolygon(shape);
    }
    return image;
}
