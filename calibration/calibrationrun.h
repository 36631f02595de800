#pragma once

#include <QByteArray>
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
//
// The file holds what earlier runs left in it, byte for byte, followed by
// the lines of this table's points. Every write puts the whole file in place
// through a temporary copy, so no line an earlier run wrote ever goes, and a
// removed point takes only its own line with it. A run resumed from a file
// writes to that file and to no other.
class CalibrationRun : public QObject
{
    Q_OBJECT
public:
    static constexpr int kMaxSensors = 2;
    static constexpr int kFillingStart = 0;    // litres
    static constexpr int kDrainingStart = 1000; // litres

    struct Portion {
        QString volume;
        bool tankEmptied = false; // draining went past the rest: a final 0
    };

    explicit CalibrationRun(QObject *parent = nullptr);

    void setModel(QStandardItemModel *model);
    QStandardItemModel *model() const { return m_model; }

    bool hasFile() const { return !m_filePath.isEmpty(); }
    QString filePath() const { return m_filePath; }
    // Creates the file if needed, without truncating an existing one.
    bool openFile(const QString &path);
    void releaseFile();

    bool isStarted() const { return m_started; }
    void setStarted(bool started) { m_started = started; }
    bool isDraining() const { return m_draining; }
    void setDraining(bool draining) { m_draining = draining; }
    int sensorCount() const { return m_sensorCount; }
    // The table came from a saved run rather than a new starting row.
    bool isResumed() const { return m_resumed; }
    // A saved run is in the table, waiting to be continued.
    bool hasLoadedTable() const { return m_loaded; }

    // First sensor: the starting row, or the columns of the loaded run;
    // second sensor: a column beside it. False when the file of the run
    // cannot be read (what it holds would be lost by the next write); *error
    // says why.
    bool addFirstSensor(int level, QString *error = nullptr);
    void addSecondSensor(int level);
    // Appends a point with the given readings and writes its line to the
    // file. A sensor without a reading in `levels` gets an empty cell.
    Portion addPortion(const QString &stepText, const QList<int> &levels);
    // Removes the last point (never the starting row) and its line.
    bool deletePortion();
    // Removes the last sensor column; the last one empties the table.
    void deleteSensor();
    // Ends the run: no table, no file, nothing started.
    void end();
    // Rewrites the file: the earlier runs' lines, then every row.
    bool saveTable();
    // The cells of every row as the file holds them.
    QList<QStringList> rows() const;
    // Loads a saved run into the table (volume first, then the readings) and
    // makes that file the run's file. Refused while a run has its sensors, and
    // for a file that cannot be read or holds a line that is not a point: the
    // table and the file stay as they were and *error says why.
    bool restore(const QString &path, QString *error = nullptr);

    // The text of a cell as it is saved: a number the cell editor stored
    // keeps at most two decimals.
    static QString cellText(const QStandardItem *item);

signals:
    void fileWriteFailed(const QString &error);

private:
    static double number(const QString &text);
    QList<QStandardItem *> rowItems(const QStringList &cells) const;
    bool takeEarlierLines(QString *error);
    bool writeFile();
    void clearTable();

    QPointer<QStandardItemModel> m_model;
    QString m_filePath;
    // The file's content from before this table, and the most readings a
    // line of it holds (the table's lines get as many).
    QByteArray m_earlier;
    int m_earlierReadings = 0;
    // Rows from this one on have their line in the file. A new run's starting
    // row joins them when the table is first edited.
    int m_firstSavedRow = 0;
    bool m_started = false;
    bool m_draining = false;
    int m_sensorCount = 0;
    bool m_resumed = false;
    bool m_loaded = false;
    int m_loadedSensors = 0;
};
