#include "calibrationworkflow.h"

#include "calibrationgraph.h"
#include "calibrationrun.h"
#include "itemdelegate.h"
#include "widgettar.h"

#include "app/dynamicqdialog.h"
#include "app/filedialogs.h"
#include "devices/fls/flsdevice.h"
#include "link/devicelink.h"
#include "ui_configurator.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTableView>

namespace {
const char kTableStyle[] =
    "QTableView {background-color:#1f2222;gridline-color: white;font-size: 12pt;"
    "text-align:center;border:none;color:white;}"
    "QHeaderView::section {background-color:#1f2222;color:white;}";
constexpr int kViewWidthOne = 260;   // px, volume and one sensor
constexpr int kViewWidthTwo = 390;   // px, volume and two sensors
constexpr int kRowHeight = 29;       // px, the starting row alone
constexpr int kWindowMargin = 210;   // px the table leaves free below the header
} // namespace

CalibrationWorkflow::CalibrationWorkflow(Ui::Configurator *form, FLSDevice *fls, QWidget *window)
    : QObject(window), ui(form), m_fls(fls), m_window(window), m_set(&m_wired)
{
    m_wired.page = ui->Tarirovka;
    m_wired.view = m_fls->tableView();
    m_wired.model = m_fls->tableModel();
    m_wired.caption = m_fls->captionTile();
    m_wired.tiles = {m_fls->sensorTile(0), m_fls->sensorTile(1)};
    m_pageControls = {ui->Tarirovka,           ui->pushButtonAdSensorTar, ui->pushButtonDelSensorTar,
                      ui->pushButtonAdPortionTar, ui->pushButtonDelPortionTar,
                      ui->pushButtonRestoreTar, nullptr, ui->lineEditStepTar};
    m_advertisingControls = {ui->bleAdwertTar,           ui->pushButtonStartTarAdw, nullptr,
                             ui->pushButtonAdPortionAdw, ui->pushButtonDelPortionAdw,
                             ui->pushButtonRestoreTarAdw, ui->pushButtonEndTarAdw,
                             ui->lineEditStepTarAdw};
    bind(&m_wired);
    m_link = m_fls->link();
    for (QPushButton *b : {ui->pushButtonDelSensorTar, ui->pushButtonAdPortionTar,
                           ui->pushButtonDelPortionTar, ui->pushButtonAdPortionAdw,
                           ui->pushButtonDelPortionAdw, ui->pushButtonEndTarAdw})
        b->hide();
}

int CalibrationWorkflow::currentLevel(int device) const
{
    return device >= 0 && device < int(m_levels.size()) ? m_levels[size_t(device)] : 0;
}

void CalibrationWorkflow::setLevel(int level, int device)
{
    if (device >= 0 && device < int(m_levels.size()))
        m_levels[size_t(device)] = level;
}

int CalibrationWorkflow::levelOf(int column) const
{
    return currentLevel(m_set->firstDevice + column);
}

void CalibrationWorkflow::bind(CalibrationSet *set)
{
    m_set = set;
    if (set->run)
        return;
    auto *run = new CalibrationRun(this);
    run->setModel(set->model);
    set->run = run;
    connect(set->model, &QStandardItemModel::dataChanged, run, [run] { run->saveTable(); });
    connect(run, &CalibrationRun::fileWriteFailed, this, [this](const QString &what) {
        emit statusMessage(tr("Не удалось записать файл тарировки"));
        emit writeLog(QStringLiteral("Tar file write failed: ") + what);
    });
}

const CalibrationWorkflow::Controls &CalibrationWorkflow::controls() const
{
    return m_advertising ? m_advertisingControls : m_pageControls;
}

void CalibrationWorkflow::enter()
{
    enterSet(&m_wired, m_fls->link());
}

void CalibrationWorkflow::enterSet(CalibrationSet *set, DeviceLink *link)
{
    // The wired and the wireless set share the calibration page: only the
    // one entered shows.
    if (m_set != set && !m_advertising) {
        for (QWidget *w : std::initializer_list<QWidget *>{m_set->view, m_set->caption,
                                                            m_set->tiles[0], m_set->tiles[1]})
            w->hide();
    }
    m_advertising = false;
    m_link = link;
    bind(set);
    set->view->setItemDelegate(new ItemDelegate(set->view));
    if (run()->sensorCount() == 0 && !run()->hasLoadedTable()) {
        set->caption->hide();
        set->view->hide();
    } else {
        showRunTable();
    }
    showRunControls();
    emit showPage(ui->Tarirovka);
}

void CalibrationWorkflow::enterAdvertisingTab(CalibrationSet *set)
{
    m_advertising = true;
    m_link = nullptr;
    bind(set);
    if (!set->view->itemDelegate() || !qobject_cast<ItemDelegate *>(set->view->itemDelegate()))
        set->view->setItemDelegate(new ItemDelegate(set->view));
    showRunControls();
}

void CalibrationWorkflow::showRunControls()
{
    const Controls &c = controls();
    const CalibrationRun *r = run();
    const bool idle = r->sensorCount() == 0;
    if (c.deleteSensor) {
        c.start->setText(idle ? tr("Начать") : tr("Добавить датчик"));
        c.start->show();
        c.deleteSensor->setVisible(!idle);
        c.restore->setVisible(idle);
    } else {
        c.start->setText(tr("Начать"));
        c.start->setVisible(idle);
        c.restore->setVisible(idle);
    }
    c.addPortion->setVisible(!idle);
    c.deletePortion->setVisible(!idle && r->model()->rowCount() > 1);
    if (c.end)
        c.end->setVisible(!idle || r->hasLoadedTable());
}

void CalibrationWorkflow::showRunTable()
{
    const int columns = m_set->model->columnCount();
    m_set->view->setModel(m_set->model);
    placeTable(columns);
    setCaption();
    m_set->tiles[0]->show();
    if (columns > 2)
        showSecondTile();
    fitTable();
}

void CalibrationWorkflow::setCaption()
{
    const bool gallons = m_set == &m_wired && m_fls->isGallons();
    m_set->caption->setLabel1Text(gallons ? tr("Галлоны") : tr("Литры"));
    m_set->caption->show();
}

void CalibrationWorkflow::placeTable(int columns)
{
    QTableView *view = m_set->view;
    WidgetTar *caption = m_set->caption;
    const int width = columns > 2 ? kViewWidthTwo : kViewWidthOne;
    view->setGeometry(caption->x(), caption->y() + m_set->tiles[0]->height() + 1, width,
                      kRowHeight);
    view->setMinimumWidth(width);
    view->setColumnWidth(0, 100);
    view->setColumnWidth(1, columns > 2 ? 130 : 150);
    view->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    view->horizontalHeader()->hide();
    view->verticalHeader()->hide();
    view->setShowGrid(true);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setStyleSheet(QLatin1String(kTableStyle));
    view->show();
}

bool CalibrationWorkflow::secondSensorAvailable() const
{
    // Two sensors in one tank: the second one found on the line.
    return m_link && m_link->addresses().count() >= 2;
}

void CalibrationWorkflow::showSecondTile()
{
    WidgetTar *first = m_set->tiles[0];
    WidgetTar *second = m_set->tiles[1];
    second->move(first->x() + first->width(), first->y());
    second->setEnabled(true);
    second->show();
}

void CalibrationWorkflow::addSensor()
{
    CalibrationRun *r = run();
    if (r->isStarted())
        return;
    if (!r->hasFile()) {
        QString name = FileDialogs::saveFileName(m_window, tr("Сохранить файл"),
                                                 QStringLiteral(".csv"));
        if (name.isEmpty())
            return;
        if (!name.endsWith(QLatin1String(".csv")))
            name += QLatin1String(".csv");
        if (!r->openFile(name)) {
            DynamicQDialog::show(m_window, tr("Не удалось создать файл\n%1").arg(name));
            return;
        }
    }
    if (r->sensorCount() == 0) {
        QString error;
        if (!r->addFirstSensor(levelOf(0), &error)) {
            const QString file = QFileInfo(r->filePath()).fileName();
            DynamicQDialog::show(m_window, tr("Не удалось прочитать файл\n%1\n%2").arg(file, error));
            return;
        }
        m_set->tiles[0]->setEnabled(true);
        showRunTable();
        showRunControls();
    } else if (r->sensorCount() == 1 && secondSensorAvailable()) {
        r->addSecondSensor(levelOf(1));
        showSecondTile();
        placeTable(3);
        fitTable();
    }
}

void CalibrationWorkflow::addPortion()
{
    CalibrationRun *r = run();
    if (!r->hasFile() || r->sensorCount() == 0)
        return;
    // A sensor that is not on the line has no reading: its cell stays empty
    // rather than taking a level it pushed long ago, or none at all.
    QList<int> levels{levelOf(0)};
    if (secondSensorAvailable())
        levels << levelOf(1);
    const CalibrationRun::Portion portion = r->addPortion(controls().step->text(), levels);
    controls().deletePortion->show();
    if (portion.tankEmptied)
        DynamicQDialog::show(m_window,
                             tr("Возможно тарировка закончена.Или проверьте параметры тарировки\n"
                                "Шаг тарировки должен быть меньше остатка топлива"),
                             false, QSize(420, 170));
    fitTable();
}

void CalibrationWorkflow::deletePortion()
{
    if (run()->deletePortion())
        fitTable();
    if (m_set->model->rowCount() <= 1)
        controls().deletePortion->hide();
}

void CalibrationWorkflow::showIdle()
{
    for (QWidget *w : std::initializer_list<QWidget *>{m_set->tiles[0], m_set->tiles[1],
                                                        m_set->caption, m_set->view})
        w->hide();
    showRunControls();
}

void CalibrationWorkflow::deleteSensor()
{
    CalibrationRun *r = run();
    const int count = r->sensorCount();
    if (count == 0)
        return;
    r->deleteSensor();
    if (count == 1) {
        showIdle();
        return;
    }
    m_set->tiles[1]->hide();
    placeTable(2);
    fitTable();
}

void CalibrationWorkflow::ending()
{
    DynamicQDialog dialog(m_window, QString(), tr("Вы хотите завершить тарировку?"), true);
    dialog.SetTextBtnOk(tr("Да"));
    dialog.SetTextBtnCncl(tr("Нет"));
    dialog.setStyleSheet(DynamicQDialog::commonStyleSheet());
    dialog.resize(300, 170);
    if (dialog.exec() == QDialog::Accepted) {
        // Whatever the table held (a run, or a file loaded and not yet
        // continued) goes with the file: the next start is a new run.
        run()->end();
        showIdle();
    }
    if (controls().deleteSensor)
        controls().start->setText(tr("Начать"));
}

void CalibrationWorkflow::restore()
{
    const QString name = FileDialogs::openFileName(nullptr, tr("Выберете файл для пересчёта"),
                                                   QStringLiteral("*.csv"));
    if (name.isEmpty())
        return;
    QString error;
    if (!run()->restore(name, &error)) {
        DynamicQDialog::show(m_window, tr("Файл не загружен\n%1\n%2")
                                           .arg(QFileInfo(name).fileName(), error));
        return;
    }
    QTableView *view = m_set->view;
    view->setItemDelegate(new ItemDelegate(view));
    showRunTable();
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    if (m_set->model->columnCount() <= 2)
        m_set->tiles[1]->hide();
    if (controls().end)
        controls().end->show();
}

void CalibrationWorkflow::chooseDirection(const QString &text)
{
    if (text == tr("Заливом")) {
        controls().step->setText(QString::number(kFillingStep));
        run()->setDraining(false);
        emit writeLog(QStringLiteral("Tar zaliv"));
    } else if (text == tr("Сливом")) {
        controls().step->setText(QString::number(kDrainingStep));
        run()->setDraining(true);
        emit writeLog(QStringLiteral("Tar sliv"));
    }
}

void CalibrationWorkflow::saveTable()
{
    run()->saveTable();
}

void CalibrationWorkflow::fitTable()
{
    QTableView *view = m_set->view;
    if (!view->model())
        return;
    int width = view->verticalHeader()->isVisible() ? view->verticalHeader()->width() : 0;
    for (int c = 0; c < view->model()->columnCount(); ++c)
        width += view->columnWidth(c);
    int height = (view->horizontalHeader()->isVisible() ? view->horizontalHeader()->height() : 0) + 2;
    for (int r = 0; r < view->model()->rowCount(); ++r)
        height += view->rowHeight(r);
    // The table ends where its page says, or above the window's bottom strip.
    const int room = m_set->bottom > 0 ? m_set->bottom - view->y()
                                       : m_window->height() - kWindowMargin;
    if (height <= room) {
        view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view->resize(qMax(width, view->minimumWidth()), height);
    } else {
        view->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        view->resize(qMax(width, view->minimumWidth()), room);
    }
    view->scrollToBottom();
}

void CalibrationWorkflow::showGraph()
{
    emit writeLog(QStringLiteral("Show graph"));
    delete m_graph;
    auto *content = new QWidget(ui->GraphTar);
    content->setObjectName(QStringLiteral("graphContent"));
    content->setGeometry(QRect(QPoint(0, 0), ui->stackedWidget->size()));
    auto *grid = new QGridLayout(content);
    grid->setContentsMargins(0, 0, 0, 20);
    grid->setVerticalSpacing(0);
    auto *back = new QPushButton(content);
    back->setObjectName(QStringLiteral("pushButtonBackGraph"));
    back->setFixedSize(31, 41);
    back->setIcon(QIcon(QStringLiteral(":/images/arrow.png")));
    back->setCursor(Qt::PointingHandCursor);
    back->setStyleSheet(QStringLiteral(
        "QPushButton {background-color: #1F2222;border-style: solid;color:#b9b9b9;}"
        "QPushButton:hover {background-color: #2B3232;}"));
    connect(back, &QPushButton::clicked, this, &CalibrationWorkflow::backFromGraph);
    auto *label = new QLabel(tr("ВЕРНУТЬСЯ"), content);
    label->setStyleSheet(QStringLiteral("QLabel {color : white;font-size:21pt;}"));
    grid->addWidget(back, 2, 1);
    grid->addWidget(label, 2, 2);
    grid->addWidget(CalibrationGraph::create(run()->rows(), content), 4, 0, 20, 20);
    content->show();
    m_graph = content;
    ui->stackedWidget->setCurrentWidget(ui->GraphTar);
}

void CalibrationWorkflow::backFromGraph()
{
    if (m_graph)
        m_graph->deleteLater();
    emit showPage(controls().page);
}
