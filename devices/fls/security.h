#pragma once

#include <QDialog>
#include <QString>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

// The password dialog of the wired sensor: in input mode it asks for the
// password of a protected sensor (enter or delete), in set mode it offers to
// protect an unprotected one. Its buttons call the receiver's inputPass(),
// setPass() and delPass() slots.
class Security : public QDialog
{
    Q_OBJECT
public:
    Security(QObject *receiver, QWidget *parent, bool inputMode, bool setMode);

    QPushButton *inputButton() const { return m_input; }
    QPushButton *setButton() const { return m_set; }
    QPushButton *deleteButton() const { return m_delete; }
    QLineEdit *inputField() const { return m_inputField; }
    QLineEdit *setField() const { return m_setField; }

    // A modal dialog would block automated runs: while a responder is set,
    // exec() lets it act on the dialog instead of waiting for a person.
    using Responder = std::function<void(Security &)>;
    static void setResponder(Responder responder);

public slots:
    QString getLineEditInputPass() const;
    QString getLineEditSetPass() const;
    int exec() override;

private:
    QLineEdit *m_inputField;
    QLineEdit *m_setField;
    QPushButton *m_input;
    QPushButton *m_set;
    QPushButton *m_delete;
};
