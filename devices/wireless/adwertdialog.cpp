#include "adwertdialog.h"

#include <QEventLoop>
#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

namespace {

constexpr QSize kDialogSize(450, 150);

AdwertDialog::Responder &responder()
{
    static AdwertDialog::Responder r;
    return r;
}

QFont dialogFont()
{
    const int id = QFontDatabase::addApplicationFont(QStringLiteral(":/font/6445.ttf"));
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    QFont font(families.isEmpty() ? QString() : families.first());
    font.setPixelSize(14);
    return font;
}

} // namespace

AdwertDialog::AdwertDialog(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowTitleHint
                          | Qt::CustomizeWindowHint),
      m_title(new QLabel(tr("Установить соединение"), this)),
      m_prompt(new QLabel(tr("Введите номер датчика"), this)),
      m_edit(new QLineEdit(this)),
      m_connect(new QPushButton(tr("Подключить"), this)),
      m_close(new QPushButton(this))
{
    setObjectName(QStringLiteral("AdwertDialog"));
    setModal(true);
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFont(dialogFont());
    setStyleSheet(QStringLiteral(
        "QDialog {background-color:#1F2222;border-style: solid;border-width: 1px;"
        "border-color: #b9b9b9;}QLabel {color: #b9b9b9;border: none;}"
        "QLineEdit {color: white;border: 1px solid #b9b9b9;border-radius: 4px;}"));
    m_edit->setObjectName(QStringLiteral("lineEditSerNumAdw"));
    m_edit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]+")), m_edit));
    m_connect->setObjectName(QStringLiteral("pushButtonConnectAdw"));
    m_connect->setDefault(true);
    m_connect->setCursor(Qt::PointingHandCursor);
    m_connect->setStyleSheet(QStringLiteral(
        "QPushButton {min-width: 100px;min-height: 25px;border-style: solid;border-width: 1px;"
        "border-radius: 4px;border-color: #00A778;color:white;}"
        "QPushButton:pressed {background-color: #00A778;}"));
    m_close->setObjectName(QStringLiteral("pushButtonCloseAdw"));
    m_close->setIcon(QIcon(QStringLiteral(":/images/close.png")));
    m_close->setFlat(true);
    m_close->setCursor(Qt::PointingHandCursor);
    m_title->setObjectName(QStringLiteral("labelTitleAdw"));
    m_prompt->setObjectName(QStringLiteral("labelMessageAdw"));

    auto *grid = new QGridLayout(this);
    grid->addWidget(m_title, 0, 0);
    grid->addWidget(m_close, 0, 1, Qt::AlignRight);
    grid->addWidget(m_prompt, 1, 0, 1, 2);
    grid->addWidget(m_edit, 2, 0);
    grid->addWidget(m_connect, 2, 1);
    setMinimumSize(kDialogSize);
    resize(kDialogSize);

    m_timer.setSingleShot(true);
    m_timer.setInterval(kAnswerTimeout);
    connect(&m_timer, &QTimer::timeout, this, &AdwertDialog::sendSignalNotConnectedDevice);
    connect(m_connect, &QPushButton::clicked, this, &AdwertDialog::getInputSerNumDevice);
    connect(m_close, &QPushButton::clicked, this, &QDialog::accept);
    m_edit->setFocus();
}

QString AdwertDialog::message() const
{
    return m_prompt->text();
}

void AdwertDialog::setResponder(Responder r)
{
    responder() = std::move(r);
}

int AdwertDialog::exec()
{
    if (!responder())
        return QDialog::exec();
    QEventLoop loop;
    connect(this, &QDialog::finished, &loop, &QEventLoop::quit);
    setResult(0);
    m_done = false;
    connect(this, &QDialog::finished, this, [this] { m_done = true; });
    responder()(*this);
    if (!m_done)
        loop.exec();
    return result();
}

void AdwertDialog::getInputSerNumDevice()
{
    m_prompt->setText(tr("Ожидаем ответа от датчика"));
    emit sendValueSerNumToConnect(m_edit->text());
    m_timer.start();
}

void AdwertDialog::setMessageErrorConnectDevice()
{
    m_prompt->setText(tr("Ошибка подключения"));
}

void AdwertDialog::sendSignalNotConnectedDevice()
{
    m_timer.stop();
    setMessageErrorConnectDevice();
    emit signalNotConnectedDevice();
}

void AdwertDialog::restoreMessageConnectDevice()
{
    m_prompt->setText(tr("Введите номер датчика"));
}
