#pragma once

#include "startupoptions.h"

#include <QByteArray>
#include <QHash>
#include <QMainWindow>
#include <QPixmap>
#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTranslator>
#include <QVector>

#include <memory>

#include "calibration/engineermenuqdialog.h"
#include "calibration/litertopercent.h"
#include "devices/fls/flsdevice.h"
#include "link/addresslist.h"
#include "link/portlist.h"

class AQ420Device;
class CalibrationWorkflow;
class BLEDevice;
class EventLog;
class FLSDevice;
class PortConnection;
class QAction;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;
class QTimer;
class ReceivePath;
class RemoteControlPage;
class RingBuffer;
class VirtualLine;
class WiredTagDevice;
namespace Ui {
class Configurator;
}

// The main window: owns the form with every page, the serial link, the
// receive buffer and the four device pages; drives the poll cycle, the
// header (port box, device buttons, service menu), hot keys and help mode.
class Configurator : public QMainWindow
{
    Q_OBJECT
public:
    static constexpr int kBuildNumber = 61;
    static constexpr quint32 kReceiveBufferSize = 1024; // bytes

    explicit Configurator(const StartupOptions &options = {}, QWidget *parent = nullptr);
    ~Configurator() override;

    // Read by tests and by the demo set-up.
    Ui::Configurator *form() const { return ui; }
    PortConnection *portConnection() const { return m_port; }
    RingBuffer *receiveBuffer() const { return m_ringBuffer; }
    ReceivePath *receivePath() const { return m_receive.get(); }
    FLSDevice *flsDevice() const { return m_fls; }
    BLEDevice *bleDevice() const { return m_ble; }
    AQ420Device *aq420Device() const { return m_aq420; }
    WiredTagDevice *wiredTagDevice() const { return m_tag; }
    EventLog *eventLog() const { return m_log; }
    QMenu *serviceMenu() const { return m_serviceMenu; }
    QLabel *statusLineUp() const { return m_statusUp; }
    QLabel *statusLineModel() const { return m_statusModel; }
    QLabel *helpLabel() const { return m_helpLabel; }
    bool isHelpMode() const { return m_helpMode; }
    AddressList addressList() const { return m_addresses; }
    quint8 currentAddress() const { return m_currentAddress; }
    int pollIndex() const { return m_pollIndex; }
    quint8 pollStep() const { return m_step; }
    int chosenPortIndex() const { return m_portIndex; }
    bool defaultsLoaded() const { return m_defaultsLoaded; }
    QStringList extraPorts() const { return m_options.extraPorts; }
    void addExtraPort(const QString &name);
    VirtualLine *demoLine() const { return m_demoLine; }
    CalibrationWorkflow *calibration() const { return m_calibration; }
    EngineerMenuQDialog *levelDialog() const { return m_levelDialog; }
    LiterToPercent *tableDialog() const { return m_tableDialog; }
    // Presses the device button named by --connect (fls, ble, aq420, tag).
    void connectDevice(const QString &kind);

    // Applies the look shared by the whole window: background, window
    // buttons, the two fonts.
    void setupFontApp();
    void myRetranslateUI();

public slots:
    // Poll cycle
    void getDataFromPort(QByteArray &data);
    void parceDataFromCOMPort();
    void pollingToSerialTimer();
    void recieveNetNumFromChild(const QByteArray &list);
    void recieveQueueSurveyDevice(int index);
    void cleanRingBuffer();

    // Serial link
    void UpdateSerialPorts();
    void checkNullComPort();
    void handlerErrorSerial();
    void handlerNoErrorSerial();

    // Status lines and event log
    void showStatusMessageUp(const QString &text);
    void showStatusMessage(const QString &text);
    void clearStatusMessageUp();
    void clearStatusMessage();
    void recieveLogMessage(const QString &text);
    void writeLogFile(const QString &text);
    void writeLogFileNoParams();

    // Header and navigation
    void setupBtnService(bool portOpen);
    void slotServiceBtn();
    void setParentForGroupBoxSerPort(QWidget *page);
    void setEnabledDevBtn();
    void setEnabledBLEBtn();
    void setEnabledAQ420Btn();
    void setEnabledWMBtn();
    void clickTabOnTabWidget(int index);
    void setLevelFromAnotherDevice(int level, int device);

    // Hot keys and help
    void slotShortcutCtrlS();
    void slotShortcutF1();
    void slotShortcutF2();
    void slotShortcutF3();
    void slotShortcutF4();
    void closeHelp();
    void showHelp(QWidget *widget);
    void setInvisibleLabelCopyMac();

    // Device buttons (auto-connected by name)
    void on_pushButtonDeviceFLS_clicked(bool checked);
    void on_pushButtonBLE_clicked(bool checked);
    void on_pushButtonAQ420_clicked(bool checked);
    void on_pushButtonWiredTag_clicked(bool checked);
    void on_comboBox_SerialPort_activated(int index);
    void on_pushButton_Help_clicked();

    // Wired sensor parameters
    void on_comboBox_ModeDUT_activated(int index);
    void on_comboBox_FiltrDUT_activated(int index);
    void on_lineEditMaxLevelDUT_textEdited(const QString &text);
    void on_lineEditMinLevelDUT_textEdited(const QString &text);
    void on_lineEditNetNumDUT_textEdited(const QString &text);
    void on_comboBox_NetNumDUT_activated(int index);
    void on_ButtonWriteParamDUT_clicked();
    void writeParamToDevice();
    quint8 getMode() const;
    quint8 getFiltr() const;
    void EscapeCurSetting();
    void SetDefaultSetting();

    // Wireless page: parameters, base settings, update hand-over (they
    // forward to the page, see configuratorwireless.cpp).
    void on_comboBox_NetNumBLE_activated(int index);
    void on_comboBox_FiltrBLE_activated(int index);
    void on_lineEditMinLevelBLE_textEdited(const QString &text);
    void on_lineEditMaxLevelBLE_textEdited(const QString &text);
    void on_ButtonWriteParamBLE_clicked();
    void on_pushBtnEngineerBackBLE_clicked();
    void on_pushBtnUpdateFWBackBLE_clicked();
    void on_pushBtnManualInputBLE_clicked();
    void on_pushBtnChgNetNumBase_clicked();
    void on_pushBtnChangeBaseLinkIDBLE_clicked();
    void on_pushBtnInUpdBase_clicked();
    void on_pushBtnInUpdBLE_clicked();

    // The advertising sensors page: its tabs and their calibrations.
    void showAdvertisingPage();
    void enterAdvertisingCalibration();
    void on_pushButtonStartTarAdw_clicked();
    void on_pushButtonAdPortionAdw_clicked();
    void on_pushButtonDelPortionAdw_clicked();
    void on_pushButtonRestoreTarAdw_clicked();
    void on_pushButtonEndTarAdw_clicked();
    void on_pushButtonGraphShowAdw_clicked();
    void on_pushButtonBackTarirAdw_clicked();
    void on_comboBoxZalivSlivAdw_textActivated(const QString &text);

    // Tag reader page (they forward to the page, see configuratortag.cpp).
    void on_pushButtonSetModeWT_clicked();
    void on_pushButton_SetSerWT_clicked();
    void on_pushButtonSetIDWT_clicked();
    void on_pushButtonReadIDWT_clicked();
    void on_pushBtnSetNetNumWT_clicked();
    void on_checkBoxInputFormatWT_stateChanged(int state);
    void on_comboBox_NetNumWT_activated(int index);
    void on_comboBoxModeWT_activated(int index);
    void on_lineEditSetSerNumWT_textEdited(const QString &text);
    void on_lineEditSETIDWT_textEdited(const QString &text);
    void on_lineEditSetNetNumWT_textEdited(const QString &text);

    // Angle sensor page (they forward to the page, see configuratorangle.cpp).
    void on_ButtonWriteParamAQ420_clicked();
    void on_buttonSetNullAQ420_clicked();
    void on_lineEditAQ420Up_textEdited(const QString &text);
    void on_lineEditAQ420Down_textEdited(const QString &text);
    void on_lineEditAQ420DelayOn_textEdited(const QString &text);
    void on_lineEditAQ420DelayOff_textEdited(const QString &text);
    void on_lineEdit_NetNumAQ420_textEdited(const QString &text);
    void on_lineEditAQ420Up_editingFinished();
    void on_comboBox_NetNumAQ420_activated(int index);

    // Back from the engineering, calibration and remote-control pages.
    void on_pushBtnEngineerBack_clicked();
    void on_pushButtonBackTarir_clicked();
    void on_pushBtnBackRemoteControl_clicked();

    // Remote-control page (they forward to the page, see configuratorremote.cpp).
    void initUIRC();
    void on_comboBoxRemoteControl_activated(int index);
    void on_pushButtonGenRemoteControl_clicked();
    void on_pushButtonReadRC_clicked();
    quint8 getModeRC() const;
    quint8 getFiltrRC() const;

    // Calibration run
    void on_ButtonTarirovka_clicked();
    void on_pushButtonAdSensorTar_clicked();
    void addSensorTar();
    void on_pushButtonAdPortionTar_clicked();
    void addPortionTar();
    void on_pushButtonDelPortionTar_clicked();
    void deletePortionTar();
    void on_pushButtonDelSensorTar_clicked();
    void deleteSensorTar();
    void on_pushButtonEndTar_clicked();
    void endingTar();
    void on_pushButtonRestoreTar_clicked();
    void restoreTar();
    void on_comboBoxZalivSliv_textActivated(const QString &text);
    void saveTable();
    void UpDataTableSize();
    void on_pushButtonGraphShow_clicked();
    void backToTar();

    // Full and empty typed in, engineering commands, the sensor's table
    void on_pushBtnManualInput_clicked();
    void UpdataValEngMenu();
    void setFullAndEmptyLevel();
    int getFullVal() const { return m_fullValue; }
    int getEmptyVal() const { return m_emptyValue; }
    void on_pushBtnCalibHorizState_clicked();
    void on_pushButtonSetPercent_clicked();
    void on_pushBtnCalcLtrPrc_clicked();
    void writeTable();
    void readTable();

    // Calibration entry points reached from the hot keys.
    void on_Button_SetFullDUT_clicked();
    void on_Button_SetEmptyDUT_clicked();
    void on_Button_SetFullBLE_clicked();
    void on_Button_SetEmptyBLE_clicked();
    void setFull();
    void setEmpty();
    void launchTarirovka();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    enum class DeviceKind { FLS, BLE, AQ420, WiredTag };

    void setupHotKey();
    void setTimerSignalSlot();
    void addEventFilter();
    void initStatusMessage();
    void wireDevicePages();
    void checkResolutionScreen();
    void loadPictures();
    void startDemoLine();

    quint8 activeStep() const;
    void setActiveStep(quint8 step);
    void wireWirelessPage();
    void wireAnglePage();
    void wireTagPage();
    QWidget *activeDevicePage() const;
    void sendLevelPoint(quint8 command, const QString &what);
    // Advice when smoothing is on, then the confirmation, then the command.
    void askLevelPoint(bool full, int smoothing);
    bool activeSensorConnected() const;
    // Firmware update of a wired sensor (configuratorfirmware.cpp): while it
    // runs the port's bytes go to it, not to the receive buffer.
    void wireFirmwareUpdate();
    bool firmwareUpdateTakes(const QByteArray &data);
    bool hasAnyPort() const;
    QString chosenPortName() const;
    void applyPortBox(const PortList::BoxContents &box);
    void highlightDeviceButton(DeviceKind kind, bool checked);
    void connectKind(DeviceKind kind);
    void disconnectKind(DeviceKind kind);
    void hideConnectionLabels();
    void setButtonPictures(const QString &language);

    Ui::Configurator *ui;
    StartupOptions m_options;
    RingBuffer *m_ringBuffer;
    std::unique_ptr<ReceivePath> m_receive;
    EventLog *m_log;
    QTimer *m_logTimer;
    PortConnection *m_port;
    FLSDevice *m_fls;
    BLEDevice *m_ble;
    AQ420Device *m_aq420;
    WiredTagDevice *m_tag;
    RemoteControlPage *m_remote = nullptr;
    QTranslator m_menuTranslator;
    QHash<QString, QPixmap> m_pictures;
    VirtualLine *m_demoLine = nullptr;
    CalibrationWorkflow *m_calibration = nullptr;
    QPointer<EngineerMenuQDialog> m_levelDialog;
    QPointer<LiterToPercent> m_tableDialog;
    int m_fullValue = 0;
    int m_emptyValue = 0;

    bool m_isFLS = false;
    bool m_isBLE = false;
    bool m_isAQ420 = false;
    bool m_isWiredTag = false;

    quint8 m_step = 0xFF;
    AddressList m_addresses;
    quint8 m_currentAddress = 0;
    int m_pollIndex = 0;
    bool m_newSelection = false; // the engineer chose an address of the wireless list

    int m_portIndex = 0;
    QVector<PortList::Port> m_ports;

    bool m_helpMode = false;
    QPointer<QFrame> m_helpLine;
    QPointer<QPushButton> m_helpClose;
    QPointer<QLabel> m_helpLabel;

    bool m_paramsChanged = false;
    bool m_defaultsLoaded = false;
    FlsSettingsRecord m_oldSetting;
    FlsSettingsRecord m_newSetting;
    QTimer *m_markTimer = nullptr;
    QLabel *m_statusUp = nullptr;
    QLabel *m_statusModel = nullptr;
    static constexpr int kServiceEntries = 6;
    static constexpr int kRemoteControlEntry = 4;
    QMenu *m_serviceMenu = nullptr;
    QVector<QAction *> m_serviceActions;
};
