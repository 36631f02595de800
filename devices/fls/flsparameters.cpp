#include "flsparameters.h"

#include <QCoreApplication>

namespace {
QString tr(const char *text)
{
    return QCoreApplication::translate("FLSDevice", text);
}

const char *const kRs485 = QT_TRANSLATE_NOOP("FLSDevice", "Режим RS-485");
const char *const kPeriodic = QT_TRANSLATE_NOOP("FLSDevice", "Периодический RS-485");
const char *const kFrequency = QT_TRANSLATE_NOOP("FLSDevice", "Частотный");
const char *const kAnalog = QT_TRANSLATE_NOOP("FLSDevice", "Аналоговый");
const char *const kRs232 = QT_TRANSLATE_NOOP("FLSDevice", "RS-232");
const char *const kPulse = QT_TRANSLATE_NOOP("FLSDevice", "Импупльсный");
} // namespace

constexpr quint8 FlsParameters::kKvFiltrationCodes[5];

QStringList FlsParameters::modeTexts(FlsModel model)
{
    switch (model) {
    case FlsModel::KV210:
    case FlsModel::KV260:
        return {tr(kRs485), tr(kFrequency), tr(kPeriodic)};
    case FlsModel::KV510:
        return {tr(kRs485), tr(kAnalog), tr(kFrequency), tr(kPulse), tr(kPeriodic)};
    case FlsModel::KV610:
    case FlsModel::Generic:
        return {tr(kRs485), tr(kAnalog), tr(kFrequency), tr(kPulse), tr(kPeriodic), tr(kRs232)};
    case FlsModel::None:
        break;
    }
    return {};
}

QString FlsParameters::modeText(quint8 code)
{
    switch (code) {
    case kModeRs485: return tr(kRs485);
    case kModePeriodicRs485: return tr(kPeriodic);
    case kModeFrequency: return tr(kFrequency);
    case kModeAnalog: return tr(kAnalog);
    case kModeRs232: return tr(kRs232);
    case kModePulse: return tr(kPulse);
    default: return {};
    }
}

quint8 FlsParameters::modeCode(const QString &text)
{
    if (text == tr(kAnalog))
        return kModeAnalog;
    if (text == tr(kFrequency))
        return kModeFrequency;
    if (text == tr(kPulse))
        return kModePulse;
    if (text == tr(kPeriodic))
        return kModePeriodicRs485;
    if (text == tr(kRs232))
        return kModeRs232;
    return kModeRs485;
}

QStringList FlsParameters::kvFiltrationTexts()
{
    return {QCoreApplication::translate("FLSDevice", "Нет"),
            QCoreApplication::translate("FLSDevice", "до 200 литров"),
            QCoreApplication::translate("FLSDevice", "от 200 до 1000 литров"),
            QCoreApplication::translate("FLSDevice", "более 1000 литров"),
            QCoreApplication::translate("FLSDevice", "Тяжёлые условия")};
}

QStringList FlsParameters::genericFiltrationTexts()
{
    QStringList texts;
    for (int i = 0; i < 16; ++i)
        texts << QString::number(i);
    return texts;
}

quint8 FlsParameters::filtrationCode(FlsModel model, int index)
{
    if (model == FlsModel::Generic)
        return quint8(qBound(0, index, 15));
    return kKvFiltrationCodes[qBound(0, index, 4)];
}

int FlsParameters::filtrationIndex(FlsModel model, quint8 code)
{
    code &= 0x0F;
    if (model == FlsModel::Generic)
        return code;
    // Ranges around the written codes 0, 3, 5, 12 and 15.
    if (code == 0)
        return 0;
    if (code <= 4)
        return 1;
    if (code <= 8)
        return 2;
    if (code <= 12)
        return 3;
    return 4;
}
