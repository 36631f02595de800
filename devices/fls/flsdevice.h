#pragma once

#include "flsreplies.h"
#include "stabilitywindow.h"

#include <QByteArray>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <array>
#include <optional>

class DeviceLink;
class FirmwareUpdate;
class QLabel;
class QSerialPort;
class QStandardItemModel;
class QTableView;
class Security;
class Switch;
class WidgetTar;
namespace Ui {
class Configurator;
}

// What the page holds of a sensor's settings, read and written as a block.
struct FlsSettingsRecord {
    quint32 mode = 0;    // mode byte
    quint32 dopmode = 0; // settings byte
    quint32 filtr = 0;   // settings byte (filtration in the low bits)
    quint32 netnum = 0;
    qint32 full = 0;
    qint32 empty = 0;
    bool operator==(const FlsSettingsRecord &o) const
    {
        return mode == o.mode && dopmode == o.dopmode && filtr == o.filtr
               && netnum == o.netnum && full == o.full && empty == o.empty;
    }
};

// The wired fuel level sensor page: turns the sensor's replies into what the
// engineer sees, owns the page's poll step, address list and watchdog, the
// function switches and the password exchanges.
class FLSDevice : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kMaxSensors = 3; // sensors on one line

    // Poll steps of the password exchanges.
    static constexpr quint8 kStepSetPassword = 0xF7;
    static constexpr quint8 kStepEnterPassword = 0xF8;
    static constexpr quint8 kStepCheckPassword = 0x23;
    static constexpr quint8 kStepDeletePassword = 0x24;

    struct Record {
        qint8 temperature = 0;
        quint16 level = 0;
        qint32 cnt = 0;
        qint32 empty = 0;
        qint32 full = 0;
        quint8 mode = 0;
        quint8 settings = 0;
        quint8 kv260Output = 0;
        qint32 serial = 0;
        quint16 firmware = 0;
        FlsModel model = FlsModel::None;
        StabilityWindow stability;
        void reset()
        {
            temperature = 0;
            level = 0;
            cnt = empty = full = serial = 0;
            mode = settings = kv260Output = 0;
            firmware = 0;
            model = FlsModel::None;
            stability.clear();
        }
    };

    FLSDevice(Ui::Configurator *ui, QSerialPort *port, QWidget *parent = nullptr);

    quint8 getStep() const;
    void setStep(quint8 step);
    quint8 getNetNum() const { return m_netnum; }
    // The next search answer puts this address first: after a write the
    // page goes on showing the sensor it wrote.
    void followAddressAfterSearch(quint8 address) { m_followAddress = address; }
    bool isDeviceConnected() const;
    void setDeviceConnected(bool connected);
    int polledIndex() const;
    DeviceLink *link() const { return m_link; }
    FirmwareUpdate *firmwareUpdate() const { return m_firmwareUpdate; }
    // Offered while a sensor answers, and after an update that failed: such
    // a sensor may have no firmware left to answer with.
    bool firmwareUpdateOffered() const;
    QLabel *statusLabel() const { return m_status; }
    QLabel *statusLabelUp() const { return m_statusUp; }
    const Record &record(int index) const { return m_records.at(size_t(index)); }

    FlsModel model() const { return m_model; }
    bool isKV510() const { return m_model == FlsModel::KV510; }
    bool isKV210() const { return m_model == FlsModel::KV210; }
    bool isKV260() const { return m_model == FlsModel::KV260; }
    bool isKV610() const { return m_model == FlsModel::KV610; }
    bool isGenericFls() const { return m_model == FlsModel::Generic; }
    quint16 firmware() const { return m_firmware; }
    bool is10Bit() const { return m_tenBit; }
    bool is12Bit() const { return m_twelveBit; }
    void setResolution(bool twelveBit);
    bool isNotCalibrated() const { return m_notCalibrated; }
    bool hasPassword() const { return m_passwordSet; }
    quint32 storedPassword() const { return m_storedPassword; }
    bool formRefresh() const { return m_formRefresh; }
    void setFormRefresh(bool refresh) { m_formRefresh = refresh; }
    bool firstReadLog() const { return m_firstReadLog; }
    void setFirstReadLog(bool log) { m_firstReadLog = log; }
    FlsSettingsRecord currentSettings() const { return m_current; }
    void setCurrentSettings(const FlsSettingsRecord &settings) { m_current = settings; }
    FlsSettingsRecord formSnapshot() const { return m_snapshot; }
    quint8 modeCopy() const { return m_modeCopy; }
    quint8 settingsCopy() const { return m_settingsCopy; }
    quint8 kv260OutputCopy() const { return m_kv260Copy; }
    float analogVoltage() const { return m_voltage; }
    QString identificationText() const { return m_identification; }
    bool isChanged() const { return m_changed; }
    void setChanged(bool changed) { m_changed = changed; }
    bool write1023() const { return m_write1023; }
    bool write4095() const { return m_write4095; }
    void setWrite1023(bool on) { m_write1023 = on; }
    void setWrite4095(bool on) { m_write4095 = on; }
    bool isGallons() const { return m_gallons; }
    Switch *switchInvers() const { return m_swInvers; }
    Switch *switchAngle() const { return m_swAngle; }
    Switch *switchMaster() const { return m_swMaster; }
    Switch *switchTermo() const { return m_swTermo; }
    Switch *switchEcoDrive() const { return m_swEco; }
    Switch *switchSendSerial() const { return m_swSerial; }
    Switch *switchLiterGallon() const { return m_swLiterGallon; }
    WidgetTar *sensorTile(int index) const { return m_tiles.at(size_t(index)); }
    WidgetTar *captionTile() const { return m_caption; }
    QTableView *tableView() const { return m_tableView; }
    QStandardItemModel *tableModel() const { return m_tableModel; }

    // Decodes one block drained by a parse tick; returns the next poll step.
    quint8 parseReply(int length, const quint8 *data, quint8 step);

    // Availability of the engineering switches for the identified model.
    void updateEngineeringAvailability();

public slots:
    void resetDeviceIsConnected();
    void resetTimerDeviceConnected();
    void resetSettingToDefault();
    void setDefaultValuesToGuiField();
    void clearTarWidget();
    void viewIconChangedParam(bool isNeed);
    void hideBirds();
    void showStatusMessage(const QString &text);
    void showStatusMessageUp(const QString &text);
    void setVisibleStatusLabels(bool visible);
    void initStatusMessage();
    void connectSignalToCallMethodFromMain(QWidget *parent);
    void setVisibleSwitch(bool visible);
    void setVisibleReadings(bool visible);

    // Function switches
    void functionSwInvers();
    void functionSwAngle();
    void functionSWMaster();
    void disableTermo();
    void setEcoDrive();
    void enableSendSerNumForKV260();
    void setLitrGallon();
    void functionSwLiterPercent();
    void sendResetDevice(quint8 netnum);

    // Firmware update of the sensor (flsfirmware.cpp).
    void setFirmWareToDevice();
    void abortFirmwareUpdate();
    void setInvisibleProgressBarFirmware();
    void setVisibleLabelBadFirmW();
    void setInVisibleLabelBadFirmW();
    void showErrorUpdateFirmware();
    int getStateSwAngle() const { return m_stateAngle; }
    void setStateSwAngle(int state) { m_stateAngle = state; }
    int getStateSwInvers() const { return m_stateInvers; }
    void setStateSwInvers(int state) { m_stateInvers = state; }
    int getStateSwLiterPercent() const { return m_stateLiterPercent; }
    void setStateSwLiterPercent(int state) { m_stateLiterPercent = state; }
    int getStateSwMaster() const { return m_stateMaster; }
    void setStateSwMaster(int state) { m_stateMaster = state; }

    // Password
    void checkPass();
    void inputPass();
    void setPass();
    void delPass();
    void sendPass(quint32 pass, quint8 step, quint8 cmd);

signals:
    void callParceDataFromComPort();
    void copyNetNumToParent(const QByteArray &data);
    void copyQueueSurveyDevice(int index);
    void writeData(const QByteArray &data);
    void copyLevelValueToMain(int level, int device);
    void signalWriteLog(const QString &message);
    void horizonCalibrated();
    // The page's status line changed: the header's model line follows it.
    void statusMessageChanged(const QString &text);
    void statusLabelsVisible(bool visible);
    void tableValueRead(int value, int row, int column, bool *accepted);

private:
    void setupFirmwareUpdate();
    void releaseForFirmwareUpdate();
    void resumeAfterFirmwareUpdate();
    quint8 takeSearchAnswer(const QByteArray &block);
    // Length of a whole reply at the start of the bytes; 0 when none is.
    static int leadingReplyLength(const QByteArray &bytes);
    quint8 parseFrame(const QByteArray &frame, quint8 step);
    void decodeSettings(const QByteArray &reply, int index);
    void decodeIdentification(const QByteArray &reply, int index);
    void decodeTable(const QByteArray &reply);
    void fillForm(const FlsSettingsReply &reply, QString &log);
    void showStability(int index);
    void applyModeDisplay(quint8 code);
    void refreshSwitchCopies();
    void redrawSwitchesOff();
    quint8 passwordReply(const QByteArray &block, quint8 step);
    void showLock(bool locked);
    void addSwitchToWidget();
    void sendSwitch(quint8 command, const QByteArray &data, const QString &log, bool stopPoll);
    void sendSettingsCopies(const QString &log, bool stopPoll = false);
    bool readPassword(const QString &text, quint32 &password);
    void showPasswordDialog(bool inputMode);
    void giveUpPasswordStep();

    Ui::Configurator *ui;
    QSerialPort *m_port;
    DeviceLink *m_link;
    FirmwareUpdate *m_firmwareUpdate = nullptr;
    quint8 m_netnum = 0;
    std::optional<quint8> m_followAddress;
    std::array<Record, kMaxSensors> m_records;
    FlsModel m_model = FlsModel::None;
    bool m_formRefresh = true;
    bool m_firstReadLog = true;
    bool m_tenBit = false;
    bool m_twelveBit = false;
    bool m_notCalibrated = false;
    bool m_passwordSet = false;
    FlsSettingsRecord m_current;
    FlsSettingsRecord m_snapshot;
    quint8 m_modeCopy = 0;
    quint8 m_settingsCopy = 0;
    quint8 m_kv260Copy = 0;
    float m_voltage = 0.0f;
    quint16 m_firmware = 0;
    QString m_identification;
    bool m_changed = false;
    bool m_write1023 = false;
    bool m_write4095 = false;
    bool m_gallons = false;
    quint32 m_storedPassword = 0;
    QPointer<Security> m_security;
    int m_stateAngle = 0;
    int m_stateInvers = 0;
    int m_stateLiterPercent = 0;
    int m_stateMaster = 0;

    QLabel *m_status = nullptr;
    QLabel *m_statusUp = nullptr;
    Switch *m_swInvers = nullptr;
    Switch *m_swAngle = nullptr;
    Switch *m_swMaster = nullptr;
    Switch *m_swTermo = nullptr;
    Switch *m_swEco = nullptr;
    Switch *m_swSerial = nullptr;
    Switch *m_swLiterGallon = nullptr;
    std::array<WidgetTar *, kMaxSensors> m_tiles{};
    WidgetTar *m_caption = nullptr;
    QTableView *m_tableView = nullptr;
    QStandardItemModel *m_tableModel = nullptr;
};
