#include "engineermenuqdialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QTimer>

#include <chrono>

namespace {
using namespace std::chrono_literals;
constexpr auto kUpdateDelay = 50ms;
constexpr int kTextPixelSize = 14;
const char kSetStyle[] =
    "QPushButton {background-color: #E32323;border-style: solid;border-radius: 4px;"
    "color:white;min-width: 100px;min-height: 25px;}"
    "QPushButton:pressed {background-color: #A22300;border-style: solid;border-radius: 4px;"
    "color:white;}";
const char kDialogButtonStyle[] =
    "QPushButton {min-width: 100px;min-height: 25px;border-style: solid;border-radius: 4px;"
    "border-color: #00A778;color:white;}"
    "QPushButton:pressed {background-color: #00A778;border-style: solid;border-radius: 4px;"
    "color:white;}";
const char kNameStyle[] = "border-style: none;color:white;";
const char kValueStyle[] = "color:white;";

QPushButton *makeButton(const QString &text, const QString &name, const char *style,
                        QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setStyleSheet(QLatin1String(style));
    return button;
}

QLabel *makeLabel(const QString &text, const QString &name, const char *style, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setStyleSheet(QLatin1String(style));
    return label;
}

QLineEdit *makeEdit(const QString &name, QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]+")), edit));
    return edit;
}

bool hasSlot(const QObject *object, const char *signature)
{
    return object
        && object->metaObject()->indexOfSlot(QMetaObject::normalizedSignature(signature)) >= 0;
}
} // namespace

EngineerMenuQDialog::EngineerMenuQDialog(QWidget *parent, bool withCancel) : QDialog(parent)
{
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowTitleHint
                   | Qt::CustomizeWindowHint);
    QFont textFont = font();
    textFont.setPixelSize(kTextPixelSize);
    setFont(textFont);

    m_nameFull = makeLabel(tr("Полный"), QStringLiteral("labelNameFull"), kNameStyle, this);
    m_nameEmpty = makeLabel(tr("Пустой"), QStringLiteral("labelNameEmpty"), kNameStyle, this);
    m_editFull = makeEdit(QStringLiteral("lineEditFull"), this);
    m_editEmpty = makeEdit(QStringLiteral("lineEditEmpty"), this);
    m_valueFull = makeLabel(QStringLiteral("%1").arg(m_full), QStringLiteral("labelValueFull"),
                            kValueStyle, this);
    m_valueEmpty = makeLabel(QStringLiteral("%1").arg(m_empty), QStringLiteral("labelValueEmpty"),
                             kValueStyle, this);

    m_set = makeButton(tr("Установить"), QStringLiteral("pushButtonSet"), kSetStyle, this);
    m_set->setCursor(Qt::PointingHandCursor);

    auto *ok = makeButton(tr("OK"), QStringLiteral("pushButtonOk"), kDialogButtonStyle, this);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(ok);
    if (withCancel) {
        auto *cancel = makeButton(tr("Отмена"), QStringLiteral("pushButtonCancel"),
                                  kDialogButtonStyle, this);
        connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
        buttons->addWidget(cancel);
    }

    auto *grid = new QGridLayout(this);
    grid->addWidget(m_nameFull, 0, 0);
    grid->addWidget(m_editFull, 0, 1);
    grid->addWidget(m_valueFull, 0, 2);
    grid->addWidget(m_nameEmpty, 1, 0);
    grid->addWidget(m_editEmpty, 1, 1);
    grid->addWidget(m_valueEmpty, 1, 2);
    grid->addWidget(m_set, 2, 0, 1, 3, Qt::AlignCenter);
    grid->addLayout(buttons, 3, 0, 1, 3);
}

QStringList EngineerMenuQDialog::checkFullAndEmpty(quint32 full, quint32 empty)
{
    QStringList messages;
    if (full < empty)
        messages << tr("Значение \"Пустой\" не может быть больше \"Полный\"");
    if (empty == 0)
        messages << tr("Установите корректное значение \"Пустой\"");
    if (full == 0)
        messages << tr("Установите корректное значение \"Полный\"");
    return messages;
}

QString EngineerMenuQDialog::fullValueText() const
{
    return m_valueFull->text();
}

QString EngineerMenuQDialog::emptyValueText() const
{
    return m_valueEmpty->text();
}

void EngineerMenuQDialog::updateValueLevel(int full, int empty)
{
    m_full = full;
    m_empty = empty;
    m_valueFull->setText(QStringLiteral("%1").arg(full));
    m_valueEmpty->setText(QStringLiteral("%1").arg(empty));
}

void EngineerMenuQDialog::setValueLevel()
{
    m_valueFull->setText(m_editFull->text());
    m_valueEmpty->setText(m_editEmpty->text());
}

void EngineerMenuQDialog::setFullValue(int full)
{
    m_valueFull->setText(QStringLiteral("%1").arg(full));
}

void EngineerMenuQDialog::setEmptyValue(int empty)
{
    m_valueEmpty->setText(QStringLiteral("%1").arg(empty));
}

quint32 EngineerMenuQDialog::typedValue(const QLineEdit *edit)
{
    bool ok = false;
    const uint value = edit->text().toUInt(&ok); // fails beyond 32 bits: no wrap-around
    return ok ? quint32(value) : 0;
}

quint32 EngineerMenuQDialog::getFullValue()
{
    return typedValue(m_editFull);
}

quint32 EngineerMenuQDialog::getEmptyValue()
{
    return typedValue(m_editEmpty);
}

QString EngineerMenuQDialog::getStringEmptyValue()
{
    return m_editEmpty->text();
}

void EngineerMenuQDialog::setTimerUpdateVal(QWidget *parent)
{
    if (!hasSlot(parent, "UpdataValEngMenu()"))
        return;
    QTimer::singleShot(int(std::chrono::milliseconds(kUpdateDelay).count()), parent,
                       SLOT(UpdataValEngMenu()));
}

void EngineerMenuQDialog::connectBtnToFunctionDUT(QWidget *parent)
{
    // The labels take the typed values before the window reads and sends them.
    connect(m_set, &QPushButton::clicked, this, &EngineerMenuQDialog::setValueLevel,
            Qt::UniqueConnection);
    if (hasSlot(parent, "setFullAndEmptyLevel()"))
        connect(m_set, SIGNAL(clicked()), parent, SLOT(setFullAndEmptyLevel()),
                Qt::UniqueConnection);
}

void EngineerMenuQDialog::connectBtnToFunctionBLE(QWidget *parent)
{
    if (hasSlot(parent, "changeUiidBle()"))
        connect(m_set, SIGNAL(clicked()), parent, SLOT(changeUiidBle()), Qt::UniqueConnection);
}

void EngineerMenuQDialog::setVisibleValEmpty()
{
    m_valueEmpty->clear();
}

void EngineerMenuQDialog::setVisibleNameFull(bool visible)
{
    m_nameFull->setVisible(visible);
    m_editFull->setVisible(visible);
    m_valueFull->setVisible(visible);
}

void EngineerMenuQDialog::setVisibleNameEmpty(bool visible)
{
    m_nameEmpty->setVisible(visible);
    m_editEmpty->setVisible(visible);
    m_valueEmpty->setVisible(visible);
}

void EngineerMenuQDialog::setNameFull(const QString &name)
{
    m_nameFull->setText(name);
}

void EngineerMenuQDialog::setNameEmpty(const QString &name)
{
    m_nameEmpty->setText(name);
}

void EngineerMenuQDialog::setInvisibleLayoutEmpty()
{
    setVisibleNameEmpty(false);
}
