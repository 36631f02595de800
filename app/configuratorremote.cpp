// The main window's handlers of the remote-control page. The page builds
// and decodes; the main window only hands the form's signals on.

#include "configurator.h"

#include "devices/fls/remotecontrolpage.h"
#include "link/pollcycle.h"
#include "link/sharedtimers.h"

void Configurator::initUIRC()
{
    m_remote = new RemoteControlPage(ui, this);
}

void Configurator::on_comboBoxRemoteControl_activated(int index)
{
    m_remote->commandChosen(index);
}

void Configurator::on_pushButtonGenRemoteControl_clicked()
{
    m_remote->generate();
}

void Configurator::on_pushButtonReadRC_clicked()
{
    m_remote->decodeAnswer();
}

quint8 Configurator::getModeRC() const
{
    return m_remote->modeCode();
}

quint8 Configurator::getFiltrRC() const
{
    return m_remote->filtrationCode();
}

void Configurator::on_pushBtnBackRemoteControl_clicked()
{
    // The page stopped the poll; it resumes for a device that is connected.
    if (m_isFLS || m_isBLE || m_isAQ420 || m_isWiredTag)
        SharedTimers::pollTimer()->start(m_isAQ420 ? PollTiming::kAnglePollInterval
                                                   : PollTiming::kPollInterval);
    setParentForGroupBoxSerPort(activeDevicePage());
}
