#include "scaleaq420.h"

#include <QPainter>
#include <QPolygonF>
#include <QTransform>

namespace {
const QColor kNeedle(QStringLiteral("#E33F23"));
const QColor kDial(QStringLiteral("#B9B9B9"));
constexpr int kDialRadius = 96;  // px, just outside the needle's tip
constexpr int kTickLength = 8;   // px, the marks every 45°
constexpr int kTickStep = 45;    // degrees
constexpr int kHalfTurn = 180;   // degrees

// The needle drawn pointing left (0°); the painter turns it clockwise by
// the angle, which in screen coordinates carries it up and to the right.
QTransform turnedBy(int degrees, const QSize &size)
{
    QTransform transform;
    transform.translate(size.width() / 2.0, size.height());
    transform.rotate(degrees);
    return transform;
}
} // namespace

ScaleAQ420::ScaleAQ420(QWidget *parent) : QWidget(parent)
{
    setFixedSize(kSide, kSide);
    setAttribute(Qt::WA_TranslucentBackground);
    m_repaint.setInterval(kRepaintInterval);
    connect(&m_repaint, &QTimer::timeout, this, qOverload<>(&QWidget::update));
    m_repaint.start();
}

QPointF ScaleAQ420::tipFor(int degrees)
{
    return turnedBy(degrees, QSize(kSide, kSide)).map(QPointF(-kNeedleLength, 0));
}

void ScaleAQ420::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);

    // The dial: a half circle with a mark every 45°.
    painter.setPen(QPen(kDial, 2));
    painter.setBrush(Qt::NoBrush);
    const QPointF pivot(width() / 2.0, height());
    painter.drawArc(QRectF(pivot.x() - kDialRadius, pivot.y() - kDialRadius, 2 * kDialRadius,
                           2 * kDialRadius),
                    0, kHalfTurn * 16);
    for (int mark = 0; mark <= kHalfTurn; mark += kTickStep) {
        const QTransform at = turnedBy(mark, size());
        painter.drawLine(at.map(QPointF(-kDialRadius, 0)),
                         at.map(QPointF(-kDialRadius + kTickLength, 0)));
    }

    // The needle.
    painter.setPen(Qt::NoPen);
    painter.setBrush(kNeedle);
    painter.setTransform(turnedBy(m_angle, size()));
    painter.drawPolygon(QPolygonF({QPointF(0, kNeedleHalfWidth), QPointF(0, -kNeedleHalfWidth),
                                   QPointF(-kNeedleLength, 0)}));
}
