#pragma once

#include <QPoint>

#include <array>

class CalibrationRun;
class QObject;
class QStandardItemModel;
class QTableView;
class QWidget;
class WidgetTar;

// The widgets one calibration shows, owned by the page whose sensor it
// calibrates: the wired page, the base station page and each advertising
// tab have their own, and each keeps its own run (table, file, state).
struct CalibrationSet {
    QWidget *page = nullptr; // where the table and the tiles stand
    QTableView *view = nullptr;
    QStandardItemModel *model = nullptr;
    WidgetTar *caption = nullptr;
    std::array<WidgetTar *, 2> tiles{};
    int firstDevice = 0;  // the level index the first sensor column reads
    int bottom = 0;       // px on the page the table must not pass; 0: the window's rule
    CalibrationRun *run = nullptr; // given by the calibration when first used

    // A caption tile at origin, two sensor tiles beside it and a hidden
    // table, all on page; the model belongs to owner.
    static CalibrationSet create(QWidget *page, QPoint origin, QObject *owner);
};
