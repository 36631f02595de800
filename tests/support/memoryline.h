#pragma once
// Emulated devices on a wire in memory, for tests of the emulator itself:
// no pseudo-terminal and, unless a test sets one, no reply delay.

#include "emulator/memorytransport.h"
#include "emulator/virtualline.h"

#include <QtTest>

#include <chrono>

class MemoryLine
{
public:
    explicit MemoryLine(const QStringList &devices, quint32 seed = 1)
    {
        using namespace std::chrono_literals;
        line.setSeed(seed);
        QString error;
        if (!line.addDevices(devices, &error))
            qFatal("bad test devices: %s", qPrintable(error));
        line.setReplyDelay(0ms);
        wire = new MemoryTransport;
        line.attach(wire);
    }

    // Sends bytes and waits for the next write, which it returns (empty
    // when nothing came within the time).
    QByteArray ask(const QByteArray &bytes, int waitMs = 500)
    {
        const int before = int(wire->writes().size());
        wire->deliver(bytes);
        const bool came = QTest::qWaitFor([&] { return wire->writes().size() > before; }, waitMs);
        return came ? wire->writes().at(before) : QByteArray();
    }

    VirtualLine line;
    MemoryTransport *wire = nullptr; // owned by the line
};
