// The litre/percent table file (one row per line: volume, then level), and
// what the tool makes of it: the table it writes to the sensor and the
// percentages.
#include "fuzzinput.h"

#include "calibration/calibrationcsv.h"
#include "calibration/calibrationtable.h"
#include "devices/fls/flsreplies.h"
#include "link/frame.h"

#include <QFile>
#include <QTemporaryDir>
#include <QVector>

#include <cmath>

namespace {
QString scratchFile()
{
    static QTemporaryDir dir;
    return dir.filePath(QStringLiteral("table.csv"));
}

QStringList column(const QList<QStringList> &rows, int index)
{
    QStringList cells;
    for (const QStringList &row : rows)
        cells << row.value(index);
    return cells;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray content = fuzzBytes(data, size);
    const QList<QStringList> rows = CalibrationCsv::parseTable(content);
    // Opening a file costs ten times the parsing under the sanitizers.
    if (fuzzSometimes(64)) {
        // What the file says and what its bytes say are the same thing.
        const QString path = scratchFile();
        {
            QFile file(path);
            FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            FUZZ_CHECK(file.write(content) == content.size());
        }
        const auto fromFile = CalibrationCsv::readTableFile(path);
        FUZZ_CHECK(fromFile.has_value() && *fromFile == rows);
    }

    const QStringList levels = column(rows, 0);
    const QStringList volumes = column(rows, 1);

    QString error;
    const auto payload = CalibrationTable::writePayload(levels, volumes, &error);
    if (!payload) {
        FUZZ_CHECK(!error.isEmpty()); // a refused table says why
    } else {
        FUZZ_CHECK(payload->size() == 4 * CalibrationTable::kRows);
        // What the sensor is sent is what it hands back when the table is
        // read: every cell, rounded to a whole number.
        const auto readBack = FlsReplies::decodeTable(Frame::reply(1, 0xEF, *payload));
        FUZZ_CHECK(readBack.has_value());
        for (int row = 0; row < CalibrationTable::kRows; ++row) {
            const double level = levels.at(row).trimmed().toDouble();
            const double volume = volumes.at(row).trimmed().toDouble();
            FUZZ_CHECK(readBack->at(row) == quint16(std::round(level)));
            FUZZ_CHECK(readBack->at(CalibrationTable::kRows + row) == quint16(std::round(volume)));
        }
    }

    const QStringList percents = CalibrationTable::percentColumn(levels);
    if (!percents.isEmpty()) {
        FUZZ_CHECK(percents.size() == CalibrationTable::kRows);
        FUZZ_CHECK(percents.last() == QLatin1String("100"));
        for (const QString &percent : percents) {
            bool ok = false;
            percent.toLongLong(&ok);
            FUZZ_CHECK(ok);
        }
    }
    return 0;
}
