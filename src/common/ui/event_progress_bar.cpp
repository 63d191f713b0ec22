#include "common/ui/event_progress_bar.h"

#include "common/runtime_error.h"

#include <QMouseEvent>

#include <algorithm>
#include <limits>

namespace {

// Spans up to this many are shown step for step; larger ones are scaled.
constexpr qint64 MaxSteps = std::numeric_limits<int>::max();

[[noreturn]] void refuse(const char* what, qint64 value)
{
    throw RuntimeError(ErrorCode::InvalidPropertyValue,
                       QStringLiteral("progress bar %1 %2").arg(QLatin1String(what)).arg(value));
}

} // namespace

EventProgressBar::EventProgressBar(QWidget* parent)
    : QProgressBar(parent)
{
    showSteps();
}

void EventProgressBar::setRange64(qint64 minimum, qint64 maximum)
{
    if (maximum <= minimum)
        refuse("maximum", maximum);
    m_minimum = minimum;
    m_maximum = maximum;
    m_value = std::clamp(m_value, m_minimum, m_maximum);
    showSteps();
}

void EventProgressBar::setMinimum64(qint64 minimum)
{
    if (minimum >= m_maximum)
        refuse("minimum", minimum);
    setRange64(minimum, m_maximum);
}

void EventProgressBar::setMaximum64(qint64 maximum)
{
    if (maximum <= m_minimum)
        refuse("maximum", maximum);
    setRange64(m_minimum, maximum);
}

void EventProgressBar::setValue64(qint64 value)
{
    if (value < m_minimum || value > m_maximum)
        refuse("value", value);
    if (value == m_value)
        return;
    m_value = value;
    showSteps();
}

void EventProgressBar::showSteps()
{
    // Differences are taken in long double: a 64-bit span may not fit qint64.
    const long double span = static_cast<long double>(m_maximum) - m_minimum;
    const long double done = static_cast<long double>(m_value) - m_minimum;
    const auto steps = static_cast<qint64>(std::min<long double>(span, MaxSteps));
    const auto step = static_cast<qint64>(span <= MaxSteps ? done : done * MaxSteps / span);
    QProgressBar::setRange(0, static_cast<int>(steps));
    QProgressBar::setValue(static_cast<int>(step));
}

void EventProgressBar::mousePressEvent(QMouseEvent* event)
{
    m_leftPressed = event->button() == Qt::LeftButton;
    event->accept();
    emit mouseDown();
}

void EventProgressBar::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    const bool click = m_leftPressed && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    m_leftPressed = false;
    if (click)
        emit clicked();
}

void EventProgressBar::hideEvent(QHideEvent* event)
{
    // A bar hidden between press and release (a handler of mouseDown) has
    // not been clicked.
    m_leftPressed = false;
    QProgressBar::hideEvent(event);
}
