// The password exchanges of the wireless page: the base and its sensor may
// each lock their settings with a number. The base answers its password
// frames at once; the sensor's answer comes back as the command result
// code of a later data reply.

#include "bledevice.h"
#include "securityble.h"

#include "app/dynamicqdialog.h"
#include "calibration/engineermenuqdialog.h"
#include "link/devicelink.h"
#include "link/frame.h"
#include "link/localwait.h"
#include "link/protocol.h"
#include "link/sharedtimers.h"
#include "ui_configurator.h"

#include <QDebug>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

namespace {
using namespace std::chrono_literals;
namespace Cmd = Protocol::Command;

constexpr auto kPasswordWait = 100ms;       // after a password frame
constexpr auto kPasswordStepWait = 200ms;   // probe and deletion steps
constexpr auto kSensorDeleteWait = 2000ms;  // the base relays the old password first
constexpr auto kCommandStatus = 7000ms;     // longest wait for the sensor's answer
constexpr auto kStatusHold = 5000ms;
constexpr auto kDeletedShown = 3000ms;

const char kSecurityStyle[] = "background-color:#1F2222;border-style: solid;border-width: 1px;"
                              "border-color: white;color : white;";
const char kIdentifierStyle[] =
    "background-color:#1F2222;border-style: solid;border-radius: 10px;border-width: 1px;"
    "border-color: #b9b9b9;color : #b9b9b9;";
const QSize kSecuritySize(250, 200);
const QSize kLockMessageSize(350, 170);
const QSize kMessageSize(300, 170);

QString lockPicture(bool locked)
{
    return locked ? QStringLiteral(":/images/lock.png") : QStringLiteral(":/images/unlock.png");
}

QString fieldText(const QPointer<SecurityBLE> &dialog, QLineEdit *(SecurityBLE::*field)() const)
{
    return dialog ? ((*dialog).*field)()->text() : QString();
}

QPointer<SecurityBLE> s_securityDialog; // the dialog whose buttons act now
} // namespace

// ---------------------------------------------------------------- pictures and messages

void BLEDevice::showBaseLock(bool locked)
{
    ui->label_LockBLE_BASE->setPixmap(QPixmap(lockPicture(locked)));
    ui->label_LockBLE_BASE->show();
}

void BLEDevice::showSensorLock(bool locked)
{
    ui->label_LockBLE_BLE->setPixmap(QPixmap(lockPicture(locked)));
    ui->label_LockBLE_BLE->show();
}

void BLEDevice::showLockedBaseMessage(const QString &text)
{
    auto *dialog = new DynamicQDialog(parentWidget(), QString(), text, false);
    dialog->setStyleSheet(QLatin1String(kIdentifierStyle));
    dialog->resize(kLockMessageSize);
    dialog->exec();
    delete dialog;
}

std::optional<quint32> BLEDevice::readPassword(const QString &text)
{
    const auto password = BleReplies::passwordFromText(text);
    if (!password)
        DynamicQDialog::show(parentWidget(), tr("Пароль должен быть числом\nот 0 до 4294967295"),
                             false, kLockMessageSize);
    return password;
}

void BLEDevice::showSecurityDialog()
{
    SecurityBLE dialog(this, parentWidget(), m_baseLocked, !m_baseLocked, m_sensorLocked,
                       !m_sensorLocked);
    dialog.setStyleSheet(QLatin1String(kSecurityStyle));
    dialog.resize(kSecuritySize);
    s_securityDialog = &dialog;
    dialog.exec();
    s_securityDialog.clear();
}

// ---------------------------------------------------------------- the automatic probe

void BLEDevice::waitForBase(std::chrono::milliseconds duration)
{
    ++m_commandWaits;
    LocalWait::forTime(duration);
    --m_commandWaits;
}

void BLEDevice::automaticPasswordStep()
{
    // A command waiting for its answer goes first; the next data reply
    // schedules the probe again.
    if (!m_autoStepPending || m_advertising || m_commandWaits > 0)
        return;
    if (m_baseLocked) {
        m_sensorStateKnown = true;
        return;
    }
    SharedTimers::pollTimer()->stop();
    if (!m_baseAnswered) {
        // The empty password tells whether the base and the sensor have one.
        m_basePassword = 0;
        m_link->setStep(kStepCheckPassword);
        emit writeData(request(Cmd::SetPassword, BleReplies::passwordPayload(0)));
        waitForBase(kPasswordStepWait);
        emit callParceDataFromComPort();
        // A base that has just turned out locked would refuse the sensor's
        // probe, and its refusal would arrive as the answer to the next
        // password the engineer enters. The probe goes once it is unlocked.
        if (m_baseLocked) {
            SharedTimers::pollTimer()->start(PollTiming::kPollInterval);
            return;
        }
    }
    m_sensorPassword = 0;
    m_link->setStep(Cmd::ReadIdentification);
    emit writeData(request(Cmd::SetPasswordBle, BleReplies::passwordPayload(0)));
    m_passwordSent = true;
    m_sensorProbeSent = true;
    SharedTimers::pollTimer()->start(PollTiming::kPollInterval);
}

bool BLEDevice::takeProbeVerdict()
{
    // The sensor's state counts as known while its base is locked (a refusal
    // then is the base's); the probe sent once the base opened still gets
    // its verdict taken as the sensor's state.
    const bool verdict = !m_sensorStateKnown || m_sensorProbeSent;
    m_sensorProbeSent = false;
    return verdict;
}

// ---------------------------------------------------------------- the base's answers

quint8 BLEDevice::passwordReply(const QByteArray &reply, quint8 step)
{
    if (reply.size() < Protocol::kMinReplyLength || quint8(reply.at(0)) != Protocol::kReplyPrefix
        || quint8(reply.at(Protocol::kAddressOffset)) != expectedAddress()
        || !Frame::hasValidCrc(reply))
        return step;
    const quint8 code = quint8(reply.at(Protocol::kCommandOffset));
    if (code != Cmd::EnterPassword && code != Cmd::WrongPassword && code != Cmd::SetPassword)
        return step; // a poll reply that came late: the answer may still follow
    m_link->setReplySeen(true);
    resetTimerDeviceConnected();

    switch (step) {
    case kStepCheckPassword:
        m_baseAnswered = true;
        if (code == Cmd::WrongPassword) {
            m_link->watchdog()->stop();
            qDebug() << "isBaseLockPass = true4";
            m_baseLocked = true;
            showBaseLock(true);
            // The engineer learns at once that the base wants its password.
            showSecurityDialog();
            resetTimerDeviceConnected();
        } else {
            showBaseLock(false);
            if (code == Cmd::SetPassword && !m_autoStepPending)
                showSecurityDialog();
        }
        break;
    case kStepEnterPassword:
    case kStepSetPassword:
        if (code == Cmd::EnterPassword) {
            m_baseAccepted = true;
            m_baseLocked = false;
            showBaseLock(false);
        } else if (code == Cmd::WrongPassword) {
            m_baseAccepted = false;
            m_baseLocked = true;
            showBaseLock(true);
            qDebug() << "isBaseLockPass = true2";
            showLockedBaseMessage(tr("Вы ввели неправильный пароль\nПовторите ввод"));
        } else if (step == kStepSetPassword) {
            // The base took the new password: from now on it is locked.
            m_baseAccepted = true;
            m_baseLocked = true;
            showBaseLock(true);
            qDebug() << "isBaseLockPass = true3";
        }
        break;
    case kStepDeletePassword:
        m_baseAnswered = true;
        if (code == Cmd::EnterPassword) {
            m_baseLocked = false;
            showBaseLock(false);
        } else if (code == Cmd::WrongPassword) {
            m_baseLocked = true;
            showBaseLock(true);
            qDebug() << "isBaseLockPass = true5";
        } else {
            m_baseLocked = false;
            showBaseLock(false);
            showStatusMessageUp(tr("Пароль удалён"));
            QTimer::singleShot(kDeletedShown, this, [this] { showStatusMessageUp(QString()); });
        }
        break;
    default:
        break;
    }
    return Cmd::ReadIdentification;
}

// ---------------------------------------------------------------- the sensor's answers

void BLEDevice::showSensorPasswordResult(quint8 code)
{
    if (code == BleReplies::kResultPasswordOk) {
        if (!m_passwordSent)
            return;
        m_passwordSent = false;
        if (takeProbeVerdict()) {
            m_sensorStateKnown = true;
            m_autoStepPending = false;
            m_sensorLocked = false;
            showSensorLock(false);
            return;
        }
        if (!(m_inputPending || m_deletePending || m_newPending))
            return;
        m_sensorLocked = m_sensorPassword != 0;
        if (m_inputPending) {
            showStatusMessageUp(tr("Пароль принят"));
            emit signalWriteLog(QStringLiteral("Password bluetooth device is correct"));
            m_sensorLockShown = false;
        } else if (m_deletePending) {
            showStatusMessageUp(tr("Пароль ВТ датчика успешно удалён"));
            emit signalWriteLog(QStringLiteral("Password successfully delete"));
            m_sensorLockShown = false;
        } else {
            showStatusMessageUp(tr("Новый пароль ВТ датчика успешно установлен"));
            emit signalWriteLog(QStringLiteral("New password BLE device successfully set"));
            m_sensorLockShown = true;
        }
        m_inputPending = m_deletePending = m_newPending = false;
        m_sensorPasswordOk = true;
        showSensorLock(m_sensorLockShown);
        m_mainStatusAllowed = false;
        m_statusHold.start(kStatusHold);
        return;
    }
    if (code != BleReplies::kResultPasswordWrong)
        return;
    m_passwordSent = false;
    if (takeProbeVerdict()) {
        m_autoStepPending = false;
        m_sensorLocked = true;
        qDebug() << "Sensor is protected by a password";
    } else {
        m_sensorPasswordOk = false;
        qDebug() << "Wrong sensor password";
        if (m_inputPending || m_deletePending || m_newPending) {
            // Silence would leave the engineer waiting for an answer that came.
            showStatusMessageUp(tr("Неверный пароль датчика"));
            emit signalWriteLog(QStringLiteral("Wrong password BLE device"));
            m_inputPending = m_deletePending = m_newPending = false;
            m_mainStatusAllowed = false;
            m_statusHold.start(kStatusHold);
        }
    }
    showSensorLock(true);
    m_sensorStateKnown = true;
}

// ---------------------------------------------------------------- the engineer's actions

void BLEDevice::sendPass(quint32 pass, quint8 step, quint8 cmd)
{
    SharedTimers::pollTimer()->stop();
    emit writeData(request(cmd, BleReplies::passwordPayload(pass)));
    m_link->setStep(step);
    waitForBase(kPasswordWait);
    m_passwordSent = true;
    emit callParceDataFromComPort();
    SharedTimers::pollTimer()->start(PollTiming::kPollInterval);
}

void BLEDevice::inputPassBase()
{
    const auto password = readPassword(fieldText(s_securityDialog,
                                                 &SecurityBLE::getLineEditInputPassBase));
    if (!password)
        return;
    SharedTimers::pollTimer()->stop();
    m_basePassword = *password;
    emit writeData(request(Cmd::EnterPassword, BleReplies::passwordPayload(m_basePassword)));
    m_link->setStep(kStepEnterPassword);
    waitForBase(kPasswordWait);
    emit callParceDataFromComPort();
    SharedTimers::pollTimer()->start(PollTiming::kPollInterval);
    emit signalWriteLog(QStringLiteral("Input password base BLE"));
}

void BLEDevice::setPassBase()
{
    const auto password = readPassword(fieldText(s_securityDialog,
                                                 &SecurityBLE::getLineEditSetPassBase));
    if (!password)
        return;
    m_basePassword = *password;
    sendPass(m_basePassword, kStepSetPassword, Cmd::SetPassword);
    emit signalWriteLog(QStringLiteral("Set password base BLE"));
}

void BLEDevice::delPassBase()
{
    const auto password = readPassword(fieldText(s_securityDialog,
                                                 &SecurityBLE::getLineEditInputPassBase));
    if (!password)
        return;
    SharedTimers::pollTimer()->stop();
    m_basePassword = *password;
    m_link->setStep(Cmd::ReadIdentification);
    emit writeData(request(Cmd::EnterPassword, BleReplies::passwordPayload(m_basePassword)));
    waitForBase(kPasswordStepWait);
    emit callParceDataFromComPort();
    m_basePassword = 0;
    m_link->setStep(kStepDeletePassword);
    emit writeData(request(Cmd::SetPassword, BleReplies::passwordPayload(0)));
    waitForBase(kPasswordStepWait);
    emit callParceDataFromComPort();
    SharedTimers::pollTimer()->start(PollTiming::kPollInterval);
    emit signalWriteLog(QStringLiteral("Delete password base BLE"));
}

void BLEDevice::inputPassBLE()
{
    const auto password = readPassword(fieldText(s_securityDialog,
                                                 &SecurityBLE::getLineEditInputPassBLE));
    if (!password)
        return;
    SharedTimers::pollTimer()->stop();
    m_sensorPassword = *password;
    m_link->setStep(Cmd::ReadIdentification);
    emit writeData(request(Cmd::EnterPasswordBle, BleReplies::passwordPayload(m_sensorPassword)));
    // The sensor's answer is the result code of a later data reply.
    m_passwordSent = true;
    m_inputPending = true;
    waitForBase(kPasswordWait);
    emit callParceDataFromComPort();
    SharedTimers::pollTimer()->start(PollTiming::kPollInterval);
    m_mainStatusAllowed = false;
    m_commandStatus.start(kCommandStatus);
    showStatusMessageUp(tr("Ожидаем ответ от беспроводного датчика"));
    emit signalWriteLog(QStringLiteral("Input password BLE"));
}

void BLEDevice::setPassBLE()
{
    const auto password = readPassword(fieldText(s_securityDialog,
                                                 &SecurityBLE::getLineEditSetPassBLE));
    if (!password)
        return;
    if (m_baseLocked)
        sendPass(m_basePassword, kStepEnterPassword, Cmd::EnterPassword);
    ui->label_LockBLE_BLE->show();
    m_sensorPassword = *password;
    m_newPending = true;
    sendPass(m_sensorPassword, Cmd::ReadIdentification, Cmd::SetPasswordBle);
    m_commandStatus.start(kCommandStatus);
    m_passwordSent = true;
    m_mainStatusAllowed = false;
    showStatusMessageUp(tr("Ожидаем ответ от беспроводного датчика"));
    emit signalWriteLog(QStringLiteral("Set password BLE"));
}

void BLEDevice::delPassBLE()
{
    const auto password = readPassword(fieldText(s_securityDialog,
                                                 &SecurityBLE::getLineEditInputPassBLE));
    if (!password)
        return;
    SharedTimers::pollTimer()->stop();
    m_sensorPassword = *password;
    m_link->setStep(Cmd::ReadIdentification);
    emit writeData(request(Cmd::EnterPasswordBle, BleReplies::passwordPayload(m_sensorPassword)));
    waitForBase(kSensorDeleteWait);
    emit callParceDataFromComPort();
    m_sensorPassword = 0;
    emit writeData(request(Cmd::SetPasswordBle, BleReplies::passwordPayload(0)));
    m_passwordSent = true;
    m_deletePending = true;
    waitForBase(kPasswordStepWait);
    emit callParceDataFromComPort();
    SharedTimers::pollTimer()->start(PollTiming::kPollInterval);
    m_commandStatus.start(kCommandStatus);
    showStatusMessageUp(tr("Ожидаем ответ от беспроводного датчика"));
    m_mainStatusAllowed = false;
    emit signalWriteLog(QStringLiteral("Delete password BLE"));
}

// ---------------------------------------------------------------- the base identifier

void BLEDevice::openIdentifierDialog()
{
    auto *dialog = new EngineerMenuQDialog(parentWidget(), true);
    dialog->setObjectName(QStringLiteral("identifierDialogBLE"));
    dialog->setVisibleNameFull(false);
    dialog->setNameEmpty(QStringLiteral("S/N"));
    dialog->setVisibleValEmpty();
    dialog->connectBtnToFunctionBLE(this);
    dialog->setStyleSheet(QLatin1String(kIdentifierStyle));
    dialog->resize(kMessageSize);
    m_identifierDialog = dialog;
    dialog->exec();
    m_identifierDialog.clear();
    dialog->deleteLater();
}
