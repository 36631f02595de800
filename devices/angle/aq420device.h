#pragma once

#include "aq420modes.h"
#include "aq420replies.h"
#include "aq420writes.h"

#include <QByteArray>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <array>
#include <chrono>
#include <optional>

class DeviceLink;
class QLabel;
class QLineEdit;
class QMovie;
class QSerialPort;
class ScaleAQ420;
class Switch;
namespace Ui {
class Configurator;
}

// The AQ420 angle sensor page: finds its sensors with the search, decodes
// the readings and identification replies (Aq420Replies) and shows the
// angle as a number, a frequency, a needle and a picture of the machine;
// switches the sensor's mode, sets its zero and writes its limits, delays
// and address (Aq420Writes), checking each write by reading it back.
class AQ420Device : public QWidget
{
    Q_OBJECT
public:
    // Mode switches in the order of the form: mode 1, 2, 3, blade, bucket, master.
    static constexpr int kSwitchCount = 6;
    static constexpr int kMasterSwitch = 5;
    static constexpr int kRefreshReplies = 3; // readings replies that show a new mode
    static constexpr std::chrono::milliseconds kBucketFrame{500};

    AQ420Device(Ui::Configurator *ui, QSerialPort *port, QWidget *parent = nullptr);

    quint8 getStep() const;
    void setStep(quint8 step);
    bool isDeviceConnected() const;
    DeviceLink *link() const { return m_link; }

    // Decodes one block drained by a parse tick; returns the next poll step.
    quint8 parseReply(int length, const quint8 *data, quint8 step);

    // The main window's handlers forward here.
    void writeParamToAQ420();
    void setZero();
    void fieldEdited(Aq420Field field);
    void upEditingFinished();
    void addressChosen(int index);

    // Read by the tests.
    quint8 address() const;
    quint8 modeByte() const { return m_modeByte; }
    quint16 angle() const { return m_angle; }
    const Aq420Settings &readBack() const { return m_readBack; }
    const Aq420Settings &expected() const { return m_expected; }
    const std::optional<Aq420Identification> &identification() const { return m_identification; }
    int readingsDecoded() const { return m_readingsDecoded; }
    bool isRefreshPending() const { return m_refreshPending; }
    bool isFirstConnection() const { return m_firstConnection; }
    bool isWriting() const { return m_writing; }
    bool isEdited(Aq420Field field) const { return m_edits.isChanged(field); }
    QString picture() const { return m_picture; }
    bool isBucketAnimating() const { return m_bucketTimer.isActive(); }
    Switch *modeSwitch(int index) const { return m_switches.at(size_t(index)); }
    ScaleAQ420 *scale() const { return m_scale; }
    QLabel *statusLabel() const { return m_status; }
    QMovie *masterSlaveMovie() const { return m_masterSlave; }

public slots:
    void setMode1AQ420();
    void setMode2AQ420();
    void setMode3AQ420();
    void setModeOtvalAQ420();
    void setModeKovshAQ420();
    void setModeMasterAQ420();
    void modeKovshHandler();
    void animationModeKovshHandler();
    bool checkCorrectWriteParam();
    void visibleLabalMasterSlave(bool visible);
    void resetDeviceIsConnected();
    void resetTimerDeviceConnected();
    void resetSettingToDefault();
    void initStatusMessage();
    void showStatusMessage(const QString &text);
    void showStatusMessageUp(const QString &text);
    void setVisibleStatusLabels(bool visible);
    void viewIconChangedParam(bool visible);
    void hideBirds();

signals:
    void callParceDataFromComPort();
    void copyNetNumToParent(const QByteArray &data);
    void copyQueueSurveyDevice(int index);
    void writeData(const QByteArray &data);
    void signalWriteLog(const QString &message);
    // Readings replies that will still show the mode after a mode switch.
    void signalChangeCntUpdateUI(int remaining);
    // The page's status lines were shown or hidden; the main window's own
    // lines give way to them.
    void statusLabelsVisible(bool visible);

private:
    quint8 takeSearchAnswer(const QByteArray &block);
    void showReadings(const Aq420Readings &readings);
    void showIdentification(const Aq420Identification &id);
    void applyMode(quint8 modeByte);
    void showPicture(const QString &picture);
    void showLimits(const Aq420Readings &readings);
    void requestMode(quint8 modeByte, const QString &logLine);
    void armSwitches();
    void clearReadings();
    void stopBucket();
    QLineEdit *edit(Aq420Field field) const;
    QLabel *marker(Aq420Field field) const;
    void mark(Aq420Field field, const char *picture);
    // Waits in a local event loop and runs a parse tick; false when the
    // page was let go of meanwhile (disconnected, another device chosen).
    bool waitAndParse(std::chrono::milliseconds duration, int session);
    // Waits until a readings reply decoded after the call arrives, with the
    // poll running fast; false when none came in time.
    bool waitForFreshReadings(int session);

    Ui::Configurator *ui;
    DeviceLink *m_link;
    ScaleAQ420 *m_scale = nullptr;
    std::array<Switch *, kSwitchCount> m_switches{};
    QLabel *m_status = nullptr;
    QLabel *m_statusUp = nullptr;
    QMovie *m_masterSlave = nullptr;

    quint8 m_modeByte = 0;
    std::optional<quint8> m_appliedMode; // the mode the switches and picture show
    quint16 m_angle = 0;
    std::optional<Aq420Identification> m_identification;
    Aq420Settings m_readBack;
    Aq420Settings m_expected;
    int m_readingsDecoded = 0;
    int m_refreshCountdown = 0;
    bool m_refreshPending = false;
    bool m_firstConnection = true;
    QString m_connectionText;

    Aq420Edits m_edits;
    bool m_writing = false;
    int m_session = 0; // counts the times the page was let go of
    std::optional<quint8> m_followAddress; // a written address, found by the next search

    QString m_picture;
    BucketMotion m_bucket;
    int m_bucketFrame = 0;
    QTimer m_bucketTimer;
};
