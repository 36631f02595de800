#include "calibrationrun.h"

#include "calibrationcsv.h"

#include <QFile>
#include <QStandardItemModel>

namespace {
const QByteArray kLineEnd = QByteArrayLiteral("\r\n");

// The most readings a line of `content` holds, among the lines that are
// points; other lines are left as they are and count for nothing.
int mostReadings(const QByteArray &content)
{
    int readings = 0;
    for (const QByteArray &line : content.split('\n')) {
        const auto point = CalibrationCsv::parseRunFile(line);
        if (point)
            readings = qMax(readings, point->sensors);
    }
    return readings;
}
} // namespace

CalibrationRun::CalibrationRun(QObject *parent) : QObject(parent) {}

void CalibrationRun::setModel(QStandardItemModel *model)
{
    m_model = model;
}

bool CalibrationRun::openFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::Append | QIODevice::WriteOnly))
        return false;
    file.close();
    m_filePath = path;
    m_earlier.clear();
    m_earlierReadings = 0;
    return true;
}

void CalibrationRun::releaseFile()
{
    m_filePath.clear();
    m_earlier.clear();
    m_earlierReadings = 0;
}

double CalibrationRun::number(const QString &text)
{
    return CalibrationCsv::cellNumber(text).value_or(0.0);
}

QString CalibrationRun::cellText(const QStandardItem *item)
{
    if (!item)
        return QString();
    const QVariant value = item->data(Qt::EditRole);
    // The cell editor stores a float: 12.3 typed comes back as
    // 12.300000190734863 unless it is written as typed.
    if (value.userType() == QMetaType::Float || value.userType() == QMetaType::Double)
        return CalibrationCsv::numberText(value.toDouble());
    return item->text();
}

QList<QStandardItem *> CalibrationRun::rowItems(const QStringList &cells) const
{
    QList<QStandardItem *> items;
    for (const QString &cell : cells) {
        auto *item = new QStandardItem(cell);
        item->setTextAlignment(Qt::AlignCenter);
        items << item;
    }
    return items;
}

void CalibrationRun::clearTable()
{
    if (m_model)
        m_model->removeRows(0, m_model->rowCount());
}

bool CalibrationRun::takeEarlierLines(QString *error)
{
    m_earlier.clear();
    m_earlierReadings = 0;
    QFile file(m_filePath);
    if (!file.exists())
        return true;
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (error)
            *error = file.errorString();
        return false;
    }
    // The next line must not run into the last one.
    if (!content.isEmpty() && !content.endsWith('\n'))
        content += kLineEnd;
    m_earlier = content;
    m_earlierReadings = mostReadings(content);
    return true;
}

bool CalibrationRun::addFirstSensor(int level, QString *error)
{
    if (!m_model || m_started || m_sensorCount != 0)
        return false;
    if (m_loaded && m_model->rowCount() > 0) {
        // A run resumed from its file goes on from its last point, with the
        // sensors the file has.
        m_sensorCount = m_loadedSensors;
        m_resumed = true;
        return true;
    }
    if (hasFile() && !takeEarlierLines(error))
        return false;
    m_resumed = false;
    m_loaded = false;
    m_model->clear();
    m_model->setColumnCount(2);
    m_model->appendRow(rowItems({QString::number(m_draining ? kDrainingStart : kFillingStart),
                                 QString::number(level)}));
    m_firstSavedRow = 1; // the starting row goes into the file with the first edit
    m_sensorCount = 1;
    return true;
}

void CalibrationRun::addSecondSensor(int level)
{
    if (!m_model || m_started || m_sensorCount != 1)
        return;
    // A new run has only its starting row, read now. The points of a resumed
    // run were taken without this sensor: it has no reading for them.
    QList<QStandardItem *> column;
    for (int row = 0; row < m_model->rowCount(); ++row)
        column << rowItems({m_resumed ? QString() : QString::number(level)});
    m_model->appendColumn(column);
    m_sensorCount = 2;
}

CalibrationRun::Portion CalibrationRun::addPortion(const QString &stepText, const QList<int> &levels)
{
    Portion portion;
    if (!m_model || m_model->rowCount() == 0 || m_sensorCount == 0)
        return portion;
    m_started = true;
    const double last = number(cellText(m_model->item(m_model->rowCount() - 1, 0)));
    const double step = number(stepText);
    double volume = last + step;
    if (m_draining) {
        const double rest = last - step;
        portion.tankEmptied = rest < step;
        volume = portion.tankEmptied ? 0.0 : rest;
    }
    portion.volume = CalibrationCsv::numberText(volume);
    QStringList cells{portion.volume};
    for (int i = 0; i < m_sensorCount; ++i)
        cells << (i < levels.size() ? QString::number(levels.at(i)) : QString());
    m_model->appendRow(rowItems(cells));
    writeFile();
    return portion;
}

bool CalibrationRun::deletePortion()
{
    if (!m_model || m_model->columnCount() <= 1 || m_model->rowCount() <= 1)
        return false;
    const int removed = m_model->rowCount() - 1;
    m_model->removeRow(removed);
    // The removed point leaves the file; nothing else does.
    if (removed >= m_firstSavedRow)
        writeFile();
    return true;
}

void CalibrationRun::deleteSensor()
{
    if (!m_model || m_sensorCount == 0)
        return;
    if (m_sensorCount == 2) {
        m_model->removeColumn(2);
        m_sensorCount = 1;
        return;
    }
    clearTable();
    m_started = false;
    m_resumed = false;
    m_loaded = false;
    m_sensorCount = 0;
}

void CalibrationRun::end()
{
    m_started = false;
    releaseFile();
    if (m_model) {
        clearTable();
        m_model->setColumnCount(2);
    }
    m_resumed = false;
    m_loaded = false;
    m_loadedSensors = 0;
    m_sensorCount = 0;
}

QList<QStringList> CalibrationRun::rows() const
{
    QList<QStringList> out;
    if (!m_model)
        return out;
    for (int row = 0; row < m_model->rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < m_model->columnCount(); ++column)
            cells << cellText(m_model->item(row, column));
        out << cells;
    }
    return out;
}

bool CalibrationRun::writeFile()
{
    if (!hasFile() || !m_model)
        return false;
    const int readings = qMax(m_earlierReadings, m_model->columnCount() - 1);
    QString lines;
    const QList<QStringList> table = rows();
    for (int row = qMax(0, m_firstSavedRow); row < table.size(); ++row)
        lines += CalibrationCsv::runLine(table.at(row), readings);
    QString error;
    if (!CalibrationCsv::replaceFile(m_filePath, m_earlier + lines.toUtf8(), &error)) {
        emit fileWriteFailed(error);
        return false;
    }
    return true;
}

bool CalibrationRun::saveTable()
{
    if (!hasFile() || !m_model || m_model->rowCount() == 0)
        return false;
    m_firstSavedRow = 0; // an edited table is saved whole
    return writeFile();
}

bool CalibrationRun::restore(const QString &path, QString *error)
{
    if (!m_model)
        return false;
    if (m_sensorCount != 0) {
        if (error)
            *error = tr("Сначала завершите начатую тарировку");
        return false;
    }
    const auto file = CalibrationCsv::readRunFile(path, error);
    if (!file)
        return false;
    const int sensors = qBound(1, file->sensors, kMaxSensors);
    m_model->clear();
    m_model->setColumnCount(1 + sensors);
    for (const QStringList &cells : file->rows)
        m_model->appendRow(rowItems(cells));
    m_filePath = path;
    m_earlier.clear();
    m_earlierReadings = 0;
    m_firstSavedRow = 0;
    m_started = false;
    m_resumed = false;
    m_loaded = true;
    m_loadedSensors = sensors;
    return true;
}
