#include "calibrationset.h"

#include "widgettar.h"

#include <QStandardItemModel>
#include <QTableView>

CalibrationSet CalibrationSet::create(QWidget *page, QPoint origin, QObject *owner)
{
    CalibrationSet set;
    set.page = page;
    set.caption = new WidgetTar(page, true);
    set.caption->move(origin);
    set.caption->hide();
    for (size_t i = 0; i < set.tiles.size(); ++i) {
        set.tiles[i] = new WidgetTar(page, false);
        set.tiles[i]->move(origin.x() + 129 + 139 * int(i), origin.y());
        set.tiles[i]->hide();
    }
    set.view = new QTableView(page);
    set.view->hide();
    set.model = new QStandardItemModel(owner);
    return set;
}
