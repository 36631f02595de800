#include "usbconverter.h"

#include <algorithm>

UsbConverter::UsbConverter(std::chrono::milliseconds period, Time origin)
    : m_period(std::max(period, std::chrono::milliseconds(1))), m_origin(origin)
{
}

UsbConverter::Time UsbConverter::hear(const QByteArray &bytes, Time start)
{
    Time arrival = start;
    for (const char byte : bytes) {
        arrival += kByteTime;
        // The line sends one reply after the other, so arrivals come in
        // order; a caller that overlaps them still gets them sorted.
        const std::pair<Time, char> entry{arrival, byte};
        if (m_bytes.empty() || m_bytes.back().first <= arrival) {
            m_bytes.push_back(entry);
        } else {
            const auto at = std::upper_bound(m_bytes.begin(), m_bytes.end(), entry,
                                             [](const auto &a, const auto &b) { return a.first < b.first; });
            m_bytes.insert(at, entry);
        }
    }
    return arrival;
}

UsbConverter::Time UsbConverter::tickAtOrAfter(Time t) const
{
    if (t <= m_origin)
        return m_origin;
    const Time period = m_period;
    const auto ticks = (t - m_origin + period - Time(1)) / period; // rounded up
    return m_origin + ticks * period;
}

std::optional<UsbConverter::Time> UsbConverter::nextDelivery() const
{
    if (m_bytes.empty())
        return std::nullopt;
    return tickAtOrAfter(m_bytes.front().first);
}

std::optional<UsbConverter::Delivery> UsbConverter::takeDue(Time now)
{
    const auto tick = nextDelivery();
    if (!tick || *tick > now)
        return std::nullopt;
    Delivery delivery{*tick, {}};
    while (!m_bytes.empty() && m_bytes.front().first <= *tick) {
        delivery.bytes.append(m_bytes.front().second);
        m_bytes.pop_front();
    }
    return delivery;
}

QByteArray UsbConverter::takeAll()
{
    QByteArray bytes;
    bytes.reserve(int(m_bytes.size()));
    for (const auto &entry : m_bytes)
        bytes.append(entry.second);
    m_bytes.clear();
    return bytes;
}
