#include "aq420device.h"

#include "app/dynamicqdialog.h"
#include "link/addresslist.h"
#include "link/devicelink.h"
#include "link/frame.h"
#include "link/localwait.h"
#include "link/protocol.h"
#include "link/replyassembler.h"
#include "link/sharedtimers.h"
#include "scaleaq420.h"
#include "ui_configurator.h"
#include "widgets/switch.h"

#include <QFontDatabase>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QMovie>

#include <algorithm>

namespace {
using namespace std::chrono_literals;
namespace Cmd = Protocol::Command;

constexpr auto kAfterModeSwitch = 100ms;
constexpr auto kAfterZero = 100ms;
constexpr auto kWritePollInterval = 200ms; // search and read-back after a write
constexpr auto kReadBackLimit = 2000ms;    // a fresh readings reply has not come by then
constexpr auto kReadBackStep = 50ms;
constexpr auto kWrittenMarkTime = 2000ms;  // written marks stay this long
constexpr QPoint kScalePlace(290, 130);
constexpr int kSwitchOffsetX = 105; // right of its caption
constexpr int kSwitchOffsetY = 3;
const QString kDefaultUp = QStringLiteral("70"); // an emptied Up comes back as this
const QSize kMessageSize(300, 170);

const char kStatusStyle[] = "QLabel {font-size:16pt;color:white;}";
const char kNoValue[] = "--";

// The mode each of the first five switches selects.
constexpr std::array<quint8, 5> kSwitchModes = {Aq420Modes::kMode1, Aq420Modes::kMode2,
                                                Aq420Modes::kMode3, Aq420Modes::kBlade,
                                                Aq420Modes::kBucket};
} // namespace

AQ420Device::AQ420Device(Ui::Configurator *form, QSerialPort *, QWidget *parent)
    : QWidget(parent), ui(form), m_link(new DeviceLink(this))
{
    connect(m_link, &DeviceLink::watchdogExpired, this, &AQ420Device::resetDeviceIsConnected);
    m_bucketTimer.setInterval(kBucketFrame);
    connect(&m_bucketTimer, &QTimer::timeout, this, &AQ420Device::animationModeKovshHandler);

    m_scale = new ScaleAQ420(ui->AQ420);
    m_scale->setObjectName(QStringLiteral("scaleAQ420"));
    m_scale->move(kScalePlace);
    m_scale->show();

    QLabel *captions[kSwitchCount] = {ui->label_Mode1AQ420, ui->label_Mode2AQ420,
                                      ui->label_Mode3AQ420, ui->label_ModeOtvalAQ420,
                                      ui->label_ModeKovshAQ420, ui->label_ModeMasterAQ420};
    void (AQ420Device::*handlers[kSwitchCount])() = {
        &AQ420Device::setMode1AQ420,     &AQ420Device::setMode2AQ420,
        &AQ420Device::setMode3AQ420,     &AQ420Device::setModeOtvalAQ420,
        &AQ420Device::setModeKovshAQ420, &AQ420Device::setModeMasterAQ420};
    const char *names[kSwitchCount] = {"switchMode1AQ420",     "switchMode2AQ420",
                                       "switchMode3AQ420",     "switchModeOtvalAQ420",
                                       "switchModeKovshAQ420", "switchModeMasterAQ420"};
    for (int i = 0; i < kSwitchCount; ++i) {
        auto *sw = new Switch(ui->AQ420);
        sw->setObjectName(QLatin1String(names[i]));
        sw->setCheckable(true);
        sw->setArmed(true);
        sw->setFixedSize(sw->sizeHint());
        sw->move(captions[i]->x() + kSwitchOffsetX, captions[i]->y() + kSwitchOffsetY);
        sw->show();
        connect(sw, &Switch::toggled, this, handlers[i]);
        m_switches[size_t(i)] = sw;
    }

    m_masterSlave = new QMovie(QStringLiteral(":/images/m-s.gif"), QByteArray(), this);
    ui->label_AQ420_MS->setMovie(m_masterSlave);
    ui->label_AQ420_MS->hide();

    ui->lineEditAQ420Up->setValidator(new QIntValidator(0, Aq420Writes::kMaxLimit, this));
    ui->lineEditAQ420Down->setValidator(new QIntValidator(0, Aq420Writes::kMaxLimit, this));
    ui->lineEditAQ420DelayOn->setValidator(new QIntValidator(0, Aq420Writes::kMaxDelay, this));
    ui->lineEditAQ420DelayOff->setValidator(new QIntValidator(0, Aq420Writes::kMaxDelay, this));
    ui->lineEdit_NetNumAQ420->setValidator(new QIntValidator(0, 0xFF, this));
    ui->lineEditAQ420Up->setFocus();

    initStatusMessage();
    clearReadings();
    hideBirds();
}

quint8 AQ420Device::getStep() const
{
    return m_link->step();
}

void AQ420Device::setStep(quint8 step)
{
    m_link->setStep(step);
}

bool AQ420Device::isDeviceConnected() const
{
    return m_link->replySeen();
}

quint8 AQ420Device::address() const
{
    return m_link->polledAddress();
}

// ---------------------------------------------------------------- decoding

quint8 AQ420Device::parseReply(int length, const quint8 *data, quint8 step)
{
    m_link->setStep(step);
    const QByteArray block = (data && length > 0)
        ? QByteArray(reinterpret_cast<const char *>(data), length)
        : QByteArray();
    if (block.isEmpty())
        return step;
    if (step == Protocol::Step::Search)
        return takeSearchAnswer(block);
    if (step != Protocol::Step::ReadSettings && step != Protocol::Step::ReadIdentification)
        return step;
    if (Frame::check(block, address()) != Frame::Verdict::Accepted)
        return step;
    quint8 next = step;
    switch (quint8(block.at(Protocol::kCommandOffset))) {
    case Cmd::ReadSettings:
        if (const auto readings = Aq420Replies::decodeReadings(block)) {
            showReadings(*readings);
            next = Protocol::Step::ReadIdentification;
        }
        break;
    case Cmd::ReadIdentification:
        if (const auto id = Aq420Replies::decodeIdentification(block)) {
            showIdentification(*id);
            next = Protocol::Step::ReadSettings;
        }
        break;
    default:
        break; // the echo of a change: the readings tell whether it took
    }
    if (next == step)
        return step;
    if (!m_link->replySeen()) {
        m_link->setReplySeen(true);
        setVisibleStatusLabels(true);
    }
    resetTimerDeviceConnected();
    m_link->setStep(next);
    return next;
}

quint8 AQ420Device::takeSearchAnswer(const QByteArray &block)
{
    // The echo of a new address comes from the sensor just before the
    // search starts again; it is a reply, not addresses.
    QByteArray answer = block;
    while (answer.size() >= Protocol::kMinReplyLength
           && quint8(answer.at(0)) == Protocol::kReplyPrefix) {
        const std::vector<int> &lengths =
            Aq420Replies::replyLengths().of(quint8(answer.at(Protocol::kCommandOffset)));
        const auto frame = std::find_if(lengths.begin(), lengths.end(), [&answer](int length) {
            return length <= answer.size() && Frame::hasValidCrc(answer.left(length));
        });
        if (frame == lengths.end())
            break;
        answer.remove(0, *frame);
    }
    const AddressList found = AddressList::untilZero(answer);
    if (found.isEmpty())
        return Protocol::Step::Search;
    // After a new address was written, the sensor that took it is polled
    // on; otherwise the one polled before, when it is still there.
    const quint8 polled = m_followAddress.value_or(address());
    m_followAddress.reset();
    m_link->setAddresses(found);
    m_link->setPolledIndex(qMax(0, int(found.bytes().indexOf(char(polled)))));
    ui->comboBox_NetNumAQ420->clear();
    for (const char a : found.bytes())
        ui->comboBox_NetNumAQ420->addItem(QString::number(quint8(a)));
    ui->comboBox_NetNumAQ420->setCurrentIndex(m_link->polledIndex());
    ui->label_ListDevAQ420->setText(found.joined());
    if (!m_edits.isChanged(Aq420Field::Address))
        ui->lineEdit_NetNumAQ420->setText(QString::number(address()));
    SharedTimers::parseTimer()->start(found.count() > 1 ? PollTiming::kParseIntervalSeveral
                                                        : PollTiming::kParseInterval);
    emit copyNetNumToParent(found.bytes());
    emit copyQueueSurveyDevice(m_link->polledIndex());
    m_link->setStep(Protocol::Step::ReadSettings);
    return Protocol::Step::ReadSettings;
}

void AQ420Device::showReadings(const Aq420Readings &r)
{
    ++m_readingsDecoded;
    m_angle = r.angle;
    ui->label_AngleValAQ420->setText(QStringLiteral("%1°").arg(r.angle));
    ui->label_FreqAQ420->setText(QString::number(Aq420Replies::frequency(r.angle)) + tr("Гц"));
    m_scale->setAngle(r.angle);

    if (m_refreshPending && --m_refreshCountdown <= 0) {
        m_refreshPending = false;
        m_refreshCountdown = 0;
        for (Switch *sw : m_switches)
            sw->setArmed(false);
    }
    emit signalChangeCntUpdateUI(m_refreshCountdown);
    showStatusMessage(tr("Подключен АК-420"));
    SharedTimers::portScanTimer()->stop();
    SharedTimers::connectTimer()->stop();

    showLimits(r);
    m_readBack = {int(r.up), int(r.down), int(r.delayOn), int(r.delayOff), int(address()),
                  int(r.modeByte)};
    if (!m_appliedMode || *m_appliedMode != r.modeByte || m_refreshPending)
        applyMode(r.modeByte);
    m_modeByte = r.modeByte;

    if (Aq420Modes::modeOf(r.modeByte) == Aq420Modes::kBucket)
        modeKovshHandler();
    else
        showPicture(Aq420Modes::pictureFor(r.modeByte, r.angle, r.up, r.down));

    // The connection is logged once, with the identification and the
    // settings together; a sensor that has not told its firmware yet waits.
    if (m_firstConnection && m_identification) {
        const QString line = m_connectionText + Aq420Replies::settingsText(r);
        if (m_identification->firmware != 0) {
            emit signalWriteLog(line);
            m_firstConnection = false;
        }
    }
}

void AQ420Device::showLimits(const Aq420Readings &r)
{
    // A field the engineer is editing keeps what was typed: otherwise the
    // next reply would put the sensor's value back and the write would send it.
    const std::pair<Aq420Field, int> shown[] = {{Aq420Field::Down, r.down},
                                                {Aq420Field::Up, r.up},
                                                {Aq420Field::DelayOn, r.delayOn},
                                                {Aq420Field::DelayOff, r.delayOff}};
    for (const auto &field : shown) {
        if (!m_edits.isChanged(field.first))
            edit(field.first)->setText(QString::number(field.second));
    }
}

void AQ420Device::showIdentification(const Aq420Identification &id)
{
    m_identification = id;
    ui->label_SerNumVal->setText(QString::number(id.serialNumber));
    ui->label_FirmwareVal->setText(Aq420Replies::firmwareText(id.firmware));
    for (QLabel *label : {ui->label_SerNumName, ui->label_SerNumVal, ui->label_FirmwareName,
                          ui->label_FirmwareVal})
        label->setVisible(true);
    if (m_firstConnection)
        m_connectionText = Aq420Replies::connectionText(id);
}

void AQ420Device::applyMode(quint8 modeByte)
{
    // The switches show what the sensor reports, whatever set it.
    armSwitches();
    for (int i = 0; i < int(kSwitchModes.size()); ++i)
        m_switches[size_t(i)]->setInitialState(Aq420Modes::modeOf(modeByte) == kSwitchModes[size_t(i)]);
    m_switches[kMasterSwitch]->setInitialState(Aq420Modes::isMaster(modeByte));
    visibleLabalMasterSlave(Aq420Modes::isMaster(modeByte));
    const bool delays = Aq420Modes::hasDelays(modeByte);
    ui->lineEditAQ420DelayOn->setEnabled(delays);
    ui->lineEditAQ420DelayOff->setEnabled(delays);
    if (Aq420Modes::modeOf(modeByte) != Aq420Modes::kBucket)
        stopBucket();
    if (!m_appliedMode || Aq420Modes::modeOf(*m_appliedMode) != Aq420Modes::modeOf(modeByte)) {
        showPicture(Aq420Modes::firstPicture(modeByte));
        // The angle the bucket stands at is no movement of it.
        m_bucket.reset(m_angle);
    }
    m_appliedMode = modeByte;
}

void AQ420Device::showPicture(const QString &picture)
{
    if (picture.isEmpty())
        return;
    m_picture = picture;
    ui->label_PicAQ420->setStyleSheet(Aq420Modes::pictureStyle(picture));
}

void AQ420Device::modeKovshHandler()
{
    if (m_bucket.moving(m_angle)) {
        if (!m_bucketTimer.isActive())
            m_bucketTimer.start();
    } else {
        m_bucketTimer.stop();
    }
}

void AQ420Device::animationModeKovshHandler()
{
    const QStringList &cycle = Aq420Modes::bucketCycle();
    showPicture(cycle.at(m_bucketFrame));
    m_bucketFrame = (m_bucketFrame + 1) % int(cycle.size());
}

void AQ420Device::stopBucket()
{
    m_bucketTimer.stop();
    m_bucketFrame = 0;
}

void AQ420Device::visibleLabalMasterSlave(bool visible)
{
    ui->label_AQ420_MS->setVisible(visible);
    if (visible)
        m_masterSlave->start();
    else
        m_masterSlave->stop();
}

// ---------------------------------------------------------------- modes

void AQ420Device::armSwitches()
{
    for (Switch *sw : m_switches)
        sw->setArmed(true);
}

void AQ420Device::requestMode(quint8 modeByte, const QString &logLine)
{
    if (!isDeviceConnected() || m_writing) {
        // Nothing to switch: the switches go back to what the sensor said.
        applyMode(m_modeByte);
        return;
    }
    m_modeByte = modeByte;
    emit writeData(Aq420Writes::modeFrame(address(), modeByte));
    armSwitches();
    m_refreshPending = true;
    m_refreshCountdown = kRefreshReplies;
    emit signalChangeCntUpdateUI(m_refreshCountdown);
    m_link->setStep(Protocol::Step::ReadSettings);
    const int session = m_session;
    LocalWait::forTime(kAfterModeSwitch);
    if (session != m_session)
        return;
    emit copyQueueSurveyDevice(m_link->polledIndex());
    emit signalWriteLog(logLine);
}

void AQ420Device::setMode1AQ420()
{
    requestMode(Aq420Modes::kMode1, Aq420Modes::switchLogLine(Aq420Modes::kMode1, false));
}

void AQ420Device::setMode2AQ420()
{
    requestMode(Aq420Modes::kMode2, Aq420Modes::switchLogLine(Aq420Modes::kMode2, false));
}

void AQ420Device::setMode3AQ420()
{
    requestMode(Aq420Modes::kMode3, Aq420Modes::switchLogLine(Aq420Modes::kMode3, false));
}

void AQ420Device::setModeOtvalAQ420()
{
    requestMode(Aq420Modes::kBlade, Aq420Modes::switchLogLine(Aq420Modes::kBlade, false));
}

void AQ420Device::setModeKovshAQ420()
{
    requestMode(Aq420Modes::kBucket, Aq420Modes::switchLogLine(Aq420Modes::kBucket, false));
}

void AQ420Device::setModeMasterAQ420()
{
    requestMode(quint8(m_modeByte ^ Aq420Modes::kMasterBit),
                Aq420Modes::switchLogLine(m_modeByte, true));
}

void AQ420Device::setZero()
{
    if (!isDeviceConnected() || m_writing)
        return;
    emit writeData(Aq420Writes::zeroFrame(address()));
    m_link->setStep(Protocol::Step::ReadSettings);
    const int session = m_session;
    LocalWait::forTime(kAfterZero);
    if (session != m_session)
        return;
    emit copyQueueSurveyDevice(m_link->polledIndex());
    emit signalWriteLog(QStringLiteral("Set zero AQ420"));
}

void AQ420Device::addressChosen(int index)
{
    if (index < 0 || index >= m_link->addresses().count())
        return;
    m_link->setPolledIndex(index);
    m_link->setStep(Protocol::Step::ReadSettings);
    // Another sensor: its settings and its connection are shown afresh.
    m_appliedMode.reset();
    m_identification.reset();
    m_firstConnection = true;
    // What was typed for the sensor shown before is not written to this one.
    m_edits = Aq420Edits();
    hideBirds();
    ui->lineEdit_NetNumAQ420->setText(QString::number(address()));
    emit copyQueueSurveyDevice(index);
}

// ---------------------------------------------------------------- settings

QLineEdit *AQ420Device::edit(Aq420Field field) const
{
    switch (field) {
    case Aq420Field::Up: return ui->lineEditAQ420Up;
    case Aq420Field::Down: return ui->lineEditAQ420Down;
    case Aq420Field::DelayOn: return ui->lineEditAQ420DelayOn;
    case Aq420Field::DelayOff: return ui->lineEditAQ420DelayOff;
    case Aq420Field::Address: return ui->lineEdit_NetNumAQ420;
    }
    return ui->lineEditAQ420Up;
}

QLabel *AQ420Device::marker(Aq420Field field) const
{
    switch (field) {
    case Aq420Field::Up: return ui->label_Alarm_1AQ420;
    case Aq420Field::Down: return ui->label_Alarm_2AQ420;
    case Aq420Field::DelayOn: return ui->label_Alarm_4AQ420;
    case Aq420Field::DelayOff: return ui->label_Alarm_3AQ420;
    case Aq420Field::Address: return ui->label_Alarm_5AQ420;
    }
    return ui->label_Alarm_1AQ420;
}

void AQ420Device::mark(Aq420Field field, const char *picture)
{
    QLabel *label = marker(field);
    label->setPixmap(QPixmap(QStringLiteral(":/images/") + QLatin1String(picture))
                         .scaled(label->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    label->show();
}

void AQ420Device::fieldEdited(Aq420Field field)
{
    m_edits.set(field, edit(field)->text());
    mark(field, "bird.png");
    viewIconChangedParam(true);
}

void AQ420Device::upEditingFinished()
{
    if (ui->lineEditAQ420Up->text().isEmpty())
        ui->lineEditAQ420Up->setText(kDefaultUp);
}

void AQ420Device::viewIconChangedParam(bool visible)
{
    for (int i = 0; i < kAq420FieldCount; ++i) {
        const auto field = Aq420Field(i);
        if (m_edits.isChanged(field))
            marker(field)->setVisible(visible);
    }
}

void AQ420Device::hideBirds()
{
    for (int i = 0; i < kAq420FieldCount; ++i)
        marker(Aq420Field(i))->hide();
}

bool AQ420Device::waitAndParse(std::chrono::milliseconds duration, int session)
{
    LocalWait::forTime(duration);
    if (session != m_session)
        return false;
    emit callParceDataFromComPort();
    return session == m_session;
}

bool AQ420Device::waitForFreshReadings(int session)
{
    const int seen = m_readingsDecoded;
    if (m_link->step() != Protocol::Step::Search)
        m_link->setStep(Protocol::Step::ReadSettings);
    SharedTimers::pollTimer()->start(kWritePollInterval);
    for (auto waited = 0ms; waited < kReadBackLimit; waited += kReadBackStep) {
        if (!waitAndParse(kReadBackStep, session))
            return false;
        if (m_readingsDecoded > seen)
            return true;
    }
    return false;
}

void AQ420Device::writeParamToAQ420()
{
    if (m_writing || !isDeviceConnected() || !m_edits.anyChanged())
        return;
    for (int i = 0; i < kAq420FieldCount; ++i) {
        const auto field = Aq420Field(i);
        if (m_edits.isChanged(field))
            m_edits.set(field, edit(field)->text());
    }
    const Aq420Writes::Plan plan = Aq420Writes::plan(m_edits, m_readBack, address());
    switch (plan.refusal) {
    case Aq420Writes::Refusal::None:
        break;
    case Aq420Writes::Refusal::EmptyField:
        DynamicQDialog::show(this, tr("Заполните пустые поля\nперед записью"), false, kMessageSize);
        return;
    case Aq420Writes::Refusal::BadAddress:
        DynamicQDialog::show(this, tr("Сетевой адрес должен быть числом\nот 1 до 254"), false,
                             kMessageSize);
        return;
    case Aq420Writes::Refusal::DownAboveUp:
        DynamicQDialog::show(this, tr("Значение \"Низ\" не может быть\nбольше значения \"Верх\""),
                             false, kMessageSize);
        return;
    }

    m_writing = true;
    const int session = m_session;
    // The poll keeps off the line while the frames go out, and the
    // watchdog waits for the read-back instead of giving up on the sensor.
    SharedTimers::pollTimer()->stop();
    m_link->setWatchdogEnabled(false);
    m_expected = plan.expected;
    bool alive = true;
    for (const Aq420Writes::Step &step : plan.steps) {
        if (step.frame.isEmpty())
            continue; // the present mode keeps no such value
        emit writeData(step.frame);
        if (step.field == Aq420Field::Address) {
            // The sensor answers at its new address from now on: find it.
            m_followAddress = quint8(plan.expected.address);
            m_link->setStep(Protocol::Step::Search);
            SharedTimers::pollTimer()->start(kWritePollInterval);
        } else {
            m_link->setStep(Protocol::Step::ReadSettings);
        }
        m_refreshPending = true;
        m_refreshCountdown = kRefreshReplies;
        const auto wait = Aq420Writes::waitAfter(step.field);
        alive = waitAndParse(wait, session) && waitAndParse(wait, session);
        if (!alive)
            break;
    }
    // The check reads the settings afresh: a reply from before the last
    // frame would tell nothing about the write.
    const bool fresh = alive && waitForFreshReadings(session);
    m_writing = false;
    if (session != m_session)
        return; // let go of meanwhile: nobody to report to
    m_link->setWatchdogEnabled(true);
    resetTimerDeviceConnected();
    if (!fresh || !checkCorrectWriteParam()) {
        emit signalWriteLog(QStringLiteral("Error write param to AQ420"));
        DynamicQDialog::show(this, tr("Некоторые параметры не были записаны\nПовторите"), false,
                             kMessageSize);
    }
    SharedTimers::pollTimer()->start(PollTiming::kAnglePollInterval);
}

bool AQ420Device::checkCorrectWriteParam()
{
    if (m_readBack != m_expected)
        return false;
    QList<Aq420Field> written;
    for (int i = 0; i < kAq420FieldCount; ++i) {
        if (m_edits.isChanged(Aq420Field(i)))
            written << Aq420Field(i);
    }
    m_edits = Aq420Edits();
    for (const Aq420Field field : qAsConst(written))
        mark(field, "bird_green.png");
    QTimer::singleShot(kWrittenMarkTime, this, [this] {
        if (!m_edits.anyChanged())
            hideBirds();
    });
    emit signalWriteLog(QStringLiteral("Write param to AQ420 succesfull"));
    return true;
}

// ---------------------------------------------------------------- connection

void AQ420Device::clearReadings()
{
    for (QLabel *label : {ui->label_AngleValAQ420, ui->label_FreqAQ420, ui->label_ListDevAQ420})
        label->setText(QLatin1String(kNoValue));
    m_scale->setAngle(0);
    m_angle = 0;
    m_readBack = Aq420Settings();
    m_appliedMode.reset();
    m_identification.reset();
    m_refreshPending = false;
    m_refreshCountdown = 0;
    m_firstConnection = true;
    m_connectionText.clear();
    m_bucket.reset();
    stopBucket();
    visibleLabalMasterSlave(false);
    m_edits = Aq420Edits();
    hideBirds();
}

void AQ420Device::resetTimerDeviceConnected()
{
    m_link->restartWatchdog();
}

void AQ420Device::resetDeviceIsConnected()
{
    m_link->reset();
    clearReadings();
    showStatusMessage(tr("Подключите датчик"));
    emit copyQueueSurveyDevice(0);
    emit signalWriteLog(QStringLiteral("Device is not responding"));
}

void AQ420Device::resetSettingToDefault()
{
    ++m_session; // a write or switch waiting now has nobody to report to
    m_writing = false;
    m_followAddress.reset();
    m_link->reset();
    m_link->setAddresses(AddressList());
    m_link->setWatchdogEnabled(true);
    m_link->watchdog()->stop();
    clearReadings();
    ui->comboBox_NetNumAQ420->clear();
    showStatusMessage(tr("Подключите датчик"));
    setVisibleStatusLabels(false);
    emit copyNetNumToParent(QByteArray());
    emit copyQueueSurveyDevice(0);
}

void AQ420Device::initStatusMessage()
{
    QFont font(QStringLiteral("FTN35"), 16);
    const int id = QFontDatabase::addApplicationFont(QStringLiteral(":/font/FTN35.OTF"));
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    if (!families.isEmpty())
        font = QFont(families.first(), 16);
    // The page's lines stand where the header's are and take their place
    // while a sensor is connected.
    m_statusUp = new QLabel(ui->AQ420);
    m_statusUp->setObjectName(QStringLiteral("labelStatusUpAQ420"));
    m_statusUp->setGeometry(5, 533, 500, 31);
    m_status = new QLabel(tr("Подключите датчик"), ui->AQ420);
    m_status->setObjectName(QStringLiteral("labelStatusAQ420"));
    m_status->setGeometry(5, 566, 500, 31);
    for (QLabel *label : {m_status, m_statusUp}) {
        label->setFont(font);
        label->setStyleSheet(QLatin1String(kStatusStyle));
        label->hide();
    }
}

void AQ420Device::showStatusMessage(const QString &text)
{
    m_status->setText(text);
}

void AQ420Device::showStatusMessageUp(const QString &text)
{
    m_statusUp->setText(text);
}

void AQ420Device::setVisibleStatusLabels(bool visible)
{
    m_status->setVisible(visible);
    m_statusUp->setVisible(visible);
    emit statusLabelsVisible(visible);
}
