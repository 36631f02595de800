#pragma once

#include "tagreplies.h"

#include <QByteArray>
#include <QString>
#include <QVector>
#include <QWidget>

#include <optional>

class DeviceLink;
class QLabel;
class QValidator;
namespace Ui {
class Configurator;
}

// The wired tag reader page: finds the readers on the line, polls them in
// turn, shows the mode, serial number and firmware of the reader chosen in
// its address box, and sets that reader's mode, serial number, tag
// identifier (typed in hexadecimal or decimal) and network address. The
// decoding is TagReplies', the frames TagCommands'; the page displays.
class WiredTagDevice : public QWidget
{
    Q_OBJECT
public:
    // Two or three readers share a line; more are not polled.
    static constexpr int kMaxReaders = 3;

    // The change markers beside the fields.
    enum class Field { Mode, Serial, Identifier, Address };

    WiredTagDevice(Ui::Configurator *ui, QWidget *parent = nullptr);

    quint8 getStep() const;
    void setStep(quint8 step);
    bool isDeviceConnected() const;
    DeviceLink *link() const { return m_link; }

    // Decodes one block drained by a parse tick; returns the next poll step.
    quint8 parseReply(int length, const quint8 *data, quint8 step);

    // The reader the page shows and sets: index in the address list.
    int selectedReader() const { return m_selected; }
    quint8 selectedAddress() const;
    // The last mode byte each reader reported; nothing before its first 0xF0.
    std::optional<quint8> modeOf(int reader) const;
    bool isBusy() const { return m_busy; }

    // What the page's buttons and fields do (the main window's slots
    // forward here). A field that holds no valid number is refused with a
    // message; nothing is sent for it.
    void sendMode();
    void sendSerialNumber();
    void sendIdentifier();
    void readIdentifier();
    void changeAddress();
    void selectReader(int index);
    void setDecimalIdentifier(bool decimal);
    void markChanged(Field field);

public slots:
    void initStatusMessage();
    void showStatusMessage(const QString &text);
    void setVisibleStatusLabels(bool visible);
    void resetDeviceIsConnected();
    void resetTimerDeviceConnected();
    void resetSettingToDefault();

signals:
    void callParceDataFromComPort();
    void copyNetNumToParent(const QByteArray &data);
    void copyQueueSurveyDevice(int index);
    void writeData(const QByteArray &data);
    void signalWriteLog(const QString &message);
    void statusMessageChanged(const QString &text);

private:
    struct Reader {
        std::optional<quint8> mode;
        std::optional<TagIdentification> identification;
    };

    quint8 takeAddresses(const QByteArray &block);
    quint8 takeReply(const TagReply &reply, int reader, quint8 step);
    void nextReader();
    void showReader();
    void showIdentifier(quint32 identifier);
    bool isDecimal() const;
    // Runs one command with the poll held: a poll reply on its way lands
    // first, the frame goes out, its answer is parsed, then the poll goes
    // on. False when no reader is connected or a command is running.
    bool runCommand(const QByteArray &frame);
    bool beginCommand();
    void endCommand();
    void setControlsEnabled(bool enabled);
    void clearReaders();
    QLabel *marker(Field field) const;
    void refuse(const QString &message);

    Ui::Configurator *ui;
    DeviceLink *m_link;
    QValidator *m_hexValidator;
    QValidator *m_decimalValidator;
    QVector<Reader> m_readers;
    int m_selected = 0;
    bool m_firstReply = true; // the next 0xF0 of the chosen reader sets the mode box
    bool m_busy = false;
    std::optional<quint8> m_followAddress; // after an address change: choose it when found
};
