#pragma once

#include <QDialog>

#include <functional>

class QLineEdit;
class QPushButton;

// The password dialog of the wireless page. It shows one section, the first
// whose flag is set: the base locked (enter or delete its password), the
// base not locked (set one or skip), then the same two for the sensor. Its
// buttons call the receiver's inputPassBase(), setPassBase(), delPassBase(),
// inputPassBLE(), setPassBLE() and delPassBLE() slots.
class SecurityBLE : public QDialog
{
    Q_OBJECT
public:
    SecurityBLE(QObject *receiver, QWidget *parent, bool baseLocked, bool baseNotLocked,
                bool sensorLocked, bool sensorNotLocked);

    QLineEdit *getLineEditInputPassBase() const { return m_inputBase; }
    QLineEdit *getLineEditSetPassBase() const { return m_setBase; }
    QLineEdit *getLineEditInputPassBLE() const { return m_inputSensor; }
    QLineEdit *getLineEditSetPassBLE() const { return m_setSensor; }
    QPushButton *skipButton() const { return m_skip; }

    // A modal dialog would block automated runs: while a responder is set,
    // exec() lets it act on the dialog instead of waiting for a person.
    using Responder = std::function<void(SecurityBLE &)>;
    static void setResponder(Responder responder);

public slots:
    int exec() override;

private:
    QLineEdit *m_inputBase;
    QLineEdit *m_setBase;
    QLineEdit *m_inputSensor;
    QLineEdit *m_setSensor;
    QPushButton *m_skip;
};
