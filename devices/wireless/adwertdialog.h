#pragma once

#include <QDialog>
#include <QString>
#include <QTimer>

#include <chrono>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

// Asks for the serial number of the advertising sensor a tile is to show
// and waits for the base to report it.
class AdwertDialog : public QDialog
{
    Q_OBJECT
public:
    static constexpr auto kAnswerTimeout = std::chrono::milliseconds(15000);

    explicit AdwertDialog(QWidget *parent = nullptr);

    QLineEdit *serialEdit() const { return m_edit; }
    QPushButton *connectButton() const { return m_connect; }
    QString message() const;
    const QTimer &answerTimer() const { return m_timer; }

    // A modal dialog would block automated runs: while a responder is set,
    // exec() hands the dialog to it (to type and press) and then waits,
    // without showing it, until the dialog is closed.
    using Responder = std::function<void(AdwertDialog &)>;
    static void setResponder(Responder responder);

public slots:
    int exec() override;
    void setMessageErrorConnectDevice();
    void getInputSerNumDevice();
    void sendSignalNotConnectedDevice();
    void restoreMessageConnectDevice();

signals:
    void sendValueSerNumToConnect(const QString &serial);
    void signalNotConnectedDevice();

private:
    QLabel *m_title;
    QLabel *m_prompt;
    QLineEdit *m_edit;
    QPushButton *m_connect;
    QPushButton *m_close;
    QTimer m_timer;
    bool m_done = false; // closed while the responder ran
};
