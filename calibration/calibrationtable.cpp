#include "calibrationtable.h"

#include <QCoreApplication>

#include <cmath>

namespace {
const char kContext[] = "CalibrationTable";
const QString kMissingCell = QStringLiteral("error");

QString trText(const char *text)
{
    return QCoreApplication::translate(kContext, text);
}

// The cell as a number, or nothing when it does not read as one. Cells hold
// what was typed or loaded ("12", " 35") or the text of a float stored by the
// cell editor, which may be written with an exponent ("1e+05").
std::optional<double> cellNumber(const QString &cell)
{
    bool ok = false;
    const double value = cell.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}
} // namespace

std::optional<QByteArray> CalibrationTable::writePayload(const QStringList &levels,
                                                         const QStringList &volumes,
                                                         QString *error)
{
    if (levels.size() < kRows || volumes.size() < kRows
        || levels.mid(0, kRows).contains(kMissingCell)
        || volumes.mid(0, kRows).contains(kMissingCell)) {
        setError(error, trText(QT_TRANSLATE_NOOP("CalibrationTable",
                                                 "В таблице не может быть менее 20 строк")));
        return std::nullopt;
    }

    QByteArray payload;
    payload.reserve(4 * kRows);
    for (const QStringList *column : {&levels, &volumes}) {
        for (int row = 0; row < kRows; ++row) {
            const QString &cell = column->at(row);
            const std::optional<double> number = cellNumber(cell);
            if (!number) {
                setError(error, trText(QT_TRANSLATE_NOOP(
                                    "CalibrationTable",
                                    "Строка %1: значение \"%2\" не является числом"))
                                    .arg(QString::number(row + 1), cell.trimmed()));
                return std::nullopt;
            }
            const double rounded = std::round(*number); // halves away from zero
            if (*number < 0 || rounded > kMaxValue) {
                setError(error, trText(QT_TRANSLATE_NOOP(
                                    "CalibrationTable",
                                    "Строка %1: значение %2 вне диапазона 0…65535"))
                                    .arg(QString::number(row + 1), cell.trimmed()));
                return std::nullopt;
            }
            const auto value = quint16(rounded);
            payload.append(char(value >> 8));
            payload.append(char(value & 0xFF));
        }
    }
    return payload;
}

QStringList CalibrationTable::percentColumn(const QStringList &levels)
{
    if (levels.size() < kRows)
        return {};
    const std::optional<double> topNumber = cellNumber(levels.at(kRows - 1));
    const long long top = topNumber ? std::llround(*topNumber) : 0;
    if (top <= 0)
        return {};

    QStringList percents;
    for (int row = 0; row < kRows - 1; ++row) {
        const double level = cellNumber(levels.at(row)).value_or(0.0);
        percents << QString::number(std::llround(level * 100.0 / double(top)));
    }
    percents << QStringLiteral("100");
    return percents;
}
