#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <array>

class CalibrationRun;
class FLSDevice;
class QStandardItemModel;
class QTableView;
class QWidget;
class WidgetTar;
namespace Ui {
class Configurator;
}

// The calibration page: a run of portions kept in a table, a CSV file and a
// graph. It sends nothing itself; the device pages keep polling and every
// portion takes the level they pushed last.
class CalibrationWorkflow : public QObject
{
    Q_OBJECT
public:
    static constexpr int kFillingStep = 5;    // litres
    static constexpr int kDrainingStep = 500; // litres

    CalibrationWorkflow(Ui::Configurator *ui, FLSDevice *fls, QWidget *window);

    CalibrationRun *run() const { return m_run; }
    int currentLevel(int device) const;
    QWidget *graphContent() const { return m_graph; }

public slots:
    void setLevel(int level, int device);
    // Binds the wired page's table and shows the calibration page.
    void enter();
    void addSensor();
    void addPortion();
    void deletePortion();
    void deleteSensor();
    void ending();
    void restore();
    void chooseDirection(const QString &text);
    void saveTable();
    void fitTable();
    void showGraph();
    void backFromGraph();

signals:
    void showPage(QWidget *page);
    void writeLog(const QString &text);
    void statusMessage(const QString &text);

private:
    void placeTable(int columns);
    void showSecondTile();
    // No run on the page: "Начать" and "Возобновить", no table.
    void showIdle();
    void setCaption();
    bool secondSensorAvailable() const;

    Ui::Configurator *ui;
    FLSDevice *m_fls;
    QWidget *m_window;
    CalibrationRun *m_run;
    std::array<int, 2> m_levels{{0, 0}};
    QPointer<QWidget> m_graph;
};
