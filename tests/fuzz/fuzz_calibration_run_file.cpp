// The calibration run file: one point per line, the reading(s) of one or
// two sensors, then the volume.
#include "fuzzinput.h"

#include "calibration/calibrationcsv.h"

#include <QFile>
#include <QTemporaryDir>

namespace {
QString scratchFile()
{
    static QTemporaryDir dir;
    return dir.filePath(QStringLiteral("run.csv"));
}

QByteArray written(const CalibrationCsv::RunFile &file)
{
    QString text;
    for (const QStringList &row : file.rows)
        text += CalibrationCsv::runLine(row, file.sensors);
    return text.toUtf8();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray content = fuzzBytes(data, size);
    QString error;
    const auto run = CalibrationCsv::parseRunFile(content, &error);
    if (!run)
        FUZZ_CHECK(!error.isEmpty()); // a refused file says why

    // Opening a file costs ten times the parsing under the sanitizers.
    if (fuzzSometimes(64)) {
        // What the file says and what its bytes say are the same thing.
        const QString path = scratchFile();
        {
            QFile file(path);
            FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            FUZZ_CHECK(file.write(content) == content.size());
        }
        QString fileError;
        const auto fromFile = CalibrationCsv::readRunFile(path, &fileError);
        FUZZ_CHECK(fromFile.has_value() == run.has_value());
        FUZZ_CHECK(fileError == error);
        if (run)
            FUZZ_CHECK(fromFile->rows == run->rows && fromFile->sensors == run->sensors);
    }
    if (!run)
        return 0;

    // Every row is a volume and one cell per sensor; the volume is a number,
    // a reading a number or empty.
    FUZZ_CHECK(run->sensors >= 0 && run->sensors <= CalibrationCsv::kMaxReadings);
    FUZZ_CHECK((run->sensors == 0) == run->rows.isEmpty());
    for (const QStringList &row : run->rows) {
        FUZZ_CHECK(row.size() == run->sensors + 1);
        FUZZ_CHECK(CalibrationCsv::cellNumber(row.first()).has_value());
        for (int i = 1; i < row.size(); ++i)
            FUZZ_CHECK(row.at(i).trimmed().isEmpty() || CalibrationCsv::cellNumber(row.at(i)));
    }

    // A run written back is read again as the same points, and writing
    // those gives the same bytes.
    const QByteArray once = written(*run);
    const auto again = CalibrationCsv::parseRunFile(once);
    FUZZ_CHECK(again.has_value());
    FUZZ_CHECK(again->rows.size() == run->rows.size() && again->sensors == run->sensors);
    FUZZ_CHECK(written(*again) == once);
    return 0;
}
