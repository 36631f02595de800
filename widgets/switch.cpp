#include "switch.h"

#include <QMouseEvent>
#include <QPainter>

#include <chrono>

namespace {
using namespace std::chrono_literals;
constexpr auto kSlideDuration = 120ms;
const QColor kThumbOff(QStringLiteral("#B9B9B9"));
const QColor kDefaultOn(QStringLiteral("#009688"));
const QColor kDisabled(QStringLiteral("#7A7575"));
constexpr int kDefaultThumb = 16; // px
constexpr int kBrushThumb = 12;   // px
} // namespace

Switch::Switch(QWidget *parent) : Switch(QBrush(kDefaultOn), parent)
{
    m_height = kDefaultThumb;
    m_x = m_y = m_height / 2;
}

Switch::Switch(const QBrush &brush, QWidget *parent)
    : QAbstractButton(parent),
      m_thumb(kThumbOff),
      m_brush(brush),
      m_height(kBrushThumb),
      m_x(kBrushThumb / 2),
      m_y(kBrushThumb / 2),
      m_anim(new QPropertyAnimation(this, "offset", this))
{
    setOffset(m_height / 2);
    setCursor(Qt::PointingHandCursor);
}

void Switch::setOffset(int offset)
{
    m_x = offset;
    update();
}

int Switch::onOffset() const
{
    return width() - m_height - m_margin;
}

QSize Switch::sizeHint() const
{
    return QSize(2 * (m_height + m_margin), m_height + 2 * m_margin);
}

void Switch::animateTo(int end)
{
    m_anim->stop();
    m_anim->setStartValue(m_x);
    m_anim->setEndValue(end);
    m_anim->setDuration(int(std::chrono::milliseconds(kSlideDuration).count()));
    m_anim->start();
}

void Switch::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() & Qt::LeftButton) {
        m_on = !m_on;
        m_thumb = m_on ? m_brush : QBrush(kThumbOff);
        m_switched = m_on;
        m_anim->stop();
        if (m_on) {
            m_anim->setStartValue(m_height / 2);
            m_anim->setEndValue(onOffset());
        } else {
            m_anim->setStartValue(m_x);
            m_anim->setEndValue(offOffset());
        }
        m_anim->setDuration(int(std::chrono::milliseconds(kSlideDuration).count()));
        m_anim->start();
    }
    QAbstractButton::mouseReleaseEvent(event);
}

#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
void Switch::enterEvent(QEvent *event)
#else
void Switch::enterEvent(QEnterEvent *event)
#endif
{
    QAbstractButton::enterEvent(event);
}

void Switch::setInitialState(bool on)
{
    if (!m_armed)
        return;
    m_armed = false;
    if (on) {
        m_thumb = m_brush;
        m_on = m_switched = true;
        setDown(true);
        animateTo(onOffset());
    } else {
        setDown(false);
        m_on = m_switched = false;
        m_thumb = QBrush(kThumbOff);
        animateTo(offOffset());
    }
}

void Switch::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setPen(Qt::NoPen);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF track(m_margin, m_margin, width() - 2 * m_margin, height() - 2 * m_margin);
    const QRectF thumb(m_x - m_height / 2.0, m_y - m_height / 2.0, m_height, m_height);
    if (isEnabled()) {
        p.setBrush(m_on ? m_brush : QBrush(Qt::gray));
        p.setOpacity(m_on ? 0.5 : 0.38);
        p.drawRoundedRect(track, m_radius, m_radius);
        p.setBrush(m_thumb);
        p.setOpacity(1.0);
        p.drawEllipse(thumb);
    } else {
        p.setBrush(kDisabled);
        p.setOpacity(0.12);
        p.drawRoundedRect(track, m_radius, m_radius);
        p.setOpacity(1.0);
        p.drawEllipse(thumb);
    }
}
