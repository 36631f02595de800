#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QStandardItemModel>

class QStandardItem;
class QStandardItemModel;

// One tank calibration run: the table of points (volume, then one reading
// per sensor column) and the CSV file the engineer keeps. Filling adds the
// step to the last volume; draining takes it away until the tank is empty.
class CalibrationRun : public QObject
{
    Q_OBJECT
public:
    static constexpr int kMaxSensors = 2;
    static constexpr int kFillingStart = 0;    // litres
    static constexpr int kDrainingStart = 1000; // litres

    struct Portion {
        int volume = 0;
        bool tankEmptied = false; // draining went past the rest: a final 0
    };

    explicit CalibrationRun(QObject *parent = nullptr);

    void setModel(QStandardItemModel *model);
    QStandardItemModel *model() const { return m_model; }

    bool hasFile() const { return !m_filePath.isEmpty(); }
    QString filePath() const { return m_filePath; }
    // Creates the file if needed, without truncating an existing one.
    bool openFile(const QString &path);
    void releaseFile() { m_filePath.clear(); }

    bool isStarted() const { return m_started; }
    void setStarted(bool started) { m_started = started; }
    bool isDraining() const { return m_draining; }
    void setDraining(bool draining) { m_draining = draining; }
    int sensorCount() const { return m_sensorCount; }
    // The table came from a saved run rather than a new starting row.
    bool isResumed() const { return m_resumed; }

    // First sensor: the starting row; second sensor: a column beside it.
    void addFirstSensor(int level);
    void addSecondSensor(int level);
    // Appends a point with the given readings and writes its line to the file.
    Portion addPortion(const QString &stepText, const QList<int> &levels);
    // Removes the last point (never the starting row); the file follows.
    bool deletePortion();
    // Removes the last sensor column; the last one empties the table.
    void deleteSensor();
    // Rewrites the whole file from the table.
    bool saveTable();
    QList<QStringList> rows() const;
    // Loads a saved run into the table (volume first, then the readings).
    bool restore(const QString &path);

signals:
    void fileWriteFailed(const QString &error);

private:
    static int number(const QString &text);
    QList<QStandardItem *> rowItems(const QStringList &cells) const;

    QPointer<QStandardItemModel> m_model;
    QString m_filePath;
    bool m_started = false;
    bool m_draining = false;
    int m_sensorCount = 0;
    bool m_resumed = false;
};
