#pragma once

#include "adwertdialog.h"
#include "bleadwmodel.h"
#include "devices/fls/stabilitywindow.h"

#include <QPointer>
#include <QWidget>

#include <memory>

class AdwertDialog;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QStandardItemModel;
class QTableView;
class Switch;
class WidgetTar;
struct CalibrationSet;

// The tile of one advertising slot on its tab: the sensor's name, address,
// signal, battery, level and temperature, the buttons that connect it by
// serial number, switch it off and re-address it, the switch of its
// additional parameters, and below it the tab's own calibration table.
class BLEAdwView : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kMissesBeforeDrop = 2; // records without the name before a request ends

    BLEAdwView(int slot, QWidget *tab);
    ~BLEAdwView() override;

    int slot() const { return m_slot; }
    std::shared_ptr<BLEAdwModel> model() const { return m_model; }
    void setModel(std::shared_ptr<BLEAdwModel> model) { m_model = std::move(model); }
    bool isConnectRequested() const { return m_connectRequested; }
    void setConnectRequested(bool requested);
    bool isConnected() const { return m_connected; }
    bool isChanged() const { return m_changed; }
    int missCounter() const { return m_missCounter; }
    CalibrationSet *calibrationSet() const { return m_calibration.get(); }
    AdwertDialog *dialog() const { return m_dialog; }

    // What a new record means for the tile: the connect button, the match of
    // a pending connection by name, the additional-parameters display.
    void refresh(const BLEAdwModel::Name &recordName);
    // "Подключить датчик", or "Изменить номер" for a connected sensor.
    void showConnectButton(bool connected) { setConnectButtonText(connected); }

    QLabel *nameLabel() const { return m_name; }
    QLineEdit *addressEdit() const { return m_address; }
    QPushButton *connectButton() const { return m_connect; }
    QPushButton *disconnectButton() const { return m_disconnect; }
    QPushButton *changeAddressButton() const { return m_change; }
    Switch *dopSwitch() const { return m_switch; }

public slots:
    void setDataFromModel(const BLEAdwModel *model);
    void showUI(bool visible);
    void showLabel(bool visible);
    void setEnableViewDopParam(bool on);
    void createDialogConnectDevice();
    void sendSignalToConnectDevice(const QString &serial);
    void deviceIsConnected();
    void errorConnectingToDevice();
    void sendSignalEnableDevice();
    void sendSignalEnableDopParam();
    void resetFlConnectedDevice();
    void sendSignalDeviceAdwertIsConnected();
    void createTarDevice();
    void sendSignalChangeNetNumAdwert();

signals:
    void signalResetConnectingDevice();
    void signalToMainToConnectDevice(const QString &serial, int slot);
    void deviceAdwertIsConnected();
    void copyLevelValueToMain(int level, int slot);
    void signalEnableDopParam(int slot, bool enableDevice, bool enableDop);
    void sendSignalToDialogErrorConnectindToDevice();
    void signalChangeNetNumAdwert(int slot, int address);

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    QLabel *caption(const QString &text, const char *name);
    QLabel *value(const QString &placeholder, const char *name);
    void setConnectButtonText(bool connected);
    void retranslate();
    void showOnCalibrationTile(const BLEAdwModel &model);

    int m_slot;
    std::shared_ptr<BLEAdwModel> m_model;
    bool m_connectRequested = false;
    int m_missCounter = 0;
    bool m_connected = false;
    bool m_changed = false;

    QLabel *m_name;
    QLabel *m_addressCaption;
    QLineEdit *m_address;
    QPushButton *m_change;
    QList<QLabel *> m_valueCaptions;
    QLabel *m_signal;
    QLabel *m_voltage;
    QLabel *m_level;
    QProgressBar *m_levelBar;
    QLabel *m_temperature;
    QPushButton *m_connect;
    QPushButton *m_disconnect;
    QLabel *m_mainCaption;
    QLabel *m_dopCaption;
    Switch *m_switch;
    QPointer<AdwertDialog> m_dialog;
    StabilityWindow m_stability;
    std::unique_ptr<CalibrationSet> m_calibration;
};
