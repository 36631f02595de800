#include "securityble.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

namespace {
const char kMessageStyle[] = "QFrame {border:none;color:white;font-size: 10pt;}";
const char kFieldStyle[] =
    "QLineEdit {font-size:12pt;min-width: 110px;min-height: 30px;background-color:#1F2222;"
    "border-style: solid;border-radius: 4px;border-width: 1px;border-color: #b9b9b9;"
    "color : white;}";
const char kPictureStyle[] = "QLabel {border:none;}";

SecurityBLE::Responder &responder()
{
    static SecurityBLE::Responder r;
    return r;
}

} // namespace

SecurityBLE::SecurityBLE(QObject *receiver, QWidget *parent, bool baseLocked,
                         bool baseNotLocked, bool sensorLocked, bool sensorNotLocked)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("SecurityBLE"));
    auto *digits = new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]+")),
                                                   this);
    auto makeField = [this, digits](const char *name) {
        auto *field = new QLineEdit(this);
        field->setObjectName(QLatin1String(name));
        field->setValidator(digits);
        field->setStyleSheet(QLatin1String(kFieldStyle));
        field->setEchoMode(QLineEdit::Password); // a password is never shown
        field->hide();
        return field;
    };
    m_inputBase = makeField("lineEditInputPassBase");
    m_setBase = makeField("lineEditSetPassBase");
    m_inputSensor = makeField("lineEditInputPassBLE");
    m_setSensor = makeField("lineEditSetPassBLE");
    m_skip = new QPushButton(tr("Пропустить"), this);
    m_skip->setObjectName(QStringLiteral("pushButtonSkipPass"));
    connect(m_skip, &QPushButton::clicked, this, &QDialog::accept);

    auto makeButton = [this, receiver](const QString &text, const char *name, const char *slot) {
        auto *button = new QPushButton(text, this);
        button->setObjectName(QLatin1String(name));
        connect(button, SIGNAL(clicked()), receiver, slot);
        connect(button, &QPushButton::clicked, this, &QDialog::accept);
        return button;
    };

    // One section for the base and one for its sensor: a dialog that only
    // knew the base would leave the sensor's password out of reach.
    auto *grid = new QGridLayout(this);
    int row = 0;
    auto addSection = [&](const char *picture, const QString &message, QLineEdit *field) {
        auto *icon = new QLabel(this);
        icon->setPixmap(QPixmap(QLatin1String(picture))
                            .scaled(48, 48, Qt::KeepAspectRatio, Qt::SmoothTransformation));
        icon->setStyleSheet(QLatin1String(kPictureStyle));
        grid->addWidget(icon, row, 0, 3, 1, Qt::AlignTop);
        auto *label = new QLabel(message, this);
        label->setObjectName(QStringLiteral("labelSecurityMessage"));
        label->setStyleSheet(QLatin1String(kMessageStyle));
        grid->addWidget(label, row, 1, 1, 2);
        field->show();
        grid->addWidget(field, row + 1, 1, 1, 2);
    };
    if (baseLocked) {
        addSection(":/images/ble_base.png",
                   tr("Изменение настроек базы защищено паролем.\nВведите пароль"), m_inputBase);
        grid->addWidget(makeButton(tr("Ввести пароль базы"), "pushButtonInputPassBase",
                                   SLOT(inputPassBase())),
                        row + 2, 1);
        grid->addWidget(makeButton(tr("Удалить пароль базы"), "pushButtonDelPassBase",
                                   SLOT(delPassBase())),
                        row + 2, 2);
        row += 3;
    } else if (baseNotLocked) {
        addSection(":/images/ble_base.png",
                   tr("Изменение настроек базы не защищено паролем\n"
                      "Вы можете установить пароль или пропустить этот шаг"),
                   m_setBase);
        grid->addWidget(makeButton(tr("Установить пароль базы"), "pushButtonSetPassBase",
                                   SLOT(setPassBase())),
                        row + 2, 1, 1, 2);
        row += 3;
    }
    if (sensorLocked) {
        addSection(":/images/bluetooth.png",
                   tr("Изменение настроек датчика защищено паролем.\nВведите пароль"),
                   m_inputSensor);
        grid->addWidget(makeButton(tr("Ввести пароль датчика"), "pushButtonInputPassBLE",
                                   SLOT(inputPassBLE())),
                        row + 2, 1);
        grid->addWidget(makeButton(tr("Удалить пароль датчика"), "pushButtonDelPassBLE",
                                   SLOT(delPassBLE())),
                        row + 2, 2);
        row += 3;
    } else if (sensorNotLocked) {
        addSection(":/images/bluetooth.png",
                   tr("Изменение настроек датчика не защищено паролем\n"
                      "Вы можете установить пароль или пропустить этот шаг"),
                   m_setSensor);
        grid->addWidget(makeButton(tr("Установить пароль датчика"), "pushButtonSetPassBLE",
                                   SLOT(setPassBLE())),
                        row + 2, 1, 1, 2);
        row += 3;
    }
    grid->addWidget(m_skip, row, 1, 1, 2);
}

void SecurityBLE::setResponder(Responder r)
{
    responder() = std::move(r);
}

int SecurityBLE::exec()
{
    if (responder()) {
        responder()(*this);
        return result();
    }
    return QDialog::exec();
}
