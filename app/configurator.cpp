#include "configurator.h"

#include "ui_configurator.h"

#include "app/dynamicqdialog.h"
#include "app/eventlog.h"
#include "app/helptexts.h"
#include "app/languagefile.h"
#include "calibration/calibrationtable.h"
#include "calibration/calibrationworkflow.h"
#include "calibration/engineermenuqdialog.h"
#include "calibration/litertopercent.h"
#include "devices/angle/aq420device.h"
#include "devices/angle/aq420replies.h"
#include "devices/fls/flsdevice.h"
#include "devices/fls/flsparameters.h"
#include "devices/fls/flsreplies.h"
#include "devices/tag/wiredtagdevice.h"
#include "devices/wireless/bledevice.h"
#include "devices/wireless/blereplies.h"
#include "link/devicelink.h"
#include "link/frame.h"
#include "link/localwait.h"
#include "link/pollcycle.h"
#include "link/portconnection.h"
#include "link/protocol.h"
#include "link/receivepath.h"
#include "link/ringbuffer.h"
#include "link/sharedtimers.h"
#include "emulator/virtualline.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDebug>
#include <QEvent>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QShortcut>
#include <QTimer>

#include <chrono>

// Resources of a static library are registered by hand.
static void initCoreResources()
{
    Q_INIT_RESOURCE(resources);
}

namespace {
using namespace std::chrono_literals;

constexpr QSize kWindowSize(800, 600);
constexpr QSize kHelpWindowSize(1080, 600);
constexpr int kSmallScreenHeight = 700; // px; below it the window shrinks
constexpr int kSmallWindowHeight = 480; // px
constexpr auto kBirdsHideDelay = 100ms;
constexpr auto kCopyMacLabelTime = 2000ms;
constexpr auto kAfterSettingsWrite = 200ms; // the 0xF2 frame settles
constexpr auto kWritePollInterval = 200ms;  // fast search after the address frame
constexpr auto kAfterAddressWrite = 600ms;  // search and one settings reply
constexpr auto kReadBackLimit = 2000ms;     // the settings reply has not come by then
constexpr auto kReadBackStep = 50ms;
constexpr auto kMarkTime = 2000ms;          // written marks stay this long
constexpr quint16 kNewFirmwareLevels = 254; // from here the sensor sets its own range
constexpr auto kLevelDialogFill = 50ms;     // the manual-entry dialog shows the values
constexpr auto kAfterLevelFrame = 200ms;    // wired sensor, after 0xED and 0xEC
constexpr auto kAfterLevelFrameBle = 5000ms; // the base relays to the wireless sensor
constexpr auto kAfterEngineeringCommand = 100ms; // horizon, alarm threshold
constexpr auto kAfterTableWrite = 600ms;
constexpr auto kAfterTableRead = 800ms;
constexpr int kMaxAlarmPercent = 100;

const char kStatusStyle[] = "QLabel {font-size:16pt;color:white;}";
const char kCheckedLabel[] = "QLabel {color : #E32323;}";
const char kCheckedLine[] = "QFrame {background-color : #E32323;}";
const char kUncheckedLabel[] = "QLabel {color : #B9B9B9;}";
const char kUncheckedLine[] = "QFrame {background-color : #B9B9B9;}";
const char kMenuStyle[] = "QMenu {width: 250px;color:white;background-color:#1f2222}"
                          "QMenu::item:selected {background-color: #00A778;}";

QString portBoxStyle(bool small)
{
    return QStringLiteral(
               "QComboBox {background-color: #1F2222; color: white; border: none; %1}"
               "QComboBox::drop-down {border: none;}"
               "QComboBox::down-arrow {image: url(:/images/arrow_combo.png); width: 16px; "
               "height: 16px;}"
               "QComboBox QAbstractItemView {background-color: #1F2222; color: white; "
               "selection-color: white; selection-background-color: #00A778;}")
        .arg(small ? QStringLiteral("font-size: 12pt; min-height: 3em;")
                   : QStringLiteral("font-size: 36pt;"));
}

QString buttonStyle(const QString &normal, const QString &pressed, bool hoverFrame,
                    bool writeButton)
{
    QString style = QStringLiteral("QPushButton {image: url(:/images/%1);"
                                   "border: 1px solid #b9b9b9;border-radius: 4px;%2}")
                        .arg(normal, writeButton ? QStringLiteral("background-color: #E33F23;")
                                                 : QString());
    style += QStringLiteral("QPushButton:pressed {image: url(:/images/%1);}").arg(pressed);
    if (hoverFrame)
        style += QStringLiteral("QPushButton:hover {border: 1px solid #E33F23;}");
    return style;
}

int screenHeight()
{
    // Tests and screenshots run offscreen, whose virtual screen is small.
    bool ok = false;
    const int forced = qEnvironmentVariableIntValue("VOLMAR_SCREEN_HEIGHT", &ok);
    if (ok && forced > 0)
        return forced;
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry().height() : kWindowSize.height();
}
} // namespace

Configurator::Configurator(const StartupOptions &options, QWidget *parent)
    : QMainWindow(parent), ui(new Ui::Configurator), m_options(options)
{
    initCoreResources();
    m_ringBuffer = new RingBuffer(kReceiveBufferSize, this);
    m_ringBuffer->setup();
    m_receive = std::make_unique<ReceivePath>(m_ringBuffer);
    m_log = new EventLog(QStringLiteral("log.txt"), this);
    ui->setupUi(this);
    m_port = new PortConnection(this);

    m_fls = new FLSDevice(ui, m_port->serialPort(), this);
    m_fls->connectSignalToCallMethodFromMain(this);
    m_fls->initStatusMessage();
    m_fls->setVisibleStatusLabels(false);
    m_ble = new BLEDevice(ui, m_port->serialPort(), this);
    m_aq420 = new AQ420Device(ui, m_port->serialPort(), this);
    m_tag = new WiredTagDevice(ui, this);
    m_calibration = new CalibrationWorkflow(ui, m_fls, this);
    connect(m_calibration, &CalibrationWorkflow::showPage, this,
            &Configurator::setParentForGroupBoxSerPort);
    connect(m_calibration, &CalibrationWorkflow::writeLog, this, &Configurator::writeLogFile);
    connect(m_calibration, &CalibrationWorkflow::statusMessage, this,
            &Configurator::showStatusMessageUp);
    connect(m_fls, &FLSDevice::tableValueRead, this,
            [this](int value, int row, int column, bool *accepted) {
                if (m_tableDialog)
                    *accepted = m_tableDialog->setTable(value, row, column);
            });
    for (QWidget *page : {static_cast<QWidget *>(m_fls), static_cast<QWidget *>(m_ble),
                          static_cast<QWidget *>(m_aq420), static_cast<QWidget *>(m_tag)})
        page->hide(); // page objects hold logic; the form shows their widgets
    loadPictures();
    initUIRC();
    wireFirmwareUpdate();

    m_logTimer = new QTimer(this);
    m_markTimer = new QTimer(this);
    m_markTimer->setSingleShot(true);
    m_markTimer->setInterval(kMarkTime);
    connect(m_markTimer, &QTimer::timeout, this, [this] { m_fls->hideBirds(); });
    setupFontApp();
    setupHotKey();
    setTimerSignalSlot();
    initStatusMessage();
    addEventFilter();
    setupBtnService(false);
    wireDevicePages();
    wireWirelessPage();
    wireAnglePage();
    wireTagPage();

    setParentForGroupBoxSerPort(ui->DUT);
    m_fls->setDefaultValuesToGuiField();
    checkNullComPort();
    checkResolutionScreen();
    myRetranslateUI();
    QTimer::singleShot(kBirdsHideDelay, this, [this] { m_fls->hideBirds(); });

    if (m_options.demo)
        startDemoLine();
}

Configurator::~Configurator()
{
    SharedTimers::stopAll();
    delete ui;
}

// ---------------------------------------------------------------- set-up

void Configurator::loadPictures()
{
    static const char *const names[] = {
        "bird.png",       "bird_green.png",   "lock.png",          "unlock.png",
        "aq420.png",      "ble_base.png",     "device.png",        "tag.png",
        "servicebtn.png", "help.png",         "tarbtn.png",        "fullbtn.png",
        "emptybtn.png",   "write_param.png",  "alarm.png",         "arrow.png",
        "arrow_combo.png", "dut_new.png",     "fmeter.png",        "temp.png",
        "device_fon.png", "dev_fon_small.png", "dev_fon_red_small.png", "bluetooth.png",
        "close.png"};
    for (const char *name : names)
        m_pictures.insert(QLatin1String(name),
                          QPixmap(QStringLiteral(":/images/") + QLatin1String(name)));
}

void Configurator::setupFontApp()
{
    QPalette pal = palette();
    const QPixmap background = QPixmap(QStringLiteral(":/images/fon.png"))
                                   .scaled(kWindowSize, Qt::IgnoreAspectRatio,
                                           Qt::SmoothTransformation);
    pal.setBrush(QPalette::All, QPalette::Window, QBrush(background));
    setPalette(pal);
    setWindowFlags(Qt::Window | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(kWindowSize);

    auto firstFamily = [](const QString &path) {
        const int id = QFontDatabase::addApplicationFont(path);
        const QStringList families = QFontDatabase::applicationFontFamilies(id);
        return families.isEmpty() ? QString() : families.first();
    };
    const QString medium = firstFamily(QStringLiteral(":/font/6445.ttf"));
    const QString light = firstFamily(QStringLiteral(":/font/FTN35.OTF"));
    if (!medium.isEmpty())
        setFont(QFont(medium, 18));
    if (!light.isEmpty()) {
        // Both faces may share one family name; the weight picks the light one.
        auto lightFont = [&light](int size) {
            QFont font(light, size);
            font.setWeight(QFont::Light);
            return font;
        };
        ui->comboBox_SerialPort->setFont(lightFont(36));
        for (QPushButton *button : {ui->pushButtonDeviceFLS, ui->pushButtonBLE,
                                    ui->pushButtonAQ420, ui->pushButtonWiredTag})
            button->setFont(lightFont(12));
        for (QLabel *label : {ui->label_SerNumName, ui->label_FirmwareName})
            label->setFont(lightFont(14));
        for (QLabel *label : {ui->label_SerNumVal, ui->label_FirmwareVal})
            label->setFont(lightFont(21));
    }
}

void Configurator::setupHotKey()
{
    auto bind = [this](const QKeySequence &key, void (Configurator::*slot)()) {
        auto *shortcut = new QShortcut(key, this);
        connect(shortcut, &QShortcut::activated, this, slot);
    };
    bind(QKeySequence(Qt::CTRL | Qt::Key_S), &Configurator::slotShortcutCtrlS);
    bind(QKeySequence(Qt::Key_F1), &Configurator::slotShortcutF1);
    bind(QKeySequence(Qt::Key_F2), &Configurator::slotShortcutF2);
    bind(QKeySequence(Qt::Key_F3), &Configurator::slotShortcutF3);
    bind(QKeySequence(Qt::Key_F4), &Configurator::slotShortcutF4);
}

void Configurator::setTimerSignalSlot()
{
    connect(m_port, &PortConnection::dataOut, this, &Configurator::getDataFromPort);
    connect(SharedTimers::pollTimer(), &QTimer::timeout, this,
            &Configurator::pollingToSerialTimer);
    connect(SharedTimers::parseTimer(), &QTimer::timeout, this,
            &Configurator::parceDataFromCOMPort);
    connect(m_logTimer, &QTimer::timeout, this, &Configurator::writeLogFileNoParams);
    m_logTimer->start(PollTiming::kLogFlushInterval);
}

void Configurator::initStatusMessage()
{
    m_statusUp = new QLabel(this);
    m_statusUp->setObjectName(QStringLiteral("labelStatusUp"));
    // A 16 pt line is 31 px high; the two lines keep 2 px apart and inside
    // the window also where a small screen moves them up (by 115 and 117).
    m_statusUp->setGeometry(5, 533, 500, 31);
    m_statusModel = new QLabel(tr("Подключите датчик"), this);
    m_statusModel->setObjectName(QStringLiteral("labelStatusModel"));
    m_statusModel->setGeometry(5, 566, 500, 31);
    for (QLabel *label : {m_statusUp, m_statusModel}) {
        label->setStyleSheet(QLatin1String(kStatusStyle));
        label->installEventFilter(this);
    }
}

void Configurator::addEventFilter()
{
    QList<QWidget *> watched;
    for (QWidget *page : {ui->DUT, ui->BLE_KV510, ui->EnineerMenuBLE, ui->UpdateFWBLE})
        watched += page->findChildren<QWidget *>();
    watched << ui->pushButtonDeviceFLS << ui->pushButtonBLE;
    for (QWidget *widget : qAsConst(watched)) {
        widget->installEventFilter(this);
        if (!qobject_cast<QFrame *>(widget) && !qobject_cast<QLabel *>(widget))
            widget->setCursor(Qt::PointingHandCursor);
    }
}

void Configurator::wireDevicePages()
{
    connect(m_fls, &FLSDevice::copyNetNumToParent, this, &Configurator::recieveNetNumFromChild);
    connect(m_ble, &BLEDevice::copyNetNumToParent, this, &Configurator::recieveNetNumFromChild);
    connect(m_aq420, &AQ420Device::copyNetNumToParent, this,
            &Configurator::recieveNetNumFromChild);
    connect(m_tag, &WiredTagDevice::copyNetNumToParent, this,
            &Configurator::recieveNetNumFromChild);

    connect(m_fls, &FLSDevice::writeData, m_port, &PortConnection::writeData);
    connect(m_ble, &BLEDevice::writeData, m_port, &PortConnection::writeData);
    connect(m_aq420, &AQ420Device::writeData, m_port, &PortConnection::writeData);
    connect(m_tag, &WiredTagDevice::writeData, m_port, &PortConnection::writeData);

    connect(m_fls, &FLSDevice::copyQueueSurveyDevice, this,
            &Configurator::recieveQueueSurveyDevice);
    connect(m_ble, &BLEDevice::copyQueueSurveyDevice, this,
            &Configurator::recieveQueueSurveyDevice);
    connect(m_aq420, &AQ420Device::copyQueueSurveyDevice, this,
            &Configurator::recieveQueueSurveyDevice);
    connect(m_tag, &WiredTagDevice::copyQueueSurveyDevice, this,
            &Configurator::recieveQueueSurveyDevice);

    connect(m_ble, &BLEDevice::signalShowStatusMessageUp, this,
            &Configurator::showStatusMessageUp);
    connect(m_fls, &FLSDevice::statusMessageChanged, this, &Configurator::showStatusMessage);
    connect(m_fls, &FLSDevice::statusLabelsVisible, this, [this](bool visible) {
        m_statusModel->setVisible(!visible);
        if (visible)
            m_statusUp->hide();
    });
    connect(m_fls, &FLSDevice::copyLevelValueToMain, this,
            &Configurator::setLevelFromAnotherDevice);
    connect(m_ble, &BLEDevice::copyLevelValueToMain, this,
            &Configurator::setLevelFromAnotherDevice);
    connect(ui->tabWidgetAdw, &QTabWidget::currentChanged, this,
            &Configurator::clickTabOnTabWidget);
    connect(m_port, &PortConnection::signalHandleNoError, this,
            &Configurator::handlerNoErrorSerial);
    connect(m_port, &PortConnection::signalHandleError, this,
            &Configurator::handlerErrorSerial);
    connect(m_ble, &BLEDevice::callParceDataFromComPort, this,
            &Configurator::parceDataFromCOMPort);

    connect(m_port, &PortConnection::signalWriteLog, this, &Configurator::recieveLogMessage);
    connect(m_fls, &FLSDevice::signalWriteLog, this, &Configurator::recieveLogMessage);
    connect(m_ble, &BLEDevice::signalWriteLog, this, &Configurator::recieveLogMessage);
    connect(m_aq420, &AQ420Device::signalWriteLog, this, &Configurator::recieveLogMessage);
    connect(m_tag, &WiredTagDevice::signalWriteLog, this, &Configurator::recieveLogMessage);
    connect(m_port, &PortConnection::signalOpenPort, this, &Configurator::setupBtnService);
}

void Configurator::checkResolutionScreen()
{
    if (screenHeight() >= kSmallScreenHeight)
        return;
    qDebug() << "Screen size is small";
    const auto children = ui->DUT->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
    for (QWidget *child : children)
        child->move(child->x(), int(child->y() * 0.8));
    for (QWidget *label : {static_cast<QWidget *>(ui->label_NeedCalibBLE),
                           static_cast<QWidget *>(ui->label_NeedCalibDUT),
                           static_cast<QWidget *>(ui->label_Alarm_9BLE)})
        label->move(label->x(), label->y() + 70);
    m_statusModel->move(m_statusModel->x(), m_statusModel->y() - 117);
    m_statusUp->move(m_statusUp->x(), m_statusUp->y() - 115);
    setFixedHeight(kSmallWindowHeight);
}

void Configurator::myRetranslateUI()
{
    setWindowTitle(tr("Волмар Конфигуратор v1.0.0.%1").arg(kBuildNumber));
    setButtonPictures(LanguageFile::languageFileName(LanguageFile::translationsDir()));
}

void Configurator::setButtonPictures(const QString &languageFile)
{
    struct Set {
        const char *service, *help, *helpPressed, *tar, *tarPressed, *full, *fullPressed,
            *empty, *emptyPressed, *write, *writePressed;
    };
    static const Set russian = {"servicebtn.png", "help.png", "help.png",
                                "tarbtn.png", "tarbtn.png", "fullbtn.png",
                                "fullbtn.png", "emptybtn.png", "emptybtn.png",
                                "write_param.png", "write_param.png"};
    static const Set english = {"servicebtn_eng.png", "help_eng.png", "help_eng_click.png",
                                "tarbtn_eng.png", "tarbtn_eng_click.png", "fullbtn_eng.png",
                                "fullbtn_eng_click.png", "emptybtn_eng.png",
                                "emptybtn_eng_click.png", "write_param_eng.png",
                                "write_param_eng_click.png"};
    static const Set portuguese = {"servicebtn.png", "help_port.png", "help.png",
                                   "tarbtn_port.png", "tarbtn_port_click.png",
                                   "fullbtn_port.png", "fullbtn_port_click.png",
                                   "emptybtn_port.png", "emptybtn_port_click.png",
                                   "write_param_port.png", "write_param_port_click.png"};
    static const Set spanish = {"servicebtn_esp.png", "helpbtn_esp.png",
                                "helpbtn_esp_click.png", "tarbtn_esp.png",
                                "tarbtn_esp_click.png", "fullbtn_esp.png",
                                "fullbtn_esp_click.png", "emptybtn_esp.png",
                                "emptybtn_esp_click.png", "write_param_esp.png",
                                "write_param_esp_click.png"};
    const Set *set = &russian;
    switch (LanguageFile::languageOf(languageFile)) {
    case LanguageFile::Language::English: set = &english; break;
    case LanguageFile::Language::Portuguese: set = &portuguese; break;
    case LanguageFile::Language::Spanish: set = &spanish; break;
    case LanguageFile::Language::Russian: break;
    }
    auto s = [](const char *name) { return QLatin1String(name); };
    ui->pushButtonService->setStyleSheet(
        buttonStyle(s(set->service), s(set->service), false, false)
        + QStringLiteral("QPushButton::menu-indicator {image: none;}"));
    ui->pushButton_Help->setStyleSheet(buttonStyle(s(set->help), s(set->helpPressed), false, false));
    ui->ButtonTarirovka->setStyleSheet(buttonStyle(s(set->tar), s(set->tarPressed), false, false));
    for (QPushButton *b : {ui->Button_SetFullDUT, ui->Button_SetFullBLE})
        b->setStyleSheet(buttonStyle(s(set->full), s(set->fullPressed), true, false));
    for (QPushButton *b : {ui->Button_SetEmptyDUT, ui->Button_SetEmptyBLE})
        b->setStyleSheet(buttonStyle(s(set->empty), s(set->emptyPressed), true, false));
    for (QPushButton *b : {ui->ButtonWriteParamDUT, ui->ButtonWriteParamBLE})
        b->setStyleSheet(buttonStyle(s(set->write), s(set->writePressed), true, true));
}

void Configurator::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this);
        myRetranslateUI();
    }
    QMainWindow::changeEvent(event);
}

// ---------------------------------------------------------------- poll cycle

quint8 Configurator::activeStep() const
{
    if (m_isFLS)
        return m_fls->getStep();
    if (m_isBLE)
        return m_ble->getStep();
    if (m_isAQ420)
        return m_aq420->getStep();
    if (m_isWiredTag)
        return m_tag->getStep();
    return m_step;
}

void Configurator::getDataFromPort(QByteArray &data)
{
    if (firmwareUpdateTakes(data))
        return;
    m_receive->received(data);
}

void Configurator::pollingToSerialTimer()
{
    m_step = activeStep();
    const PollCycle::Request request =
        PollCycle::requestFor(m_step, m_addresses.at(m_pollIndex), m_port->isOpen());
    if (!request.frame.isEmpty())
        m_port->writeData(request.frame);
    m_step = request.nextStep;
    if (m_isFLS)
        m_fls->setStep(m_step);
}

void Configurator::parceDataFromCOMPort()
{
    m_step = activeStep();
    // The wired page's replies are frames, cut out whole however the
    // converter delivered them; the search answer and the bootloader's
    // bytes are not, and go on as one block.
    const bool framed = (m_isFLS || m_isBLE || m_isAQ420) && !m_isWiredTag
                        && m_step != Protocol::Step::Search
                        && (m_isBLE || m_step < Protocol::Step::FirstFirmwareStep
                            || m_step > Protocol::Step::LastFirmwareStep);
    if (!m_receive->hasWork(framed))
        return;
    // Several sensors answer the search one after another, and a converter
    // may hand their bytes over in two bursts: take the answer once the line
    // has settled.
    if ((m_isFLS || m_isBLE || m_isAQ420 || m_isWiredTag) && m_step == Protocol::Step::Search
        && !m_receive->quietFor(ReplyAssembler::kSettleTime))
        return;
    int drained = 0;
    const QList<QByteArray> blocks = framed
        ? m_receive->takeReplies(m_isBLE     ? BleReplies::replyLengths()
                                 : m_isAQ420 ? Aq420Replies::replyLengths()
                                             : FlsReplies::replyLengths(),
                                 &drained)
        : QList<QByteArray>{m_receive->takeRaw()};
    // Bytes that form no reply yet (a damaged one, another's half) still
    // show that the line lives.
    if (framed && blocks.isEmpty() && drained > 0 && m_isFLS && m_fls->isDeviceConnected())
        m_fls->resetTimerDeviceConnected();
    for (const QByteArray &block : blocks) {
        const int n = int(block.size());
        const auto *bytes = reinterpret_cast<const quint8 *>(block.constData());
        if (m_isWiredTag)
            m_step = m_tag->parseReply(n, bytes, m_step);
        else if (m_isFLS)
            m_step = m_fls->parseReply(n, bytes, m_step);
        else if (m_isBLE)
            m_step = m_ble->parseReply(n, bytes, m_step);
        else if (m_isAQ420)
            m_step = m_aq420->parseReply(n, bytes, m_step);
    }
    setActiveStep(m_step);
}

void Configurator::setActiveStep(quint8 step)
{
    if (m_isFLS)
        m_fls->setStep(step);
    else if (m_isBLE)
        m_ble->setStep(step);
}

void Configurator::recieveNetNumFromChild(const QByteArray &list)
{
    m_addresses = AddressList::untilZero(list);
    m_currentAddress = m_addresses.first();
}

void Configurator::recieveQueueSurveyDevice(int index)
{
    m_pollIndex = index;
}

void Configurator::cleanRingBuffer()
{
    m_receive->clear();
}

// ---------------------------------------------------------------- serial link

void Configurator::addExtraPort(const QString &name)
{
    if (name.isEmpty() || m_options.extraPorts.contains(name))
        return;
    m_options.extraPorts << name;
    UpdateSerialPorts();
    const int index = ui->comboBox_SerialPort->findText(name);
    if (index >= 0) {
        ui->comboBox_SerialPort->setCurrentIndex(index);
        m_portIndex = index;
    }
}

void Configurator::applyPortBox(const PortList::BoxContents &box)
{
    ui->comboBox_SerialPort->clear();
    ui->comboBox_SerialPort->addItems(box.items);
    const int current = ui->comboBox_SerialPort->findText(box.current);
    ui->comboBox_SerialPort->setCurrentIndex(qMax(0, current));
    ui->comboBox_SerialPort->setStyleSheet(portBoxStyle(box.noConverter));
    if (m_portIndex >= ui->comboBox_SerialPort->count())
        m_portIndex = qMax(0, ui->comboBox_SerialPort->currentIndex());
}

void Configurator::UpdateSerialPorts()
{
    QSerialPort *port = m_port->serialPort();
    port->clearError();
    if (port->isOpen())
        port->clear(QSerialPort::AllDirections);
    m_port->closeSerialPort();
    m_ports = PortList::systemPorts();
    const QString remembered = ui->comboBox_SerialPort->currentText();
    applyPortBox(PortList::refresh(m_ports, m_options.extraPorts, remembered));
}

void Configurator::checkNullComPort()
{
    m_ports = PortList::systemPorts();
    const PortList::BoxContents box = PortList::firstFill(m_ports, m_options.extraPorts);
    applyPortBox(box);
    m_portIndex = ui->comboBox_SerialPort->currentIndex();
    if (box.warnBusy)
        DynamicQDialog::show(this, tr("Нет доступных ком-портов\nВыберите другой порт"));
}

void Configurator::on_comboBox_SerialPort_activated(int index)
{
    if (index != m_portIndex)
        m_portIndex = ui->comboBox_SerialPort->currentIndex();
}

bool Configurator::hasAnyPort() const
{
    return !m_ports.isEmpty() || !m_options.extraPorts.isEmpty();
}

QString Configurator::chosenPortName() const
{
    // The box lists only free ports, so its text, not an index into the
    // system's list, names the port the engineer chose.
    if (m_portIndex < 0 || m_portIndex >= ui->comboBox_SerialPort->count())
        return {};
    const QString name = ui->comboBox_SerialPort->itemText(m_portIndex);
    return name == PortList::placeholder() ? QString() : name;
}

void Configurator::handlerErrorSerial()
{
    if (m_isFLS) {
        ui->pushButtonDeviceFLS->setChecked(false);
        on_pushButtonDeviceFLS_clicked(false);
    } else if (m_isBLE) {
        ui->pushButtonBLE->setChecked(false);
        on_pushButtonBLE_clicked(false);
    } else if (m_isAQ420) {
        ui->pushButtonAQ420->setChecked(false);
        on_pushButtonAQ420_clicked(false);
    } else if (m_isWiredTag) {
        ui->pushButtonWiredTag->setChecked(false);
        on_pushButtonWiredTag_clicked(false);
    }
    QApplication::beep();
    UpdateSerialPorts();
    DynamicQDialog::show(this, tr("Проверьте подключение преобразователя!"), false,
                         QSize(300, 150));
}

void Configurator::handlerNoErrorSerial()
{
    if (m_fls->isDeviceConnected())
        m_fls->resetDeviceIsConnected();
    if (m_ble->isDeviceConnected())
        m_ble->resetDeviceIsConnected();
    if (m_aq420->isDeviceConnected())
        m_aq420->resetDeviceIsConnected();
    if (m_tag->isDeviceConnected())
        m_tag->resetDeviceIsConnected();
}

// ---------------------------------------------------------------- status and log

void Configurator::showStatusMessageUp(const QString &text)
{
    if (m_statusUp)
        m_statusUp->setText(text);
}

void Configurator::showStatusMessage(const QString &text)
{
    if (m_statusModel)
        m_statusModel->setText(text);
}

void Configurator::clearStatusMessageUp()
{
    showStatusMessageUp(QString());
}

void Configurator::clearStatusMessage()
{
    showStatusMessage(QString());
}

void Configurator::recieveLogMessage(const QString &text)
{
    m_log->append(text);
}

void Configurator::writeLogFile(const QString &text)
{
    m_log->append(text);
}

void Configurator::writeLogFileNoParams()
{
    m_log->flush();
}

// ---------------------------------------------------------------- header

void Configurator::setupBtnService(bool portOpen)
{
    QCoreApplication::removeTranslator(&m_menuTranslator);
    if (LanguageFile::load(m_menuTranslator, LanguageFile::translationsDir()))
        QCoreApplication::installTranslator(&m_menuTranslator);

    // One menu for the whole run, its entries rebuilt in place: the port may
    // close while an action of the menu is still running (a lost converter
    // during its confirmation), so neither the menu nor an action may go.
    if (!m_serviceMenu) {
        m_serviceMenu = new QMenu(this);
        m_serviceMenu->setObjectName(QStringLiteral("menuService"));
        m_serviceMenu->setStyleSheet(QLatin1String(kMenuStyle));
        for (int i = 0; i < kServiceEntries; ++i) {
            auto *action = new QAction(m_serviceMenu);
            connect(action, &QAction::triggered, this, &Configurator::slotServiceBtn);
            m_serviceActions << action;
        }
    }
    const QString texts[kServiceEntries] = {
        tr("Обновить прошивку"),       tr("Отменить несохранённые настройки"),
        tr("Загрузить заводские настройки"), tr("Инженерное меню"),
        tr("Дистанционное управление"), tr("Безопасность")};
    const auto shown = m_serviceMenu->actions();
    for (QAction *action : shown)
        m_serviceMenu->removeAction(action);
    for (int i = 0; i < kServiceEntries; ++i) {
        m_serviceActions[i]->setText(texts[i]);
        // Remote control builds lines for a terminal, not for this line.
        if (i == kRemoteControlEntry && portOpen)
            continue;
        m_serviceMenu->addAction(m_serviceActions[i]);
    }
    ui->pushButtonService->setMenu(m_serviceMenu);
    ui->pushButtonService->show();
}

bool Configurator::activeSensorConnected() const
{
    if (m_isFLS)
        return m_fls->isDeviceConnected();
    if (m_isBLE)
        return m_ble->isDeviceConnected();
    return false;
}

void Configurator::slotServiceBtn()
{
    auto *action = qobject_cast<QAction *>(sender());
    if (!action)
        return;
    const bool connected = activeSensorConnected();
    const QString text = action->text();
    if (text == tr("Обновить прошивку")) {
        SharedTimers::portScanTimer()->stop();
        if (m_isBLE)
            setParentForGroupBoxSerPort(ui->UpdateFWBLE);
        else if (m_isFLS && m_fls->firmwareUpdateOffered())
            m_fls->setFirmWareToDevice();
        else
            DynamicQDialog::show(this, tr("Подключите датчик"));
        return;
    }
    if (text == tr("Дистанционное управление")) {
        SharedTimers::pollTimer()->stop();
        setParentForGroupBoxSerPort(ui->RemoteControl);
        return;
    }
    if (!connected) {
        DynamicQDialog::show(this, tr("Подключите датчик"));
        return;
    }
    if (text == tr("Отменить несохранённые настройки")) {
        if (DynamicQDialog::show(this, tr("Вы хотите отменить изменения настроек?"), true) == 1)
            EscapeCurSetting();
    } else if (text == tr("Загрузить заводские настройки")) {
        if (DynamicQDialog::show(this, tr("Будут загружены заводские установки"), true) == 1)
            SetDefaultSetting();
    } else if (text == tr("Инженерное меню")) {
        if (m_isFLS) {
            m_fls->updateEngineeringAvailability();
            ui->pushBtnManualInput->show();
            setParentForGroupBoxSerPort(ui->EngineerMenuDUT);
        } else if (m_isBLE) {
            setParentForGroupBoxSerPort(ui->EnineerMenuBLE);
        }
    } else if (text == tr("Безопасность")) {
        if (m_isFLS)
            m_fls->checkPass();
        else if (m_isBLE)
            m_ble->showSecurityDialog();
    }
}

void Configurator::setParentForGroupBoxSerPort(QWidget *page)
{
    QList<QWidget *> header = {ui->groupBox, ui->scrollAreaBtnsDevices, ui->pushButtonService,
                               ui->pushButton_Help};
    // The serial number and firmware belong to the device pages; the other
    // pages have their titles where these labels would stand.
    if (page == ui->DUT || page == ui->BLE_KV510 || page == ui->AQ420)
        header << ui->label_SerNumName << ui->label_SerNumVal << ui->label_FirmwareName
               << ui->label_FirmwareVal;
    for (QWidget *widget : qAsConst(header)) {
        const QRect geometry = widget->geometry();
        const bool visible = widget->isVisibleTo(widget->parentWidget());
        widget->setParent(page);
        widget->setGeometry(geometry);
        widget->setVisible(visible);
    }
    ui->stackedWidget->setCurrentWidget(page);
}

void Configurator::setEnabledDevBtn()
{
    ui->pushButtonDeviceFLS->setEnabled(true);
}

void Configurator::setEnabledBLEBtn()
{
    ui->pushButtonBLE->setEnabled(true);
}

void Configurator::setEnabledAQ420Btn()
{
    ui->pushButtonAQ420->setEnabled(true);
}

void Configurator::setEnabledWMBtn()
{
    ui->pushButtonWiredTag->setEnabled(true);
}

void Configurator::clickTabOnTabWidget(int index)
{
    qDebug() << "Clicked Tab№ " << index;
}

void Configurator::setLevelFromAnotherDevice(int level, int device)
{
    m_calibration->setLevel(level, device);
}

// ---------------------------------------------------------------- device buttons

void Configurator::highlightDeviceButton(DeviceKind kind, bool checked)
{
    const QList<std::pair<QLabel *, QFrame *>> marks = {
        {ui->label_DevFLS, ui->line_DevFLS},
        {ui->label_DevBLE, ui->line_DevBLE},
        {ui->label_DevAQ420, ui->line_DevAQ420},
        {ui->label_DevWiredTag, ui->line_DevWiredTag}};
    for (int i = 0; i < marks.size(); ++i) {
        const bool on = checked && i == int(kind);
        marks[i].first->setStyleSheet(QLatin1String(on ? kCheckedLabel : kUncheckedLabel));
        marks[i].second->setStyleSheet(QLatin1String(on ? kCheckedLine : kUncheckedLine));
    }
}

void Configurator::hideConnectionLabels()
{
    m_fls->setVisibleStatusLabels(false);
    for (QWidget *label : {static_cast<QWidget *>(ui->label_NeedCalibDUT),
                           static_cast<QWidget *>(ui->label_AlarmDUT),
                           static_cast<QWidget *>(ui->label_NeedCalibBLE),
                           static_cast<QWidget *>(ui->label_Alarm_9BLE)})
        label->hide();
    m_statusUp->hide();
}

void Configurator::connectKind(DeviceKind kind)
{
    QPushButton *buttons[] = {ui->pushButtonDeviceFLS, ui->pushButtonBLE, ui->pushButtonAQ420,
                              ui->pushButtonWiredTag};
    QPushButton *pressed = buttons[int(kind)];
    highlightDeviceButton(kind, true);
    ui->comboBox_SerialPort->installEventFilter(this);

    // Another kind that was connected lets go of its page first.
    if (m_isFLS && kind != DeviceKind::FLS)
        m_fls->resetSettingToDefault();
    if (m_isBLE && kind != DeviceKind::BLE)
        m_ble->resetSettingToDefault();
    if (m_isAQ420 && kind != DeviceKind::AQ420)
        m_aq420->resetSettingToDefault();
    if (m_isWiredTag && kind != DeviceKind::WiredTag)
        m_tag->resetSettingToDefault();
    m_isFLS = kind == DeviceKind::FLS;
    m_isBLE = kind == DeviceKind::BLE;
    m_isAQ420 = kind == DeviceKind::AQ420;
    m_isWiredTag = kind == DeviceKind::WiredTag;

    pressed->setEnabled(false);
    void (Configurator::*enable)() = kind == DeviceKind::FLS        ? &Configurator::setEnabledDevBtn
                                     : kind == DeviceKind::BLE      ? &Configurator::setEnabledBLEBtn
                                     : kind == DeviceKind::WiredTag ? &Configurator::setEnabledWMBtn
                                                                    : &Configurator::setEnabledAQ420Btn;
    QTimer::singleShot(PollTiming::kButtonLock, this, enable);
    ui->comboBox_SerialPort->setEnabled(false);

    if (kind == DeviceKind::BLE)
        cleanRingBuffer();
    if (kind != DeviceKind::FLS) {
        m_addresses = AddressList();
        m_pollIndex = 0;
    }
    m_portIndex = ui->comboBox_SerialPort->currentIndex();
    m_port->closeSerialPort();
    const QString name = chosenPortName();
    if (!name.isEmpty())
        m_port->openSerialPort(name);
    else // the box holds only its "connect a converter" line
        writeLogFile(QStringLiteral("Error open port ")
                     + ui->comboBox_SerialPort->currentText().simplified());

    SharedTimers::pollTimer()->start(kind == DeviceKind::AQ420 ? PollTiming::kAnglePollInterval
                                                               : PollTiming::kPollInterval);
    SharedTimers::parseTimer()->start(PollTiming::kParseInterval);
    switch (kind) {
    case DeviceKind::FLS: m_fls->setStep(Protocol::Step::Search); break;
    case DeviceKind::BLE: m_ble->setStep(Protocol::Step::Search); break;
    case DeviceKind::AQ420: m_aq420->setStep(Protocol::Step::Search); break;
    case DeviceKind::WiredTag: m_tag->setStep(Protocol::Step::Search); break;
    }
    SharedTimers::portScanTimer()->start(PollTiming::kScanInterval);
    SharedTimers::connectTimer()->start(PollTiming::kScanInterval);

    for (QPushButton *other : buttons) {
        if (other != pressed)
            other->setChecked(false);
    }
    QWidget *page = kind == DeviceKind::FLS        ? ui->DUT
                    : kind == DeviceKind::BLE      ? ui->BLE_KV510
                    : kind == DeviceKind::WiredTag ? ui->WiredTag
                                                   : ui->AQ420;
    setParentForGroupBoxSerPort(page);
    hideConnectionLabels();
    showStatusMessage(tr("Подключите датчик"));
    if (kind == DeviceKind::BLE) {
        for (QWidget *w : {static_cast<QWidget *>(ui->groupBox),
                           static_cast<QWidget *>(ui->ButtonTarirovka),
                           static_cast<QWidget *>(ui->pushButtonService)})
            w->show();
        m_ble->showStatusMessageUp(tr("Ожидаем ответа от беспроводного датчика"));
        m_ble->showStatusMessage(tr("Подключите датчик"));
        m_ble->setVisibleStatusLabels(true);
        ui->label_NeedCalibBLE->hide();
        ui->label_Alarm_9BLE->hide();
    }
}

void Configurator::disconnectKind(DeviceKind kind)
{
    highlightDeviceButton(kind, false);
    m_port->closeSerialPort();
    showStatusMessage(tr("Подключите датчик"));
    ui->comboBox_SerialPort->setEnabled(true);
    switch (kind) {
    case DeviceKind::FLS:
        m_isFLS = false;
        m_fls->abortFirmwareUpdate();
        m_fls->resetSettingToDefault();
        break;
    case DeviceKind::BLE:
        m_isBLE = false;
        m_ble->showStatusMessageUp(QStringLiteral(" "));
        m_ble->showStatusMessage(tr("Подключите датчик"));
        m_ble->resetSettingToDefault();
        m_ble->setVisibleStatusLabels(false);
        break;
    case DeviceKind::AQ420:
        m_isAQ420 = false;
        m_aq420->resetSettingToDefault();
        break;
    case DeviceKind::WiredTag:
        m_isWiredTag = false;
        m_tag->resetSettingToDefault();
        break;
    }
    hideConnectionLabels();
    SharedTimers::stopAll();
    m_addresses = AddressList();
    m_currentAddress = 0;
    m_pollIndex = 0;
}

void Configurator::on_pushButtonDeviceFLS_clicked(bool checked)
{
    if (!hasAnyPort()) {
        ui->pushButtonDeviceFLS->setChecked(false);
        return;
    }
    checked ? connectKind(DeviceKind::FLS) : disconnectKind(DeviceKind::FLS);
}

void Configurator::on_pushButtonBLE_clicked(bool checked)
{
    if (!hasAnyPort()) {
        ui->pushButtonBLE->setChecked(false);
        return;
    }
    checked ? connectKind(DeviceKind::BLE) : disconnectKind(DeviceKind::BLE);
}

void Configurator::on_pushButtonAQ420_clicked(bool checked)
{
    if (!hasAnyPort()) {
        ui->pushButtonAQ420->setChecked(false);
        return;
    }
    checked ? connectKind(DeviceKind::AQ420) : disconnectKind(DeviceKind::AQ420);
}

void Configurator::on_pushButtonWiredTag_clicked(bool checked)
{
    if (!hasAnyPort()) {
        ui->pushButtonWiredTag->setChecked(false);
        return;
    }
    checked ? connectKind(DeviceKind::WiredTag) : disconnectKind(DeviceKind::WiredTag);
}

void Configurator::connectDevice(const QString &kind)
{
    QPushButton *button = kind == QLatin1String("fls")     ? ui->pushButtonDeviceFLS
                          : kind == QLatin1String("ble")   ? ui->pushButtonBLE
                          : kind == QLatin1String("aq420") ? ui->pushButtonAQ420
                          : kind == QLatin1String("tag")   ? ui->pushButtonWiredTag
                                                           : nullptr;
    if (button && !button->isChecked())
        button->click();
}

// ---------------------------------------------------------------- hot keys

void Configurator::slotShortcutCtrlS()
{
    if (m_isFLS)
        m_paramsChanged = m_fls->isChanged();
    if (m_paramsChanged)
        writeParamToDevice();
}

void Configurator::slotShortcutF1()
{
    if (m_helpMode) {
        closeHelp();
        return;
    }
    m_helpMode = true;
    setFixedSize(kHelpWindowSize);
    m_helpLine = new QFrame(this);
    m_helpLine->setObjectName(QStringLiteral("helpSeparator"));
    m_helpLine->setGeometry(QRect(QPoint(797, 0), QPoint(798, 599)));
    m_helpLine->setStyleSheet(QStringLiteral("QFrame {background-color : #B9B9B9;width: 2px;}"));
    m_helpClose = new QPushButton(this);
    m_helpClose->setObjectName(QStringLiteral("helpClose"));
    m_helpClose->setGeometry(QRect(QPoint(799, 280), QPoint(818, 319)));
    m_helpClose->setIcon(QIcon(m_pictures.value(QStringLiteral("close.png"))));
    m_helpClose->setCursor(Qt::PointingHandCursor);
    m_helpClose->setStyleSheet(QStringLiteral(
        "QPushButton {background-color: #1F2222;border-style: solid;color:#b9b9b9;}"
        "QPushButton:hover {background-color: #2B3232;}"));
    connect(m_helpClose, &QPushButton::clicked, this, &Configurator::closeHelp);
    m_helpLabel = new QLabel(this);
    m_helpLabel->setObjectName(QStringLiteral("helpText"));
    m_helpLabel->setGeometry(QRect(QPoint(820, 0), QPoint(1074, 589)));
    QFont helpFont = m_helpLabel->font();
    helpFont.setPointSize(12);
    m_helpLabel->setFont(helpFont);
    m_helpLabel->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    m_helpLabel->setWordWrap(true);
    m_helpLabel->setStyleSheet(QStringLiteral("QLabel {color : white;}"));
    for (QWidget *w : {static_cast<QWidget *>(m_helpLine.data()),
                       static_cast<QWidget *>(m_helpClose.data()),
                       static_cast<QWidget *>(m_helpLabel.data())})
        w->show();
}

void Configurator::closeHelp()
{
    delete m_helpLine;
    delete m_helpLabel;
    if (m_helpClose)
        m_helpClose->deleteLater(); // may be the sender of this very call
    setFixedSize(kWindowSize);
    m_helpMode = false;
}

void Configurator::showHelp(QWidget *widget)
{
    if (!m_helpLabel || !widget)
        return;
    m_helpLabel->setText(HelpTexts::textFor(widget->objectName()));
}

void Configurator::on_pushButton_Help_clicked()
{
    slotShortcutF1();
    writeLogFile(QStringLiteral("Help called"));
}

void Configurator::slotShortcutF2()
{
    if (m_isFLS)
        on_Button_SetFullDUT_clicked();
    else if (m_isBLE)
        on_Button_SetFullBLE_clicked();
}

void Configurator::slotShortcutF3()
{
    const QWidget *page = ui->stackedWidget->currentWidget();
    if (page != ui->DUT && page != ui->BLE_KV510)
        return;
    if (DynamicQDialog::show(this,
                             tr("Сейчас будет установлен новый уровень \"%1\"\nВы уверены?")
                                 .arg(tr("Пустой")),
                             true)
        == 1)
        setEmpty();
}

void Configurator::slotShortcutF4()
{
    const QWidget *page = ui->stackedWidget->currentWidget();
    if (page != ui->DUT && page != ui->BLE_KV510)
        return;
    launchTarirovka();
}

QWidget *Configurator::activeDevicePage() const
{
    return m_isBLE ? ui->BLE_KV510 : m_isAQ420 ? ui->AQ420 : m_isWiredTag ? ui->WiredTag : ui->DUT;
}

void Configurator::on_pushBtnEngineerBack_clicked()
{
    setParentForGroupBoxSerPort(ui->DUT);
    m_fls->setVisibleSwitch(true);
}

void Configurator::on_pushButtonBackTarir_clicked()
{
    setParentForGroupBoxSerPort(m_isBLE ? ui->BLE_KV510 : ui->DUT);
}

void Configurator::askLevelPoint(bool full, int smoothing)
{
    const QString what = full ? tr("Полный") : tr("Пустой");
    if (smoothing != 0)
        DynamicQDialog::show(this, tr("Установку \"%1\" рекомендуется делать\n"
                                      "при отключенном сглаживании")
                                       .arg(what));
    if (DynamicQDialog::show(this,
                             tr("Сейчас будет установлен новый уровень \"%1\"\nВы уверены?")
                                 .arg(what),
                             true)
        == 1)
        full ? setFull() : setEmpty();
}

void Configurator::on_Button_SetFullDUT_clicked()
{
    askLevelPoint(true, ui->comboBox_FiltrDUT->currentIndex());
}

void Configurator::on_Button_SetEmptyDUT_clicked()
{
    askLevelPoint(false, ui->comboBox_FiltrDUT->currentIndex());
}

void Configurator::on_Button_SetFullBLE_clicked()
{
    askLevelPoint(true, ui->comboBox_FiltrBLE->currentIndex());
}

void Configurator::on_Button_SetEmptyBLE_clicked()
{
    askLevelPoint(false, ui->comboBox_FiltrBLE->currentIndex());
}

void Configurator::sendLevelPoint(quint8 command, const QString &what)
{
    // The reply is left to the poll cycle; nothing waits for it here.
    if (m_isFLS) {
        m_port->writeData(Frame::writeRequest(m_currentAddress, command));
        writeLogFile(what + QStringLiteral(" FLS"));
    } else if (m_isBLE) {
        m_port->writeData(Frame::writeRequest(m_currentAddress, command));
        showStatusMessageUp(tr("Ожидаем ответа от датчика"));
        writeLogFile(what + QStringLiteral(" BLE"));
    }
}

void Configurator::setFull()
{
    sendLevelPoint(Protocol::Command::SetFull, QStringLiteral("Set full"));
}

void Configurator::setEmpty()
{
    sendLevelPoint(Protocol::Command::SetEmpty, QStringLiteral("Set empty"));
}

void Configurator::launchTarirovka()
{
    if (m_isBLE && m_ble->isAdvertisingMode()) {
        ui->tabWidgetAdw->setCurrentIndex(0);
        showAdvertisingPage();
    } else if (m_isBLE) {
        m_calibration->enterSet(m_ble->calibrationSet(), m_ble->link());
    } else {
        m_calibration->enter();
    }
}

void Configurator::on_ButtonTarirovka_clicked()
{
    if (m_isBLE && m_ble->isAdvertisingMode()) {
        enterAdvertisingCalibration();
        return;
    }
    const bool present = m_isFLS ? m_fls->isDeviceConnected()
                         : m_isBLE ? m_ble->isDeviceConnected()
                                   : false;
    if (!present)
        return;
    const int smoothing = m_isFLS ? ui->comboBox_FiltrDUT->currentIndex()
                                  : ui->comboBox_FiltrBLE->currentIndex();
    if (smoothing != 0)
        DynamicQDialog::show(this, tr("Тарировку рекомендуется делать\nпри отключенном сглаживании"));
    // A sensor not set on empty and full gives readings that a table
    // cannot fix: ask before going on.
    if (m_isFLS && m_fls->isNotCalibrated()) {
        if (DynamicQDialog::show(this,
                                 tr("Внимание!Датчик неоткалиброван на пустой-полный\n"
                                    "перейти к тарировке?"),
                                 true, QSize(300, 150))
            != 1)
            return;
        writeLogFile(QStringLiteral("Going to Tar"));
    }
    launchTarirovka();
}

void Configurator::on_pushButtonAdSensorTar_clicked()
{
    ui->pushButtonRestoreTar->hide();
    addSensorTar();
}

void Configurator::addSensorTar()
{
    m_calibration->addSensor();
}

void Configurator::on_pushButtonAdPortionTar_clicked()
{
    addPortionTar();
}

void Configurator::addPortionTar()
{
    m_calibration->addPortion();
}

void Configurator::on_pushButtonDelPortionTar_clicked()
{
    deletePortionTar();
}

void Configurator::deletePortionTar()
{
    m_calibration->deletePortion();
}

void Configurator::on_pushButtonDelSensorTar_clicked()
{
    deleteSensorTar();
}

void Configurator::deleteSensorTar()
{
    m_calibration->deleteSensor();
}

void Configurator::on_pushButtonEndTar_clicked()
{
    endingTar();
}

void Configurator::endingTar()
{
    m_calibration->ending();
}

void Configurator::on_pushButtonRestoreTar_clicked()
{
    restoreTar();
}

void Configurator::restoreTar()
{
    m_calibration->restore();
}

void Configurator::on_comboBoxZalivSliv_textActivated(const QString &text)
{
    m_calibration->chooseDirection(text);
}

void Configurator::saveTable()
{
    m_calibration->saveTable();
}

void Configurator::UpDataTableSize()
{
    m_calibration->fitTable();
}

void Configurator::on_pushButtonGraphShow_clicked()
{
    m_calibration->showGraph();
}

void Configurator::backToTar()
{
    m_calibration->backFromGraph();
}

void Configurator::setInvisibleLabelCopyMac()
{
    ui->label_CopyMacBLE->hide();
}

// ---------------------------------------------------------------- events

bool Configurator::eventFilter(QObject *watched, QEvent *event)
{
    auto *widget = qobject_cast<QWidget *>(watched);
    switch (event->type()) {
    case QEvent::Enter:
        if (m_helpMode) {
            showHelp(widget);
            return true;
        }
        if (watched == ui->comboBox_SerialPort && !ui->pushButtonDeviceFLS->isChecked()
            && !ui->pushButtonBLE->isChecked() && !ui->pushButtonAQ420->isChecked()
            && !ui->pushButtonWiredTag->isChecked()) {
            UpdateSerialPorts();
            return true;
        }
        break;
    case QEvent::Leave:
        if (m_helpMode && m_helpLabel)
            m_helpLabel->clear();
        break;
    case QEvent::MouseButtonPress:
        if (watched == ui->label_MAC_BLE_VAL) {
            QGuiApplication::clipboard()->setText(
                ui->label_MAC_BLE_VAL->text().remove(QLatin1Char(':')));
            ui->label_CopyMacBLE->show();
            QTimer::singleShot(kCopyMacLabelTime, this, &Configurator::setInvisibleLabelCopyMac);
        }
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

void Configurator::startDemoLine()
{
    if (!VirtualLine::hasPseudoTerminals()) {
        DynamicQDialog::show(this,
                             tr("Демонстрационный режим здесь требует пары виртуальных "
                                "COM-портов:\nзапустите volmar-emulator --serial COMx\n"
                                "и выберите парный порт."),
                             false, QSize(420, 200));
        return;
    }
    // Nobody can switch a demo sensor's power: it does so by itself a few
    // seconds after the reset of a firmware update.
    const QStringList devices = m_options.demoDevices.isEmpty()
        ? QStringList{QStringLiteral("kv510@1:autocycle=3000")}
        : m_options.demoDevices;
    auto *line = new VirtualLine(this);
    QString error;
    if (!line->addDevices(devices, &error) || !line->openPseudoTerminal(&error)) {
        delete line;
        writeLogFile(QStringLiteral("Demo line failed: ") + error);
        DynamicQDialog::show(this, tr("Демонстрационная линия не запущена:\n%1").arg(error),
                             false, QSize(420, 200));
        return;
    }
    m_demoLine = line;
    addExtraPort(line->portName());
}

// ---------------------------------------------------------------- wired sensor parameters

namespace {
void markChanged(QLabel *mark, const QPixmap &picture)
{
    mark->setPixmap(picture.scaled(mark->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    mark->show();
}
} // namespace

void Configurator::on_comboBox_ModeDUT_activated(int index)
{
    // Only marked here: the write takes the code from the chosen text.
    Q_UNUSED(index)
    markChanged(ui->label_Alarm_2DUT, m_pictures.value(QStringLiteral("bird.png")));
    m_fls->setChanged(true);
    writeLogFile(QStringLiteral("Change mode"));
}

void Configurator::on_comboBox_FiltrDUT_activated(int index)
{
    Q_UNUSED(index)
    markChanged(ui->label_Alarm_3DUT, m_pictures.value(QStringLiteral("bird.png")));
    m_fls->setChanged(true);
    writeLogFile(QStringLiteral("Change filtration"));
}

void Configurator::on_lineEditNetNumDUT_textEdited(const QString &)
{
    markChanged(ui->label_Alarm_6DUT, m_pictures.value(QStringLiteral("bird.png")));
    m_fls->setChanged(true);
}

void Configurator::on_lineEditMinLevelDUT_textEdited(const QString &)
{
    if (m_fls->firmware() >= kNewFirmwareLevels)
        return;
    writeLogFile(QStringLiteral("Change min level"));
    if (DynamicQDialog::show(this,
                             tr("Версия датчика не поддерживает данную функцию\n"
                                "Хотите установить минимальное значение?"),
                             true)
        == 1) {
        m_fls->setChanged(true);
        markChanged(ui->label_Alarm_5DUT, m_pictures.value(QStringLiteral("bird.png")));
    }
    ui->lineEditMinLevelDUT->setText(QStringLiteral("1"));
}

void Configurator::on_lineEditMaxLevelDUT_textEdited(const QString &)
{
    if (m_fls->firmware() >= kNewFirmwareLevels)
        return;
    writeLogFile(QStringLiteral("Change max level"));
    const bool twelveBit = m_fls->is12Bit();
    ui->lineEditMaxLevelDUT->setText(twelveBit ? QStringLiteral("4095") : QStringLiteral("1023"));
    if (DynamicQDialog::show(this,
                             tr("Версия датчика не поддерживает данную функцию\n"
                                "Хотите установить максимальное значение?"),
                             true)
        != 1)
        return;
    ui->lineEditMaxLevelDUT->setText(twelveBit ? QStringLiteral("1023") : QStringLiteral("4095"));
    m_fls->setWrite4095(!twelveBit);
    m_fls->setWrite1023(twelveBit);
    m_fls->setResolution(!twelveBit);
    markChanged(ui->label_Alarm_4DUT, m_pictures.value(QStringLiteral("bird.png")));
    m_fls->setChanged(true);
}

void Configurator::on_comboBox_NetNumDUT_activated(int index)
{
    m_currentAddress = m_addresses.at(index);
    // The page keeps records for the sensors it listed, no more.
    m_pollIndex = index >= 0 && index < m_addresses.count() && index < FLSDevice::kMaxSensors
        ? index
        : 0;
    m_fls->link()->setPolledIndex(m_pollIndex);
    m_fls->setStep(Protocol::Step::ReadSettings);
    writeLogFile(QStringLiteral("Change current net num"));
}

quint8 Configurator::getMode() const
{
    return FlsParameters::modeCode(ui->comboBox_ModeDUT->currentText());
}

quint8 Configurator::getFiltr() const
{
    const FlsModel model = ui->comboBox_FiltrDUT->count() == 16 ? FlsModel::Generic
                                                               : FlsModel::KV510;
    return FlsParameters::filtrationCode(model, ui->comboBox_FiltrDUT->currentIndex());
}

void Configurator::on_ButtonWriteParamDUT_clicked()
{
    if (m_fls->isChanged())
        writeParamToDevice();
}

void Configurator::writeParamToDevice()
{
    if (!m_isFLS)
        return;
    // An address the line cannot use would lose the sensor: 0 ends the
    // address list and 255 is the search broadcast.
    bool ok = false;
    const int newAddress = ui->lineEditNetNumDUT->text().trimmed().toInt(&ok);
    if (!ok || newAddress < 1 || newAddress > 254) {
        DynamicQDialog::show(this, tr("Сетевой адрес должен быть числом\nот 1 до 254"));
        return;
    }
    SharedTimers::pollTimer()->stop();
    m_oldSetting = FlsSettingsRecord();
    // Both frames go to the sensor whose settings the form shows: the
    // round robin may be polling another one at this moment.
    const quint8 target = m_fls->getNetNum();
    // What a retry after a failed write must send again: the resolution the
    // sensor reported, or the one the engineer chose.
    const bool wasTwelveBit = m_fls->is12Bit();
    const bool hadWrite1023 = m_fls->write1023();
    const bool hadWrite4095 = m_fls->write4095();
    // What the engineer typed, to put back if the sensor does not take it:
    // the read-back below refills the form from the sensor.
    const QString typedMode = ui->comboBox_ModeDUT->currentText();
    const int typedFiltration = ui->comboBox_FiltrDUT->currentIndex();
    const QString typedMaxLevel = ui->lineEditMaxLevelDUT->text();
    const QString typedAddress = ui->lineEditNetNumDUT->text();

    quint8 mode = getMode();
    const quint8 filtration = getFiltr();
    if (m_fls->write1023()) {
        m_fls->setWrite1023(false);
        ui->progressBarLevelDUT->setMaximum(1024);
    } else if (m_fls->write4095() || m_fls->is12Bit()) {
        m_fls->setWrite4095(false);
        mode |= FlsParameters::kTwelveBit;
        ui->progressBarLevelDUT->setMaximum(4096);
    }
    QByteArray settings;
    settings.append(char(mode));
    settings.append(char(filtration));
    m_port->writeData(Frame::writeRequest(target, Protocol::Command::WriteSettings, settings));
    m_oldSetting.mode = mode;
    m_oldSetting.dopmode = m_oldSetting.filtr = filtration;

    m_fls->setStep(Protocol::Step::ReadSettings);
    LocalWait::forTime(kAfterSettingsWrite);
    parceDataFromCOMPort();

    m_port->writeData(Frame::writeRequest(target, Protocol::Command::SetAddress,
                                          QByteArray(1, char(newAddress))));
    m_oldSetting.netnum = quint32(newAddress);

    m_fls->followAddressAfterSearch(quint8(newAddress));
    m_fls->setStep(Protocol::Step::Search);
    SharedTimers::pollTimer()->start(kWritePollInterval);
    m_fls->setFormRefresh(true);
    LocalWait::forTime(kAfterAddressWrite);
    parceDataFromCOMPort();
    // With several sensors the parse tick comes only every 500 ms, and a
    // busy line may answer late: give the settings time to come back
    // before they are compared, rather than report a good write as failed.
    for (auto waited = kAfterAddressWrite; m_fls->formRefresh() && waited < kReadBackLimit;
         waited += kReadBackStep) {
        LocalWait::forTime(kReadBackStep);
        parceDataFromCOMPort();
    }

    m_newSetting = m_fls->currentSettings();
    if (m_newSetting == m_oldSetting) {
        for (QLabel *mark : {ui->label_Alarm_2DUT, ui->label_Alarm_3DUT, ui->label_Alarm_4DUT,
                             ui->label_Alarm_5DUT, ui->label_Alarm_6DUT})
            markChanged(mark, m_pictures.value(QStringLiteral("bird_green.png")));
        m_fls->setChanged(false);
        m_defaultsLoaded = false;
        writeLogFile(QStringLiteral("Write param to device succesfull"));
    } else {
        writeLogFile(QStringLiteral("Error write param to device"));
        ui->comboBox_ModeDUT->setCurrentText(typedMode);
        ui->comboBox_FiltrDUT->setCurrentIndex(typedFiltration);
        ui->lineEditMaxLevelDUT->setText(typedMaxLevel);
        ui->lineEditNetNumDUT->setText(typedAddress);
        m_fls->setResolution(wasTwelveBit);
        m_fls->setWrite4095(hadWrite4095);
        m_fls->setWrite1023(hadWrite1023);
        m_fls->setChanged(true); // the marks stay until it is written
        DynamicQDialog::show(this, tr("Некоторые параметры не были записаны\nПовторите"));
    }
    if (!m_fls->isChanged())
        m_markTimer->start();
    SharedTimers::pollTimer()->start(PollTiming::kPollInterval);
}

void Configurator::EscapeCurSetting()
{
    if (!m_isFLS)
        return;
    const FlsSettingsRecord current = m_fls->currentSettings();
    // The same reading of the code as the settings reply, so that undoing
    // shows what the sensor holds.
    const quint8 filtration = quint8(current.filtr & 0x0F);
    if (ui->comboBox_FiltrDUT->count() == 16)
        ui->comboBox_FiltrDUT->setCurrentIndex(filtration);
    else
        ui->comboBox_FiltrDUT->setCurrentIndex(
            FlsParameters::filtrationIndex(m_fls->model(), filtration));
    const QString mode = FlsParameters::modeText(quint8(current.mode & 0x7F));
    if (!mode.isEmpty())
        ui->comboBox_ModeDUT->setCurrentText(mode);
    ui->lineEditMaxLevelDUT->setText((current.mode & FlsParameters::kTwelveBit)
                                         ? QStringLiteral("4095")
                                         : QStringLiteral("1023"));
    ui->lineEditNetNumDUT->setText(QString::number(current.netnum));
    // An undone resolution change must not be written by a later write.
    m_fls->setResolution(current.mode & FlsParameters::kTwelveBit);
    m_fls->setWrite1023(false);
    m_fls->setWrite4095(false);
    m_fls->hideBirds();
    m_fls->setChanged(false);
    m_defaultsLoaded = false;
}

void Configurator::SetDefaultSetting()
{
    if (!m_isFLS)
        return;
    ui->lineEditMaxLevelDUT->setText(QStringLiteral("1023"));
    ui->lineEditMinLevelDUT->setText(QStringLiteral("1"));
    ui->lineEditNetNumDUT->setText(QStringLiteral("1"));
    ui->comboBox_FiltrDUT->setCurrentIndex(0);
    ui->comboBox_ModeDUT->setCurrentText(FlsParameters::modeText(FlsParameters::kModeRs485));
    for (QLabel *mark : {ui->label_Alarm_2DUT, ui->label_Alarm_3DUT, ui->label_Alarm_4DUT,
                         ui->label_Alarm_5DUT, ui->label_Alarm_6DUT})
        markChanged(mark, m_pictures.value(QStringLiteral("bird.png")));
    m_defaultsLoaded = true;
}

// ---------------------------------------------------------------- engineering commands

void Configurator::on_pushBtnManualInput_clicked()
{
    auto *dialog = new EngineerMenuQDialog(this, true);
    m_levelDialog = dialog;
    dialog->connectBtnToFunctionDUT(this);
    dialog->setTimerUpdateVal(this);
    dialog->setStyleSheet(DynamicQDialog::commonStyleSheet());
    dialog->resize(300, 170);
    dialog->exec();
    dialog->deleteLater();
    m_levelDialog = nullptr;
}

void Configurator::UpdataValEngMenu()
{
    if (m_isFLS) {
        m_fullValue = m_fls->record(0).full;
        m_emptyValue = m_fls->record(0).empty;
    } else if (m_isBLE) {
        m_fullValue = m_ble->record(0).full;
        m_emptyValue = m_ble->record(0).empty;
    }
    if (m_levelDialog)
        m_levelDialog->updateValueLevel(m_fullValue, m_emptyValue);
}

void Configurator::setFullAndEmptyLevel()
{
    if (!m_levelDialog)
        return;
    const quint32 empty = m_levelDialog->getEmptyValue();
    const quint32 full = m_levelDialog->getFullValue();
    const QStringList problems = EngineerMenuQDialog::checkFullAndEmpty(full, empty);
    for (const QString &problem : problems)
        DynamicQDialog::show(this, problem);
    if (!problems.isEmpty())
        return;
    writeLogFile(QStringLiteral("Manual input full and empty"));
    const auto wait = m_isBLE ? kAfterLevelFrameBle : kAfterLevelFrame;
    m_port->writeData(Frame::writeRequest(m_currentAddress, Protocol::Command::ManualEmpty,
                                          Frame::bigEndian32(empty)));
    if (m_isFLS || m_isBLE)
        LocalWait::forTime(wait);
    parceDataFromCOMPort();
    if (m_levelDialog)
        m_levelDialog->setEmptyValue(int(empty));
    m_port->writeData(Frame::writeRequest(m_currentAddress, Protocol::Command::ManualFull,
                                          Frame::bigEndian32(full)));
    LocalWait::forTime(kAfterLevelFrame);
    parceDataFromCOMPort();
    if (m_levelDialog)
        m_levelDialog->setFullValue(int(full));
}

void Configurator::on_pushBtnCalibHorizState_clicked()
{
    m_port->writeData(Frame::writeRequest(m_currentAddress, Protocol::Command::CalibrateHorizon));
    LocalWait::forTime(kAfterEngineeringCommand);
    parceDataFromCOMPort();
    writeLogFile(QStringLiteral("Horizont calibrate"));
}

void Configurator::on_pushButtonSetPercent_clicked()
{
    // A threshold is a percentage: "300" must not reach the sensor as 44.
    bool ok = false;
    const uint percent = ui->lineEdit_Lamp->text().trimmed().toUInt(&ok);
    if (!ok || percent > kMaxAlarmPercent) {
        DynamicQDialog::show(this, tr("Порог срабатывания лампы должен быть\nот 0 до 100 %"));
        return;
    }
    if (DynamicQDialog::show(this,
                             tr("Сейчас будет установлен новый уровень\nаварийного остатка "
                                "топлива.\n\nВы уверены?"),
                             true)
        != 1)
        return;
    m_port->writeData(Frame::writeRequest(m_currentAddress, Protocol::Command::SetAlarmLevel,
                                          QByteArray(1, char(percent))));
    LocalWait::forTime(kAfterEngineeringCommand);
    parceDataFromCOMPort();
    writeLogFile(QStringLiteral("Set new alarm level fuel"));
}

void Configurator::on_pushBtnCalcLtrPrc_clicked()
{
    auto *dialog = new LiterToPercent(this, true);
    m_tableDialog = dialog;
    dialog->setStyleSheet(QStringLiteral("background-color:#1F2222;border-style: solid;"
                                         "border-width: 1px;border-color: white;color : white;"));
    dialog->resize(500, 550);
    dialog->exec();
    dialog->deleteLater();
    m_tableDialog = nullptr;
}

void Configurator::writeTable()
{
    if (!m_tableDialog)
        return;
    SharedTimers::pollTimer()->stop();
    QString error;
    const auto payload = CalibrationTable::writePayload(m_tableDialog->levels(),
                                                        m_tableDialog->volumes(), &error);
    if (!payload) {
        // The sensor must never store a table other than the one on screen.
        DynamicQDialog::show(this, error, false, QSize(360, 170));
        SharedTimers::pollTimer()->start(PollTiming::kPollInterval);
        return;
    }
    m_port->writeData(Frame::writeRequest(m_currentAddress, Protocol::Command::WriteTable,
                                          *payload));
    setActiveStep(Protocol::Step::ReadIdentification);
    SharedTimers::pollTimer()->start(PollTiming::kPollInterval);
    LocalWait::forTime(kAfterTableWrite);
    parceDataFromCOMPort();
    writeLogFile(QStringLiteral("Write tar table"));
}

void Configurator::readTable()
{
    SharedTimers::pollTimer()->stop();
    m_port->writeData(Frame::request(m_currentAddress, Protocol::Command::ReadTable));
    setActiveStep(Protocol::Command::ReadTable);
    LocalWait::forTime(kAfterTableRead);
    SharedTimers::pollTimer()->start(PollTiming::kPollInterval);
    parceDataFromCOMPort();
    // No table came: the poll must not stay on a step that sends nothing.
    if (activeStep() == Protocol::Command::ReadTable)
        setActiveStep(Protocol::Step::ReadSettings);
    writeLogFile(QStringLiteral("Read tar table"));
}
