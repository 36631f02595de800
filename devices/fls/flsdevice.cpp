#include "flsdevice.h"

#include "link/devicelink.h"
#include "link/frame.h"
#include "link/protocol.h"
#include "link/sharedtimers.h"
#include "ui_configurator.h"

#include <QFontDatabase>
#include <QLabel>

namespace {
const char kStatusStyle[] = "QLabel {font-size:16pt;color:white;}";
}

FLSDevice::FLSDevice(Ui::Configurator *form, QSerialPort *port, QWidget *parent)
    : QWidget(parent), ui(form), m_port(port), m_link(new DeviceLink(this))
{
    connect(m_link, &DeviceLink::watchdogExpired, this, &FLSDevice::resetDeviceIsConnected);
}

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

quint8 FLSDevice::parseReply(int length, const quint8 *data, quint8 step)
{
    m_link->setStep(step);
    const QByteArray block = (data && length > 0)
        ? QByteArray(reinterpret_cast<const char *>(data), length)
        : QByteArray();

    if (step == Protocol::Step::Search)
        return takeSearchAnswer(block);
    if (step != Protocol::Command::ReadSettings && step != Protocol::Command::ReadTable
        && step != Protocol::Command::ReadIdentification)
        return step;
    if (block.isEmpty() || quint8(block.at(0)) != Protocol::kReplyPrefix)
        return step;

    const Frame::Verdict verdict = Frame::check(block, m_link->polledAddress());
    if (verdict == Frame::Verdict::Accepted) {
        switch (quint8(block.at(Protocol::kCommandOffset))) {
        case Protocol::Command::ReadSettings:
            decodeSettings(block);
            break;
        case Protocol::Command::ReadIdentification:
            decodeIdentification(block);
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
    const AddressList list(block);
    m_link->setAddresses(list);
    m_netnum = list.first();
    ui->lineEditNetNumDUT->setText(QString::number(m_netnum));
    ui->comboBox_NetNumDUT->clear();
    for (const char address : block)
        ui->comboBox_NetNumDUT->addItem(QString::number(quint8(address)));
    ui->label_ListDevDUT->setText(list.joined());
    SharedTimers::parseTimer()->start(list.count() > 1 ? PollTiming::kParseIntervalSeveral
                                                       : PollTiming::kParseInterval);
    emit copyNetNumToParent(block);
    emit copyQueueSurveyDevice(0);
    m_link->setStep(Protocol::Step::ReadSettings);
    return Protocol::Step::ReadSettings;
}

void FLSDevice::decodeSettings(const QByteArray &)
{
    m_link->setStep(Protocol::Step::ReadIdentification);
}

void FLSDevice::decodeIdentification(const QByteArray &)
{
    m_link->setStep(Protocol::Step::ReadSettings);
    const int next = m_link->addresses().nextIndex(m_link->polledIndex(), kMaxSensors);
    m_link->setPolledIndex(next);
    emit copyQueueSurveyDevice(next);
}

void FLSDevice::resetTimerDeviceConnected()
{
    m_link->restartWatchdog();
}

void FLSDevice::resetDeviceIsConnected()
{
    setVisibleStatusLabels(false);
    m_link->setReplySeen(false);
    showStatusMessageUp(QStringLiteral(" "));
    showStatusMessage(tr("Подключите датчик"));
    m_link->reset();
    emit copyQueueSurveyDevice(0);
    hideBirds();
    emit signalWriteLog(QStringLiteral("Device is not responding"));
}

void FLSDevice::resetSettingToDefault()
{
    m_netnum = 0;
    m_link->reset();
    m_link->setAddresses(AddressList());
    m_link->watchdog()->stop();
    emit copyNetNumToParent(QByteArray());
    emit copyQueueSurveyDevice(m_link->polledIndex());
}

void FLSDevice::setDefaultValuesToGuiField()
{
    const QString none = QStringLiteral("--");
    ui->label_ValCurrent->setText(none);
    ui->label_NaprValDUT->setText(none);
    ui->label_UrovenDUT->setText(none);
    ui->label_FreqValDUT->setText(none);
    ui->label_FirmwareVal->setText(none);
    ui->label_SerNumVal->setText(none);
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
}

void FLSDevice::initStatusMessage()
{
    QFont font(QStringLiteral("FTN35"), 16);
    const int id = QFontDatabase::addApplicationFont(QStringLiteral(":/font/FTN35.OTF"));
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    if (!families.isEmpty())
        font = QFont(families.first(), 16);
    m_statusUp = new QLabel(ui->DUT);
    m_statusUp->setGeometry(520, 531, 275, 20);
    m_status = new QLabel(tr("Подключите датчик"), ui->DUT);
    m_status->setGeometry(520, 554, 275, 20);
    for (QLabel *label : {m_status, m_statusUp}) {
        label->setObjectName(label == m_status ? QStringLiteral("labelStatusDUT")
                                               : QStringLiteral("labelStatusUpDUT"));
        label->setFont(font);
        label->setStyleSheet(QLatin1String(kStatusStyle));
        label->hide();
    }
}

void FLSDevice::connectSignalToCallMethodFromMain(QWidget *parent)
{
    connect(this, SIGNAL(callParceDataFromComPort()), parent, SLOT(parceDataFromCOMPort()));
}
