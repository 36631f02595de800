#include "firmwareupdate.h"

#include "app/filedialogs.h"
#include "link/frame.h"
#include "link/protocol.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QSettings>
#include <QWidget>

namespace {
constexpr auto kSettingsOrganization = "Volmar";           // where the tool keeps its settings
constexpr auto kSettingsApplication = "Volmar Configurator";
constexpr auto kErrorLabelStyle = "QLabel {font-size:12pt;color : white;}";
} // namespace

FirmwareUpdate::FirmwareUpdate(QWidget *page, QProgressBar *progressBar, QObject *parent)
    : QObject(parent), m_page(page), m_progressBar(progressBar)
{
    m_settleTimer.setSingleShot(true);
    m_settleTimer.setInterval(kLineSettle);
    connect(&m_settleTimer, &QTimer::timeout, this, &FirmwareUpdate::startKnocking);
    m_errorHoldTimer.setSingleShot(true);
    m_errorHoldTimer.setInterval(kErrorHold);
    connect(&m_errorHoldTimer, &QTimer::timeout, this, &FirmwareUpdate::setInVisibleLabelBadFirmW);
    connect(&m_errorHoldTimer, &QTimer::timeout, this, &FirmwareUpdate::showErrorUpdateFirmware);

    connect(&m_exchange, &FirmwareExchange::writeRequested, this, &FirmwareUpdate::writeRequested);
    connect(&m_exchange, &FirmwareExchange::progressChanged, this, [this](int value, int maximum) {
        if (!m_progressBar)
            return;
        m_progressBar->setRange(0, maximum);
        m_progressBar->setValue(value);
    });
    connect(&m_exchange, &FirmwareExchange::sensorAnswered, this, [this] {
        setInVisibleLabelBadFirmW();
        emit pageStatus(tr("Идёт обновление прошивки датчика"));
        emit bootloaderAnswered();
    });
    connect(&m_exchange, &FirmwareExchange::finished, this,
            [this](bool ok, const QString &) { onFinished(ok); });

    if (m_page) {
        m_errorLabel = new QLabel(tr("Ошибка в обновлении"), m_page);
        m_errorLabel->setObjectName(QStringLiteral("label_BadFirmwareDUT"));
        m_errorLabel->setGeometry(290, 530, 300, 25);
        m_errorLabel->setStyleSheet(QLatin1String(kErrorLabelStyle));
        m_errorLabel->hide();
    }
    if (m_progressBar)
        m_progressBar->hide();
}

QString FirmwareUpdate::chooseFile() const
{
    QSettings settings{QString::fromLatin1(kSettingsOrganization),
                       QString::fromLatin1(kSettingsApplication)};
    const QString folder = settings.value(QLatin1String(kFolderKey)).toString();
    const QString path = FileDialogs::openFileName(m_page, tr("Выберете файл прошивки"),
                                                   QStringLiteral("*.cri *.bin"), folder);
    if (!path.isEmpty())
        settings.setValue(QLatin1String(kFolderKey), QFileInfo(path).absoluteFilePath());
    return path;
}

void FirmwareUpdate::start(quint8 address)
{
    if (m_running)
        return;
    const QString path = chooseFile();
    std::optional<FirmwareModel> model;
    if (!path.isEmpty()) {
        // Without a model nothing tells where the image goes: refused before
        // the reset, so the sensor keeps running its firmware.
        model = FirmwareModel::forPath(path, m_lastModel);
        if (!model) {
            emit showMessage(tr("Модель датчика не найдена в имени файла прошивки.\n"
                                "Имя файла или папки должно содержать KV210, KV260, KV510, KV610 или KVL300"));
            return;
        }
    }

    // The sensor is reset before the file is read, a cancelled dialog
    // included: it restarts, and the page finds it again in the search.
    emit logLine(QStringLiteral("Starting update firmware"));
    m_startedAt = QDateTime::currentSecsSinceEpoch();
    emit pageReleased();
    // After a failed update no sensor answers, and there is no address to
    // reset: the sensor waits in its bootloader for the power cycle anyway.
    if (address != 0 && address != Protocol::kBroadcastAddress)
        emit writeRequested(Frame::writeRequest(address, Protocol::Command::Reset));
    if (path.isEmpty()) {
        emit pageResumed();
        return;
    }
    const QString problem = load(path, *model);
    if (!problem.isEmpty()) {
        emit pageResumed();
        emit showMessage(problem);
        return;
    }

    if (!model->kv260)
        m_lastModel = *model;
    m_model = *model;
    m_running = true;
    m_lastFailed = false;
    m_errorHoldTimer.stop();
    setInVisibleLabelBadFirmW();
    emit pageStatus(tr("Переподключите питание датчика"));
    if (m_progressBar) {
        m_progressBar->setRange(0, FirmwareExchange::progressMaximum(int(m_file.size()), m_model));
        m_progressBar->setValue(0);
        m_progressBar->show();
    }
    m_settling = true;
    m_settleTimer.start();
}

QString FirmwareUpdate::load(const QString &path, const FirmwareModel &model)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return tr("Не удалось открыть файл прошивки");
    m_file = file.readAll();
    // A file too short for the header and an image would put garbage where
    // the firmware goes.
    if (file.error() != QFileDevice::NoError || !FirmwareExchange::holdsImage(m_file, model)) {
        m_file.clear();
        return tr("В файле нет прошивки для этой модели датчика");
    }
    return {};
}

void FirmwareUpdate::startKnocking()
{
    m_settling = false;
    if (m_running)
        m_exchange.start(m_file, m_model);
}

void FirmwareUpdate::bytesReceived(const QByteArray &bytes)
{
    if (m_running && !m_settling)
        m_exchange.receive(bytes);
}

void FirmwareUpdate::abort()
{
    if (!m_running)
        return;
    m_settleTimer.stop();
    m_exchange.abort();
    m_running = false;
    m_lastFailed = true;
    setInvisibleProgressBarFirmware();
    emit logLine(QStringLiteral("Error update firmware %1 sec").arg(elapsedSeconds()));
    showErrorUpdateFirmware();
}

void FirmwareUpdate::onFinished(bool ok)
{
    if (!m_running)
        return;
    m_running = false;
    m_lastFailed = !ok;
    setInvisibleProgressBarFirmware();
    if (ok) {
        if (m_model.kv260)
            qDebug() << "KV260 sensor flashed";
        emit logLine(QStringLiteral("End update firmware %1 sec").arg(elapsedSeconds()));
        emit headerStatus(QString());
        emit pageStatus(tr("Подключите датчик"));
        emit pageResumed();
        emit showMessage(tr("Прошивка успешно обновлена"));
        return;
    }
    // The sensor stopped answering its bootloader: say so for a moment, then
    // leave the page searching, where a sensor whose old firmware still
    // runs is found again.
    setVisibleLabelBadFirmW();
    m_errorHoldTimer.start();
    emit pageResumed();
}

void FirmwareUpdate::setInvisibleProgressBarFirmware()
{
    if (m_progressBar)
        m_progressBar->hide();
}

void FirmwareUpdate::setVisibleLabelBadFirmW()
{
    if (m_errorLabel)
        m_errorLabel->show();
    emit logLine(QStringLiteral("Error update firmware %1 sec").arg(elapsedSeconds()));
}

void FirmwareUpdate::setInVisibleLabelBadFirmW()
{
    if (m_errorLabel)
        m_errorLabel->hide();
}

void FirmwareUpdate::showErrorUpdateFirmware()
{
    emit pageStatus(tr("Прошивка не обновлена"));
}

qint64 FirmwareUpdate::elapsedSeconds() const
{
    return QDateTime::currentSecsSinceEpoch() - m_startedAt;
}
