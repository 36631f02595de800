#include "calibrationgraph.h"

#include <QLabel>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QSplineSeries>
#include <QtCharts/QValueAxis>

#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
QT_CHARTS_USE_NAMESPACE
#endif

namespace {
const QColor kBackground(QStringLiteral("#1F2222"));
constexpr int kVolumeTicks = 10;

int integer(const QString &text)
{
    return int(text.trimmed().toDouble());
}
} // namespace

QWidget *CalibrationGraph::create(const QList<QStringList> &rows, QWidget *parent)
{
    if (rows.isEmpty() || rows.first().isEmpty()) {
        auto *label = new QLabel(QObject::tr("Недостаточно данных для построения графика"), parent);
        label->setAlignment(Qt::AlignCenter);
        label->setStyleSheet(QStringLiteral("QLabel {color : white;font-size:14pt;}"));
        return label;
    }
    auto *chart = new QChart;
    chart->setTitle(QObject::tr("График тарировки датчиков"));
    chart->setBackgroundBrush(kBackground);
    chart->setPlotAreaBackgroundBrush(kBackground);
    chart->setPlotAreaBackgroundVisible(true);
    chart->setTitleBrush(Qt::white);

    auto *readings = new QValueAxis;
    readings->setTitleText(QObject::tr("Показания датчика"));
    readings->setLabelFormat(QStringLiteral("%u"));
    auto *volumes = new QValueAxis;
    volumes->setTitleText(QObject::tr("Объём в литрах/галлонах"));
    volumes->setLabelFormat(QStringLiteral("%u"));
    volumes->setTickCount(kVolumeTicks);
    for (QValueAxis *axis : {readings, volumes}) {
        axis->setLabelsBrush(Qt::white);
        axis->setTitleBrush(Qt::white);
    }
    chart->addAxis(readings, Qt::AlignLeft);
    chart->addAxis(volumes, Qt::AlignBottom);

    // Ranges from the largest values, not the last row: a draining run ends
    // at volume 0 and its smallest reading.
    const int sensors = int(rows.first().size()) - 1;
    int maxReading = 0;
    int maxVolume = 0;
    for (int column = 1; column <= sensors; ++column) {
        auto *series = new QSplineSeries;
        series->setName(QObject::tr("Датчик %1").arg(column));
        for (const QStringList &row : rows) {
            if (column >= row.size())
                continue;
            series->append(integer(row.at(0)), integer(row.at(column)));
            maxReading = qMax(maxReading, integer(row.at(column)));
            maxVolume = qMax(maxVolume, integer(row.at(0)));
        }
        chart->addSeries(series);
        series->attachAxis(volumes);
        series->attachAxis(readings);
    }
    readings->setRange(0, maxReading);
    volumes->setRange(0, maxVolume);
    chart->legend()->setLabelColor(Qt::white);

    auto *view = new QChartView(chart, parent);
    view->setRenderHint(QPainter::Antialiasing);
    view->setBackgroundBrush(kBackground);
    view->setStyleSheet(QStringLiteral("background-color: #1F2222; border: none;"));
    chart->setBackgroundRoundness(0);
    view->setObjectName(QStringLiteral("chartViewTar"));
    return view;
}
