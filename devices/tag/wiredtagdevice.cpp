#include "wiredtagdevice.h"

#include "tagcommands.h"

#include "app/dynamicqdialog.h"
#include "link/addresslist.h"
#include "link/devicelink.h"
#include "link/frame.h"
#include "link/localwait.h"
#include "link/protocol.h"
#include "link/sharedtimers.h"
#include "ui_configurator.h"

#include <QIntValidator>
#include <QRegularExpressionValidator>

namespace {
using namespace std::chrono_literals;
namespace Step = Protocol::Step;

// A command waits this long for its answer, and first as long for the
// reply to a poll request already on its way.
constexpr auto kAnswerWait = 50ms;
// Poll steps of a command in progress; the poll sends nothing in either.
constexpr quint8 kCommandStep = Protocol::Command::TagAcknowledged; // its answer is decoded
constexpr quint8 kAddressStep = Protocol::Command::SetAddress;      // whatever comes is dropped

constexpr int kReaderModeIndex = 0; // "Режим Считыватель"
constexpr int kTagModeIndex = 1;    // "Режим Метка"

const char kHexPattern[] = "[0-9a-fA-F]+";
const char kDigitsPattern[] = "[0-9]+";
const char kNoValue[] = "--";
} // namespace

WiredTagDevice::WiredTagDevice(Ui::Configurator *form, QWidget *parent)
    : QWidget(parent), ui(form), m_link(new DeviceLink(this)),
      m_hexValidator(new QRegularExpressionValidator(QRegularExpression(QLatin1String(kHexPattern)),
                                                     this)),
      m_decimalValidator(new QIntValidator(int(TagCommands::kMinIdentifier),
                                           TagCommands::kMaxTypedDecimalIdentifier, this))
{
    connect(m_link, &DeviceLink::watchdogExpired, this, &WiredTagDevice::resetDeviceIsConnected);
    const QRegularExpression digits{QLatin1String(kDigitsPattern)};
    ui->lineEditSetNetNumWT->setValidator(new QRegularExpressionValidator(digits, this));
    ui->lineEditSetSerNumWT->setValidator(new QRegularExpressionValidator(digits, this));
    setDecimalIdentifier(ui->checkBoxInputFormatWT->isChecked());
    initStatusMessage();
}

quint8 WiredTagDevice::getStep() const
{
    return m_link->step();
}

void WiredTagDevice::setStep(quint8 step)
{
    m_link->setStep(step);
}

bool WiredTagDevice::isDeviceConnected() const
{
    return m_link->replySeen();
}

quint8 WiredTagDevice::selectedAddress() const
{
    return m_link->addresses().at(m_selected);
}

std::optional<quint8> WiredTagDevice::modeOf(int reader) const
{
    return reader >= 0 && reader < m_readers.size() ? m_readers.at(reader).mode : std::nullopt;
}

// ---------------------------------------------------------------- decoding

quint8 WiredTagDevice::parseReply(int length, const quint8 *data, quint8 step)
{
    const QByteArray block = (data && length > 0)
        ? QByteArray(reinterpret_cast<const char *>(data), length)
        : QByteArray();
    m_link->setStep(step);
    if (block.isEmpty())
        return step;
    if (step == Step::Search)
        return takeAddresses(block);
    const bool decoded = step == Step::ReadSettings || step == Step::ReadIdentification
                         || step == kCommandStep;
    if (!decoded || block.size() <= Protocol::kAddressOffset)
        return step;
    // Each reader answers at its own address; a command's answer comes from
    // the chosen reader while the poll may be at another.
    const quint8 address = quint8(block.at(Protocol::kAddressOffset));
    const int reader = int(m_link->addresses().bytes().left(m_readers.size()).indexOf(char(address)));
    if (reader < 0)
        return step;
    const auto reply = TagReplies::decode(block, address);
    if (!reply)
        return step;
    m_link->setStep(takeReply(*reply, reader, step));
    return m_link->step();
}

quint8 WiredTagDevice::takeAddresses(const QByteArray &block)
{
    // Every byte of the search answer is one reader's address.
    const AddressList found = AddressList::untilZero(block);
    if (found.isEmpty())
        return Step::Search;
    m_link->setAddresses(found);
    m_readers = QVector<Reader>(qMin(found.count(), kMaxReaders));
    m_selected = 0;
    if (m_followAddress) {
        const int moved = int(found.bytes().left(m_readers.size()).indexOf(char(*m_followAddress)));
        m_selected = qMax(0, moved);
        m_followAddress.reset();
    }
    m_firstReply = true;
    ui->comboBox_NetNumWT->clear();
    for (int i = 0; i < m_readers.size(); ++i)
        ui->comboBox_NetNumWT->addItem(QString::number(found.at(i)));
    ui->comboBox_NetNumWT->setCurrentIndex(m_selected);
    emit copyNetNumToParent(found.bytes());
    emit copyQueueSurveyDevice(0);
    m_link->setStep(Step::ReadSettings);
    return Step::ReadSettings;
}

quint8 WiredTagDevice::takeReply(const TagReply &reply, int reader, quint8 step)
{
    const bool polled = reader == m_link->polledIndex();
    const bool chosen = reader == m_selected;
    m_link->setReplySeen(true);
    m_link->restartWatchdog();
    switch (reply.kind) {
    case TagReply::Kind::Settings:
        m_readers[reader].mode = reply.modeByte;
        if (chosen && m_firstReply) {
            m_firstReply = false;
            ui->comboBoxModeWT->setCurrentIndex(TagReplies::isReaderMode(reply.modeByte)
                                                     ? kReaderModeIndex
                                                     : kTagModeIndex);
            setVisibleStatusLabels(true);
            setControlsEnabled(true);
            showStatusMessage(tr("Датчик подключен"));
            SharedTimers::portScanTimer()->stop();
            SharedTimers::connectTimer()->stop();
        }
        return polled && step == Step::ReadSettings ? Step::ReadIdentification : step;
    case TagReply::Kind::Identification:
        m_readers[reader].identification = reply.identification;
        if (chosen)
            showReader();
        if (polled && step == Step::ReadIdentification) {
            nextReader();
            return Step::ReadSettings;
        }
        return step;
    case TagReply::Kind::Identifier:
    case TagReply::Kind::IdentifierSet:
        if (chosen)
            showIdentifier(reply.identifier);
        return step == kCommandStep ? step : Step::ReadSettings;
    case TagReply::Kind::Acknowledged:
        return step == kCommandStep ? step : Step::ReadSettings;
    }
    return step;
}

void WiredTagDevice::nextReader()
{
    // All the readers found take turns, not only the first two.
    const int next = m_link->addresses().nextIndex(m_link->polledIndex(), kMaxReaders);
    if (next == m_link->polledIndex())
        return;
    m_link->setPolledIndex(next);
    emit copyQueueSurveyDevice(next);
}

void WiredTagDevice::showReader()
{
    const Reader reader = m_selected < m_readers.size() ? m_readers.at(m_selected) : Reader();
    if (reader.identification) {
        ui->label_ValSerNumWT->setText(QString::number(reader.identification->serialNumber));
        ui->label_ValFW_WT->setText(TagReplies::firmwareText(reader.identification->firmware));
    } else {
        ui->label_ValSerNumWT->setText(QLatin1String(kNoValue));
        ui->label_ValFW_WT->setText(QLatin1String(kNoValue));
    }
    for (QLabel *label : {ui->label_NameFW_WT, ui->label_SerNumWT, ui->label_ValFW_WT,
                          ui->label_ValSerNumWT})
        label->setVisible(isDeviceConnected());
}

void WiredTagDevice::showIdentifier(quint32 identifier)
{
    ui->lineEditSETIDWT->setText(TagReplies::identifierText(identifier, isDecimal()));
}

bool WiredTagDevice::isDecimal() const
{
    return ui->checkBoxInputFormatWT->isChecked();
}

// ---------------------------------------------------------------- commands

bool WiredTagDevice::beginCommand()
{
    if (m_busy || !isDeviceConnected())
        return false;
    m_busy = true;
    SharedTimers::pollTimer()->stop();
    // The reply to a poll request already sent must not share a parse
    // block with the command's answer: both would fail the CRC.
    LocalWait::forTime(kAnswerWait);
    emit callParceDataFromComPort();
    return true;
}

void WiredTagDevice::endCommand()
{
    if (m_link->step() == kCommandStep || m_link->step() == kAddressStep)
        m_link->setStep(Step::ReadSettings);
    m_busy = false;
    // Released meanwhile: the parse timer stopped with the port.
    if (SharedTimers::parseTimer()->isActive())
        SharedTimers::pollTimer()->start(PollTiming::kPollInterval);
}

bool WiredTagDevice::runCommand(const QByteArray &frame)
{
    if (!beginCommand())
        return false;
    m_link->setStep(kCommandStep);
    emit writeData(frame);
    LocalWait::forTime(kAnswerWait);
    emit callParceDataFromComPort();
    endCommand();
    return true;
}

void WiredTagDevice::refuse(const QString &message)
{
    DynamicQDialog::show(parentWidget(), message);
}

void WiredTagDevice::sendMode()
{
    const bool reader = ui->comboBoxModeWT->currentIndex() == kReaderModeIndex;
    if (runCommand(TagCommands::setMode(selectedAddress(), reader))) {
        ui->label_PixSetModeWT->hide();
        emit signalWriteLog(QStringLiteral("Set mode tag reader"));
    }
}

void WiredTagDevice::sendSerialNumber()
{
    const auto serial = TagCommands::serialFromText(ui->lineEditSetSerNumWT->text());
    if (!serial) {
        refuse(tr("Введите серийный номер\nот %1 до %2")
                   .arg(TagCommands::kMinSerial)
                   .arg(TagCommands::kMaxSerial));
        return;
    }
    if (runCommand(TagCommands::setSerial(selectedAddress(), *serial))) {
        ui->label_PixSetSerNumWT->hide();
        emit signalWriteLog(QStringLiteral("Set serial number tag reader"));
    }
}

void WiredTagDevice::sendIdentifier()
{
    const bool decimal = isDecimal();
    const auto identifier = TagCommands::identifierFromText(ui->lineEditSETIDWT->text(), decimal);
    if (!identifier) {
        refuse(tr("Введите ID метки\nот %1 до %2")
                   .arg(TagReplies::identifierText(TagCommands::kMinIdentifier, decimal),
                        TagReplies::identifierText(TagCommands::kMaxIdentifier, decimal)
                            .toUpper()));
        return;
    }
    if (runCommand(TagCommands::setIdentifier(selectedAddress(), *identifier))) {
        ui->label_PixSetIDWT->hide();
        emit signalWriteLog(QStringLiteral("Set ID tag"));
    }
}

void WiredTagDevice::readIdentifier()
{
    if (runCommand(TagCommands::readIdentifier(selectedAddress())))
        emit signalWriteLog(QStringLiteral("Read ID tag"));
}

void WiredTagDevice::changeAddress()
{
    const auto address = TagCommands::addressFromText(ui->lineEditSetNetNumWT->text());
    if (!address) {
        refuse(tr("Сетевой адрес должен быть числом\nот %1 до %2")
                   .arg(TagCommands::kMinAddress)
                   .arg(TagCommands::kMaxAddress));
        return;
    }
    if (!beginCommand())
        return;
    // Whatever the reader answers at its new address is no search answer:
    // it is taken in a step of its own and dropped before the search.
    m_link->setStep(kAddressStep);
    emit writeData(TagCommands::setAddress(selectedAddress(), *address));
    LocalWait::forTime(kAnswerWait);
    emit callParceDataFromComPort();

    m_followAddress = *address;
    m_link->reset();
    emit writeData(Frame::searchBroadcast());
    LocalWait::forTime(kAnswerWait);
    emit callParceDataFromComPort();
    ui->label_PixSetNetNumWT->hide();
    emit signalWriteLog(QStringLiteral("Change net num tag reader"));
    endCommand();
}

void WiredTagDevice::selectReader(int index)
{
    if (index < 0 || index >= m_readers.size() || index == m_selected)
        return;
    m_selected = index;
    const std::optional<quint8> mode = m_readers.at(index).mode;
    m_firstReply = !mode;
    if (mode)
        ui->comboBoxModeWT->setCurrentIndex(TagReplies::isReaderMode(*mode) ? kReaderModeIndex
                                                                             : kTagModeIndex);
    showReader();
}

void WiredTagDevice::setDecimalIdentifier(bool decimal)
{
    QLineEdit *field = ui->lineEditSETIDWT;
    const QString converted = TagCommands::convertIdentifierText(field->text(), decimal);
    // A hexadecimal identifier has at most 8 digits, so its decimal form
    // (at most 10) always fits the field.
    field->setMaxLength(decimal ? TagCommands::kDecimalIdentifierDigits
                                : TagCommands::kHexIdentifierDigits);
    field->setValidator(decimal ? m_decimalValidator : m_hexValidator);
    field->setText(converted);
}

QLabel *WiredTagDevice::marker(Field field) const
{
    switch (field) {
    case Field::Mode: return ui->label_PixSetModeWT;
    case Field::Serial: return ui->label_PixSetSerNumWT;
    case Field::Identifier: return ui->label_PixSetIDWT;
    case Field::Address: return ui->label_PixSetNetNumWT;
    }
    return ui->label_PixSetModeWT;
}

void WiredTagDevice::markChanged(Field field)
{
    marker(field)->show();
}

// ---------------------------------------------------------------- look and reset

void WiredTagDevice::initStatusMessage()
{
    for (Field field : {Field::Mode, Field::Serial, Field::Identifier, Field::Address})
        marker(field)->hide();
    setVisibleStatusLabels(false);
    setControlsEnabled(false);
}

void WiredTagDevice::showStatusMessage(const QString &text)
{
    emit statusMessageChanged(text);
}

void WiredTagDevice::setVisibleStatusLabels(bool visible)
{
    for (QWidget *label : {static_cast<QWidget *>(ui->label_SetModeWT),
                           static_cast<QWidget *>(ui->label_SetSerWT),
                           static_cast<QWidget *>(ui->labelReadIDWT),
                           static_cast<QWidget *>(ui->label_SetNetNumWT),
                           static_cast<QWidget *>(ui->label_ReqNetNumWT),
                           static_cast<QWidget *>(ui->comboBox_NetNumWT)})
        label->setVisible(visible);
    for (QLabel *label : {ui->label_NameFW_WT, ui->label_SerNumWT, ui->label_ValFW_WT,
                          ui->label_ValSerNumWT})
        label->setVisible(visible);
}

void WiredTagDevice::setControlsEnabled(bool enabled)
{
    for (QWidget *control : {ui->pushButtonSetModeWT, ui->pushButton_SetSerWT,
                             ui->pushButtonSetIDWT, ui->pushButtonReadIDWT,
                             ui->pushBtnSetNetNumWT})
        control->setEnabled(enabled);
}

void WiredTagDevice::clearReaders()
{
    for (Reader &reader : m_readers)
        reader = Reader();
    m_firstReply = true;
    ui->label_ValSerNumWT->setText(QLatin1String(kNoValue));
    ui->label_ValFW_WT->setText(QLatin1String(kNoValue));
    setVisibleStatusLabels(false);
    setControlsEnabled(false);
}

void WiredTagDevice::resetTimerDeviceConnected()
{
    m_link->restartWatchdog();
}

void WiredTagDevice::resetDeviceIsConnected()
{
    m_link->reset();
    clearReaders();
    showStatusMessage(tr("Подключите датчик"));
    emit copyQueueSurveyDevice(0);
    emit signalWriteLog(QStringLiteral("Device is not responding"));
}

void WiredTagDevice::resetSettingToDefault()
{
    m_link->reset();
    m_link->setAddresses(AddressList());
    m_link->watchdog()->stop();
    m_readers.clear();
    m_selected = 0;
    m_followAddress.reset();
    clearReaders();
    ui->comboBox_NetNumWT->clear();
    initStatusMessage();
    emit copyNetNumToParent(QByteArray());
    emit copyQueueSurveyDevice(0);
}
