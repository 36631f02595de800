// The wired page's side of a firmware update: it hands the line to the
// update and takes it back afterwards. The update itself lives in
// FirmwareUpdate.

#include "firmwareupdate.h"
#include "flsdevice.h"

#include "link/devicelink.h"
#include "link/protocol.h"
#include "link/sharedtimers.h"
#include "ui_configurator.h"

void FLSDevice::setupFirmwareUpdate()
{
    m_firmwareUpdate = new FirmwareUpdate(ui->DUT, ui->progressBarFirmwareDUT, this);
    connect(m_firmwareUpdate, &FirmwareUpdate::writeRequested, this, &FLSDevice::writeData);
    connect(m_firmwareUpdate, &FirmwareUpdate::logLine, this, &FLSDevice::signalWriteLog);
    connect(m_firmwareUpdate, &FirmwareUpdate::pageStatus, this, &FLSDevice::showStatusMessage);
    connect(m_firmwareUpdate, &FirmwareUpdate::pageReleased, this, &FLSDevice::releaseForFirmwareUpdate);
    connect(m_firmwareUpdate, &FirmwareUpdate::pageResumed, this, &FLSDevice::resumeAfterFirmwareUpdate);
}

bool FLSDevice::firmwareUpdateOffered() const
{
    return isDeviceConnected() || m_firmwareUpdate->lastUpdateFailed();
}

void FLSDevice::setFirmWareToDevice()
{
    m_firmwareUpdate->start(m_netnum);
}

void FLSDevice::abortFirmwareUpdate()
{
    m_firmwareUpdate->abort();
}

void FLSDevice::releaseForFirmwareUpdate()
{
    // The readings stop and the bootloader's bytes are no replies: no poll,
    // no parse and no watchdog until the update is over.
    SharedTimers::pollTimer()->stop();
    SharedTimers::parseTimer()->stop();
    SharedTimers::portScanTimer()->stop();
    setDefaultValuesToGuiField();
    resetDeviceIsConnected();
    m_link->setWatchdogEnabled(false);
    setStep(Protocol::Step::FirstFirmwareStep);
}

void FLSDevice::resumeAfterFirmwareUpdate()
{
    m_link->reset();
    m_link->setWatchdogEnabled(true);
    SharedTimers::portScanTimer()->stop();
    SharedTimers::parseTimer()->start(PollTiming::kParseInterval);
    SharedTimers::pollTimer()->start(PollTiming::kPollInterval);
}

void FLSDevice::setInvisibleProgressBarFirmware()
{
    m_firmwareUpdate->setInvisibleProgressBarFirmware();
}

void FLSDevice::setVisibleLabelBadFirmW()
{
    m_firmwareUpdate->setVisibleLabelBadFirmW();
}

void FLSDevice::setInVisibleLabelBadFirmW()
{
    m_firmwareUpdate->setInVisibleLabelBadFirmW();
}

void FLSDevice::showErrorUpdateFirmware()
{
    m_firmwareUpdate->showErrorUpdateFirmware();
}
