// The main window's handlers of the wireless pages. The page owns the work;
// these only hand over what the main window knows (the selected address).

#include "configurator.h"
#include "ui_configurator.h"

#include "calibration/calibrationworkflow.h"
#include "app/dynamicqdialog.h"
#include "devices/wireless/bleadwmodel.h"
#include "devices/wireless/bleadwview.h"
#include "devices/wireless/bledevice.h"
#include "link/devicelink.h"
#include "link/protocol.h"

void Configurator::wireWirelessPage()
{
    connect(m_ble, &BLEDevice::statusLabelsVisible, this, [this](bool visible) {
        m_statusModel->setVisible(!visible);
        m_statusUp->setVisible(!visible);
    });
    connect(m_ble, &BLEDevice::tableValueRead, this,
            [this](int value, int row, int column, bool *accepted) {
                if (m_tableDialog)
                    *accepted = m_tableDialog->setTable(value, row, column);
            });
    connect(m_ble, &BLEDevice::baseAddressChanged, this,
            [this](quint8 address) { m_currentAddress = address; });
    connect(m_ble, &BLEDevice::advertisingSensorsFound, this, &Configurator::showAdvertisingPage);
    // Each tab calibrates its own sensor.
    connect(ui->tabWidgetAdw, &QTabWidget::currentChanged, this, [this](int index) {
        if (index >= 0 && index < BLEDevice::kMaxRecords && m_calibration->isAdvertisingPage())
            m_calibration->enterAdvertisingTab(m_ble->adwView(index)->calibrationSet());
    });
}

void Configurator::on_comboBox_NetNumBLE_activated(int index)
{
    m_currentAddress = m_addresses.at(index);
    // A third address that is missing counts as 0, as does the index
    // of an address the list no longer holds.
    int selected = 0;
    if (m_currentAddress == m_addresses.at(2))
        selected = 2;
    else if (m_addresses.count() >= 2 && m_currentAddress == m_addresses.at(1))
        selected = 1;
    m_pollIndex = selected;
    m_ble->link()->setPolledIndex(selected);
    m_ble->setStep(Protocol::Command::ReadSettings);
    m_newSelection = true;
}

void Configurator::on_comboBox_FiltrBLE_activated(int index)
{
    m_ble->smoothingChosen(index);
}

void Configurator::on_lineEditMinLevelBLE_textEdited(const QString &)
{
    m_ble->levelRangeEdited(false);
}

void Configurator::on_lineEditMaxLevelBLE_textEdited(const QString &)
{
    m_ble->levelRangeEdited(true);
}

void Configurator::on_ButtonWriteParamBLE_clicked()
{
    if (m_ble->parametersChanged())
        m_ble->writeParameters(m_ble->address());
}

void Configurator::on_pushBtnEngineerBackBLE_clicked()
{
    setParentForGroupBoxSerPort(ui->BLE_KV510);
}

void Configurator::on_pushBtnUpdateFWBackBLE_clicked()
{
    setParentForGroupBoxSerPort(ui->BLE_KV510);
}

void Configurator::on_pushBtnManualInputBLE_clicked()
{
    on_pushBtnManualInput_clicked();
}

void Configurator::on_pushBtnChgNetNumBase_clicked()
{
    m_ble->changeNetNumBase(m_currentAddress);
}

void Configurator::on_pushBtnChangeBaseLinkIDBLE_clicked()
{
    m_ble->openIdentifierDialog();
}

void Configurator::on_pushBtnInUpdBase_clicked()
{
    m_ble->changeUiidBleForBaseReboot();
}

void Configurator::on_pushBtnInUpdBLE_clicked()
{
    m_ble->startSensorUpdate(m_currentAddress);
}

// ---------------------------------------------------------------- advertising sensors

void Configurator::showAdvertisingPage()
{
    const int tab = qMax(0, ui->tabWidgetAdw->currentIndex());
    m_calibration->enterAdvertisingTab(m_ble->adwView(tab)->calibrationSet());
    setParentForGroupBoxSerPort(ui->bleAdwertTar);
}

void Configurator::on_pushButtonStartTarAdw_clicked()
{
    addSensorTar();
}

void Configurator::on_pushButtonAdPortionAdw_clicked()
{
    addPortionTar();
}

void Configurator::on_pushButtonDelPortionAdw_clicked()
{
    deletePortionTar();
}

void Configurator::on_pushButtonRestoreTarAdw_clicked()
{
    restoreTar();
}

void Configurator::on_pushButtonEndTarAdw_clicked()
{
    endingTar();
}

void Configurator::on_pushButtonGraphShowAdw_clicked()
{
    on_pushButtonGraphShow_clicked();
}

void Configurator::on_pushButtonBackTarirAdw_clicked()
{
    setParentForGroupBoxSerPort(ui->BLE_KV510);
}

void Configurator::on_comboBoxZalivSlivAdw_textActivated(const QString &text)
{
    m_calibration->chooseDirection(text);
}

void Configurator::enterAdvertisingCalibration()
{
    // The advertising sensors are present as long as the base reports them.
    // Smoothing on the sensors that decide gives the same advice as on the
    // other pages, and the page opens all the same: its tabs are where the
    // sensors are shown.
    const auto filterOf = [this](int slot) -> std::optional<bool> {
        const auto model = m_ble->slotModel(slot);
        if (!model || !model->hasRecord())
            return std::nullopt;
        return model->hasFilter();
    };
    bool smoothing = false;
    if (filterOf(2) != false && filterOf(3) != false) {
        if (const auto first = filterOf(0))
            smoothing = *first;
        else if (const auto second = filterOf(1))
            smoothing = *second;
    }
    if (smoothing)
        DynamicQDialog::show(this, tr("Тарировку рекомендуется делать\nпри отключенном сглаживании"));
    launchTarirovka();
}
