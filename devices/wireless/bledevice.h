#pragma once

#include "adwrecord.h"
#include "blereplies.h"
#include "calibration/calibrationset.h"
#include "devices/fls/stabilitywindow.h"

#include <QByteArray>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <array>
#include <chrono>
#include <map>
#include <memory>
#include <optional>

class BLEAdwModel;
class BLEAdwView;
class DeviceLink;
class EngineerMenuQDialog;
class QLabel;
class QSerialPort;
class Switch;
class WidgetTar;
namespace Ui {
class Configurator;
}

// The wireless base station page: the base sits on the line like a wired
// sensor and relays one wireless sensor (linked-sensor mode) or reports the
// sensors it hears (advertising mode, firmware 223..998). The page decodes
// the base's replies with BleReplies and shows them, shows the results of
// the commands relayed to the sensor, and runs the password exchanges and
// the base's own settings. It owns its poll step, address list and
// watchdog; the main window drains the line and calls parseReply.
class BLEDevice : public QWidget
{
    Q_OBJECT
public:
    static constexpr int FIRST_DEVICE = 0;
    static constexpr int SECOND_DEVICE = 1;
    static constexpr int THIRD_DEVICE = 2;
    static constexpr int kMaxLinked = 3;  // bases on one line in linked-sensor mode
    static constexpr int kMaxRecords = 4; // advertising: the sensors one base hears
    static constexpr int kUpdateCountdownSeconds = 30;

    // Poll steps of the password exchanges.
    static constexpr quint8 kStepSetPassword = 0xF7;
    static constexpr quint8 kStepEnterPassword = 0xF8;
    static constexpr quint8 kStepCheckPassword = 0x23;  // the automatic probe
    static constexpr quint8 kStepDeletePassword = 0x24;

    struct Record {
        qint32 serial = 0;
        quint16 baseFirmware = 0;
        qint8 temperature = 0;
        quint16 level = 0;
        qint32 raw = 0;
        qint32 empty = 0;
        qint32 full = 0;
        quint8 mode = 0;
        quint8 filter = 0;
        quint8 sensorFirmware = 0;
        qint8 rssi = 0;
        quint8 battery = 0;
        quint16 levelSent = 0;
        StabilityWindow::Verdict stability = StabilityWindow::None;
    };

    BLEDevice(Ui::Configurator *ui, QSerialPort *port, QWidget *parent = nullptr);
    ~BLEDevice() override;

    quint8 getStep() const;
    void setStep(quint8 step);
    bool isDeviceConnected() const;
    DeviceLink *link() const { return m_link; }

    // Decodes one reply (or, after the search broadcast, the answer) and
    // returns the next poll step.
    quint8 parseReply(int length, const quint8 *data, quint8 step);

    // Read by the main window and the tests.
    quint8 address() const { return m_address; }
    int polledIndex() const;
    const Record &record(int index) const { return m_records.at(size_t(index)); }
    QByteArray netNumDevice() const { return m_netNumDevice; }
    quint16 baseFirmware() const { return m_baseFirmware; }
    // The wireless sensor's firmware: what decides whether it takes a level range.
    quint16 sensorVersion() const { return m_records[0].sensorFirmware; }
    bool isAdvertisingMode() const { return m_advertising; }
    bool isBaseReady() const { return m_baseReady; }
    bool isSensorLinked() const { return m_sensorLinked; }
    bool isDataValid() const { return m_dataValid; }
    bool needCalibration() const { return m_needCalibration; }
    bool isResolutionHigh() const { return m_resolutionHigh; }
    bool isMainStatusAllowed() const { return m_mainStatusAllowed; }
    quint8 modeShadow() const { return m_modeShadow; }
    quint8 filterShadow() const { return m_filterShadow; }
    bool settingsEchoSeen() const { return m_settingsEcho; }
    void clearSettingsEcho() { m_settingsEcho = false; }
    bool parametersChanged() const { return m_parametersChanged; }
    void setParametersChanged(bool changed) { m_parametersChanged = changed; }
    int smoothingIndex() const { return m_smoothingIndex; }
    void setSmoothingIndex(int index) { m_smoothingIndex = index; }
    int updateCountdown() const { return m_countdown; }
    QLabel *statusLabel() const { return m_status; }
    QLabel *statusLabelUp() const { return m_statusUp; }
    Switch *thermoSwitch() const { return m_swTermo; }
    // The timers that hold a command's result in the upper line, wait for
    // a relayed command's answer and count the firmware-update window.
    const QTimer &statusHoldTimer() const { return m_statusHold; }
    const QTimer &commandStatusTimer() const { return m_commandStatus; }
    const QTimer &countdownTimer() const { return m_countdownTimer; }

    // Password state.
    bool isBaseLockPass() const { return m_baseLocked; }
    bool isBaseAccepted() const { return m_baseAccepted; }
    bool hasBaseAnswered() const { return m_baseAnswered; }
    bool isSensorStateKnown() const { return m_sensorStateKnown; }
    bool isSensorLocked() const { return m_sensorLocked; }
    bool isSensorPasswordOk() const { return m_sensorPasswordOk; }
    bool isAutomaticStepPending() const { return m_autoStepPending; }
    // The sensor password last typed, for the sensor update; 0 when none.
    quint32 enteredSensorPassword() const { return m_sensorPassword; }

    // The main window's handlers forward here.
    // Writes the smoothing to the sensor shown (0xF2, answered by the
    // settings echo); false when the echo did not confirm it.
    bool writeParameters(quint8 address);
    void showSecurityDialog();
    void changeNetNumBase(quint8 selectedAddress);
    void openIdentifierDialog();
    void startSensorUpdate(quint8 selectedAddress);
    // The engineer typed into the minimum or maximum level edit.
    void levelRangeEdited(bool maximum);
    // The smoothing list was chosen from.
    void smoothingChosen(int index);
    // What the identifier dialog hands over; changeUiidBle() sends it.
    void setIdentifierText(const QString &text) { m_identifierText = text; }

    // Advertising mode: the tiles of the four slots and what the base said.
    BLEAdwView *adwView(int slot) const { return m_adwViews.at(size_t(slot)); }
    std::shared_ptr<BLEAdwModel> slotModel(int slot) const;
    bool isConfigAccepted() const { return m_configAccepted; }
    bool isNameAccepted() const { return m_nameAccepted; }
    // Models kept for the addresses heard: one per address, the newest.
    int keptModelCount() const { return int(m_newestByAddress.size()); }
    // The calibration of the sensor behind the base (linked-sensor mode).
    CalibrationSet *calibrationSet() { return &m_calibration; }

    // Comparisons kept from the base's protocol helpers.
    static bool compareTwoMass(const char *mass1, const char *mass2, int dimens);
    int CompareNetNum(int netnum) const;

public slots:
    void resetDeviceIsConnected();
    void resetTimerDeviceConnected();
    void resetSettingToDefault();
    void initStatusMessage();
    void showStatusMessageUp(const QString &message);
    void showStatusMessage(const QString &message);
    void setVisibleStatusLabels(bool visible);
    void viewIconChangedParam(bool isNeed);
    void hideBirds();
    void setUIID();
    void setCurLevel(int current, int device);
    void addSwitchToWidget();
    void setStatusCurCmdBLE();
    void setEnableShowMainStatusMsgBLE();

    // Passwords of the base and of its sensor.
    void inputPassBase();
    void setPassBase();
    void delPassBase();
    void inputPassBLE();
    void setPassBLE();
    void delPassBLE();
    void sendPass(quint32 pass, quint8 step, quint8 cmd);

    // Advertising sensors: records into slots, connection by name, switching
    // and re-addressing them.
    void mappingDataToAdwertDevices(const QByteArray &buf);
    BLEAdwModel *getModelByNetNum(int netNum) const;
    void recieveStringFromDialog(const QString &text, int slot);
    bool enableDopParamAdwert(int slot, bool enableDev, bool enableDop);
    void changeNetNumAdwertDevice(int slot, int newNetNum);
    void setNetNumForAdwertAfterSearch();
    void setNetNumDeviceAdwertFinal();

    // Base settings and the firmware hand-over to the phone application.
    void changeUiidBle();
    void changeUiidBleForBaseReboot();
    void updateTimerFwBLE();

signals:
    void callParceDataFromComPort();
    void copyNetNumToParent(const QByteArray &data);
    void copyQueueSurveyDevice(int index);
    void writeData(const QByteArray &data);
    void errorConnectedToDeviceAdwert();
    void copyLevelValueToMain(int level, int device);
    void signalShowStatusMessageUp(const QString &text);
    void signalWriteLog(const QString &message);
    void signalClearRxBuf();
    // The page's two status lines were shown or hidden; the main window's
    // own lines give way to them.
    void statusLabelsVisible(bool visible);
    // A value of the sensor's litre/percent table; *accepted false stops its column.
    void tableValueRead(int value, int row, int column, bool *accepted);
    // The base has a new address: the main window polls it from now on.
    void baseAddressChanged(quint8 address);
    // The first advertising record: the sensors' tiles are to be shown.
    void advertisingSensorsFound();

private:
    quint8 takeSearchAnswer(const QByteArray &block);
    // The address whose replies are awaited: the polled one, the first
    // when the index lies beyond the list.
    quint8 expectedAddress() const;
    quint8 linkedReply(const QByteArray &reply, quint8 step);
    quint8 advertisingReply(const QByteArray &reply, quint8 step);
    quint8 passwordReply(const QByteArray &reply, quint8 step);
    void decodeIdentification(const BleIdentification &id);
    quint8 decodeData(const QByteArray &reply, const BleDataReply &data);
    void decodeTable(const QByteArray &reply);
    void showCommandResult(const BleDataReply &data);
    void showSensorPasswordResult(quint8 code);
    void showStability(int index);
    void fillSettings(const Record &shown);
    void automaticPasswordStep();
    // Waits for the base's answer to a command; while any command waits, the
    // automatic password probe holds back so its frames do not cut in.
    void waitForBase(std::chrono::milliseconds duration);
    // True when a sensor password verdict answers the automatic probe.
    bool takeProbeVerdict();
    void showBaseLock(bool locked);
    void showSensorLock(bool locked);
    void showLockedBaseMessage(const QString &text);
    void startCountdown();
    void holdCommandStatus();
    void setVisibleReadings(bool visible);
    // A typed password, or nothing (with a message) when it does not fit.
    std::optional<quint32> readPassword(const QString &text);
    QByteArray request(quint8 command, const QByteArray &payload = {}) const;
    void sendAndWait(quint8 command, const QByteArray &payload, std::chrono::milliseconds wait);
    void disableTermo(bool off);
    void buildAdvertisingTiles();
    void refreshAdvertisingTiles(const AdwRecord &record);
    void prepareAdvertisingTiles();
    void resetAdvertising();
    // Warns about two enabled sensors on neighbouring addresses.
    void checkNeighbouringAddresses();
    void restartPolling();

    Ui::Configurator *ui;
    QSerialPort *m_port;
    DeviceLink *m_link;

    quint8 m_address = 0;
    QByteArray m_netNumDevice;
    bool m_secondFound = false;
    bool m_thirdFound = false;
    int m_cycleCounter = 0;
    std::array<Record, kMaxRecords> m_records{};
    std::array<StabilityWindow, kMaxLinked> m_windows;
    quint16 m_baseFirmware = 0;
    std::array<quint8, 6> m_mac{};

    bool m_advertising = false;
    bool m_baseReady = false;
    bool m_sensorLinked = false;
    bool m_firstData = true;
    bool m_logPending = true;
    QString m_pendingLog;
    bool m_mainStatusAllowed = true;
    bool m_dataValid = false;
    bool m_needCalibration = false;
    bool m_resolutionHigh = false;
    bool m_firstAdvertisingReply = true;
    bool m_tilesVisible = true;
    bool m_settingsEcho = false;
    bool m_parametersChanged = false;
    int m_smoothingIndex = 0;
    quint8 m_modeShadow = 0;
    quint8 m_filterShadow = 0;
    int m_previousFilter = -1;

    // Passwords: the numbers typed are kept for the exchange only and
    // never shown or logged.
    quint32 m_basePassword = 0;
    quint32 m_sensorPassword = 0;
    bool m_baseLocked = false;
    bool m_baseAccepted = false;
    bool m_baseAnswered = false;
    bool m_passwordSent = false;
    bool m_autoStepPending = true;
    bool m_autoStepScheduled = false;
    int m_commandWaits = 0; // commands waiting for the base right now
    bool m_sensorStateKnown = false;
    bool m_sensorProbeSent = false; // the automatic probe's 0xE9 awaits its verdict
    bool m_sensorLocked = false;
    bool m_sensorPasswordOk = false;
    bool m_sensorLockShown = false;
    bool m_inputPending = false;
    bool m_deletePending = false;
    bool m_newPending = false;

    int m_countdown = kUpdateCountdownSeconds;
    QTimer m_countdownTimer;
    QTimer m_statusHold;
    QTimer m_commandStatus;
    QString m_identifierText;
    QPointer<EngineerMenuQDialog> m_identifierDialog;

    QLabel *m_status = nullptr;
    QLabel *m_statusUp = nullptr;
    Switch *m_swTermo = nullptr;
    WidgetTar *m_caption = nullptr;
    std::array<WidgetTar *, kMaxLinked> m_tiles{};
    CalibrationSet m_calibration;

    std::array<BLEAdwView *, kMaxRecords> m_adwViews{};
    // The newest model of every address heard; a slot's tile holds its own.
    // Older models go as soon as nothing shows them.
    std::map<int, std::shared_ptr<BLEAdwModel>> m_newestByAddress;
    bool m_configAccepted = false;
    bool m_nameAccepted = false;
};
