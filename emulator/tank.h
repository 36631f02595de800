#pragma once

#include <QRandomGenerator>
#include <QtGlobal>

// What a fuel level sensor measures: the raw count CNT of its tube around a
// set point, the empty and full counts it is calibrated to, the resolution of
// its level (bit 7 of the mode byte) and its temperature. Every measurement
// carries the noise and the slow drift, so the tool's stability verdict stays
// in one band for a given noise. Wired sensors and the wireless sensor behind
// a base station measure alike.
class Tank
{
public:
    Tank(qint32 empty, qint32 full, quint8 mode, double noisePercent, double driftPercent,
         qint8 temperature, quint32 seed);

    // The next CNT: the set point moved by the drift and by the noise. Every
    // readings reply takes one; state dumps never do.
    qint32 measure();

    int maxLevel() const;
    // Level for a CNT: its place between the empty and full counts, scaled to
    // the resolution and clamped to it.
    int levelForCnt(qint32 cnt) const;
    // The latest measurement (the set point before the first one).
    qint32 cnt() const { return m_lastCnt; }
    int level() const { return levelForCnt(m_lastCnt); }
    qint32 targetCnt() const { return m_targetCnt; }

    // Fills the tank to the level (clamped to the resolution).
    void setLevel(int level);
    void setCnt(qint32 cnt);
    // Adds a signed offset to a calibration count, clamped to 32 bits.
    static qint32 shifted(qint32 count, int offset);

    double noisePercent() const { return m_noisePercent; }
    double driftPercent() const { return m_driftPercent; }
    void setNoise(double percent);

    qint8 temperature() const { return m_temperature; }
    void setTemperature(qint8 celsius) { m_temperature = celsius; }

    // Changing the calibration leaves the fuel where it is, so the level moves.
    qint32 empty() const { return m_empty; }
    qint32 full() const { return m_full; }
    void setEmpty(qint32 count) { m_empty = count; }
    void setFull(qint32 count) { m_full = count; }

    // Bit 7: level 0..4095, else 0..1023; the other bits are the output mode.
    quint8 mode() const { return m_mode; }
    void setMode(quint8 mode) { m_mode = mode; }

private:
    qint32 m_empty;
    qint32 m_full;
    quint8 m_mode;
    double m_noisePercent;
    double m_driftPercent;
    qint8 m_temperature;
    qint32 m_targetCnt = 0;
    qint32 m_lastCnt = 0;
    quint64 m_readings = 0;
    QRandomGenerator m_random;
};
