// The main window's handlers of the angle sensor page. The page owns the
// work; these only hand over what the form tells.

#include "configurator.h"
#include "ui_configurator.h"

#include "devices/angle/aq420device.h"

void Configurator::wireAnglePage()
{
    connect(m_aq420, &AQ420Device::statusLabelsVisible, this, [this](bool visible) {
        m_statusModel->setVisible(!visible);
        if (visible)
            m_statusUp->hide();
    });
    connect(m_aq420, &AQ420Device::callParceDataFromComPort, this,
            &Configurator::parceDataFromCOMPort);
}

void Configurator::on_ButtonWriteParamAQ420_clicked()
{
    m_aq420->writeParamToAQ420();
}

void Configurator::on_buttonSetNullAQ420_clicked()
{
    m_aq420->setZero();
}

void Configurator::on_lineEditAQ420Up_textEdited(const QString &)
{
    m_aq420->fieldEdited(Aq420Field::Up);
}

void Configurator::on_lineEditAQ420Down_textEdited(const QString &)
{
    m_aq420->fieldEdited(Aq420Field::Down);
}

void Configurator::on_lineEditAQ420DelayOn_textEdited(const QString &)
{
    m_aq420->fieldEdited(Aq420Field::DelayOn);
}

void Configurator::on_lineEditAQ420DelayOff_textEdited(const QString &)
{
    m_aq420->fieldEdited(Aq420Field::DelayOff);
}

void Configurator::on_lineEdit_NetNumAQ420_textEdited(const QString &)
{
    m_aq420->fieldEdited(Aq420Field::Address);
}

void Configurator::on_lineEditAQ420Up_editingFinished()
{
    m_aq420->upEditingFinished();
}

void Configurator::on_comboBox_NetNumAQ420_activated(int index)
{
    m_aq420->addressChosen(index);
}
