#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <array>

#include "calibrationset.h"

class CalibrationRun;
class DeviceLink;
class FLSDevice;
class QLineEdit;
class QPushButton;
class QWidget;
namespace Ui {
class Configurator;
}

// The calibration: a run of portions kept in a table, a CSV file and a
// graph. It sends nothing itself; the device pages keep polling and every
// portion takes the level they pushed last.
//
// Each sensor page has its own set of widgets and its own run: the wired
// page, the base station page and every tab of the advertising page. The
// controls are those of the calibration page, or of the advertising page
// for the tabs there; they act on the set entered last.
class CalibrationWorkflow : public QObject
{
    Q_OBJECT
public:
    static constexpr int kFillingStep = 5;    // litres
    static constexpr int kDrainingStep = 500; // litres
    static constexpr int kDevices = 4;        // levels pushed: sensors on a line, advertising slots

    CalibrationWorkflow(Ui::Configurator *ui, FLSDevice *fls, QWidget *window);

    // The run of the set entered last (the wired page's at first).
    CalibrationRun *run() const { return m_set->run; }
    CalibrationSet *currentSet() const { return m_set; }
    CalibrationSet *wiredSet() { return &m_wired; }
    int currentLevel(int device) const;
    QWidget *graphContent() const { return m_graph; }
    bool isAdvertisingPage() const { return m_advertising; }

public slots:
    void setLevel(int level, int device);
    // Binds the wired page's table and shows the calibration page.
    void enter();
    // Binds a set of the calibration page; `link` tells whether a second
    // sensor is on the line (nullptr: never).
    void enterSet(CalibrationSet *set, DeviceLink *link);
    // Binds an advertising tab's set and keeps the advertising page's
    // controls; the page itself is the caller's to show.
    void enterAdvertisingTab(CalibrationSet *set);
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
    // The buttons and fields that drive the set entered last.
    struct Controls {
        QWidget *page = nullptr;
        QPushButton *start = nullptr;        // "Начать", then "Добавить датчик" where it stays
        QPushButton *deleteSensor = nullptr; // none on the advertising page
        QPushButton *addPortion = nullptr;
        QPushButton *deletePortion = nullptr;
        QPushButton *restore = nullptr;
        QPushButton *end = nullptr;          // shown only with a run on the advertising page
        QLineEdit *step = nullptr;
    };

    void bind(CalibrationSet *set);
    const Controls &controls() const;
    // The bound run's table, its tiles and its caption, placed and fitted.
    void showRunTable();
    void placeTable(int columns);
    void showSecondTile();
    // No run on the page: "Начать" and "Возобновить", no table.
    void showIdle();
    // The controls as the bound run stands.
    void showRunControls();
    void setCaption();
    bool secondSensorAvailable() const;
    int levelOf(int column) const;

    Ui::Configurator *ui;
    FLSDevice *m_fls;
    QWidget *m_window;
    CalibrationSet m_wired;
    CalibrationSet *m_set;
    DeviceLink *m_link = nullptr;
    bool m_advertising = false;
    Controls m_pageControls;
    Controls m_advertisingControls;
    std::array<int, kDevices> m_levels{};
    QPointer<QWidget> m_graph;
};
