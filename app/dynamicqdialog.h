#pragma once

#include <QDialog>
#include <QString>

#include <functional>

class QLabel;
class QPushButton;

// The one modal message and yes/no dialog of the tool, styled to match the
// dark interface. Result 1 means OK; cancel and Escape give 0.
//
// The size a caller gives is a minimum: before it is shown the dialog grows
// to what its message and buttons need in the current language and fonts,
// wrapping the message only when a line would not fit on the screen.
class DynamicQDialog : public QDialog
{
    Q_OBJECT
public:
    DynamicQDialog(QWidget *parent, const QString &heading, const QString &message,
                   bool withCancel);

    static QString commonStyleSheet();
    // Builds, styles, sizes and runs one dialog the way every caller does;
    // returns 1 for OK.
    static int show(QWidget *parent, const QString &message, bool withCancel = false,
                    const QSize &size = QSize(300, 170));

    void SetTextBtnOk(const QString &text);
    void SetTextBtnCncl(const QString &text);
    QString message() const;
    bool hasCancel() const { return m_cancel != nullptr; }

    // Modal dialogs would block automated runs: while a responder is set,
    // exec() asks it for the result instead of waiting for a person. The
    // responder gets the dialog as its caller set it up, not yet shown;
    // showing it (setVisible) fits it to its text.
    using Responder = std::function<int(DynamicQDialog &)>;
    static void setResponder(Responder responder);

public slots:
    int exec() override;
    void setVisible(bool visible) override;

private:
    void fitToText();

    QLabel *m_heading;
    QLabel *m_message;
    QPushButton *m_ok;
    QPushButton *m_cancel = nullptr;
    bool m_placed = false; // the dialog, not its caller, chose where it stands
};
