#pragma once

#include <QAbstractButton>
#include <QBrush>
#include <QPropertyAnimation>

// A flat animated on/off switch. Besides the click it offers an armed,
// one-shot setInitialState() through which a device page shows the state
// read from a sensor without the click path (no click signals).
class Switch : public QAbstractButton
{
    Q_OBJECT
    Q_PROPERTY(int offset READ offset WRITE setOffset)
    Q_PROPERTY(QBrush brush READ brush WRITE setBrush)

public:
    explicit Switch(QWidget *parent = nullptr);
    Switch(const QBrush &brush, QWidget *parent = nullptr);

    int offset() const { return m_x; }
    void setOffset(int offset);
    QBrush brush() const { return m_brush; }
    void setBrush(const QBrush &brush) { m_brush = brush; }
    double radius() const { return m_radius; }
    int margin() const { return m_margin; }
    bool isArmed() const { return m_armed; }
    void setArmed(bool armed) { m_armed = armed; }
    bool isSwitched() const { return m_switched; }
    void setSwitched(bool switched) { m_switched = switched; }
    bool isOn() const { return m_on; }
    QBrush thumbBrush() const { return m_thumb; }
    QPropertyAnimation *animation() const { return m_anim; }

    void setInitialState(bool on);

    QSize sizeHint() const override;

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    void enterEvent(QEvent *event) override;
#else
    void enterEvent(QEnterEvent *event) override;
#endif
    void paintEvent(QPaintEvent *event) override;

private:
    void animateTo(int end);
    int onOffset() const;
    int offOffset() const { return m_height / 2; }

    bool m_armed = false;
    double m_radius = 12.0;
    bool m_switched = false;
    bool m_on = false;
    QBrush m_thumb;
    QBrush m_brush;
    int m_margin = 3;
    int m_height;
    int m_x;
    int m_y;
    QPropertyAnimation *m_anim;
};
