#include "bledevice.h"

#include "app/dynamicqdialog.h"
#include "calibration/engineermenuqdialog.h"
#include "calibration/widgettar.h"
#include "link/addresslist.h"
#include "link/devicelink.h"
#include "link/frame.h"
#include "link/localwait.h"
#include "link/protocol.h"
#include "link/sharedtimers.h"
#include "ui_configurator.h"
#include "widgets/switch.h"

#include <QDebug>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QSerialPort>
#include <QTableView>

namespace {
using namespace std::chrono_literals;
namespace Cmd = Protocol::Command;

constexpr auto kStatusHold = 5000ms;    // a command result stays in the upper line
constexpr auto kCountdownTick = 1000ms;
constexpr auto kAfterParameterWrite = 200ms;
constexpr auto kAfterAddressChange = 200ms;
constexpr auto kAfterIdentifier = 200ms;
constexpr int kThermoBit = 0x80; // filter byte: thermo-compensation switched off
constexpr int kSwitchSpacing = 182;
constexpr quint16 kLastFixedRangeVersion = 253; // later sensors take a typed level range
constexpr QPoint kCalibrationOrigin(10, 80); // the caption tile of the calibration page

const char kStatusStyle[] = "QLabel {font-size:16pt;color:white;}";
const char kBarStyle[] = "QProgressBar::chunk {background-color:%1;}"
                         "QProgressBar {border:  #1F2222;background-color: #1F2222;}";

const QSize kMessageSize(300, 170);

} // namespace

BLEDevice::BLEDevice(Ui::Configurator *form, QSerialPort *port, QWidget *parent)
    : QWidget(parent), ui(form), m_port(port), m_link(new DeviceLink(this))
{
    connect(m_link, &DeviceLink::watchdogExpired, this, &BLEDevice::resetDeviceIsConnected);
    m_statusHold.setSingleShot(true);
    connect(&m_statusHold, &QTimer::timeout, this, &BLEDevice::setEnableShowMainStatusMsgBLE);
    m_commandStatus.setSingleShot(true);
    connect(&m_commandStatus, &QTimer::timeout, this, &BLEDevice::setStatusCurCmdBLE);
    m_countdownTimer.setInterval(kCountdownTick);
    connect(&m_countdownTimer, &QTimer::timeout, this, &BLEDevice::updateTimerFwBLE);

    ui->comboBox_FiltrBLE->clear();
    ui->comboBox_FiltrBLE->addItem(tr("Нет"));
    for (int i = 1; i < BleReplies::kSmoothingSteps; ++i)
        ui->comboBox_FiltrBLE->addItem(QString::number(i));
    addSwitchToWidget();
    initStatusMessage();
    // The tiles and table of the calibration page; shown by the wireless
    // calibration. A third base on the line has a tile for its serial number.
    m_calibration = CalibrationSet::create(ui->Tarirovka, kCalibrationOrigin, this);
    m_calibration.view->setObjectName(QStringLiteral("tableViewTarBLE"));
    m_caption = m_calibration.caption;
    m_tiles = {m_calibration.tiles[0], m_calibration.tiles[1],
               new WidgetTar(ui->Tarirovka, false)};
    m_tiles[2]->move(m_tiles[1]->x() + 139, m_tiles[1]->y());
    m_tiles[2]->hide();
    buildAdvertisingTiles();
    ui->labelMsgUpdBLE->setWordWrap(true);
    for (QLabel *lock : {ui->label_LockBLE_BASE, ui->label_LockBLE_BLE})
        lock->hide();
    setVisibleReadings(false);
}

BLEDevice::~BLEDevice() = default;

quint8 BLEDevice::getStep() const
{
    return m_link->step();
}

void BLEDevice::setStep(quint8 step)
{
    m_link->setStep(step);
}

bool BLEDevice::isDeviceConnected() const
{
    return m_link->replySeen();
}

int BLEDevice::polledIndex() const
{
    return m_link->polledIndex();
}

quint8 BLEDevice::expectedAddress() const
{
    if (m_netNumDevice.isEmpty())
        return 0;
    const int index = m_link->polledIndex();
    return quint8(m_netNumDevice.at(index >= 0 && index < m_netNumDevice.size() ? index : 0));
}

// ---------------------------------------------------------------- decoding

quint8 BLEDevice::parseReply(int length, const quint8 *data, quint8 step)
{
    m_link->setStep(step);
    const QByteArray block = (data && length > 0)
        ? QByteArray(reinterpret_cast<const char *>(data), length)
        : QByteArray();
    quint8 next = step;
    switch (step) {
    case Protocol::Step::Search:
        next = takeSearchAnswer(block);
        break;
    case Cmd::ReadTable:
    case Cmd::ReadSettings:
    case Cmd::ReadIdentification:
        next = m_advertising ? advertisingReply(block, step) : linkedReply(block, step);
        break;
    case kStepSetPassword:
    case kStepEnterPassword:
    case kStepCheckPassword:
    case kStepDeletePassword:
        next = passwordReply(block, step);
        break;
    default:
        break;
    }
    m_link->setStep(next);
    return next;
}

quint8 BLEDevice::takeSearchAnswer(const QByteArray &block)
{
    const bool frame = block.size() >= Protocol::kMinReplyLength
                       && quint8(block.at(0)) == Protocol::kReplyPrefix
                       && Frame::hasValidCrc(block);
    if (frame) {
        // A locked base answers the broadcast with its lock.
        if (quint8(block.at(Protocol::kCommandOffset)) == Cmd::WrongPassword && m_baseReady) {
            m_link->watchdog()->stop();
            showBaseLock(true);
            m_baseAnswered = true;
            showLockedBaseMessage(
                tr("Изменение настроек устройства защищено паролем.\nВведите пароль"));
            m_baseLocked = true;
            resetTimerDeviceConnected();
        }
        return Protocol::Step::Search;
    }
    if (block.isEmpty()) {
        resetDeviceIsConnected();
        return m_link->step();
    }
    // A line holds at most four bases' worth of addresses (an advertising
    // base answers for four sensors); more would reach past the records.
    QByteArray found = AddressList::untilZero(block).bytes().left(kMaxRecords);
    if (found.isEmpty()) {
        resetDeviceIsConnected();
        return m_link->step();
    }
    if (block.size() > found.size())
        emit signalWriteLog(QStringLiteral("Search answer ignored after %1 addresses: %2")
                                .arg(found.size())
                                .arg(AddressList(block.mid(found.size())).joined()));
    m_netNumDevice = found;
    const AddressList list(found);
    m_link->setAddresses(list);
    m_address = list.first();
    m_link->setStep(Cmd::ReadIdentification);
    ui->lineEditNetNumBLE->setText(QString::number(m_address));
    ui->comboBox_NetNumBLE->clear();
    for (const char address : qAsConst(found))
        ui->comboBox_NetNumBLE->addItem(QString::number(quint8(address)));
    ui->label_ListDevBLE->setText(list.joined());
    m_secondFound = list.count() >= 2;
    m_thirdFound = list.count() >= 3;
    if (m_link->polledIndex() >= list.count())
        m_link->setPolledIndex(0);
    SharedTimers::parseTimer()->start(list.count() > 1 ? PollTiming::kParseIntervalSeveral
                                                       : PollTiming::kParseInterval);
    emit copyNetNumToParent(m_netNumDevice);
    SharedTimers::pollTimer()->start(PollTiming::kPollInterval);
    resetTimerDeviceConnected();
    if (m_advertising)
        setNetNumForAdwertAfterSearch();
    return Cmd::ReadIdentification;
}

quint8 BLEDevice::linkedReply(const QByteArray &reply, quint8 step)
{
    if (reply.size() < Protocol::kMinReplyLength || quint8(reply.at(0)) != Protocol::kReplyPrefix)
        return step;
    if (quint8(reply.at(Protocol::kAddressOffset)) != expectedAddress())
        return step;
    const bool crc = Frame::hasValidCrc(reply);
    quint8 next = step;
    switch (quint8(reply.at(Protocol::kCommandOffset))) {
    case Cmd::WriteSettings:
        if (crc) {
            if (const auto echo = BleReplies::decodeSettingsEcho(reply)) {
                m_modeShadow = echo->modeByte;
                m_filterShadow = echo->filterByte;
                m_settingsEcho = true;
            }
        }
        return step;
    case Cmd::ReadIdentification:
        if (!crc)
            return step;
        if (const auto id = BleReplies::decodeIdentification(reply)) {
            decodeIdentification(*id);
            next = Cmd::ReadSettings;
        }
        break;
    case Cmd::ReadSettings:
        if (!crc)
            return step;
        if (const auto data = BleReplies::decodeData(reply))
            return decodeData(reply, *data);
        break;
    case Cmd::WrongPassword:
        if (!crc)
            return step;
        if (m_sensorStateKnown && m_baseReady) {
            m_link->watchdog()->stop();
            showBaseLock(true);
            m_baseAnswered = true;
            showLockedBaseMessage(tr("Вы ввели неправильный пароль\nПовторите ввод"));
            m_baseLocked = true;
            qDebug() << "isBaseLockPass = true1";
        }
        break;
    case Cmd::EnterPassword:
        if (crc && m_baseReady) {
            m_baseAccepted = true;
            showBaseLock(false);
        }
        break;
    case Cmd::ReadTable:
        if (crc && m_baseReady) {
            decodeTable(reply);
            next = Cmd::ReadSettings; // the poll goes on with the readings
        }
        break;
    case Cmd::CalibrateHorizon:
        if (crc)
            DynamicQDialog::show(parentWidget(), tr("Установлен Горизонт"), false, kMessageSize);
        break;
    default:
        break;
    }
    m_link->setReplySeen(true);
    resetTimerDeviceConnected();
    return next;
}

void BLEDevice::decodeIdentification(const BleIdentification &id)
{
    m_link->setReplySeen(true);
    resetTimerDeviceConnected();
    const int index = qBound(0, m_link->polledIndex(), kMaxRecords - 1);
    Record &rec = m_records[size_t(index)];
    rec.serial = id.serialNumber;
    rec.baseFirmware = id.baseFirmware;
    const Record &shown = m_records[0];
    m_baseFirmware = shown.baseFirmware;
    if (m_logPending)
        m_pendingLog += QStringLiteral(", Serial number %1, Version Firmware %2")
                            .arg(shown.serial)
                            .arg(shown.baseFirmware);

    m_advertising = BleReplies::isAdvertisingVersion(id.baseFirmware);
    if (!m_advertising && m_tilesVisible) {
        m_tilesVisible = false;
        ui->tabWidgetAdw->hide();
    }
    if (!m_advertising) {
        if (index < kMaxLinked)
            m_tiles[size_t(index)]->setLabel1Text(tr("Датчик#") + QString::number(rec.serial));
        int nextIndex = 0;
        if (index == 0)
            nextIndex = (m_secondFound || m_thirdFound) ? 1 : 0;
        else if (index == 1)
            nextIndex = m_thirdFound ? 2 : 0;
        m_link->setPolledIndex(nextIndex);
        emit copyQueueSurveyDevice(nextIndex);
    }
    ui->label_SerNumValBLE->setText(QString::number(shown.serial));
    ui->label_SerNumVal->setText(QString::number(shown.serial));
    ui->label_FirmwareVal->setText(BleReplies::versionText(shown.baseFirmware));
}

quint8 BLEDevice::decodeData(const QByteArray &, const BleDataReply &data)
{
    m_sensorLinked = false;
    if (data.linkState) {
        const BleLinkState state = BleReplies::linkState(*data.linkState);
        if (state.answering) {
            m_sensorLinked = true;
            m_link->setReplySeen(true);
            resetTimerDeviceConnected();
        }
        if (state.baseReady)
            m_baseReady = true;
        // A base that works without its sensor keeps the update button as it was.
        if (*data.linkState != BleReplies::kLinkBaseReady)
            ui->pushBtnInUpdBase->setVisible(state.offerBaseUpdate);
    }
    if (!m_baseReady) {
        resetTimerDeviceConnected();
        return Cmd::ReadIdentification;
    }
    resetTimerDeviceConnected();
    // The index the reply belongs to: the identification before it moved
    // the turn on, so the data reply answers for the address polled now.
    const int index = qBound(0, m_link->polledIndex(), kMaxRecords - 1);
    Record &rec = m_records[size_t(index)];
    rec.temperature = data.temperature;
    rec.level = data.level;
    rec.raw = data.raw;
    rec.empty = data.empty;
    rec.full = data.full;
    rec.mode = data.modeByte;
    rec.filter = data.filterByte;
    rec.sensorFirmware = data.sensorFirmware;
    rec.rssi = data.rssi;
    rec.battery = data.battery;
    m_mac = data.mac;
    setUIID();

    qDebug() << "buf[36]=" << data.resultCode;
    showCommandResult(data);

    const Record &shown = m_records[0];
    ui->label_RSSI_VAL_BLE->setText(BleReplies::rssiText(shown.rssi));
    ui->label_FirmwareValBLE->setText(BleReplies::versionText(shown.sensorFirmware));
    ui->label_BAT_VAL_BLE->setText(BleReplies::batteryText(shown.battery));
    if (m_firstData) {
        ui->comboBox_FiltrBLE->clear();
        ui->comboBox_FiltrBLE->addItem(tr("Нет"));
        for (int i = 1; i < BleReplies::kSmoothingSteps; ++i)
            ui->comboBox_FiltrBLE->addItem(QString::number(i));
    }
    const QString temperature = QString::number(rec.temperature) + QStringLiteral("°C");
    ui->label_TempValBLE->setText(temperature);
    ui->label_TempVal_2->setText(temperature);
    ui->label_ValCurrentBLE->setText(m_dataValid ? QString::number(rec.raw) : QStringLiteral("0"));

    if (index < kMaxLinked) {
        const StabilityWindow::Verdict verdict = m_windows[size_t(index)].add(rec.raw);
        if (verdict != StabilityWindow::None)
            rec.stability = verdict;
        showStability(index);
    }

    ui->progressBarLevelBLE->setValue(qMin<int>(shown.level, ui->progressBarLevelBLE->maximum()));
    if (index < kMaxLinked)
        m_tiles[size_t(index)]->setLabel2Text(QString::number(rec.level));
    if (m_dataValid) {
        setCurLevel(rec.level, index);
        emit copyLevelValueToMain(rec.level, index);
        ui->label_UrovenBLE->setText(QString::number(shown.level));
    } else {
        ui->label_UrovenBLE->setText(QStringLiteral("0"));
    }
    ui->label_28BLE->setText(QString::number(shown.empty));
    ui->label_30BLE->setText(QString::number(shown.full));

    const bool calibrated = BleReplies::isCalibrated(rec.empty, rec.full);
    if (!calibrated && m_baseReady) {
        ui->label_NeedCalibBLE->show();
        ui->label_Alarm_9BLE->show();
        m_needCalibration = true;
    } else {
        ui->label_NeedCalibBLE->hide();
        ui->label_Alarm_9BLE->hide();
        m_needCalibration = false;
    }
    if (index < kMaxLinked)
        m_tiles[size_t(index)]->setLabel3Text(calibrated ? tr("Калиброван") : tr("Не калиброван"));

    if (m_firstData && m_baseReady)
        fillSettings(shown);

    // The probe sends and waits itself: it runs once this parse tick is over.
    if (m_autoStepPending && !m_autoStepScheduled) {
        m_autoStepScheduled = true;
        QTimer::singleShot(0, this, [this] {
            m_autoStepScheduled = false;
            automaticPasswordStep();
        });
    }

    if (m_logPending) {
        m_pendingLog += QStringLiteral(" ,Net num=%1 ,Empty=%2 ,Full=%3 ,Current=%4 ,Level=%5 "
                                       ",Temperature=%6")
                            .arg(m_address)
                            .arg(shown.empty)
                            .arg(shown.full)
                            .arg(shown.levelSent)
                            .arg(shown.level)
                            .arg(shown.temperature);
        emit signalWriteLog(m_pendingLog.trimmed());
        m_pendingLog.clear();
        if (m_baseFirmware != 0)
            m_logPending = false;
    }
    m_link->setReplySeen(true);
    resetTimerDeviceConnected();
    return Cmd::ReadIdentification;
}

void BLEDevice::fillSettings(const Record &shown)
{
    setVisibleReadings(true);
    const int smoothing = shown.filter & 0x7F;
    // Bit 7 is the thermo-compensation switch, not part of the smoothing.
    ui->comboBox_FiltrBLE->setCurrentIndex(smoothing < BleReplies::kSmoothingSteps ? smoothing : 0);
    m_smoothingIndex = ui->comboBox_FiltrBLE->currentIndex();
    m_modeShadow = shown.mode;
    m_filterShadow = shown.filter;
    if (shown.filter != m_previousFilter) {
        m_previousFilter = shown.filter;
        m_swTermo->setArmed(true);
        m_swTermo->setInitialState(shown.filter & kThermoBit);
    }
    m_resolutionHigh = shown.mode & 0x80;
    ui->lineEditMaxLevelBLE->setText(m_resolutionHigh ? QStringLiteral("4095")
                                                      : QStringLiteral("1023"));
    ui->progressBarLevelBLE->setMaximum(m_resolutionHigh ? 4096 : 1024);
    if (shown.mode == 0) {
        ui->label_UrovenBLE->show();
        ui->label_NameUrovenBLE->show();
        ui->label_UrovenBLE->raise();
        ui->label_NameUrovenBLE->raise();
    } else if (shown.mode == 4) {
        ui->label_UrovenBLE->hide();
        ui->label_NameUrovenBLE->hide();
    }
    ui->lineEditMinLevelBLE->setText(QStringLiteral("1"));
    SharedTimers::portScanTimer()->stop();
    if (m_port)
        ui->comboBox_SerialPort->setCurrentText(m_port->portName());
    m_firstData = false;
}

void BLEDevice::showCommandResult(const BleDataReply &data)
{
    const BleCommandResult result = BleReplies::commandResult(data.resultCode);
    switch (result.kind) {
    case BleCommandResult::Kind::Link:
        if (data.battery == 0) {
            showStatusMessageUp(tr("Связь с беспроводным датчиком не установлена"));
            showStatusMessage(tr("Подключите датчик"));
            emit signalWriteLog(QStringLiteral("Bluetooth device not connected"));
        } else if (m_mainStatusAllowed) {
            showStatusMessageUp(tr("Связь с беспроводным датчиком установлена"));
            showStatusMessage(tr("Подключен KV-BLE"));
        }
        m_dataValid = true;
        break;
    case BleCommandResult::Kind::Message:
        showStatusMessageUp(tr(result.status));
        emit signalWriteLog(QString::fromLatin1(result.log));
        qDebug() << result.status;
        holdCommandStatus();
        if (result.startsUpdateCountdown) {
            startCountdown();
            ui->labelMsgUpdBLE->setText(tr("Если по истечении таймера вы\nне увидели датчик в "
                                           "программе NRFConnect,\nто произошла ошибка в "
                                           "обновлении\nПовторите"));
            ui->labelMsgUpdBLE->show();
        }
        break;
    case BleCommandResult::Kind::Password:
        showSensorPasswordResult(data.resultCode);
        break;
    case BleCommandResult::Kind::None:
        break;
    }
}

void BLEDevice::holdCommandStatus()
{
    m_mainStatusAllowed = false;
    m_statusHold.start(kStatusHold);
}

void BLEDevice::showStability(int index)
{
    const StabilityWindow::Verdict verdict = m_records[size_t(index)].stability;
    if (verdict == StabilityWindow::None)
        return;
    const QString colour = verdict == StabilityWindow::Stable             ? QStringLiteral("#00A778")
                           : verdict == StabilityWindow::SlightlyUnstable ? QStringLiteral("#DDB306")
                                                                           : QStringLiteral("#E32323");
    const QString text = verdict == StabilityWindow::Stable ? tr("Стабилен") : tr("Не стабилен");
    if (index == 0) {
        const QString barStyle = QString::fromLatin1(kBarStyle).arg(colour);
        if (ui->progressBarLevelBLE->styleSheet() != barStyle)
            ui->progressBarLevelBLE->setStyleSheet(barStyle);
        ui->label_StableBLE->setText(text);
    }
    WidgetTar *tile = m_tiles[size_t(index)];
    tile->setLabel4Text(text);
    tile->setWindowColour(QColor(colour));
}

void BLEDevice::decodeTable(const QByteArray &reply)
{
    const auto values = BleReplies::decodeTable(reply);
    if (!values)
        return;
    for (int column = 0; column < 2; ++column) {
        for (int row = 0; row < BleReplies::kTableRows; ++row) {
            bool accepted = true;
            emit tableValueRead(values->at(column * BleReplies::kTableRows + row), row, column,
                                &accepted);
            if (!accepted) {
                DynamicQDialog::show(parentWidget(), tr("В таблице не может быть менее 20 строк"),
                                     false, kMessageSize);
                break;
            }
        }
    }
    SharedTimers::pollTimer()->start(PollTiming::kPollInterval);
}

quint8 BLEDevice::advertisingReply(const QByteArray &reply, quint8 step)
{
    if (m_firstAdvertisingReply) {
        m_firstAdvertisingReply = false;
        ui->pushButtonService->setEnabled(false);
        emit signalWriteLog(QStringLiteral("Connect adwertizing device. Connected %1 device(s)")
                                .arg(m_netNumDevice.size()));
        setVisibleReadings(false);
        setNetNumForAdwertAfterSearch();
        prepareAdvertisingTiles();
        emit advertisingSensorsFound();
    }
    if (step != Cmd::ReadSettings && step != Cmd::ReadIdentification)
        return step;
    resetTimerDeviceConnected();
    if (reply.size() < Protocol::kMinReplyLength || quint8(reply.at(0)) != Protocol::kReplyPrefix)
        return Cmd::ReadSettings;
    const bool crc = Frame::hasValidCrc(reply);
    const int index = qBound(0, m_link->polledIndex(), kMaxRecords - 1);
    switch (quint8(reply.at(Protocol::kCommandOffset))) {
    case Cmd::ManualFull: // in advertising mode: the master configuration was taken
        qDebug() << "changeSlaveStateSuccessfully=" << true;
        m_configAccepted = true;
        return Protocol::Step::Search;
    case Cmd::BleNameAccepted:
        m_nameAccepted = true;
        return Cmd::ReadSettings;
    case Cmd::ReadIdentification:
        if (crc) {
            if (const auto id = BleReplies::decodeIdentification(reply)) {
                m_link->setReplySeen(true);
                m_records[size_t(index)].serial = id->serialNumber;
                m_records[size_t(index)].baseFirmware = id->baseFirmware;
                m_baseFirmware = m_records[0].baseFirmware;
            }
        }
        return Cmd::ReadSettings;
    case Cmd::ReadSettings:
        if (crc && reply.size() >= BleReplies::kDataMinLength) {
            const int count = qMax(1, int(m_netNumDevice.size()));
            m_cycleCounter = (m_cycleCounter + 1) % count;
            SharedTimers::portScanTimer()->stop();
            if (m_port)
                ui->comboBox_SerialPort->setCurrentText(m_port->portName());
            resetTimerDeviceConnected();
            m_link->setReplySeen(true);
            if (const auto record = AdwRules::decode(reply)) {
                mappingDataToAdwertDevices(reply);
                refreshAdvertisingTiles(*record);
            }
            const int nextIndex = (index + 1) % count;
            m_link->setPolledIndex(nextIndex);
            emit copyQueueSurveyDevice(nextIndex);
        }
        return Cmd::ReadSettings;
    default:
        return Cmd::ReadSettings;
    }
}

// ---------------------------------------------------------------- connection

void BLEDevice::resetTimerDeviceConnected()
{
    m_link->restartWatchdog();
}

void BLEDevice::resetDeviceIsConnected()
{
    setVisibleReadings(false);
    ui->tabWidgetAdw->hide();
    // The tabs come back with the first record once the base answers again.
    m_firstAdvertisingReply = true;
    m_link->setReplySeen(false);
    showStatusMessageUp(QStringLiteral(" "));
    showStatusMessage(tr("Подключите датчик"));
    m_link->reset();
    m_secondFound = m_thirdFound = false;
    emit copyQueueSurveyDevice(0);
    viewIconChangedParam(false);
    m_firstData = true;
    ui->label_NeedCalibBLE->hide();
    ui->label_Alarm_9BLE->hide();
    qDebug() << "enabledTimerResetConnectedDevice=" << m_link->watchdogEnabled();
    emit signalWriteLog(QStringLiteral("Device is not responding"));
}

void BLEDevice::resetSettingToDefault()
{
    m_address = 0;
    m_netNumDevice.clear();
    m_secondFound = m_thirdFound = false;
    m_cycleCounter = 0;
    m_records.fill(Record());
    for (StabilityWindow &window : m_windows)
        window.clear();
    m_baseFirmware = 0;
    m_mac.fill(0);
    m_advertising = m_baseReady = m_sensorLinked = false;
    m_firstData = m_logPending = m_mainStatusAllowed = true;
    m_pendingLog.clear();
    m_dataValid = m_needCalibration = m_resolutionHigh = false;
    m_firstAdvertisingReply = m_tilesVisible = true;
    resetAdvertising();
    m_settingsEcho = m_parametersChanged = false;
    m_smoothingIndex = 0;
    m_modeShadow = m_filterShadow = 0;
    m_previousFilter = -1;
    m_swTermo->setArmed(true);
    m_swTermo->setInitialState(false);

    m_basePassword = m_sensorPassword = 0;
    m_baseLocked = m_baseAccepted = m_baseAnswered = m_passwordSent = false;
    m_autoStepPending = true;
    m_sensorStateKnown = m_sensorLocked = m_sensorPasswordOk = m_sensorLockShown = false;
    m_sensorProbeSent = false;
    m_inputPending = m_deletePending = m_newPending = false;
    m_identifierText.clear();
    m_statusHold.stop();
    m_commandStatus.stop();
    m_countdownTimer.stop();
    m_countdown = kUpdateCountdownSeconds;
    ui->labelTimerUpdFwBLE->hide();

    m_link->reset();
    m_link->setAddresses(AddressList());
    m_link->setWatchdogEnabled(true);
    m_link->watchdog()->stop();
    setVisibleReadings(false);
    ui->tabWidgetAdw->hide();
    for (QLabel *lock : {ui->label_LockBLE_BASE, ui->label_LockBLE_BLE})
        lock->hide();
    viewIconChangedParam(false);
    ui->pushButtonService->setEnabled(true);
    ui->ButtonTarirovka->setEnabled(true);
    emit copyNetNumToParent(QByteArray());
    emit copyQueueSurveyDevice(m_link->polledIndex());
}

void BLEDevice::setVisibleReadings(bool visible)
{
    for (QWidget *w : std::initializer_list<QWidget *>{
             ui->label_PicBLE, ui->label_NameBLE, ui->label_SerNumNameBLE, ui->label_SerNumValBLE,
             ui->label_FirmwareNameBLE, ui->label_FirmwareValBLE, ui->label_MAC_BLE,
             ui->label_MAC_BLE_VAL, ui->label_TempNameBLE, ui->label_TempValBLE,
             ui->label_RSSIPicBLE, ui->label_RSSI_VAL_BLE, ui->label_BatPicBLE,
             ui->label_BAT_VAL_BLE, ui->label_NameUrovenBLE, ui->label_UrovenBLE,
             ui->label_StableBLE, ui->progressBarLevelBLE, ui->label_NetNumBLE,
             ui->lineEditNetNumBLE, ui->label_FiltrBLE, ui->comboBox_FiltrBLE,
             ui->label_MaxLevelBLE, ui->lineEditMaxLevelBLE, ui->label_MinLevelBLE,
             ui->lineEditMinLevelBLE, ui->label_ReqNetNumBLE, ui->comboBox_NetNumBLE,
             ui->label_NameListDevBLE, ui->label_ListDevBLE, ui->label_28BLE, ui->label_30BLE,
             ui->Button_SetEmptyBLE, ui->Button_SetFullBLE, ui->ButtonWriteParamBLE})
        w->setVisible(visible);
    if (!visible)
        ui->label_CopyMacBLE->hide();
}

// ---------------------------------------------------------------- status lines

void BLEDevice::initStatusMessage()
{
    QFont font(QStringLiteral("FTN35"), 16);
    const int id = QFontDatabase::addApplicationFont(QStringLiteral(":/font/FTN35.OTF"));
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    if (!families.isEmpty())
        font = QFont(families.first(), 16);
    // The page's lines stand where the main window's do and take their
    // place while the page is connected.
    m_statusUp = new QLabel(ui->BLE_KV510);
    m_statusUp->setObjectName(QStringLiteral("labelStatusUpBLE"));
    m_statusUp->setGeometry(5, 533, 790, 31);
    m_status = new QLabel(tr("Подключите датчик"), ui->BLE_KV510);
    m_status->setObjectName(QStringLiteral("labelStatusBLE"));
    m_status->setGeometry(5, 566, 790, 31);
    for (QLabel *label : {m_status, m_statusUp}) {
        label->installEventFilter(ui->BLE_KV510);
        label->setFont(font);
        label->setStyleSheet(QLatin1String(kStatusStyle));
        label->hide();
    }
}

void BLEDevice::showStatusMessageUp(const QString &message)
{
    if (m_statusUp)
        m_statusUp->setText(message);
}

void BLEDevice::showStatusMessage(const QString &message)
{
    if (m_status)
        m_status->setText(message);
}

void BLEDevice::setVisibleStatusLabels(bool visible)
{
    if (m_status)
        m_status->setVisible(visible);
    if (m_statusUp)
        m_statusUp->setVisible(visible);
    emit statusLabelsVisible(visible);
}

void BLEDevice::setStatusCurCmdBLE()
{
    m_mainStatusAllowed = true;
}

void BLEDevice::setEnableShowMainStatusMsgBLE()
{
    m_commandStatus.stop();
    m_mainStatusAllowed = true;
}

void BLEDevice::viewIconChangedParam(bool isNeed)
{
    for (QLabel *mark : {ui->label_Alarm_10BLE, ui->label_Alarm_11BLE, ui->label_Alarm_12BLE})
        mark->setVisible(isNeed);
}

void BLEDevice::hideBirds()
{
    viewIconChangedParam(false);
}

void BLEDevice::setUIID()
{
    ui->label_MAC_BLE_VAL->setText(BleReplies::macText(m_mac));
}

void BLEDevice::setCurLevel(int current, int device)
{
    if (device >= 0 && device < kMaxRecords)
        m_records[size_t(device)].levelSent = quint16(current);
}

// ---------------------------------------------------------------- helpers kept from the protocol

bool BLEDevice::compareTwoMass(const char *mass1, const char *mass2, int dimens)
{
    for (int i = 0; i < dimens; ++i) {
        qDebug() << "mass1=" << int(quint8(mass1[i])) << "mass2=" << int(quint8(mass2[i]));
        if (mass1[i] != mass2[i]) {
            qDebug() << "Wrong mass1=" << int(quint8(mass1[i]))
                     << "Wrong mass2=" << int(quint8(mass2[i]));
            return false;
        }
    }
    qDebug() << "Compare successfully";
    return true;
}

int BLEDevice::CompareNetNum(int netnum) const
{
    const int size = int(m_netNumDevice.size());
    if (size == 1) {
        qDebug() << "netNumDevice.at(FIRST_DEVICE)";
        return quint8(m_netNumDevice.at(FIRST_DEVICE)) == netnum ? FIRST_DEVICE : 99;
    }
    if (size == 2) {
        qDebug() << "netNumDevice.at(SECOND_DEVICE)";
        return quint8(m_netNumDevice.at(SECOND_DEVICE)) == netnum ? SECOND_DEVICE : 99;
    }
    if (size == 3) {
        qDebug() << "netNumDevice.at(THIRD_DEVICE)";
        return quint8(m_netNumDevice.at(THIRD_DEVICE)) == netnum ? THIRD_DEVICE : 99;
    }
    return 99;
}

// ---------------------------------------------------------------- thermo-compensation

void BLEDevice::addSwitchToWidget()
{
    m_swTermo = new Switch(ui->groupBox_DelTermoBLE);
    m_swTermo->setObjectName(QStringLiteral("switchTermoBLE"));
    m_swTermo->setCheckable(true);
    m_swTermo->setArmed(true);
    m_swTermo->setFixedSize(m_swTermo->sizeHint());
    auto *layout = new QHBoxLayout(ui->groupBox_DelTermoBLE);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(kSwitchSpacing);
    layout->addWidget(ui->label_DelTermoCompBLE, 0, Qt::AlignCenter);
    layout->addWidget(m_swTermo, 0, Qt::AlignCenter);
    m_swTermo->show();
    connect(m_swTermo, &Switch::toggled, this, &BLEDevice::disableTermo);
}

void BLEDevice::disableTermo(bool off)
{
    if (!m_baseReady)
        return;
    // The switch sends the whole settings block as last read, so the
    // smoothing and the output mode stay as they are.
    const quint8 filter = quint8((m_filterShadow & ~kThermoBit) | (off ? kThermoBit : 0));
    QByteArray settings;
    settings.append(char(m_modeShadow));
    settings.append(char(filter));
    emit writeData(Frame::writeRequest(m_address, Cmd::WriteSettings, settings));
    m_filterShadow = filter;
    emit signalWriteLog(QStringLiteral("Switch thermocompensation BLE"));
}

// ---------------------------------------------------------------- parameters

bool BLEDevice::writeParameters(quint8 address)
{
    SharedTimers::pollTimer()->stop();
    // The smoothing index sits in bits 0..6; bit 7 is the thermo-compensation
    // switch and the mode byte keeps the resolution the sensor reported.
    const quint8 filter = quint8((m_filterShadow & kThermoBit) | (m_smoothingIndex & 0x7F));
    const quint8 mode = m_modeShadow;
    QByteArray settings;
    settings.append(char(mode));
    settings.append(char(filter));
    m_settingsEcho = false;
    m_link->setStep(Cmd::ReadSettings);
    emit writeData(Frame::writeRequest(address, Cmd::WriteSettings, settings));
    waitForBase(kAfterParameterWrite);
    emit callParceDataFromComPort();
    // The base relays the write; its echo tells what the sensor now holds.
    for (auto waited = kAfterParameterWrite; !m_settingsEcho && waited < 2000ms;
         waited += kAfterParameterWrite) {
        waitForBase(kAfterParameterWrite);
        emit callParceDataFromComPort();
    }
    const bool written = m_settingsEcho && m_modeShadow == mode && m_filterShadow == filter;
    SharedTimers::pollTimer()->start(PollTiming::kPollInterval);
    if (written) {
        m_parametersChanged = false;
        emit signalWriteLog(QStringLiteral("Write param to device succesfull"));
    } else {
        emit signalWriteLog(QStringLiteral("Error write param to device"));
        DynamicQDialog::show(parentWidget(), tr("Некоторые параметры не были записаны\nПовторите"));
    }
    return written;
}

void BLEDevice::smoothingChosen(int index)
{
    m_smoothingIndex = index;
    ui->label_Alarm_12BLE->setPixmap(QPixmap(QStringLiteral(":/images/bird.png"))
                                         .scaled(ui->label_Alarm_12BLE->size(), Qt::KeepAspectRatio,
                                                 Qt::SmoothTransformation));
    ui->label_Alarm_12BLE->show();
    m_parametersChanged = true;
}

void BLEDevice::levelRangeEdited(bool maximum)
{
    // Sensors from firmware 254 on keep the range the engineer types.
    if (sensorVersion() > kLastFixedRangeVersion)
        return;
    const QString question = maximum ? tr("Версия датчика не поддерживает данную функцию\n"
                                          "Хотите установить максимальное значение?")
                                     : tr("Версия датчика не поддерживает данную функцию\n"
                                          "Хотите установить минимальное значение?");
    if (DynamicQDialog::show(parentWidget(), question, true, kMessageSize) == 1) {
        m_parametersChanged = true;
        QLabel *mark = maximum ? ui->label_Alarm_11BLE : ui->label_Alarm_10BLE;
        mark->setPixmap(QPixmap(QStringLiteral(":/images/bird.png"))
                            .scaled(mark->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
        mark->show();
    }
    if (maximum)
        ui->lineEditMaxLevelBLE->setText(m_resolutionHigh ? QStringLiteral("4095")
                                                          : QStringLiteral("1023"));
    else
        ui->lineEditMinLevelBLE->setText(QStringLiteral("1"));
}

QByteArray BLEDevice::request(quint8 command, const QByteArray &payload) const
{
    return Frame::writeRequest(m_address, command, payload);
}

void BLEDevice::sendAndWait(quint8 command, const QByteArray &payload,
                            std::chrono::milliseconds wait)
{
    emit writeData(request(command, payload));
    waitForBase(wait);
    emit callParceDataFromComPort();
}

// ---------------------------------------------------------------- base settings

void BLEDevice::changeNetNumBase(quint8 selectedAddress)
{
    bool ok = false;
    const int newAddress = ui->lineEdit_NetNumBaseBLE->text().trimmed().toInt(&ok);
    // 0 ends the address list and 255 is the search broadcast: a base there
    // could never be reached again.
    if (!ok || newAddress < 1 || newAddress > 254) {
        DynamicQDialog::show(parentWidget(), tr("Сетевой адрес должен быть числом\nот 1 до 254"));
        return;
    }
    SharedTimers::pollTimer()->stop();
    emit writeData(Frame::writeRequest(selectedAddress, Cmd::SetAddress,
                                       QByteArray(1, char(newAddress))));
    emit baseAddressChanged(quint8(newAddress));
    m_link->setStep(Protocol::Step::Search);
    waitForBase(kAfterAddressChange);
    emit callParceDataFromComPort();
    SharedTimers::pollTimer()->start(PollTiming::kPollInterval);
    emit signalWriteLog(QStringLiteral("Change net num base BLE"));
}

void BLEDevice::changeUiidBle()
{
    const QString text = m_identifierDialog ? m_identifierDialog->getStringEmptyValue()
                                            : m_identifierText;
    const auto payload = BleReplies::identifierPayload(text);
    if (!payload) {
        DynamicQDialog::show(parentWidget(),
                             tr("Установите корректное значение \"UIID\""), false, kMessageSize);
        return;
    }
    qDebug() << "UIID=" << payload->toHex(' ');
    sendAndWait(Cmd::SetBaseIdentifier, *payload, kAfterIdentifier);
    emit signalWriteLog(QStringLiteral("Change base UUID"));
    if (m_identifierDialog)
        m_identifierDialog->accept();
}

void BLEDevice::changeUiidBleForBaseReboot()
{
    QByteArray mac;
    for (const quint8 byte : m_mac)
        mac.append(char(byte));
    sendAndWait(Cmd::SetBaseIdentifier, mac, kAfterIdentifier);
    startCountdown();
    ui->labelMsgUpdBLE->setText(
        tr("Сейчас в мобильном приложении NRFConnect должно отобразиться устройство "
           "KV_BASE_UPD\nПодключитесь к нему, нажмите кнопку DFU и выберите архив с "
           "прошивкой\nДождитесь, когда шкала прогресса достигнет 100% и осуществите "
           "повторное подключение"));
    ui->labelMsgUpdBLE->show();
    emit signalWriteLog(QStringLiteral("Update firmware base BLE"));
}

void BLEDevice::startSensorUpdate(quint8 selectedAddress)
{
    if (m_sensorPassword != 0)
        sendPass(m_sensorPassword, Cmd::EnterPasswordBle, Cmd::EnterPasswordBle);
    emit writeData(Frame::writeRequest(selectedAddress, Cmd::RestartBleForUpdate));
    ui->labelMsgUpdBLE->setText(tr("Сейчас датчик будет перезагружен\nПосле успешной "
                                   "перезагрузки у вас есть примерно\n30 секунд на запуск "
                                   "процесса обновления\nпрошивки в программе NRFConnect."));
    ui->labelMsgUpdBLE->show();
    emit signalWriteLog(QStringLiteral("Start update firmware BLE"));
}

void BLEDevice::startCountdown()
{
    m_countdown = kUpdateCountdownSeconds;
    m_countdownTimer.start();
    ui->labelTimerUpdFwBLE->setText(QString::number(m_countdown));
    ui->labelTimerUpdFwBLE->show();
}

void BLEDevice::updateTimerFwBLE()
{
    if (m_countdown > 0) {
        ui->labelTimerUpdFwBLE->setText(QString::number(m_countdown));
        --m_countdown;
        return;
    }
    m_countdownTimer.stop();
    ui->labelTimerUpdFwBLE->hide();
    ui->labelMsgUpdBLE->hide();
}
