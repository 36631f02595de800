#include "widgettar.h"

#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

namespace {
const char kLabelStyle[] = "border: none;color : white;font-size: 12pt;";
constexpr QSize kCaptionSize(129, 99);
constexpr QSize kSensorSize(139, 99);
constexpr int kFrameWidth = 2; // px
// Room between the frame and the labels, and between the labels: little,
// so that four lines of 12 pt stand in the 99 px a sensor tile has.
constexpr int kInnerMargin = 2; // px, the frame takes 1 px of it
constexpr int kLabelSpacing = 0; // px
} // namespace

WidgetTar::WidgetTar(QWidget *parent, bool caption) : QWidget(parent), m_caption(caption)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(kInnerMargin, kInnerMargin, kInnerMargin, kInnerMargin);
    layout->setSpacing(kLabelSpacing);
    const QStringList texts = caption
        ? QStringList{tr("Литры")}
        : QStringList{tr("Датчик#"), QStringLiteral("Level"), tr("Калиброван"), tr("Стабилен")};
    for (int i = 0; i < texts.size(); ++i) {
        m_labels[i] = new QLabel(texts.at(i), this);
        m_labels[i]->setAlignment(Qt::AlignCenter);
        m_labels[i]->setStyleSheet(QLatin1String(kLabelStyle));
        layout->addWidget(m_labels[i]);
    }
    setWindowColour(QColor(caption ? QStringLiteral("#1f2222") : QStringLiteral("#00A778")));
    setGeometry(QRect(QPoint(0, 0), caption ? kCaptionSize : kSensorSize));
    setVisible(caption);
    fitToText();
}

QString WidgetTar::labelText(int index) const
{
    if (index < 1 || index > 4 || !m_labels[index - 1])
        return {};
    return m_labels[index - 1]->text();
}

void WidgetTar::setWindowColour(const QColor &colour)
{
    QPalette pal = palette();
    pal.setColor(QPalette::Window, colour);
    setPalette(pal);
    setAutoFillBackground(true);
}

QColor WidgetTar::windowColour() const
{
    return palette().color(QPalette::Window);
}

void WidgetTar::setLabelText(int index, const QString &text)
{
    if (!m_labels[index] || m_labels[index]->text() == text)
        return; // the device pages write the same texts on every reply
    m_labels[index]->setText(text);
    fitToText();
}

void WidgetTar::fitToText()
{
    ensurePolished(); // the labels' style sheet sets their font size
    layout()->activate();
    const QSize wanted =
        (m_caption ? kCaptionSize : kSensorSize).expandedTo(layout()->totalMinimumSize());
    if (wanted == size())
        return;
    // The tiles of a row stand edge to edge: those right of this one follow
    // its right edge.
    const QRect before = geometry();
    const int shift = wanted.width() - before.width();
    resize(wanted);
    if (shift == 0 || !parentWidget())
        return;
    const auto siblings = parentWidget()->findChildren<WidgetTar *>(QString(),
                                                                     Qt::FindDirectChildrenOnly);
    for (WidgetTar *tile : siblings) {
        if (tile != this && tile->y() == before.y() && tile->x() >= before.x() + before.width())
            tile->move(tile->x() + shift, tile->y());
    }
}

void WidgetTar::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        fitToText();
}

void WidgetTar::setLabel1Text(const QString &text) { setLabelText(0, text); }
void WidgetTar::setLabel2Text(const QString &text) { setLabelText(1, text); }
void WidgetTar::setLabel3Text(const QString &text) { setLabelText(2, text); }
void WidgetTar::setLabel4Text(const QString &text) { setLabelText(3, text); }

void WidgetTar::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const int w = width();
    const int h = height();
    p.setPen(QPen(Qt::white, kFrameWidth, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
    p.drawLine(0, 0, 0, h);
    p.drawLine(0, 0, w, 0);
    p.drawLine(w, 0, w, h);
    p.drawLine(0, h, w, h);
}
