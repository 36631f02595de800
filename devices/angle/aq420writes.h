#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>

#include <array>
#include <chrono>
#include <optional>

// The six values a write of the angle sensor's settings is checked by: what
// the sensor last reported, or what the write expects it to report.
struct Aq420Settings {
    int up = 0;
    int down = 0;
    int delayOn = 0;
    int delayOff = 0;
    int address = 0;
    int modeByte = 0;

    bool operator==(const Aq420Settings &other) const
    {
        return up == other.up && down == other.down && delayOn == other.delayOn
               && delayOff == other.delayOff && address == other.address
               && modeByte == other.modeByte;
    }
    bool operator!=(const Aq420Settings &other) const { return !(*this == other); }
};

// The fields the engineer edits, in the order the write sends them.
enum class Aq420Field { Up, Down, DelayOn, DelayOff, Address };
constexpr int kAq420FieldCount = 5;

// What the engineer typed: the text of each field and whether it was edited.
struct Aq420Edits {
    std::array<QString, kAq420FieldCount> text;
    std::array<bool, kAq420FieldCount> changed{};

    void set(Aq420Field field, const QString &value)
    {
        text[size_t(field)] = value;
        changed[size_t(field)] = true;
    }
    bool isChanged(Aq420Field field) const { return changed[size_t(field)]; }
    bool anyChanged() const;
};

// Frames of the angle sensor's change commands (all with the write key) and
// the plan of a settings write. Widget-free.
class Aq420Writes
{
public:
    static constexpr int kMaxLimit = 180;      // degrees, Up and Down
    static constexpr int kMaxDelay = 100;      // DelayOn and DelayOff
    static constexpr int kFirstAddress = 1;    // 0 ends the tool's address list
    static constexpr int kLastAddress = 254;   // 255 is the search broadcast

    static QByteArray modeFrame(quint8 address, quint8 modeByte);
    static QByteArray zeroFrame(quint8 address);
    // The frame that writes one field in the sensor's present mode; empty
    // when the mode keeps no such value (the delays outside blade and bucket).
    static QByteArray fieldFrame(Aq420Field field, quint8 address, quint8 modeByte, quint16 value);
    // How long the write waits, twice, after a field's frame.
    static std::chrono::milliseconds waitAfter(Aq420Field field);

    // Why a write is not sent at all.
    enum class Refusal {
        None,
        EmptyField,  // an edited field is empty or out of its range
        BadAddress,  // the new address would lose the sensor (0, 255)
        DownAboveUp, // the lower limit would lie above the upper one
    };
    struct Step {
        Aq420Field field;
        QByteArray frame; // empty: nothing this mode can take
    };
    struct Plan {
        Refusal refusal = Refusal::None;
        QList<Step> steps;     // the edited fields, in write order
        Aq420Settings expected; // what the sensor must report afterwards
    };
    // The read-back set with every edited value in its place: a value the
    // present mode cannot take is still expected, so that a write that
    // leaves it out is not reported as done.
    static Plan plan(const Aq420Edits &edits, const Aq420Settings &readBack, quint8 address);

    // The number an edited field holds, when it is a whole number in its range.
    static std::optional<int> value(Aq420Field field, const QString &text);
};
