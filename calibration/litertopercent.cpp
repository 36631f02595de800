#include "litertopercent.h"

#include "app/dynamicqdialog.h"
#include "calibration/calibrationcsv.h"
#include "calibration/calibrationtable.h"
#include "calibration/itemdelegate.h"
#include "widgets/switch.h"

#include <QDebug>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

namespace {
const char kButtonStyle[] =
    "QPushButton {min-width: 110px;min-height: 30px;border-style: solid;border-radius: 4px;"
    "border-color: white;}"
    "QPushButton:pressed {background-color: #00A778;border-style: solid;border-radius: 4px;"
    "border-color: white;}";
const char kLabelStyle[] = "border: none;color: white;";
const char kTableStyle[] =
    "QTableView {gridline-color: white;font-size: 12pt;border:none;"
    "border-right:1px solid transparent;border-bottom:1px solid transparent;"
    "min-width: 35px;min-height: 35px;}"
    "QHeaderView::section {background-color: #1f2222;border:none;"
    "border-bottom: 1px solid white;}"
    "QScrollBar:vertical { width: 5px; } ";
constexpr int kLevelColumnWidth = 108;  // px
constexpr int kVolumeColumnWidth = 130; // px
const QString kMissingCell = QStringLiteral("error");

LiterToPercent::FileNameProvider &fileNameProvider()
{
    static LiterToPercent::FileNameProvider provider;
    return provider;
}

QPushButton *makeButton(const QString &text, const QString &name, QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setCursor(Qt::PointingHandCursor);
    button->setStyleSheet(QLatin1String(kButtonStyle));
    return button;
}

QLabel *makeLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignCenter);
    label->setStyleSheet(QLatin1String(kLabelStyle));
    return label;
}

QStandardItem *makeItem(const QString &text)
{
    auto *item = new QStandardItem(text);
    item->setTextAlignment(Qt::AlignCenter);
    return item;
}

// Connects a button to a slot of the window that opened the dialog, when it
// has one; otherwise the button stays disabled.
void connectToParentSlot(QPushButton *button, QObject *parent, const char *signature,
                         const char *slot)
{
    const bool available = parent
        && parent->metaObject()->indexOfSlot(QMetaObject::normalizedSignature(signature)) >= 0;
    if (available)
        QObject::connect(button, SIGNAL(clicked()), parent, slot);
    button->setEnabled(available);
}
} // namespace

LiterToPercent::LiterToPercent(QWidget *parent, bool withCancel) : QDialog(parent)
{
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowTitleHint
                   | Qt::CustomizeWindowHint);

    auto *write = makeButton(tr("Записать\nв датчик"), QStringLiteral("pushButtonWriteTable"), this);
    auto *read = makeButton(tr("Считать\nиз датчика"), QStringLiteral("pushButtonReadTable"), this);
    connectToParentSlot(write, parent, "writeTable()", SLOT(writeTable()));
    connectToParentSlot(read, parent, "readTable()", SLOT(readTable()));
    auto *load = makeButton(tr("Загрузить"), QStringLiteral("pushButtonLoadFile"), this);
    auto *save = makeButton(tr("Выгрузить"), QStringLiteral("pushButtonSaveFile"), this);
    connect(load, &QPushButton::clicked, this, &LiterToPercent::LoadFile);
    connect(save, &QPushButton::clicked, this, &LiterToPercent::SaveToFile);

    m_switch = new Switch(this);
    m_switch->setObjectName(QStringLiteral("switchConversion"));
    m_switch->setCheckable(true); // a click then reports toggled(bool)
    connect(m_switch, &Switch::toggled, this, &LiterToPercent::ConversionLP);

    m_levelCaption = makeLabel(tr("Уровень"), this);
    m_volumeCaption = makeLabel(tr("Литры"), this);

    m_view = new QTableView(this);
    m_view->setObjectName(QStringLiteral("tableViewLiterToPercent"));
    m_delegate = new ItemDelegate(m_view);
    m_view->setItemDelegate(m_delegate);

    auto *model = new QStandardItemModel(0, 2, this);
    for (int row = 0; row < kRows; ++row)
        model->appendRow({makeItem(QStringLiteral("0")), makeItem(QStringLiteral("0"))});
    replaceModel(model);

    auto *ok = makeButton(tr("OK"), QStringLiteral("pushButtonOk"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto *transfer = new QHBoxLayout;
    transfer->addWidget(write);
    transfer->addWidget(read);
    auto *files = new QHBoxLayout;
    files->addWidget(load);
    files->addWidget(save);
    auto *units = new QHBoxLayout;
    units->addStretch();
    units->addWidget(makeLabel(tr("Литры"), this));
    units->addWidget(m_switch);
    units->addWidget(makeLabel(QStringLiteral("%"), this));
    units->addStretch();
    auto *captions = new QHBoxLayout;
    captions->addStretch();
    m_levelCaption->setFixedWidth(kLevelColumnWidth);
    m_volumeCaption->setFixedWidth(kVolumeColumnWidth);
    captions->addWidget(m_levelCaption);
    captions->addWidget(m_volumeCaption);
    captions->addStretch();
    auto *table = new QHBoxLayout;
    table->addStretch();
    table->addWidget(m_view);
    table->addStretch();
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    if (withCancel) {
        auto *cancel = makeButton(tr("Отмена"), QStringLiteral("pushButtonCancel"), this);
        connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
        buttons->addWidget(cancel);
    }
    buttons->addWidget(ok);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(transfer);
    layout->addLayout(files);
    layout->addLayout(units);
    layout->addLayout(captions);
    layout->addLayout(table, 1);
    layout->addLayout(buttons);
}

void LiterToPercent::setFileNameProvider(FileNameProvider provider)
{
    fileNameProvider() = std::move(provider);
}

QTableView *LiterToPercent::tableView() const
{
    return m_view;
}

QStandardItemModel *LiterToPercent::model() const
{
    return m_model;
}

QString LiterToPercent::volumeCaption() const
{
    return m_volumeCaption->text();
}

QStringList LiterToPercent::column(int column) const
{
    QStringList texts;
    for (int row = 0; row < kRows; ++row)
        texts << cellText(row, column);
    return texts;
}

QStringList LiterToPercent::levels() const
{
    return column(0);
}

QStringList LiterToPercent::volumes() const
{
    return column(1);
}

QString LiterToPercent::getTable(int row, int column)
{
    return cellText(row, column);
}

QString LiterToPercent::cellText(int row, int column) const
{
    if (!m_model || row < 0 || column < 0 || row >= m_model->rowCount()
        || column >= m_model->columnCount())
        return kMissingCell;
    return m_model->data(m_model->index(row, column), Qt::DisplayRole).toString();
}

void LiterToPercent::setCell(int row, int column, const QString &text)
{
    if (!m_model || row < 0 || column < 0)
        return;
    if (QStandardItem *item = m_model->item(row, column))
        item->setText(text);
    else
        m_model->setItem(row, column, makeItem(text)); // grows the model as needed
}

bool LiterToPercent::setTable(int val, int row, int column)
{
    if (!m_model)
        return true;
    const QString text = QStringLiteral("%1").arg(val);
    if (m_model->rowCount() >= kRows) {
        setCell(row, column, text);
    } else if (m_model->rowCount() == 1 && column == 1) {
        setCell(0, 1, text);
    } else {
        m_model->appendRow({makeItem(QString()), makeItem(QString())});
        setCell(row, column, text);
    }
    return true;
}

void LiterToPercent::ConversionLP()
{
    m_percent = !m_percent;
    m_volumeCaption->setText(m_percent ? tr("Проценты") : tr("Литры"));
    if (m_model)
        m_model->setHeaderData(1, Qt::Horizontal, m_volumeCaption->text());
    // Back to litres only relabels the column: the percentages stay.
    if (!m_percent || !m_model)
        return;
    const QStringList percents = CalibrationTable::percentColumn(levels());
    for (int row = 0; row < percents.size(); ++row)
        setCell(row, 1, percents.at(row));
}

void LiterToPercent::setUpView()
{
    if (!m_view)
        return;
    m_view->setColumnWidth(0, kLevelColumnWidth);
    m_view->setColumnWidth(1, kVolumeColumnWidth);
    m_view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_view->horizontalHeader()->hide();
    m_view->verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    m_view->setStyleSheet(QLatin1String(kTableStyle));
}

void LiterToPercent::replaceModel(QStandardItemModel *model)
{
    model->setHeaderData(0, Qt::Horizontal, m_levelCaption->text());
    model->setHeaderData(1, Qt::Horizontal, m_volumeCaption->text());
    QStandardItemModel *old = m_model;
    m_model = model;
    if (m_view) {
        QItemSelectionModel *oldSelection = m_view->selectionModel();
        m_view->setModel(model);
        delete oldSelection;
        setUpView();
    }
    if (old && old != model)
        old->deleteLater();
}

QString LiterToPercent::askFileName(bool save)
{
    if (fileNameProvider())
        return fileNameProvider()(save);
    if (save)
        return QFileDialog::getSaveFileName(this, tr("Сохранить файл"), QStringLiteral("/"),
                                            tr(".csv"));
    return QFileDialog::getOpenFileName(nullptr, tr("Выберете файл для пересчёта"),
                                        QStringLiteral("/"), QStringLiteral("*.csv"));
}

void LiterToPercent::LoadFile()
{
    const QString path = askFileName(false);
    if (path.isEmpty())
        return;
    const std::optional<QList<QStringList>> rows = CalibrationCsv::readTableFile(path);
    if (!rows) {
        qDebug() << "LiterToPercent: cannot read" << path;
        return;
    }
    auto *model = new QStandardItemModel(0, 2, this);
    for (const QStringList &cells : *rows) {
        QList<QStandardItem *> items;
        for (const QString &cell : cells)
            items << makeItem(cell);
        model->appendRow(items);
    }
    replaceModel(model);
}

void LiterToPercent::SaveToFile()
{
    if (!m_view || !m_model)
        return;
    QString path = askFileName(true);
    if (path.isEmpty())
        return;
    if (!path.endsWith(QLatin1String(".csv")))
        path += QLatin1String(".csv");

    QList<QStringList> rows;
    for (int row = 0; row < m_model->rowCount(); ++row) {
        QStringList cells;
        for (int col = 0; col < m_model->columnCount(); ++col)
            cells << m_model->data(m_model->index(row, col), Qt::DisplayRole).toString();
        rows << cells;
    }
    QString error;
    if (!CalibrationCsv::writeAll(path, rows, &error)) {
        qDebug() << "LiterToPercent: cannot save" << path << error;
        DynamicQDialog::show(this, tr("Не удалось сохранить файл\n%1\n%2")
                                       .arg(QFileInfo(path).fileName(), error));
    }
}
