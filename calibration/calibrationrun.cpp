#include "calibrationrun.h"

#include "calibrationcsv.h"

#include <QFile>
#include <QStandardItemModel>

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
    return true;
}

int CalibrationRun::number(const QString &text)
{
    bool ok = false;
    const uint value = text.trimmed().toUInt(&ok);
    return ok ? int(value) : 0;
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

void CalibrationRun::addFirstSensor(int level)
{
    if (!m_model || m_started || m_sensorCount != 0)
        return;
    if (m_model->rowCount() > 0 && m_model->columnCount() >= 2) {
        // A run resumed from its file goes on from its last point.
        m_sensorCount = 1;
        m_resumed = true;
        return;
    }
    m_resumed = false;
    m_model->clear();
    m_model->setColumnCount(2);
    m_model->appendRow(rowItems({QString::number(m_draining ? kDrainingStart : kFillingStart),
                                 QString::number(level)}));
    m_sensorCount = 1;
}

void CalibrationRun::addSecondSensor(int level)
{
    if (!m_model || m_started || m_sensorCount != 1)
        return;
    // Only the starting row exists before the first portion.
    QList<QStandardItem *> column;
    for (int row = 0; row < m_model->rowCount(); ++row)
        column << rowItems({QString::number(level)});
    m_model->appendColumn(column);
    m_sensorCount = 2;
}

CalibrationRun::Portion CalibrationRun::addPortion(const QString &stepText, const QList<int> &levels)
{
    Portion portion;
    if (!m_model || m_model->rowCount() == 0)
        return portion;
    m_started = true;
    const int last = number(m_model->item(m_model->rowCount() - 1, 0)->text());
    const int step = number(stepText);
    if (!m_draining) {
        portion.volume = last + step;
    } else {
        const int rest = last - step;
        portion.tankEmptied = rest < step;
        portion.volume = portion.tankEmptied ? 0 : rest;
    }
    QStringList cells{QString::number(portion.volume)};
    for (int i = 0; i < m_sensorCount; ++i)
        cells << QString::number(levels.value(i));
    m_model->appendRow(rowItems(cells));
    if (hasFile() && !CalibrationCsv::appendLine(m_filePath, cells))
        emit fileWriteFailed(m_filePath);
    return portion;
}

bool CalibrationRun::deletePortion()
{
    if (!m_model || m_model->columnCount() <= 1 || m_model->rowCount() <= 1)
        return false;
    m_model->removeRow(m_model->rowCount() - 1);
    // The saved run must not keep a point the engineer deleted.
    saveTable();
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
    m_model->removeRows(0, m_model->rowCount());
    m_started = false;
    m_resumed = false;
    m_sensorCount = 0;
}

QList<QStringList> CalibrationRun::rows() const
{
    QList<QStringList> out;
    if (!m_model)
        return out;
    for (int row = 0; row < m_model->rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < m_model->columnCount(); ++column) {
            const QStandardItem *item = m_model->item(row, column);
            cells << (item ? item->text() : QString());
        }
        out << cells;
    }
    return out;
}

bool CalibrationRun::saveTable()
{
    if (!hasFile())
        return false;
    QString error;
    if (!CalibrationCsv::writeAll(m_filePath, rows(), &error)) {
        emit fileWriteFailed(error);
        return false;
    }
    return true;
}

bool CalibrationRun::restore(const QString &path)
{
    if (!m_model)
        return false;
    const auto lines = CalibrationCsv::readAll(path);
    if (!lines)
        return false;
    m_model->clear();
    m_model->setColumnCount(2);
    for (const QStringList &cells : *lines)
        m_model->appendRow(rowItems(cells));
    return true;
}
