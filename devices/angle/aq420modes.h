#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

// The operating modes of the angle sensor and the machine picture each one
// shows for an angle. The mode byte holds the mode in its upper bits and the
// master flag in bit 0, which combines with any mode.
class Aq420Modes
{
public:
    static constexpr quint8 kMode1 = 0x00;  // dump truck: body up, mid, down by the limits
    static constexpr quint8 kMode2 = 0x02;  // tipper body in five steps of the angle
    static constexpr quint8 kMode3 = 0x04;  // profile, one picture
    static constexpr quint8 kBlade = 0x08;  // blade up, mid, down by the limits
    static constexpr quint8 kBucket = 0x10; // excavator bucket, animated while it moves
    static constexpr quint8 kMasterBit = 0x01;

    static quint8 modeOf(quint8 modeByte) { return quint8(modeByte & ~kMasterBit); }
    static bool isMaster(quint8 modeByte) { return modeByte & kMasterBit; }
    // Only the blade and the bucket have switch delays; the sensor takes
    // them with one byte for the blade and two for the bucket.
    static bool hasDelays(quint8 modeByte);

    // The picture (a file under :/images/) for the angle in this mode; empty
    // when the picture shown stays: mode 2 at 20, 40 and 60 degrees, the
    // bucket (its animation decides), a mode the tool does not know.
    static QString pictureFor(quint8 modeByte, int angle, int up, int down);
    // What a mode shows as soon as it is taken, before any angle.
    static QString firstPicture(quint8 modeByte);
    // The bucket's animation, in its order: down, mid, up.
    static const QStringList &bucketCycle();
    // "border-image: url(:/images/NAME) 0 0 0 0 stretch stretch".
    static QString pictureStyle(const QString &picture);

    // The log line of a mode switch: "Switch mode 1 AQ420", ... "Switch mode Master AQ420".
    static QString switchLogLine(quint8 mode, bool master);
};

// Tells when the bucket is moving: a change of the angle of kStartChange
// degrees or more from one reading to the next starts the animation, a
// smaller one stops it.
class BucketMotion
{
public:
    static constexpr int kStartChange = 11; // degrees

    // Compares with the angle of the previous call and keeps the new one.
    bool moving(int angle);
    // From here on: the bucket stands at this angle.
    void reset(int angle = 0) { m_previous = angle; }

private:
    int m_previous = 0;
};
