#include "tank.h"

#include "deviceconfig.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// The noise swings CNT alternately above and below the set point by between
// kNoiseFloor and 1 times the noise amplitude, so the mean of any eight
// readings stays close to the set point while each reading stands off it:
// that keeps the tool's stability verdict in one band for a given noise.
constexpr double kNoiseFloor = 0.8; // smallest swing, as a share of the noise
constexpr double kPi = 3.14159265358979323846;
constexpr int kDriftPeriodReadings = 240; // one slow wander in 240 readings (4 min at 1 Hz)

qint32 clampedCnt(double value)
{
    return qint32(std::clamp(std::round(value), double(std::numeric_limits<qint32>::min()),
                             double(std::numeric_limits<qint32>::max())));
}

} // namespace

Tank::Tank(qint32 empty, qint32 full, quint8 mode, double noisePercent, double driftPercent,
           qint8 temperature, quint32 seed)
    : m_empty(empty),
      m_full(full),
      m_mode(mode),
      m_noisePercent(noisePercent),
      m_driftPercent(driftPercent),
      m_temperature(temperature),
      m_random(seed)
{
}

int Tank::maxLevel() const
{
    return DeviceConfig::maxLevelForMode(m_mode);
}

int Tank::levelForCnt(qint32 cnt) const
{
    const double span = double(m_full) - double(m_empty);
    if (span == 0.0)
        return 0;
    const double level = std::round((double(cnt) - double(m_empty)) * maxLevel() / span);
    return int(std::clamp(level, 0.0, double(maxLevel())));
}

void Tank::setLevel(int level)
{
    level = std::clamp(level, 0, maxLevel());
    const double span = double(m_full) - double(m_empty);
    setCnt(clampedCnt(double(m_empty) + span * level / maxLevel()));
}

void Tank::setCnt(qint32 cnt)
{
    m_targetCnt = cnt;
    m_lastCnt = cnt;
}

qint32 Tank::shifted(qint32 count, int offset)
{
    return clampedCnt(double(count) + offset);
}

void Tank::setNoise(double percent)
{
    m_noisePercent = std::clamp(percent, 0.0, 100.0);
}

qint32 Tank::measure()
{
    const double drift = m_driftPercent / 100.0
                         * std::sin(2.0 * kPi * double(m_readings % kDriftPeriodReadings)
                                    / kDriftPeriodReadings);
    const double swing = kNoiseFloor + (1.0 - kNoiseFloor) * m_random.generateDouble();
    const double sign = (m_readings % 2 == 0) ? 1.0 : -1.0;
    const double noise = sign * swing * m_noisePercent / 100.0;
    ++m_readings;
    m_lastCnt = clampedCnt(double(m_targetCnt) * (1.0 + drift + noise));
    return m_lastCnt;
}
