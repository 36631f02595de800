#include "flsdevice.h"

#include "flsparameters.h"
#include "security.h"

#include "app/dynamicqdialog.h"
#include "calibration/widgettar.h"
#include "link/devicelink.h"
#include "link/frame.h"
#include "link/localwait.h"
#include "link/protocol.h"
#include "link/replyassembler.h"
#include "link/sharedtimers.h"
#include "ui_configurator.h"
#include "widgets/switch.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QSerialPort>
#include <QStandardItemModel>
#include <QTableView>
#include <QTimer>

#include <chrono>

namespace {
using namespace std::chrono_literals;
using Protocol::Command::EnterPassword;
using Protocol::Command::SetPassword;
using Protocol::Command::WrongPassword;

constexpr auto kSwitchWait = 50ms;       // after a function switch frame
constexpr auto kPasswordWait = 100ms;    // after entering or setting a password
constexpr auto kPasswordStepWait = 200ms; // check and deletion steps
constexpr auto kStatusClearDelay = 3000ms;
constexpr int kFrequencyOffset = 300;    // Hz: frequency output = level + 300
constexpr double kAnalogFullScale = 9.12; // V

const char kStatusStyle[] = "QLabel {font-size:16pt;color:white;}";
const char kBarStyle[] = "QProgressBar::chunk {background-color:%1;}"
                         "QProgressBar {border:  #1F2222;background-color: #1F2222;}";
const char kGreyCaption[] = "QLabel {color:#7A7575;font-size:16pt;}";
const char kWhiteCaption[] = "QLabel {color:white;font-size:16pt;}";

bool s_literPercent = false; // the calibration table shows percent
} // namespace

FLSDevice::FLSDevice(Ui::Configurator *form, QSerialPort *port, QWidget *parent)
    : QWidget(parent), ui(form), m_port(port), m_link(new DeviceLink(this))
{
    connect(m_link, &DeviceLink::watchdogExpired, this, &FLSDevice::resetDeviceIsConnected);
    ui->comboBox_FiltrDUT->clear();
    ui->comboBox_FiltrDUT->addItems(FlsParameters::kvFiltrationTexts());
    addSwitchToWidget();
    // The calibration table of this sensor and the tiles above its columns.
    m_caption = new WidgetTar(ui->Tarirovka, true);
    m_caption->move(10, 80);
    for (int i = 0; i < kMaxSensors; ++i) {
        m_tiles[size_t(i)] = new WidgetTar(ui->Tarirovka, false);
        m_tiles[size_t(i)]->move(139 + 139 * i, 80);
    }
    m_tableView = new QTableView(ui->Tarirovka);
    m_tableView->setObjectName(QStringLiteral("tableViewTar"));
    m_tableModel = new QStandardItemModel(this);
    m_tableView->hide();
    m_caption->hide();
    setVisibleReadings(false);
    setupFirmwareUpdate();
}

// ---------------------------------------------------------------- accessors

quint8 FLSDevice::getStep() const
{
    return m_link->step();
}

void FLSDevice::setStep(quint8 step)
{
    m_link->setStep(step);
}

bool FLSDevice::isDeviceConnected() const
{
    return m_link->replySeen();
}

void FLSDevice::setDeviceConnected(bool connected)
{
    m_link->setReplySeen(connected);
}

int FLSDevice::polledIndex() const
{
    return m_link->polledIndex();
}

void FLSDevice::setResolution(bool twelveBit)
{
    m_twelveBit = twelveBit;
    m_tenBit = !twelveBit;
}

// ---------------------------------------------------------------- decoding

quint8 FLSDevice::parseReply(int length, const quint8 *data, quint8 step)
{
    m_link->setStep(step);
    const QByteArray block = (data && length > 0)
        ? QByteArray(reinterpret_cast<const char *>(data), length)
        : QByteArray();

    if (step == Protocol::Step::Search)
        return takeSearchAnswer(block);
    // A poll reply and the answer to a command can meet in one parse tick;
    // each is decoded on its own.
    const QList<QByteArray> frames = ReplyAssembler::cut(block, FlsReplies::replyLengths());
    if (frames.isEmpty()) // a damaged reply: no fields to read, but a sign of life
        return block.isEmpty() ? step : parseFrame(block, step);
    quint8 next = step;
    for (const QByteArray &frame : frames)
        next = parseFrame(frame, next);
    return next;
}

quint8 FLSDevice::parseFrame(const QByteArray &block, quint8 step)
{
    m_link->setStep(step);
    if (step == kStepSetPassword || step == kStepEnterPassword || step == kStepCheckPassword
        || step == kStepDeletePassword)
        return passwordReply(block, step);
    if (step != Protocol::Command::ReadSettings && step != Protocol::Command::ReadTable
        && step != Protocol::Command::ReadIdentification)
        return step;
    if (block.isEmpty() || quint8(block.at(0)) != Protocol::kReplyPrefix)
        return step;

    const int index = m_link->polledIndex();
    if (index >= 0 && index < kMaxSensors
        && Frame::check(block, m_link->polledAddress()) == Frame::Verdict::Accepted) {
        switch (quint8(block.at(Protocol::kCommandOffset))) {
        case Protocol::Command::ReadSettings:
            decodeSettings(block, index);
            break;
        case Protocol::Command::ReadIdentification:
            decodeIdentification(block, index);
            break;
        case WrongPassword:
            showLock(true);
            DynamicQDialog::show(parentWidget(), tr("Вы ввели неправильный пароль\nПовторите ввод"),
                                 false, QSize(350, 170));
            break;
        case EnterPassword:
            m_passwordSet = true;
            showLock(false);
            break;
        case Protocol::Command::CalibrateHorizon:
            emit horizonCalibrated();
            DynamicQDialog::show(parentWidget(), tr("Установлен Горизонт"));
            break;
        case Protocol::Command::ReadTable:
            decodeTable(block);
            break;
        default:
            break;
        }
    }
    // Any reply, even another sensor's or a damaged one, shows the line lives.
    m_link->setReplySeen(true);
    resetTimerDeviceConnected();
    return m_link->step();
}

quint8 FLSDevice::takeSearchAnswer(const QByteArray &block)
{
    if (block.isEmpty()) {
        resetDeviceIsConnected();
        return Protocol::Step::Search;
    }
    // A late reply to a command (the echo of an address change, say) is a
    // whole frame, not a list of addresses; it may come alone or just before
    // the answer in the same tick.
    QByteArray answer = block;
    while (const int length = leadingReplyLength(answer))
        answer.remove(0, length);
    if (answer.isEmpty())
        return Protocol::Step::Search;
    // The line holds at most three sensors; an answer naming more (noise,
    // or a fourth sensor) must not reach past the three records.
    QByteArray found = answer.left(kMaxSensors);
    if (answer.size() > kMaxSensors)
        emit signalWriteLog(QStringLiteral("More than %1 sensors answered, ignored: %2")
                                .arg(kMaxSensors)
                                .arg(AddressList(answer.mid(kMaxSensors)).joined()));
    // After a write the page goes on with the sensor it wrote, wherever
    // that sensor now stands in the answer.
    if (m_followAddress) {
        const int at = found.indexOf(char(*m_followAddress));
        if (at > 0) {
            found.remove(at, 1);
            found.prepend(char(*m_followAddress));
        }
        m_followAddress.reset();
    }
    const AddressList list(found);
    m_link->setAddresses(list);
    m_netnum = list.first();
    ui->lineEditNetNumDUT->setText(QString::number(m_netnum));
    ui->comboBox_NetNumDUT->clear();
    for (const char address : found)
        ui->comboBox_NetNumDUT->addItem(QString::number(quint8(address)));
    ui->label_ListDevDUT->setText(list.joined());
    SharedTimers::parseTimer()->start(list.count() > 1 ? PollTiming::kParseIntervalSeveral
                                                       : PollTiming::kParseInterval);
    emit copyNetNumToParent(found);
    emit copyQueueSurveyDevice(0);
    m_link->setStep(Protocol::Step::ReadSettings);
    return Protocol::Step::ReadSettings;
}

int FLSDevice::leadingReplyLength(const QByteArray &bytes)
{
    if (bytes.size() < Protocol::kMinReplyLength || quint8(bytes.at(0)) != Protocol::kReplyPrefix)
        return 0;
    const auto &lengths = FlsReplies::replyLengths().of(quint8(bytes.at(Protocol::kCommandOffset)));
    for (auto it = lengths.rbegin(); it != lengths.rend(); ++it) {
        if (*it <= bytes.size() && Frame::hasValidCrc(bytes.left(*it)))
            return *it;
    }
    return 0;
}

void FLSDevice::decodeSettings(const QByteArray &reply, int index)
{
    const auto decoded = FlsReplies::decodeSettings(reply);
    if (!decoded)
        return; // too short to hold its fields
    const FlsSettingsReply &r = *decoded;
    Record &rec = m_records[size_t(index)];
    Record &first = m_records[0];
    WidgetTar *tile = m_tiles[size_t(index)];

    // The page shows the first sensor of the line: its model and its form.
    // Several sensors of different models may share the line.
    rec.model = r.model;
    const bool firstSensor = index == 0;
    if (firstSensor)
        m_model = r.model;
    m_link->setStep(Protocol::Step::ReadIdentification);
    rec.temperature = r.temperature;

    QString log;
    if (m_firstReadLog && r.model != FlsModel::None)
        log += QStringLiteral("Device %1 is connected ").arg(FlsReplies::modelName(r.model));

    if (m_formRefresh && firstSensor) {
        ui->lineEdit_Lamp->setText(m_model == FlsModel::KV510 ? QString::number(r.lampThreshold)
                                                              : QStringLiteral("0"));
        ui->lineEditNetNumDUT->setText(QString::number(m_netnum));
        ui->comboBox_ModeDUT->clear();
        ui->comboBox_ModeDUT->addItems(FlsParameters::modeTexts(m_model));
        if (m_model == FlsModel::Generic) {
            ui->comboBox_FiltrDUT->clear();
            ui->comboBox_FiltrDUT->addItems(FlsParameters::genericFiltrationTexts());
        }
    }

    const QString temperature = QString::number(first.temperature) + QStringLiteral("°C");
    ui->label_TempValDUT->setText(temperature);
    ui->label_TempVal_2->setText(temperature);

    rec.cnt = r.cnt;
    ui->label_ValCurrent->setText(QString::number(first.cnt));
    rec.stability.add(r.cnt);
    showStability(index);

    rec.level = r.level;
    ui->label_UrovenDUT->setText(QString::number(first.level));
    ui->progressBarLevelDUT->setValue(first.level);
    tile->setLabel2Text(tr("Уровень ") + QString::number(rec.level));
    emit copyLevelValueToMain(rec.level, index);

    rec.empty = r.emptyCount;
    rec.full = r.fullCount;
    ui->label_17DUT->setText(QString::number(first.empty));
    ui->label_18DUT->setText(QString::number(first.full));

    const bool calibrated = FlsReplies::isCalibrated(rec.empty, rec.full);
    // The page and its warning show the first sensor; each tile its own.
    if (firstSensor) {
        m_notCalibrated = !calibrated;
        for (QWidget *w : {static_cast<QWidget *>(ui->label_NeedCalibDUT),
                           static_cast<QWidget *>(ui->label_AlarmDUT)}) {
            w->setEnabled(!calibrated);
            w->setVisible(!calibrated);
        }
    }
    tile->setLabel3Text(calibrated ? tr("Калиброван") : tr("Не калиброван"));

    rec.mode = r.modeByte;
    rec.settings = r.settingsByte;
    rec.kv260Output = r.kv260Output;
    const quint8 code = first.mode & 0x7F;
    if (code == FlsParameters::kModeFrequency) {
        ui->label_FreqValDUT->setText(QString::number(first.level + kFrequencyOffset));
    } else if (code == FlsParameters::kModeAnalog && m_model == FlsModel::KV610) {
        m_voltage = float(first.level * kAnalogFullScale / (m_twelveBit ? 4096.0 : 1024.0));
        ui->label_NaprValDUT->setText(QString::number(double(m_voltage), 'f', 2));
    }

    if (firstSensor)
        refreshSwitchCopies();

    if (m_model == FlsModel::KV260) {
        m_voltage = float(first.level * kAnalogFullScale / 4096.0);
        ui->label_NaprValKV260DUT->setText(QString::number(double(m_voltage), 'f', 2));
        ui->label_NaprNameKV260DUT->show();
        ui->label_NaprValKV260DUT->show();
    } else {
        ui->label_NaprNameKV260DUT->hide();
        ui->label_NaprValKV260DUT->hide();
    }

    if (m_formRefresh && firstSensor)
        fillForm(r, log);

    if (m_firstReadLog) {
        log += QStringList{QString::number(m_netnum), QString::number(first.empty),
                           QString::number(first.full), QString::number(first.level),
                           QString::number(first.cnt), QString::number(first.temperature)}
                   .join(QStringLiteral(" ,"));
        emit signalWriteLog(log);
        if (m_firmware != 0)
            m_firstReadLog = false;
    }
}

void FLSDevice::fillForm(const FlsSettingsReply &, QString &log)
{
    const Record &first = m_records[0];
    if (m_model != FlsModel::None) {
        setVisibleReadings(true);
        setVisibleStatusLabels(true);
    }

    const quint8 filtration = first.settings & 0x0F;
    if (ui->comboBox_FiltrDUT->count() == 16)
        ui->comboBox_FiltrDUT->setCurrentIndex(filtration);
    else
        ui->comboBox_FiltrDUT->setCurrentIndex(FlsParameters::filtrationIndex(m_model, filtration));

    if (m_firstReadLog) {
        log += QStringLiteral(" mode=%1; filtration=%2;")
                   .arg(ui->comboBox_ModeDUT->currentIndex())
                   .arg(ui->comboBox_FiltrDUT->currentIndex());
    }

    m_current.mode = first.mode;
    m_current.dopmode = first.settings;
    m_current.filtr = first.settings;
    m_current.netnum = m_link->addresses().at(0);

    const bool twelveBit = first.mode & FlsParameters::kTwelveBit;
    setResolution(twelveBit);
    ui->lineEditMaxLevelDUT->setText(twelveBit ? QStringLiteral("4095") : QStringLiteral("1023"));
    ui->progressBarLevelDUT->setMaximum(twelveBit ? 4096 : 1024);
    log += twelveBit ? QStringLiteral("max level=4095;") : QStringLiteral("max level=1023;");

    applyModeDisplay(first.mode & 0x7F);

    ui->lineEditMinLevelDUT->setText(QStringLiteral("1"));
    log += QStringLiteral("min level 1\r\n");

    SharedTimers::portScanTimer()->stop();
    if (m_port && m_port->isOpen()) {
        const QString name = m_port->portName();
        for (int i = 0; i < ui->comboBox_SerialPort->count(); ++i) {
            const QString item = ui->comboBox_SerialPort->itemText(i);
            if (item == name || item.endsWith(QLatin1Char('/') + name))
                ui->comboBox_SerialPort->setCurrentIndex(i);
        }
    }

    m_snapshot = m_current;
    m_formRefresh = false;

    if (m_netnum == m_link->addresses().at(0)) {
        switch (m_model) {
        case FlsModel::Generic: showStatusMessage(tr("Датчик подключен")); break;
        case FlsModel::KV210: showStatusMessage(tr("Подключен KV210")); break;
        case FlsModel::KV260: showStatusMessage(tr("Подключен KV260")); break;
        case FlsModel::KV510: showStatusMessage(tr("Подключен KV510")); break;
        case FlsModel::KV610: showStatusMessage(tr("Подключен KV610")); break;
        case FlsModel::None: break;
        }
    }
}

void FLSDevice::refreshSwitchCopies()
{
    // The switches send whole bytes, so their copies must be what sensor 0
    // last reported, whatever its model: a stale mode byte would reset the
    // output mode. A switch is redrawn only when its byte moved.
    const Record &first = m_records[0];
    if (first.model == FlsModel::None)
        return;
    auto show = [](Switch *sw, bool on) {
        sw->setArmed(true);
        sw->setInitialState(on);
    };
    if (first.mode != m_modeCopy) {
        m_modeCopy = first.mode;
        if (m_model == FlsModel::KV510)
            show(m_swInvers, first.mode & 0x01);
    }
    if (first.settings != m_settingsCopy) {
        m_settingsCopy = first.settings;
        if (m_model == FlsModel::KV610) {
            show(m_swAngle, first.settings & 0x10);
            show(m_swEco, first.settings & 0x20);
            show(m_swMaster, first.settings & 0x08);
        } else {
            show(m_swTermo, first.settings & 0x80);
        }
    }
    if (m_model == FlsModel::KV260 && first.kv260Output != m_kv260Copy) {
        m_kv260Copy = first.kv260Output;
        show(m_swSerial, m_kv260Copy & 0x10);
    }
}

void FLSDevice::redrawSwitchesOff()
{
    for (Switch *sw : {m_swInvers, m_swAngle, m_swMaster, m_swTermo, m_swEco, m_swSerial}) {
        sw->setArmed(true);
        sw->setInitialState(false);
    }
}

void FLSDevice::applyModeDisplay(quint8 code)
{
    const QString text = FlsParameters::modeText(code);
    if (text.isEmpty())
        return; // an unknown code changes nothing
    ui->comboBox_ModeDUT->setCurrentText(text);
    const bool frequency = code == FlsParameters::kModeFrequency;
    const bool analog = code == FlsParameters::kModeAnalog;
    ui->label_NameUrovenDUT->setVisible(!frequency && !analog);
    ui->label_UrovenDUT->setVisible(!frequency && !analog);
    ui->label_FreqNameDUT->setVisible(frequency);
    ui->label_FreqValDUT->setVisible(frequency);
    ui->label_NaprNameDUT->setVisible(analog);
    ui->label_NaprValDUT->setVisible(analog);
}

void FLSDevice::showStability(int index)
{
    const StabilityWindow::Verdict verdict = m_records[size_t(index)].stability.verdict();
    if (verdict == StabilityWindow::None)
        return;
    const QString colour = verdict == StabilityWindow::Stable             ? QStringLiteral("#00A778")
                           : verdict == StabilityWindow::SlightlyUnstable ? QStringLiteral("#DDB306")
                                                                           : QStringLiteral("#E32323");
    const bool stable = verdict == StabilityWindow::Stable;
    if (index == 0) {
        // Re-polishing a style sheet is costly; do it only when the colour moves.
        const QString barStyle = QString::fromLatin1(kBarStyle).arg(colour);
        if (ui->progressBarLevelDUT->styleSheet() != barStyle)
            ui->progressBarLevelDUT->setStyleSheet(barStyle);
        ui->label_StableDUT->setText(stable ? tr("Стабилен") : tr("Не стабилен"));
    }
    WidgetTar *tile = m_tiles[size_t(index)];
    tile->setLabel4Text(stable ? tr("Стабилен") : tr("Не стабилен"));
    tile->setWindowColour(QColor(colour));
}

void FLSDevice::decodeIdentification(const QByteArray &reply, int index)
{
    const auto id = FlsReplies::decodeIdentification(reply);
    if (!id)
        return;
    m_link->setStep(Protocol::Step::ReadSettings);
    Record &rec = m_records[size_t(index)];
    rec.serial = id->serialNumber;
    rec.firmware = id->firmware;
    if (index == 0)
        m_firmware = id->firmware;
    ui->label_SerNumVal->setText(QString::number(m_records[0].serial));
    if (m_firstReadLog) {
        m_identification += QStringLiteral("Serial number %1; Version Firmware %2")
                                .arg(rec.serial)
                                .arg(rec.firmware);
    }
    m_tiles[size_t(index)]->setLabel1Text(tr("Датчик#") + QString::number(rec.serial));
    const int next = m_link->addresses().nextIndex(index, kMaxSensors);
    m_link->setPolledIndex(next);
    emit copyQueueSurveyDevice(next);
    ui->label_FirmwareVal->setText(FlsReplies::firmwareText(m_records[0].firmware));
}

void FLSDevice::decodeTable(const QByteArray &reply)
{
    // The poll goes on with the readings, whatever the table held.
    m_link->setStep(Protocol::Step::ReadSettings);
    const auto values = FlsReplies::decodeTable(reply);
    if (values) {
        for (int column = 0; column < 2; ++column) {
            for (int row = 0; row < FlsReplies::kTableRows; ++row) {
                bool accepted = true;
                emit tableValueRead(values->at(column * FlsReplies::kTableRows + row), row, column,
                                    &accepted);
                if (!accepted) {
                    DynamicQDialog::show(parentWidget(),
                                         tr("В таблице не может быть менее 20 строк"));
                    break;
                }
            }
        }
    }
    SharedTimers::pollTimer()->start(PollTiming::kPollInterval);
}

// ---------------------------------------------------------------- connection state

void FLSDevice::resetTimerDeviceConnected()
{
    m_link->restartWatchdog();
}

void FLSDevice::resetDeviceIsConnected()
{
    setVisibleReadings(false);
    setVisibleStatusLabels(false);
    m_link->setReplySeen(false);
    showStatusMessageUp(QStringLiteral(" "));
    showStatusMessage(tr("Подключите датчик"));
    m_link->reset();
    emit copyQueueSurveyDevice(0);
    hideBirds();
    m_formRefresh = true;
    ui->label_NeedCalibDUT->hide();
    ui->label_AlarmDUT->hide();
    emit signalWriteLog(QStringLiteral("Device is not responding"));
}

void FLSDevice::resetSettingToDefault()
{
    for (Record &rec : m_records)
        rec.reset();
    m_netnum = 0;
    m_model = FlsModel::None;
    m_current = m_snapshot = FlsSettingsRecord();
    m_modeCopy = m_settingsCopy = m_kv260Copy = 0;
    // The switches must show what their copies now say, or a click would
    // send the opposite of what the engineer sees.
    redrawSwitchesOff();
    m_firmware = 0;
    m_voltage = 0.0f;
    m_notCalibrated = m_passwordSet = m_changed = m_write1023 = m_write4095 = false;
    m_tenBit = m_twelveBit = false;
    m_formRefresh = true;
    m_firstReadLog = true;
    m_identification.clear();
    m_followAddress.reset();
    m_link->reset();
    m_link->setAddresses(AddressList());
    m_link->watchdog()->stop();
    emit copyNetNumToParent(QByteArray());
    emit copyQueueSurveyDevice(m_link->polledIndex());
    setVisibleReadings(false);
}

void FLSDevice::setDefaultValuesToGuiField()
{
    const QString none = QStringLiteral("--");
    for (QLabel *label : {ui->label_ValCurrent, ui->label_NaprValDUT, ui->label_UrovenDUT,
                          ui->label_FreqValDUT, ui->label_FirmwareVal, ui->label_SerNumVal})
        label->setText(none);
}

void FLSDevice::setVisibleReadings(bool visible)
{
    for (QWidget *w : std::initializer_list<QWidget *>{
             ui->label_22DUT, ui->comboBox_ModeDUT, ui->label_21DUT, ui->comboBox_FiltrDUT,
             ui->label_20DUT, ui->lineEditMaxLevelDUT, ui->label_19DUT, ui->lineEditMinLevelDUT,
             ui->label_4DUT, ui->lineEditNetNumDUT, ui->ButtonWriteParamDUT,
             ui->Button_SetEmptyDUT, ui->Button_SetFullDUT, ui->ButtonTarirovka,
             ui->label_17DUT, ui->label_18DUT, ui->progressBarLevelDUT, ui->label_StableDUT,
             ui->label_TempNameDUT, ui->label_TempValDUT, ui->label_NameUrovenDUT,
             ui->label_UrovenDUT, ui->label_SerNumName, ui->label_SerNumVal,
             ui->label_FirmwareName, ui->label_FirmwareVal, ui->label_ReqNetNumDUT,
             ui->comboBox_NetNumDUT, ui->label_NameListDevDUT, ui->label_ListDevDUT})
        w->setVisible(visible);
    if (!visible) {
        for (QWidget *w : {static_cast<QWidget *>(ui->label_FreqNameDUT),
                           static_cast<QWidget *>(ui->label_FreqValDUT),
                           static_cast<QWidget *>(ui->label_NaprNameDUT),
                           static_cast<QWidget *>(ui->label_NaprValDUT),
                           static_cast<QWidget *>(ui->label_NaprNameKV260DUT),
                           static_cast<QWidget *>(ui->label_NaprValKV260DUT)})
            w->hide();
    }
}

void FLSDevice::clearTarWidget()
{
    for (int i = 0; i < 2; ++i) {
        m_tiles[size_t(i)]->hide();
        m_tiles[size_t(i)]->setEnabled(false);
    }
}

void FLSDevice::viewIconChangedParam(bool isNeed)
{
    for (QLabel *mark : {ui->label_Alarm_2DUT, ui->label_Alarm_5DUT, ui->label_Alarm_4DUT,
                         ui->label_Alarm_3DUT, ui->label_Alarm_6DUT})
        mark->setVisible(isNeed);
}

void FLSDevice::hideBirds()
{
    viewIconChangedParam(false);
}

void FLSDevice::showStatusMessage(const QString &text)
{
    if (m_status)
        m_status->setText(text);
    emit statusMessageChanged(text);
}

void FLSDevice::showStatusMessageUp(const QString &text)
{
    if (m_statusUp)
        m_statusUp->setText(text);
}

void FLSDevice::setVisibleStatusLabels(bool visible)
{
    if (m_status)
        m_status->setVisible(visible);
    if (m_statusUp)
        m_statusUp->setVisible(visible);
    emit statusLabelsVisible(visible);
}

void FLSDevice::initStatusMessage()
{
    QFont font(QStringLiteral("FTN35"), 16);
    const int id = QFontDatabase::addApplicationFont(QStringLiteral(":/font/FTN35.OTF"));
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    if (!families.isEmpty())
        font = QFont(families.first(), 16);
    m_statusUp = new QLabel(ui->DUT);
    m_statusUp->setObjectName(QStringLiteral("labelStatusUpDUT"));
    // The page's lines stand where the header's are and take their place
    // while a sensor is connected.
    m_statusUp->setGeometry(5, 533, 500, 31);
    m_status = new QLabel(tr("Подключите датчик"), ui->DUT);
    m_status->setObjectName(QStringLiteral("labelStatusDUT"));
    m_status->setGeometry(5, 566, 500, 31);
    for (QLabel *label : {m_status, m_statusUp}) {
        label->setFont(font);
        label->setStyleSheet(QLatin1String(kStatusStyle));
        label->hide();
    }
}

void FLSDevice::connectSignalToCallMethodFromMain(QWidget *parent)
{
    connect(this, SIGNAL(callParceDataFromComPort()), parent, SLOT(parceDataFromCOMPort()));
}

// ---------------------------------------------------------------- function switches

void FLSDevice::addSwitchToWidget()
{
    struct Place {
        Switch **target;
        QGroupBox *box;
        QHBoxLayout *layout;
        QLabel *caption;
        void (FLSDevice::*slot)();
    };
    const Place places[] = {
        {&m_swInvers, ui->groupBoxInv, ui->horizontalLayout_5, ui->label_InvIndicator,
         &FLSDevice::functionSwInvers},
        {&m_swAngle, ui->groupBoxAngle, ui->horizontalLayout_4, ui->label_ModeAngle,
         &FLSDevice::functionSwAngle},
        {&m_swMaster, ui->groupBox_Master, ui->horizontalLayout_2, ui->label_ModeMaster,
         &FLSDevice::functionSWMaster},
        {&m_swTermo, ui->groupBox_DelTermo, ui->horizontalLayout_3, ui->label_DelTermoComp,
         &FLSDevice::disableTermo},
        {&m_swEco, ui->groupBox_EkoDrive, ui->horizontalLayout_6, ui->label_EcoDriv,
         &FLSDevice::setEcoDrive},
        {&m_swSerial, ui->groupBoxSetOutSer, ui->horizontalLayoutSetOutSer, ui->labelSetOutSer,
         &FLSDevice::enableSendSerNumForKV260},
    };
    for (const Place &place : places) {
        auto *sw = new Switch(place.box);
        sw->setCheckable(true);
        sw->setArmed(true);
        sw->setFixedSize(sw->sizeHint());
        if (place.layout->indexOf(place.caption) < 0)
            place.layout->insertWidget(0, place.caption);
        place.layout->addWidget(sw, 0, Qt::AlignCenter);
        sw->show();
        connect(sw, &Switch::toggled, this, place.slot);
        *place.target = sw;
    }
    m_swLiterGallon = new Switch(ui->Tarirovka);
    m_swLiterGallon->setCheckable(true);
    m_swLiterGallon->setArmed(true);
    m_swLiterGallon->setGeometry(QRect(QPoint(530, 426), m_swLiterGallon->sizeHint()));
    m_swLiterGallon->show();
    connect(m_swLiterGallon, &Switch::toggled, this, &FLSDevice::setLitrGallon);
}

void FLSDevice::sendSwitch(quint8 command, const QByteArray &data, const QString &log,
                           bool stopPoll)
{
    if (stopPoll)
        SharedTimers::pollTimer()->stop();
    emit writeData(Frame::writeRequest(m_netnum, command, data));
    LocalWait::forTime(kSwitchWait);
    emit callParceDataFromComPort();
    if (stopPoll)
        SharedTimers::pollTimer()->start(PollTiming::kPollInterval);
    emit signalWriteLog(log);
}

namespace {
QByteArray twoBytes(quint8 a, quint8 b)
{
    QByteArray out;
    out.append(char(a));
    out.append(char(b));
    return out;
}
} // namespace

void FLSDevice::sendSettingsCopies(const QString &log, bool stopPoll)
{
    // The whole copies go out, so every other bit is sent as last read.
    sendSwitch(Protocol::Command::WriteSettings, twoBytes(m_modeCopy, m_settingsCopy), log,
               stopPoll);
}

void FLSDevice::functionSwInvers()
{
    m_modeCopy ^= 0x01;
    sendSettingsCopies(QStringLiteral("Switch mode Inverse"));
}

void FLSDevice::functionSwAngle()
{
    m_settingsCopy ^= 0x10;
    sendSettingsCopies(QStringLiteral("Switch mode Angle"), true);
}

void FLSDevice::functionSWMaster()
{
    m_settingsCopy ^= 0x08;
    sendSettingsCopies(QStringLiteral("Switch mode Master"));
}

void FLSDevice::disableTermo()
{
    m_settingsCopy = quint8(m_settingsCopy - 0x80); // flips bit 7
    sendSettingsCopies(QStringLiteral("Switch mode Termocompensation"));
}

void FLSDevice::setEcoDrive()
{
    m_settingsCopy ^= 0x20;
    sendSettingsCopies(QStringLiteral("Switch mode EcoDrive"));
}

void FLSDevice::enableSendSerNumForKV260()
{
    m_kv260Copy ^= 0x10;
    sendSwitch(Protocol::Command::SendSerialNumber, QByteArray(1, char(m_kv260Copy)),
               QStringLiteral("Switch enable send SerNum for KV260"), false);
}

void FLSDevice::setLitrGallon()
{
    if (m_gallons) {
        ui->label_8->setText(tr("л"));
        m_caption->setLabel1Text(tr("Литры"));
        emit signalWriteLog(QStringLiteral("Switch to Liter"));
    } else {
        ui->label_8->setText(tr("г"));
        m_caption->setLabel1Text(tr("Галлоны"));
        emit signalWriteLog(QStringLiteral("Switch to Gallon"));
    }
    m_gallons = !m_gallons;
}

void FLSDevice::functionSwLiterPercent()
{
    s_literPercent = !s_literPercent;
    m_stateLiterPercent = s_literPercent ? 1 : 0;
    emit signalWriteLog(QStringLiteral("Switch mode Liter/Percent"));
}

void FLSDevice::sendResetDevice(quint8 netnum)
{
    emit writeData(Frame::writeRequest(netnum, Protocol::Command::Reset));
}

void FLSDevice::setVisibleSwitch(bool visible)
{
    for (Switch *sw : {m_swMaster, m_swAngle, m_swInvers})
        sw->setVisible(visible);
}

void FLSDevice::updateEngineeringAvailability()
{
    if (m_model == FlsModel::KV510)
        return; // KV510 leaves the boxes as they were
    struct Row {
        bool invers, angle, master, eco, serial;
    };
    Row row{false, false, false, false, false};
    switch (m_model) {
    case FlsModel::KV260: row = {false, false, false, false, true}; break;
    case FlsModel::KV610: row = {false, true, true, true, false}; break;
    case FlsModel::Generic: row = {true, true, true, true, false}; break;
    default: break;
    }
    auto apply = [](QGroupBox *box, QLabel *caption, bool enabled) {
        box->setDisabled(!enabled);
        caption->setStyleSheet(QLatin1String(enabled ? kWhiteCaption : kGreyCaption));
    };
    apply(ui->groupBoxInv, ui->label_InvIndicator, row.invers);
    apply(ui->groupBoxAngle, ui->label_ModeAngle, row.angle);
    apply(ui->groupBox_Master, ui->label_ModeMaster, row.master);
    apply(ui->groupBox_EkoDrive, ui->label_EcoDriv, row.eco);
    apply(ui->groupBoxSetOutSer, ui->labelSetOutSer, row.serial);
    ui->groupBoxLamp->setDisabled(!row.invers);
}

// ---------------------------------------------------------------- password

void FLSDevice::showLock(bool locked)
{
    ui->label_LockDUT->setPixmap(QPixmap(locked ? QStringLiteral(":/images/lock.png")
                                                : QStringLiteral(":/images/unlock.png")));
    ui->label_LockDUT->show();
}

bool FLSDevice::readPassword(const QString &text, quint32 &password)
{
    // Digits only; a number past 32 bits would otherwise turn into 0, which
    // the sensor takes as "no password".
    bool ok = false;
    const qulonglong value = text.trimmed().toULongLong(&ok);
    if (!ok || value > 0xFFFFFFFFull) {
        DynamicQDialog::show(parentWidget(),
                             tr("Пароль должен быть числом\nот 0 до 4294967295"), false,
                             QSize(350, 170));
        return false;
    }
    password = quint32(value);
    return true;
}

void FLSDevice::sendPass(quint32 pass, quint8 step, quint8 cmd)
{
    SharedTimers::pollTimer()->stop();
    m_link->setStep(step);
    emit writeData(Frame::writeRequest(m_netnum, cmd, Frame::bigEndian32(pass)));
    LocalWait::forTime(kPasswordWait);
    emit callParceDataFromComPort();
    giveUpPasswordStep();
    SharedTimers::pollTimer()->start(PollTiming::kPollInterval);
}

void FLSDevice::giveUpPasswordStep()
{
    // No answer came in time: the poll goes on with the identification.
    const quint8 step = m_link->step();
    if (step == kStepSetPassword || step == kStepEnterPassword || step == kStepCheckPassword
        || step == kStepDeletePassword)
        m_link->setStep(Protocol::Step::ReadIdentification);
}

void FLSDevice::checkPass()
{
    SharedTimers::pollTimer()->stop();
    resetTimerDeviceConnected();
    SharedTimers::portScanTimer()->stop();
    // Let a poll reply still on its way arrive and be read first, so that
    // it is not taken for the answer to the check.
    LocalWait::forTime(kPasswordWait);
    emit callParceDataFromComPort();
    emit writeData(Frame::writeRequest(m_netnum, SetPassword, Frame::bigEndian32(m_storedPassword)));
    m_link->setStep(kStepCheckPassword);
    LocalWait::forTime(kPasswordStepWait);
    emit callParceDataFromComPort();
    giveUpPasswordStep();
    SharedTimers::pollTimer()->start(PollTiming::kPollInterval);
    emit signalWriteLog(QStringLiteral("Check password FLS"));
}

void FLSDevice::inputPass()
{
    if (!m_security)
        return;
    quint32 password = 0;
    if (!readPassword(m_security->getLineEditInputPass(), password))
        return;
    m_storedPassword = password;
    sendPass(password, kStepEnterPassword, EnterPassword);
    qDebug("InputPass");
}

void FLSDevice::setPass()
{
    if (!m_security)
        return;
    quint32 password = 0;
    if (!readPassword(m_security->getLineEditSetPass(), password))
        return;
    ui->label_LockDUT->show();
    m_storedPassword = password;
    sendPass(password, kStepSetPassword, SetPassword);
    emit signalWriteLog(QStringLiteral("Set password FLS"));
}

void FLSDevice::delPass()
{
    if (!m_security)
        return;
    quint32 password = 0;
    if (!readPassword(m_security->getLineEditInputPass(), password))
        return;
    m_storedPassword = password;
    SharedTimers::pollTimer()->stop();
    emit writeData(Frame::writeRequest(m_netnum, EnterPassword, Frame::bigEndian32(password)));
    m_link->setStep(Protocol::Step::ReadIdentification);
    LocalWait::forTime(kPasswordStepWait);
    emit callParceDataFromComPort();
    m_storedPassword = 0;
    emit writeData(Frame::writeRequest(m_netnum, SetPassword, Frame::bigEndian32(0)));
    m_link->setStep(kStepDeletePassword);
    LocalWait::forTime(kPasswordStepWait);
    // Parsed here rather than left to the next tick: this runs from the
    // password dialog, whose own event loop may sit inside a parse tick.
    emit callParceDataFromComPort();
    giveUpPasswordStep();
    SharedTimers::pollTimer()->start(PollTiming::kPollInterval);
    emit signalWriteLog(QStringLiteral("Delete password FLS"));
}

void FLSDevice::showPasswordDialog(bool inputMode)
{
    auto *dialog = new Security(this, parentWidget(), inputMode, !inputMode);
    dialog->setStyleSheet(QStringLiteral("background-color:#1F2222;border-style: solid;"
                                         "border-width: 1px;border-color: white;color : white;"));
    dialog->resize(250, 200);
    m_security = dialog;
    dialog->exec();
    delete dialog;
    m_security = nullptr;
}

quint8 FLSDevice::passwordReply(const QByteArray &block, quint8 step)
{
    m_link->setStep(Protocol::Step::ReadIdentification);
    if (Frame::check(block, m_netnum) != Frame::Verdict::Accepted)
        return m_link->step();
    m_link->setReplySeen(true);
    resetTimerDeviceConnected();
    const quint8 reply = quint8(block.at(Protocol::kCommandOffset));
    if (reply != SetPassword && reply != EnterPassword && reply != WrongPassword) {
        // A poll reply still on its way when the exchange began: keep
        // waiting for the password answer.
        m_link->setStep(step);
        return step;
    }
    if (step == kStepSetPassword || step == kStepEnterPassword) {
        if (reply == EnterPassword) {
            m_passwordSet = true;
            showLock(false);
        } else if (reply == WrongPassword && step == kStepEnterPassword) {
            m_passwordSet = false;
            showLock(true);
            DynamicQDialog::show(parentWidget(), tr("Вы ввели неправильный пароль\nПовторите ввод"),
                                 false, QSize(350, 170));
        } else if (reply == SetPassword && step == kStepSetPassword) {
            m_passwordSet = true;
            showLock(true);
        }
    } else if (step == kStepCheckPassword) {
        if (reply == EnterPassword) {
            showLock(false);
        } else if (reply == WrongPassword) {
            showLock(true);
            // Opened after this parse tick, so that the ticks keep running
            // while the engineer types.
            QTimer::singleShot(0, this, [this] { showPasswordDialog(true); });
        } else if (reply == SetPassword) {
            showLock(false);
            QTimer::singleShot(0, this, [this] { showPasswordDialog(false); });
        }
    } else if (step == kStepDeletePassword) {
        if (reply == EnterPassword) {
            showLock(false);
            emit signalWriteLog(QStringLiteral("Unblocked password"));
        } else if (reply == WrongPassword) {
            showLock(true);
            emit signalWriteLog(QStringLiteral("Error delete password"));
        } else if (reply == SetPassword) {
            showLock(false);
            showStatusMessageUp(tr("Пароль удалён"));
            QTimer::singleShot(kStatusClearDelay, this, [this] { showStatusMessageUp(QString()); });
            emit signalWriteLog(QStringLiteral("Delete password"));
        }
    }
    // Whatever the dialog exchanged meanwhile, the poll goes on with the
    // identification request.
    m_link->setStep(Protocol::Step::ReadIdentification);
    return m_link->step();
}
