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
    : QObject(window), ui(form), m_fls(fls), m_window(window), m_run(new CalibrationRun(this))
{
    m_run->setModel(m_fls->tableModel());
    connect(m_fls->tableModel(), &QStandardItemModel::dataChanged, this,
            &CalibrationWorkflow::saveTable);
    connect(m_run, &CalibrationRun::fileWriteFailed, this, [this](const QString &what) {
        emit statusMessage(tr("Не удалось записать файл тарировки"));
        emit writeLog(QStringLiteral("Tar file write failed: ") + what);
    });
    ui->pushButtonDelSensorTar->hide();
    ui->pushButtonAdPortionTar->hide();
    ui->pushButtonDelPortionTar->hide();
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

void CalibrationWorkflow::enter()
{
    QTableView *view = m_fls->tableView();
    view->setItemDelegate(new ItemDelegate(view));
    if (m_run->sensorCount() == 0 && !m_run->hasLoadedTable()) {
        m_fls->captionTile()->hide();
        view->hide();
    }
    emit showPage(ui->Tarirovka);
}

void CalibrationWorkflow::setCaption()
{
    m_fls->captionTile()->setLabel1Text(m_fls->isGallons() ? tr("Галлоны") : tr("Литры"));
    m_fls->captionTile()->show();
}

void CalibrationWorkflow::placeTable(int columns)
{
    QTableView *view = m_fls->tableView();
    WidgetTar *caption = m_fls->captionTile();
    const int width = columns > 2 ? kViewWidthTwo : kViewWidthOne;
    view->setGeometry(caption->x(), caption->y() + m_fls->sensorTile(0)->height() + 1, width,
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
    return m_fls->link()->addresses().count() >= 2;
}

void CalibrationWorkflow::showSecondTile()
{
    WidgetTar *first = m_fls->sensorTile(0);
    WidgetTar *second = m_fls->sensorTile(1);
    second->move(first->x() + first->width(), first->y());
    second->setEnabled(true);
    second->show();
}

void CalibrationWorkflow::addSensor()
{
    if (m_run->isStarted())
        return;
    if (!m_run->hasFile()) {
        QString name = FileDialogs::saveFileName(m_window, tr("Сохранить файл"),
                                                 QStringLiteral(".csv"));
        if (name.isEmpty())
            return;
        if (!name.endsWith(QLatin1String(".csv")))
            name += QLatin1String(".csv");
        if (!m_run->openFile(name)) {
            DynamicQDialog::show(m_window, tr("Не удалось создать файл\n%1").arg(name));
            return;
        }
    }
    if (m_run->sensorCount() == 0) {
        QString error;
        if (!m_run->addFirstSensor(m_levels[0], &error)) {
            const QString file = QFileInfo(m_run->filePath()).fileName();
            DynamicQDialog::show(m_window, tr("Не удалось прочитать файл\n%1\n%2").arg(file, error));
            return;
        }
        ui->pushButtonAdSensorTar->setText(tr("Добавить датчик"));
        ui->pushButtonDelSensorTar->show();
        ui->pushButtonAdPortionTar->show();
        m_fls->tableView()->setModel(m_fls->tableModel());
        placeTable(m_fls->tableModel()->columnCount());
        setCaption();
        m_fls->sensorTile(0)->setEnabled(true);
        m_fls->sensorTile(0)->show();
        if (m_run->sensorCount() == 2)
            showSecondTile(); // a resumed run of two sensors
        fitTable();
    } else if (m_run->sensorCount() == 1 && secondSensorAvailable()) {
        m_run->addSecondSensor(m_levels[1]);
        showSecondTile();
        placeTable(3);
        fitTable();
    }
}

void CalibrationWorkflow::addPortion()
{
    if (!m_run->hasFile() || m_run->sensorCount() == 0)
        return;
    // A sensor that is not on the line has no reading: its cell stays empty
    // rather than taking a level it pushed long ago, or none at all.
    QList<int> levels{m_levels[0]};
    if (secondSensorAvailable())
        levels << m_levels[1];
    const CalibrationRun::Portion portion = m_run->addPortion(ui->lineEditStepTar->text(), levels);
    ui->pushButtonDelPortionTar->show();
    if (portion.tankEmptied)
        DynamicQDialog::show(m_window,
                             tr("Возможно тарировка закончена.Или проверьте параметры тарировки\n"
                                "Шаг тарировки должен быть меньше остатка топлива"),
                             false, QSize(420, 170));
    fitTable();
}

void CalibrationWorkflow::deletePortion()
{
    if (m_run->deletePortion())
        fitTable();
    if (m_fls->tableModel()->rowCount() == 1)
        ui->pushButtonDelPortionTar->hide();
}

void CalibrationWorkflow::showIdle()
{
    m_fls->sensorTile(0)->hide();
    m_fls->sensorTile(1)->hide();
    m_fls->captionTile()->hide();
    m_fls->tableView()->hide();
    ui->pushButtonDelSensorTar->hide();
    ui->pushButtonAdPortionTar->hide();
    ui->pushButtonDelPortionTar->hide();
    ui->pushButtonAdSensorTar->setText(tr("Начать"));
    ui->pushButtonRestoreTar->show();
}

void CalibrationWorkflow::deleteSensor()
{
    const int count = m_run->sensorCount();
    if (count == 0)
        return;
    m_run->deleteSensor();
    if (count == 1) {
        showIdle();
        return;
    }
    m_fls->sensorTile(1)->hide();
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
        m_run->end();
        showIdle();
    }
    ui->pushButtonAdSensorTar->setText(tr("Начать"));
}

void CalibrationWorkflow::restore()
{
    const QString name = FileDialogs::openFileName(nullptr, tr("Выберете файл для пересчёта"),
                                                   QStringLiteral("*.csv"));
    if (name.isEmpty())
        return;
    QString error;
    if (!m_run->restore(name, &error)) {
        DynamicQDialog::show(m_window, tr("Файл не загружен\n%1\n%2")
                                           .arg(QFileInfo(name).fileName(), error));
        return;
    }
    QTableView *view = m_fls->tableView();
    view->setModel(m_fls->tableModel());
    placeTable(m_fls->tableModel()->columnCount());
    setCaption();
    view->setItemDelegate(new ItemDelegate(view));
    fitTable();
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_fls->sensorTile(0)->show();
    if (m_fls->tableModel()->columnCount() > 2)
        showSecondTile();
    else
        m_fls->sensorTile(1)->hide();
}

void CalibrationWorkflow::chooseDirection(const QString &text)
{
    if (text == tr("Заливом")) {
        ui->lineEditStepTar->setText(QString::number(kFillingStep));
        m_run->setDraining(false);
        emit writeLog(QStringLiteral("Tar zaliv"));
    } else if (text == tr("Сливом")) {
        ui->lineEditStepTar->setText(QString::number(kDrainingStep));
        m_run->setDraining(true);
        emit writeLog(QStringLiteral("Tar sliv"));
    }
}

void CalibrationWorkflow::saveTable()
{
    m_run->saveTable();
}

void CalibrationWorkflow::fitTable()
{
    QTableView *view = m_fls->tableView();
    int width = view->verticalHeader()->isVisible() ? view->verticalHeader()->width() : 0;
    for (int c = 0; c < view->model()->columnCount(); ++c)
        width += view->columnWidth(c);
    int height = (view->horizontalHeader()->isVisible() ? view->horizontalHeader()->height() : 0) + 2;
    for (int r = 0; r < view->model()->rowCount(); ++r)
        height += view->rowHeight(r);
    if (height <= m_window->height() - kWindowMargin) {
        view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view->resize(qMax(width, view->minimumWidth()), height);
    } else {
        view->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        view->resize(qMax(width, view->minimumWidth()), m_window->height() - kWindowMargin);
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
    grid->addWidget(CalibrationGraph::create(m_run->rows(), content), 4, 0, 20, 20);
    content->show();
    m_graph = content;
    ui->stackedWidget->setCurrentWidget(ui->GraphTar);
}

void CalibrationWorkflow::backFromGraph()
{
    if (m_graph)
        m_graph->deleteLater();
    emit showPage(ui->Tarirovka);
}
