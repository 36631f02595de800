#pragma once

#include <QList>
#include <QStringList>

class QWidget;

// The graph of a calibration run: one spline per sensor column, volume
// along the bottom, the sensor's reading up the side.
class CalibrationGraph
{
public:
    // rows: volume, then one reading per sensor. Returns a chart view, or a
    // label saying there is not enough data when the table is empty.
    static QWidget *create(const QList<QStringList> &rows, QWidget *parent);
};
