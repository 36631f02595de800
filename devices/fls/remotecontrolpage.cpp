#include "remotecontrolpage.h"

#include "remotecommand.h"
#include "app/dynamicqdialog.h"
#include "ui_configurator.h"

#include <QClipboard>
#include <QDebug>
#include <QGuiApplication>
#include <QList>
#include <QRegularExpressionValidator>

RemoteControlPage::RemoteControlPage(Ui::Configurator *form, QWidget *dialogParent)
    : QObject(dialogParent), ui(form), m_dialogParent(dialogParent)
{
    ui->comboBoxRemoteControl->clear();
    ui->comboBoxRemoteControl->addItems(RemoteCommand::commandTexts());
    ui->comboBoxModeRemoteControl->clear();
    ui->comboBoxModeRemoteControl->addItems(RemoteCommand::modeTexts());
    ui->comboBoxFiltrRemoteControl->clear();
    ui->comboBoxFiltrRemoteControl->addItems(RemoteCommand::filtrationTexts());

    // The line field holds the generated line and takes a pasted answer,
    // which is hexadecimal.
    ui->lineEditGenRemoteControl->setReadOnly(false);
    ui->lineEditGenRemoteControl->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9a-fA-F]+")), ui->lineEditGenRemoteControl));
    for (QLineEdit *field : {ui->lineEditNetNumRemoteControl, ui->lineEditPassRemoteControl})
        field->setValidator(new QRegularExpressionValidator(
            QRegularExpression(QStringLiteral("[0-9]+")), field));
    for (QWidget *w : modeWidgets())
        w->hide();
    commandChosen(ui->comboBoxRemoteControl->currentIndex());
}

QList<QWidget *> RemoteControlPage::modeWidgets() const
{
    return {ui->label_3RC, ui->label_4RC, ui->comboBoxFiltrRemoteControl,
            ui->comboBoxModeRemoteControl};
}

void RemoteControlPage::commandChosen(int index)
{
    // A command that reads the value field shows it and leaves the mode and
    // filtration lists as they were; one that reads nothing hides them all;
    // the mode command shows only the lists.
    const RemoteCommand::Value value = RemoteCommand::valueOf(index);
    const bool asksValue = value != RemoteCommand::Value::None
                           && value != RemoteCommand::Value::ModeAndFiltration;
    const bool asksMode = value == RemoteCommand::Value::ModeAndFiltration;
    if (asksValue)
        ui->label_2RC->setText(RemoteCommand::prompt(index));
    ui->label_2RC->setVisible(asksValue);
    ui->lineEditPassRemoteControl->setVisible(asksValue);
    if (asksValue)
        return;
    for (QWidget *w : modeWidgets())
        w->setVisible(asksMode);
}

void RemoteControlPage::generate()
{
    RemoteCommand::Request request;
    request.command = ui->comboBoxRemoteControl->currentIndex();
    request.address = ui->lineEditNetNumRemoteControl->text();
    request.value = ui->lineEditPassRemoteControl->text();
    request.modeIndex = ui->comboBoxModeRemoteControl->currentIndex();
    request.filtrationIndex = ui->comboBoxFiltrRemoteControl->currentIndex();
    const RemoteCommand::Result result = RemoteCommand::build(request);
    ui->lineEditGenRemoteControl->setText(result.line);
    if (!result.ok()) {
        // A stale line left in the field could be sent by mistake.
        DynamicQDialog::show(m_dialogParent, RemoteCommand::refusalText(*result.refusal));
        return;
    }
    if (QClipboard *clipboard = QGuiApplication::clipboard())
        clipboard->setText(result.line);
}

void RemoteControlPage::decodeAnswer()
{
    const QString text = ui->lineEditGenRemoteControl->text();
    const auto answer = RemoteCommand::decodeAnswer(text);
    if (!answer) {
        qDebug() << "Remote-control answer cannot be decoded:" << text;
        return;
    }
    DynamicQDialog::show(m_dialogParent,
                         tr("В ответе содержится температура Т=%1°С и уровень L=%2")
                             .arg(answer->temperature)
                             .arg(answer->level),
                         false, QSize(kAnswerDialogWidth, kAnswerDialogHeight));
}

quint8 RemoteControlPage::modeCode() const
{
    return RemoteCommand::modeCode(ui->comboBoxModeRemoteControl->currentIndex());
}

quint8 RemoteControlPage::filtrationCode() const
{
    return RemoteCommand::filtrationCode(ui->comboBoxFiltrRemoteControl->currentIndex());
}
