#pragma once

#include <QByteArray>

#include <chrono>
#include <deque>
#include <optional>
#include <utility>

// A USB–RS-485 converter between the line and the PC. It does not pass each
// byte on as it comes off the wire: it keeps them, and every period (an FTDI
// chip's latency timer, 16 ms by default) hands the PC whatever has come in
// since the last hand-over. So a reply reaches the PC in bursts: a 25-byte
// readings reply (13 ms on the wire) in one or two, the 84-byte table reply
// (44 ms) in three or four, and one burst can end one reply and start the
// next.
//
// Only the timing lives here, on the caller's clock: the caller says when
// bytes go on the wire and asks, whenever it likes, for the deliveries due by
// then. What a delivery holds depends on the ticks alone, not on when it is
// asked for, so a busy event loop delays the bursts but never reshapes them.
class UsbConverter
{
public:
    using Time = std::chrono::nanoseconds;
    // One byte at 19200 baud 8N1: start bit, 8 data bits, stop bit.
    static constexpr Time kByteTime{520833};

    struct Delivery {
        Time at; // the tick of the latency timer that handed it over
        QByteArray bytes;
    };

    // Ticks at origin, origin + period, origin + 2 period, ...
    UsbConverter(std::chrono::milliseconds period, Time origin);

    std::chrono::milliseconds period() const { return m_period; }

    // The bytes go on the wire back to back from `start`; byte i (from 0) is
    // in the converter at start + (i + 1) byte times. Returns the time the
    // last one is in, when the wire is free again.
    Time hear(const QByteArray &bytes, Time start);

    bool isEmpty() const { return m_bytes.empty(); }
    int pendingSize() const { return int(m_bytes.size()); }
    // The tick that will hand over the oldest byte held; none when empty.
    std::optional<Time> nextDelivery() const;
    // Takes out the earliest delivery whose tick is at or before `now`;
    // none when no tick with bytes for it has come yet.
    std::optional<Delivery> takeDue(Time now);
    // Everything held, in the wire's order, whether it is through yet or not.
    QByteArray takeAll();

private:
    Time tickAtOrAfter(Time t) const;

    std::chrono::milliseconds m_period;
    Time m_origin;
    std::deque<std::pair<Time, char>> m_bytes; // (in the converter at, byte), in that order
};
