#include "dynamicqdialog.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const char kLabelStyle[] = "QLabel {background-color : #1f2222;color : #b9b9b9;border: none;}";
const char kSeparatorStyle[] =
    "QFrame {background-color : #B9B9B9;max-height: 0.5px;border-style:none;}";
const char kButtonStyle[] =
    "QPushButton {min-width: 118px;min-height: 36px;border-style: solid;border-radius: 4px;"
    "border-color: #00A778;}QPushButton:pressed {background-color: #00A778;border-style: solid;"
    "border-radius: 4px;color:#b9b9b9;}";

DynamicQDialog::Responder &responder()
{
    static DynamicQDialog::Responder r;
    return r;
}

QPushButton *makeButton(const QString &caption, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setCursor(Qt::PointingHandCursor);
    button->setStyleSheet(QLatin1String(kButtonStyle));
    return button;
}
} // namespace

DynamicQDialog::DynamicQDialog(QWidget *parent, const QString &heading, const QString &message,
                               bool withCancel)
    : QDialog(parent)
{
    m_heading = new QLabel(heading, this);
    m_heading->setStyleSheet(QLatin1String(kLabelStyle));
    auto *separator = new QFrame(this);
    separator->setStyleSheet(QLatin1String(kSeparatorStyle));
    separator->setFrameShape(QFrame::HLine);
    m_message = new QLabel(message, this);
    m_message->setStyleSheet(QLatin1String(kLabelStyle));

    auto *text = new QVBoxLayout;
    text->addWidget(m_heading);
    text->addWidget(separator);
    text->addWidget(m_message);

    auto *buttons = new QHBoxLayout;
    buttons->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    if (withCancel) {
        m_cancel = makeButton(tr("Отмена"), this);
        connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
        buttons->addWidget(m_cancel);
    }
    m_ok = makeButton(tr("OK"), this);
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    buttons->addWidget(m_ok);

    auto *grid = new QGridLayout(this);
    grid->addLayout(text, 0, 0);
    grid->addLayout(buttons, 1, 0);

    setMinimumSize(1, 1);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
}

QString DynamicQDialog::commonStyleSheet()
{
    return QStringLiteral(
        "background-color:#1F2222;border-style: solid;border-radius: 10px;border-width: 1px;"
        "border-color: #b9b9b9;color : #b9b9b9;");
}

int DynamicQDialog::show(QWidget *parent, const QString &message, bool withCancel,
                         const QSize &size)
{
    DynamicQDialog dialog(parent, QString(), message, withCancel);
    dialog.setStyleSheet(commonStyleSheet());
    dialog.resize(size);
    return dialog.exec() == QDialog::Accepted ? 1 : 0;
}

void DynamicQDialog::SetTextBtnOk(const QString &text)
{
    m_ok->setText(text);
}

void DynamicQDialog::SetTextBtnCncl(const QString &text)
{
    if (m_cancel)
        m_cancel->setText(text);
}

QString DynamicQDialog::message() const
{
    return m_message->text();
}

void DynamicQDialog::setResponder(Responder r)
{
    responder() = std::move(r);
}

int DynamicQDialog::exec()
{
    if (responder()) {
        const int result = responder()(*this) == QDialog::Accepted ? QDialog::Accepted
                                                                   : QDialog::Rejected;
        setResult(result);
        return result;
    }
    return QDialog::exec();
}
