#pragma once
// What the end-to-end tests share: the event log the tool writes in the
// working folder, and one emulated line over a pseudo-terminal with a main
// window on it that keeps every request frame the tool put on the line.

#include "app/configurator.h"
#include "emulator/virtualline.h"
#include "ui_configurator.h"

#include <QAction>
#include <QDebug>
#include <QFile>
#include <QMenu>
#include <QtTest>

#include <memory>

inline QByteArray logText()
{
    QFile log(QStringLiteral("log.txt"));
    return log.open(QIODevice::ReadOnly) ? log.readAll() : QByteArray();
}

// What the event log got from a point on.
class LogMark
{
public:
    LogMark() : m_from(int(logText().size())) {}
    QString since() const { return QString::fromUtf8(logText().mid(m_from)); }
    // A whole line, after its time stamp.
    bool hasLine(const QString &text) const
    {
        return since().contains(QStringLiteral(" -- ") + text + QStringLiteral("\r\n"));
    }
    bool hasLineStarting(const QString &text) const
    {
        return since().contains(QStringLiteral(" -- ") + text);
    }

private:
    int m_from;
};

// VOLMAR_TRACE_LINE=1 prints the line's trace, to see what led to a failure.
class LineBench
{
public:
    static constexpr int kAnyAddress = -1; // any sensor's, not the search's 0xFF
    static constexpr quint8 kRequestPrefix = 0x31; // bootloader frames have none

    LineBench(const QStringList &devices, quint32 seed, const LineFaults &faults = LineFaults())
    {
        m_line.setSeed(seed);
        QString error;
        m_ready = m_line.addDevices(devices, &error) && m_line.openPseudoTerminal(&error);
        if (!m_ready)
            qWarning("line not set up: %s", qPrintable(error));
        m_line.setFaults(faults);
        QObject::connect(&m_line, &VirtualLine::traced, &m_line, [this](const QString &text) {
            if (qEnvironmentVariableIsSet("VOLMAR_TRACE_LINE"))
                qDebug().noquote() << text;
            const int at = int(text.indexOf(QLatin1String("<- ")));
            if (at >= 0)
                m_requests << QByteArray::fromHex(text.mid(at + 3).toLatin1());
        });
        StartupOptions options;
        options.extraPorts << m_line.portName();
        m_window = std::make_unique<Configurator>(options);
    }
    virtual ~LineBench() = default;
    LineBench(const LineBench &) = delete;
    LineBench &operator=(const LineBench &) = delete;

    bool ready() const { return m_ready; }
    Configurator &window() const { return *m_window; }
    Ui::Configurator *ui() const { return m_window->form(); }
    VirtualLine &line() { return m_line; }

    // The service menu's entry with this text, as the engineer picks it.
    bool pickServiceEntry(const QString &text)
    {
        const auto actions = m_window->serviceMenu()->actions();
        for (QAction *action : actions) {
            if (action->text() == text) {
                action->trigger();
                return true;
            }
        }
        return false;
    }

    int requestCount() const { return int(m_requests.size()); }
    // Request frames with this command sent since the mark, to this address.
    QList<QByteArray> sentSince(int mark, quint8 command, int address = kAnyAddress) const
    {
        QList<QByteArray> frames;
        for (int i = mark; i < m_requests.size(); ++i) {
            const QByteArray &frame = m_requests.at(i);
            if (!isRequest(frame) || quint8(frame.at(2)) != command)
                continue;
            const quint8 to = quint8(frame.at(1));
            if (address == kAnyAddress ? to != 0xFF : to == address)
                frames << frame;
        }
        return frames;
    }
    // Commands of the requests sent since the mark, in order.
    QList<quint8> commandsSince(int mark) const
    {
        QList<quint8> commands;
        for (int i = mark; i < m_requests.size(); ++i) {
            if (isRequest(m_requests.at(i)))
                commands << quint8(m_requests.at(i).at(2));
        }
        return commands;
    }

protected:
    static bool isRequest(const QByteArray &frame)
    {
        return frame.size() >= 4 && quint8(frame.at(0)) == kRequestPrefix;
    }

    // Presses the device button of this kind; false when the line is not up.
    bool pressDeviceButton(const QString &kind)
    {
        if (!m_ready)
            return false;
        m_window->connectDevice(kind);
        return true;
    }

private:
    VirtualLine m_line; // outlives the window, which closes the port first
    bool m_ready = false;
    QList<QByteArray> m_requests;
    std::unique_ptr<Configurator> m_window;
};
