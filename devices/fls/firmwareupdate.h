#pragma once

#include "link/firmwareexchange.h"

#include <QByteArray>
#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <chrono>
#include <optional>

class QLabel;
class QProgressBar;
class QWidget;

// The wired page's firmware update around the bootloader exchange: choosing
// the file, the reset that sends the sensor towards its bootloader, the
// progress bar, the error label and the texts and log lines of the update.
// While it runs the page's poll is stopped and every byte the port delivers
// comes here (bytesReceived), so an acknowledgement is handled the moment it
// is read and the next frame follows at once.
class FirmwareUpdate : public QObject
{
    Q_OBJECT
public:
    static constexpr auto kErrorHold = std::chrono::milliseconds(2000); // error label shown this long
    // After the reset a poll reply may still be on its way; its bytes must not
    // be taken for the bootloader's answer to the first knock.
    static constexpr auto kLineSettle = std::chrono::milliseconds(200);
    static constexpr const char *kFolderKey = "default_dir"; // last firmware file chosen

    FirmwareUpdate(QWidget *page, QProgressBar *progressBar, QObject *parent = nullptr);

    // Asks for the file and starts the update of the sensor at `address`.
    // A file whose path names no model is refused before anything is sent;
    // otherwise the sensor is reset, and when the dialog was cancelled or the
    // file holds no image for the model the page goes back to the search.
    void start(quint8 address);
    void bytesReceived(const QByteArray &bytes);
    // The line went away (converter lost, the engineer disconnected).
    void abort();

    bool isRunning() const { return m_running; }
    // An update that failed may have left the sensor without an application,
    // so that it never answers the search again: the update stays offered.
    bool lastUpdateFailed() const { return m_lastFailed; }
    QLabel *errorLabel() const { return m_errorLabel; }
    FirmwareExchange *exchange() { return &m_exchange; }

signals:
    void writeRequested(const QByteArray &frame);
    void logLine(const QString &text);
    void pageStatus(const QString &text);   // the page's status label and the header's model line
    void headerStatus(const QString &text); // the header's status line
    void showMessage(const QString &text);  // a message dialog
    // The page leaves its readings for the update: the page resets itself to
    // the search and stops its poll and watchdog.
    void pageReleased();
    // The update is over, one way or the other: the page searches again.
    void pageResumed();
    void bootloaderAnswered();

public slots:
    void setInvisibleProgressBarFirmware();
    void setVisibleLabelBadFirmW();
    void setInVisibleLabelBadFirmW();
    void showErrorUpdateFirmware();

private:
    QString chooseFile() const;
    // Reads the file into m_file; what is wrong with it, or empty.
    QString load(const QString &path, const FirmwareModel &model);
    void startKnocking();
    void onFinished(bool ok);
    qint64 elapsedSeconds() const;

    QPointer<QWidget> m_page;
    QPointer<QProgressBar> m_progressBar;
    QLabel *m_errorLabel = nullptr;
    FirmwareExchange m_exchange;
    QTimer m_settleTimer;
    QTimer m_errorHoldTimer;
    std::optional<FirmwareModel> m_lastModel; // of the last update of this run that named one
    FirmwareModel m_model;
    QByteArray m_file;
    qint64 m_startedAt = 0; // seconds since the epoch
    bool m_running = false;
    bool m_settling = false;
    bool m_lastFailed = false;
};
