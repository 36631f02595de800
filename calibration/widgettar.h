#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

class QLabel;

// The framed box of labels above a column of the calibration table: the
// caption tile above the volume column, a sensor tile above each sensor.
//
// 129 x 99 (caption) and 139 x 99 (sensor) are the least a tile takes: it
// grows to show its texts whole (a long serial number, a translation) and
// moves the tiles standing to its right in its row along with its width.
class WidgetTar : public QWidget
{
    Q_OBJECT
public:
    // caption true: one label "Литры"; false: the four labels of a sensor.
    WidgetTar(QWidget *parent, bool caption);

    bool isCaption() const { return m_caption; }
    void setOffset(int offset) { m_offset = offset; }
    int getOffset() const { return m_offset; }
    QString labelText(int index) const; // 1-based, as the setters
    // The stability colour of a sensor tile; the white frame stays.
    void setWindowColour(const QColor &colour);
    QColor windowColour() const;

public slots:
    void setLabel1Text(const QString &text);
    void setLabel2Text(const QString &text);
    void setLabel3Text(const QString &text);
    void setLabel4Text(const QString &text);

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void setLabelText(int index, const QString &text);
    void fitToText();

    bool m_caption;
    int m_offset = 0;
    QLabel *m_labels[4] = {nullptr, nullptr, nullptr, nullptr};
};
