#pragma once

#include <QtGlobal>

#include <chrono>
#include <optional>

// Trouble the line can be told to make, to see how the tool copes.
struct LineFaults
{
    double dropRate = 0.0;    // fraction of replies that are never sent
    double corruptRate = 0.0; // fraction of framed replies sent with a wrong CRC
    double garbageRate = 0.0; // fraction of replies preceded by 1..4 random bytes
    std::chrono::milliseconds splitGap{0}; // > 0: each reply in two writes this far apart
    std::optional<quint8> wrongAddress;    // every reply carries this address instead
    // > 0: a USB converter between the line and the tool hands over what it
    // has heard every chunkPeriod (its latency timer), so replies come in
    // bursts at byte timing instead of one write each.
    std::chrono::milliseconds chunkPeriod{0};
};
