#pragma once

#include <QTimer>

#include <chrono>

// Process-wide timers of the poll cycle, created on first use and never
// destroyed, so every device page and the main window drive the same ones.
class SharedTimers
{
public:
    static QTimer *pollTimer();     // sends the request of the current poll step
    static QTimer *parseTimer();    // drains the receive buffer to the active page
    static QTimer *portScanTimer(); // started with each connection, stopped on the first answer
    static QTimer *connectTimer();  // started and stopped with the port-scan timer
    static void stopAll();
};

namespace PollTiming {
using namespace std::chrono_literals;
constexpr auto kPollInterval = 500ms;
constexpr auto kAnglePollInterval = 1000ms;
constexpr auto kParseInterval = 50ms;
constexpr auto kParseIntervalSeveral = 500ms; // several sensors answer in turn
constexpr auto kScanInterval = 2000ms;
constexpr auto kWatchdog = 4000ms;            // no reply this long: sensor gone
constexpr auto kButtonLock = 3000ms;          // device button disabled after a press
constexpr auto kLogFlushInterval = 1000ms;
} // namespace PollTiming
