// The main window's part of a wired sensor's firmware update: the port's
// bytes, the header lines and the message dialogs. The update itself lives
// in FirmwareUpdate, owned by the wired page.

#include "configurator.h"

#include "app/dynamicqdialog.h"
#include "devices/fls/firmwareupdate.h"
#include "devices/fls/flsdevice.h"
#include "link/portconnection.h"
#include "ui_configurator.h"

namespace {
const QSize kResultDialogSize(300, 150);
}

void Configurator::wireFirmwareUpdate()
{
    FirmwareUpdate *update = m_fls->firmwareUpdate();
    connect(update, &FirmwareUpdate::headerStatus, this, &Configurator::showStatusMessageUp);
    connect(update, &FirmwareUpdate::pageReleased, this, &Configurator::cleanRingBuffer);
    connect(update, &FirmwareUpdate::pageResumed, this, &Configurator::cleanRingBuffer);
    connect(update, &FirmwareUpdate::bootloaderAnswered, this, [this] {
        const int index = ui->comboBox_SerialPort->findText(m_port->openedName());
        if (index >= 0)
            ui->comboBox_SerialPort->setCurrentIndex(index);
    });
    // Queued: the result arrives while the port's bytes are being handed
    // on, and a modal dialog opened there would hold up every byte after it.
    connect(
        update, &FirmwareUpdate::showMessage, this,
        [this](const QString &text) { DynamicQDialog::show(this, text, false, kResultDialogSize); },
        Qt::QueuedConnection);
}

bool Configurator::firmwareUpdateTakes(const QByteArray &data)
{
    FirmwareUpdate *update = m_fls->firmwareUpdate();
    if (!m_isFLS || !update->isRunning())
        return false;
    update->bytesReceived(data);
    return true;
}
