// The main window's handlers of the tag reader page. The page owns the work;
// these only forward.

#include "configurator.h"
#include "ui_configurator.h"

#include "devices/tag/wiredtagdevice.h"

void Configurator::wireTagPage()
{
    connect(m_tag, &WiredTagDevice::callParceDataFromComPort, this,
            &Configurator::parceDataFromCOMPort);
    connect(m_tag, &WiredTagDevice::statusMessageChanged, this, &Configurator::showStatusMessage);
}

void Configurator::on_pushButtonSetModeWT_clicked()
{
    m_tag->sendMode();
}

void Configurator::on_pushButton_SetSerWT_clicked()
{
    m_tag->sendSerialNumber();
}

void Configurator::on_pushButtonSetIDWT_clicked()
{
    m_tag->sendIdentifier();
}

void Configurator::on_pushButtonReadIDWT_clicked()
{
    m_tag->readIdentifier();
}

void Configurator::on_pushBtnSetNetNumWT_clicked()
{
    m_tag->changeAddress();
}

void Configurator::on_checkBoxInputFormatWT_stateChanged(int state)
{
    m_tag->setDecimalIdentifier(state == Qt::Checked);
}

void Configurator::on_comboBox_NetNumWT_activated(int index)
{
    m_tag->selectReader(index);
}

void Configurator::on_comboBoxModeWT_activated(int)
{
    m_tag->markChanged(WiredTagDevice::Field::Mode);
}

void Configurator::on_lineEditSetSerNumWT_textEdited(const QString &)
{
    m_tag->markChanged(WiredTagDevice::Field::Serial);
}

void Configurator::on_lineEditSETIDWT_textEdited(const QString &)
{
    m_tag->markChanged(WiredTagDevice::Field::Identifier);
}

void Configurator::on_lineEditSetNetNumWT_textEdited(const QString &)
{
    m_tag->markChanged(WiredTagDevice::Field::Address);
}
