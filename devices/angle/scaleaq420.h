#pragma once

#include <QPointF>
#include <QSize>
#include <QTimer>
#include <QWidget>

#include <chrono>

// The needle gauge of the angle sensor page: a half dial from 0° (left)
// over 90° (up) to 180° (right) and a needle that the page sets after every
// readings reply. A timer repaints it, so the page only hands over angles.
class ScaleAQ420 : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kSide = 200;       // px, the gauge is square
    static constexpr int kNeedleLength = 90; // px, from the pivot to the tip
    static constexpr int kNeedleHalfWidth = 5;
    static constexpr std::chrono::milliseconds kRepaintInterval{250};

    explicit ScaleAQ420(QWidget *parent = nullptr);

    void setAngle(int degrees) { m_angle = degrees; }
    int angle() const { return m_angle; }
    const QTimer &repaintTimer() const { return m_repaint; }

    // Where the needle's tip stands for an angle, in the gauge's own
    // coordinates: the pivot is the middle of the bottom edge.
    static QPointF tipFor(int degrees);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_angle = 0;
    QTimer m_repaint;
};
