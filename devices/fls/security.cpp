#include "security.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

namespace {
const char kMessageStyle[] = "QFrame {border:none;color:white;font-size: 10pt;}";
const char kFieldStyle[] =
    "QLineEdit {font-size:12pt;max-width: 110px;min-height: 30px;background-color:#1F2222;"
    "border-style: solid;border-radius: 4px;border-width: 1px;border-color: #b9b9b9;"
    "color : white;}";
const char kDialogStyle[] =
    "QWidget {background-color:#1F2222;border-style: solid;border-radius: 8px;"
    "border-width: 1px;border-color: white;color:white;}";

Security::Responder &responder()
{
    static Security::Responder r;
    return r;
}
} // namespace

Security::Security(QObject *receiver, QWidget *parent, bool inputMode, bool setMode)
    : QDialog(parent)
{
    setStyleSheet(QLatin1String(kDialogStyle));
    auto *digits = new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]+")),
                                                   this);
    auto makeField = [this, digits] {
        auto *field = new QLineEdit(this);
        field->setValidator(digits);
        field->setStyleSheet(QLatin1String(kFieldStyle));
        return field;
    };
    m_inputField = makeField();
    m_inputField->setObjectName(QStringLiteral("lineEditInputPass"));
    m_setField = makeField();
    m_setField->setObjectName(QStringLiteral("lineEditSetPass"));
    m_input = new QPushButton(tr("Ввести пароль"), this);
    m_set = new QPushButton(tr("Установить пароль"), this);
    m_delete = new QPushButton(tr("Удалить пароль"), this);
    auto *close = new QPushButton(tr("Закрыть"), this);
    connect(m_input, SIGNAL(clicked()), receiver, SLOT(inputPass()));
    connect(m_set, SIGNAL(clicked()), receiver, SLOT(setPass()));
    connect(m_delete, SIGNAL(clicked()), receiver, SLOT(delPass()));
    for (QPushButton *button : {m_input, m_set, m_delete, close})
        connect(button, &QPushButton::clicked, this, &QDialog::accept);

    auto *grid = new QGridLayout(this);
    if (inputMode) {
        auto *message = new QLabel(
            tr("Изменение настроек устройства защищено паролем.\nВведите пароль"), this);
        message->setStyleSheet(QLatin1String(kMessageStyle));
        grid->addWidget(message, 0, 0, 1, 2);
        grid->addWidget(m_inputField, 1, 0);
        grid->addWidget(m_input, 4, 0);
        grid->addWidget(m_delete, 4, 1);
        m_setField->hide();
        m_set->hide();
    } else if (setMode) {
        auto *message = new QLabel(tr("Изменение настроек датчика не защищено паролем\n"
                                      "Вы можете установить пароль или пропустить этот шаг"),
                                   this);
        message->setStyleSheet(QLatin1String(kMessageStyle));
        grid->addWidget(message, 0, 0);
        grid->addWidget(m_setField, 1, 0);
        grid->addWidget(m_set, 3, 0);
        m_inputField->hide();
        m_input->hide();
        m_delete->hide();
    }
    grid->addWidget(close, 8, 0);
}

QString Security::getLineEditInputPass() const
{
    return m_inputField->text();
}

QString Security::getLineEditSetPass() const
{
    return m_setField->text();
}

void Security::setResponder(Responder r)
{
    responder() = std::move(r);
}

int Security::exec()
{
    if (responder()) {
        responder()(*this);
        return result();
    }
    return QDialog::exec();
}
