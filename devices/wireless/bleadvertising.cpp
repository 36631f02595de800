// The advertising half of the wireless page: a base in advertising mode
// answers for up to four sensors it hears, one record per address. The
// records fill the four slots' tiles; the engineer connects a tile to a
// sensor by its serial number, switches sensors and their additional
// parameters through the base's configuration byte, and re-addresses them.

#include "bledevice.h"

#include "adwertdialog.h"
#include "bleadwmodel.h"
#include "bleadwview.h"

#include "app/dynamicqdialog.h"
#include "link/devicelink.h"
#include "link/frame.h"
#include "link/localwait.h"
#include "link/protocol.h"
#include "link/sharedtimers.h"
#include "ui_configurator.h"

#include <QDebug>
#include <QTabWidget>

namespace {
using namespace std::chrono_literals;
namespace Cmd = Protocol::Command;

constexpr auto kBeforeSearch = 50ms;        // after a configuration change
constexpr auto kSearchAnswer = 100ms;       // the search answer of every sensor
constexpr auto kSearchAnswerOff = 50ms;     // after a sensor was switched off
constexpr auto kNameAnswer = 200ms;         // the base's 0x8A for a name
constexpr auto kConfigAnswer = 500ms;       // the base's 0xEC for its configuration
constexpr auto kAddressChange = 50ms;
constexpr int kMaxAddressesKept = 256;      // every address a byte can hold
const QSize kMessageSize(300, 170);

} // namespace

void BLEDevice::buildAdvertisingTiles()
{
    QWidget *tabs[kMaxRecords] = {ui->Device1, ui->Device2, ui->Device3, ui->Device4};
    for (int slot = 0; slot < kMaxRecords; ++slot) {
        auto *view = new BLEAdwView(slot, tabs[slot]);
        m_adwViews[size_t(slot)] = view;
        connect(view, &BLEAdwView::signalResetConnectingDevice, view,
                &BLEAdwView::resetFlConnectedDevice);
        connect(view, &BLEAdwView::signalToMainToConnectDevice, this,
                &BLEDevice::recieveStringFromDialog);
        connect(view, &BLEAdwView::signalEnableDopParam, this, &BLEDevice::enableDopParamAdwert);
        connect(this, &BLEDevice::errorConnectedToDeviceAdwert, view,
                &BLEAdwView::errorConnectingToDevice);
        connect(view, &BLEAdwView::signalChangeNetNumAdwert, this,
                &BLEDevice::changeNetNumAdwertDevice);
        connect(view, &BLEAdwView::copyLevelValueToMain, this, &BLEDevice::copyLevelValueToMain);
    }
}

std::shared_ptr<BLEAdwModel> BLEDevice::slotModel(int slot) const
{
    return slot >= 0 && slot < kMaxRecords ? m_adwViews[size_t(slot)]->model() : nullptr;
}

void BLEDevice::prepareAdvertisingTiles()
{
    for (BLEAdwView *view : m_adwViews) {
        view->showUI(true);
        view->showLabel(false);
        view->show();
    }
    ui->tabWidgetAdw->show();
}

void BLEDevice::resetAdvertising()
{
    for (BLEAdwView *view : m_adwViews) {
        view->setModel(std::make_shared<BLEAdwModel>());
        view->setConnectRequested(false);
        view->showLabel(false);
    }
    m_newestByAddress.clear();
    m_configAccepted = m_nameAccepted = false;
}

void BLEDevice::mappingDataToAdwertDevices(const QByteArray &buf)
{
    const auto record = AdwRules::decode(buf);
    if (!record)
        return;
    auto model = std::make_shared<BLEAdwModel>();
    model->setParamDevice(*record);
    // A slot's new model takes over what the engineer typed for it: the
    // record reports the name only once the base has found the sensor, and
    // a request must outlive the records that come before.
    const auto takeOver = [&model](BLEAdwView *view) {
        model->setNameCharForConnect(view->model()->getNameCharForConnect());
        view->setModel(model);
        view->setDataFromModel(model.get());
    };
    if (record->isLinkedSensor()) {
        takeOver(m_adwViews[0]);
        if (AdwRules::dopBit(record->flags, 0))
            model->setEnableFlagDopParam(true);
    } else {
        for (const int slot : AdwRules::slotsOf(*record))
            takeOver(m_adwViews[size_t(slot)]);
    }
    for (int slot = 1; slot < kMaxRecords; ++slot) {
        if (AdwRules::dopBit(record->flags, slot))
            m_adwViews[size_t(slot)]->model()->setEnableFlagDopParam(true);
    }
    if (int(m_newestByAddress.size()) < kMaxAddressesKept
        || m_newestByAddress.count(record->address))
        m_newestByAddress[record->address] = model;
}

BLEAdwModel *BLEDevice::getModelByNetNum(int netNum) const
{
    const auto found = m_newestByAddress.find(netNum);
    return found == m_newestByAddress.end() ? nullptr : found->second.get();
}

void BLEDevice::refreshAdvertisingTiles(const AdwRecord &record)
{
    for (int slot = 0; slot < kMaxRecords; ++slot) {
        BLEAdwView *view = m_adwViews[size_t(slot)];
        if (slot == 0 || (view->model()->flags() & (1u << (slot - 1)))) {
            view->refresh(record.name);
        } else {
            // A slot the base no longer reports (switched off, out of
            // range) must not go on offering to change a connection.
            view->showLabel(false);
            view->showConnectButton(view->model()->isConnected());
        }
    }
}

void BLEDevice::restartPolling()
{
    m_link->setWatchdogEnabled(true);
    resetTimerDeviceConnected();
    SharedTimers::parseTimer()->start(PollTiming::kParseInterval);
    SharedTimers::pollTimer()->start(PollTiming::kPollInterval);
}

void BLEDevice::recieveStringFromDialog(const QString &text, int slot)
{
    if (slot < 0 || slot >= kMaxRecords)
        return;
    m_link->setWatchdogEnabled(false);
    SharedTimers::pollTimer()->stop();
    SharedTimers::parseTimer()->stop();
    BLEAdwView *view = m_adwViews[size_t(slot)];
    const auto payload = AdwRules::namePayload(text);
    if (!payload) {
        emit errorConnectedToDeviceAdwert();
        restartPolling();
        return;
    }
    if (!view->model()->isEnabled()) {
        if (!enableDopParamAdwert(slot, true, view->model()->isDopParamOn())) {
            emit errorConnectedToDeviceAdwert();
            qDebug() << "Error set new name";
            // The poll goes on: without it the page would stand still.
            restartPolling();
            return;
        }
        waitForBase(kBeforeSearch);
        emit writeData(Frame::searchBroadcast());
        waitForBase(kSearchAnswer);
        m_link->setStep(Protocol::Step::Search);
        // The search answer gives the slots their addresses
        // (setNetNumForAdwertAfterSearch) as it is taken.
        emit callParceDataFromComPort();
        SharedTimers::pollTimer()->stop();
        SharedTimers::parseTimer()->stop();
    }
    const std::shared_ptr<BLEAdwModel> model = view->model();
    model->setNameCharForConnect(text);
    view->setConnectRequested(true);
    m_nameAccepted = false;
    emit writeData(Frame::writeRequest(quint8(model->address()), Cmd::SetBleName, *payload));
    waitForBase(kNameAnswer);
    m_link->setStep(Cmd::ReadSettings);
    emit callParceDataFromComPort();
    if (m_nameAccepted)
        qDebug() << "set Name successfully";
    restartPolling();
}

bool BLEDevice::enableDopParamAdwert(int slot, bool enableDev, bool enableDop)
{
    if (slot < 0 || slot >= kMaxRecords)
        return false;
    m_link->setWatchdogEnabled(true);
    resetTimerDeviceConnected();
    emit callParceDataFromComPort();
    const std::shared_ptr<BLEAdwModel> master = m_adwViews[0]->model();
    const quint8 flags = AdwRules::switchedFlags(master->flags(), slot, enableDev, enableDop);
    BLEAdwView *view = m_adwViews[size_t(slot)];
    view->setConnectRequested(view->isConnectRequested());
    m_link->setPolledIndex(slot);
    m_configAccepted = false;
    SharedTimers::pollTimer()->stop();
    emit writeData(Frame::writeRequest(quint8(master->address()), Cmd::ManualFull,
                                       QByteArray(1, char(flags))));
    waitForBase(kConfigAnswer);
    m_link->setStep(Cmd::ReadSettings);
    emit callParceDataFromComPort();
    SharedTimers::pollTimer()->start(PollTiming::kPollInterval);
    m_link->setWatchdogEnabled(true);
    if (!m_configAccepted) {
        emit signalWriteLog(QStringLiteral("Error change config master for adwertizing"));
        return false;
    }
    if (!enableDev) {
        view->setConnectRequested(false);
        view->showLabel(false);
        const std::shared_ptr<BLEAdwModel> off = view->model();
        off->setParamNull();
        view->refresh(BLEAdwModel::Name{});
        view->setDataFromModel(off.get());
        waitForBase(kBeforeSearch);
        emit writeData(Frame::searchBroadcast());
        waitForBase(kSearchAnswerOff);
        m_link->setStep(Protocol::Step::Search);
        emit callParceDataFromComPort(); // the slots take the addresses found
        resetTimerDeviceConnected();
        qDebug() << "send queueSurveyDevice to main";
        m_link->setPolledIndex(0);
        emit copyQueueSurveyDevice(0);
    }
    m_configAccepted = false;
    emit signalWriteLog(QStringLiteral("Change config master for adwertizing"));
    return true;
}

void BLEDevice::changeNetNumAdwertDevice(int slot, int newNetNum)
{
    if (slot < 0 || slot >= kMaxRecords || newNetNum < 1 || newNetNum > 254)
        return;
    SharedTimers::pollTimer()->stop();
    const int address = m_adwViews[size_t(slot)]->model()->address();
    emit writeData(Frame::writeRequest(quint8(address), Cmd::SetAddress,
                                       QByteArray(1, char(newNetNum))));
    emit signalWriteLog(QStringLiteral("Change net number adwertizing device %1 to %2")
                            .arg(address)
                            .arg(newNetNum));
    m_link->setStep(Protocol::Step::Search);
    waitForBase(kAddressChange);
    emit callParceDataFromComPort();
    SharedTimers::pollTimer()->start(PollTiming::kPollInterval);
}

void BLEDevice::checkNeighbouringAddresses()
{
    QVector<int> enabled;
    for (BLEAdwView *view : m_adwViews) {
        if (view->model()->isEnabled())
            enabled << view->model()->address();
    }
    if (!AdwRules::hasNeighbouringAddresses(enabled))
        return;
    m_link->setWatchdogEnabled(false);
    DynamicQDialog::show(parentWidget(), tr("Измените сетевой адрес одного из устройств"), false,
                         kMessageSize);
    m_link->setWatchdogEnabled(true);
    resetTimerDeviceConnected();
}

void BLEDevice::setNetNumForAdwertAfterSearch()
{
    for (int slot = 0; slot < kMaxRecords && slot < m_netNumDevice.size(); ++slot)
        m_adwViews[size_t(slot)]->model()->setAddress(quint8(m_netNumDevice.at(slot)));
    checkNeighbouringAddresses();
}

void BLEDevice::setNetNumDeviceAdwertFinal()
{
    int next = 0;
    const auto take = [this, &next](BLEAdwModel &model) {
        if (next < m_netNumDevice.size())
            model.setAddress(quint8(m_netNumDevice.at(next++)));
    };
    for (BLEAdwView *view : m_adwViews) {
        if (view->model()->isLinkedSensor())
            take(*view->model());
    }
    for (BLEAdwView *view : m_adwViews) {
        if (view->model()->isEnabled() && !view->model()->isLinkedSensor())
            take(*view->model());
    }
    checkNeighbouringAddresses();
}
