#include "bleadwview.h"

#include "adwertdialog.h"

#include "app/dynamicqdialog.h"
#include "blereplies.h"
#include "calibration/widgettar.h"
#include "calibration/calibrationset.h"
#include "widgets/switch.h"

#include <QCoreApplication>
#include <QDebug>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStandardItemModel>
#include <QTableView>

namespace {

constexpr QPoint kTilePosition(6, 6);
constexpr QPoint kCalibrationOrigin(6, 176);   // the tab's calibration tiles
constexpr int kTileWidth = 512;                // px
constexpr int kTileHeight = 166;               // px
constexpr int kTabBottom = 404;                // px: the table ends above the tab's edge

const char kValueStyle[] = "QLabel {color: white;font-size:10pt;border: none;}";
const char kCaptionStyle[] = "QLabel {color: #b9b9b9;font-size:10pt;border: none;}";
const char kDopOffStyle[] =
    "QLabel{background-color: #1f2222;font-size:10pt;color: #656767;;border: none;}";
const char kDopOnStyle[] =
    "QLabel{background-color: #1f2222;font-size:10pt;color: white;border: none;}";
const char kConnectStyle[] =
    "QPushButton {min-width: 150px;min-height: 25px;border-style: solid;border-width: 1px;"
    "border-radius: 4px;border-color: #00A778;color:white;}"
    "QPushButton:pressed {background-color: #00A778;}";
const char kChangeNumberStyle[] =
    "QPushButton {min-width: 120px;min-height: 25px;border-style: solid;border-width: 1px;"
    "border-radius: 4px;border-color: #00A778;color:white;}"
    "QPushButton:pressed {background-color: #00A778;}";
const char kButtonStyle[] =
    "QPushButton {min-height: 25px;border-style: solid;border-width: 1px;border-radius: 4px;"
    "border-color: #b9b9b9;color:white;padding: 0 8px;}"
    "QPushButton:pressed {background-color: #2B3232;}";
const char kEditStyle[] =
    "QLineEdit {background-color: #1F2222;color: white;border: 1px solid #b9b9b9;"
    "border-radius: 4px;font-size:10pt;padding: 0 4px;}";
const char kBarStyle[] =
    "QProgressBar {border: 1px solid #b9b9b9;border-radius: 3px;background-color: #1F2222;}"
    "QProgressBar::chunk {background-color: #00A778;}";

} // namespace

BLEAdwView::BLEAdwView(int slot, QWidget *tab)
    : QWidget(tab),
      m_slot(slot),
      m_model(std::make_shared<BLEAdwModel>()),
      m_name(new QLabel(QStringLiteral("KV_100001"), this)),
      m_addressCaption(caption(tr("Сет. адрес"), "labelNetNumAdw")),
      m_address(new QLineEdit(this)),
      m_change(new QPushButton(tr("Изменить"), this)),
      m_signal(value(QStringLiteral("-35Db"), "labelSignalAdw")),
      m_voltage(value(QStringLiteral("3.5V"), "labelVoltageAdw")),
      m_level(value(QStringLiteral("1023"), "labelLevelAdw")),
      m_levelBar(new QProgressBar(this)),
      m_temperature(value(QStringLiteral("25°C"), "labelTempAdw")),
      m_connect(new QPushButton(tr("Подключить датчик"), this)),
      m_disconnect(new QPushButton(tr("Отключить"), this)),
      m_mainCaption(caption(tr("Основные параметры"), "labelMainParamAdw")),
      m_dopCaption(caption(tr("Дополнительные параметры"), "labelDopParamAdw")),
      m_switch(new Switch(this))
{
    setObjectName(QStringLiteral("bleAdwView%1").arg(slot + 1));
    setGeometry(QRect(kTilePosition, QSize(kTileWidth, kTileHeight)));
    m_name->setObjectName(QStringLiteral("labelNameAdw"));
    m_name->setStyleSheet(QStringLiteral("QLabel {color: white;font-size:14pt;border: none;}"));
    m_address->setObjectName(QStringLiteral("lineEditNetNumAdw"));
    m_address->setStyleSheet(QLatin1String(kEditStyle));
    m_address->setFixedWidth(80);
    m_change->setObjectName(QStringLiteral("pushButtonChangeNetNumAdw"));
    m_disconnect->setObjectName(QStringLiteral("pushButtonDisconnectAdw"));
    m_connect->setObjectName(QStringLiteral("pushButtonConnectDevAdw"));
    for (QPushButton *b : {m_change, m_disconnect})
        b->setStyleSheet(QLatin1String(kButtonStyle));
    for (QPushButton *b : {m_change, m_disconnect, m_connect})
        b->setCursor(Qt::PointingHandCursor);
    m_connect->setStyleSheet(QLatin1String(kConnectStyle));
    m_levelBar->setObjectName(QStringLiteral("progressBarLevelAdw"));
    m_levelBar->setTextVisible(false);
    m_levelBar->setFixedHeight(10);
    m_levelBar->setStyleSheet(QLatin1String(kBarStyle));
    m_levelBar->setRange(0, 1023);
    m_switch->setObjectName(QStringLiteral("switchDopParamAdw"));
    m_switch->setCheckable(true);
    m_switch->setFixedSize(m_switch->sizeHint());
    m_dopCaption->setStyleSheet(QLatin1String(kDopOffStyle));

    m_valueCaptions = {caption(tr("Уровень сигнала"), "labelSignalNameAdw"),
                       caption(tr("Напряжение"), "labelVoltageNameAdw"),
                       caption(tr("Уровень"), "labelLevelNameAdw"),
                       caption(tr("Температура"), "labelTempNameAdw")};

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(12, 8, 12, 8);
    grid->setVerticalSpacing(4);
    grid->addWidget(m_name, 0, 0, 1, 2);
    auto *addressRow = new QHBoxLayout;
    addressRow->setSpacing(8);
    addressRow->addWidget(m_addressCaption);
    addressRow->addWidget(m_address);
    addressRow->addWidget(m_change);
    addressRow->addStretch();
    grid->addLayout(addressRow, 0, 2, 1, 2);
    const QList<QLabel *> values{m_signal, m_voltage, m_level, m_temperature};
    for (int i = 0; i < values.size(); ++i) {
        grid->addWidget(m_valueCaptions[i], 1 + i / 2, (i % 2) * 2);
        grid->addWidget(values[i], 1 + i / 2, (i % 2) * 2 + 1);
    }
    grid->addWidget(m_levelBar, 3, 0, 1, 4);
    auto *switchRow = new QHBoxLayout;
    switchRow->setSpacing(8);
    switchRow->addWidget(m_mainCaption);
    switchRow->addWidget(m_switch);
    switchRow->addWidget(m_dopCaption);
    switchRow->addStretch();
    grid->addLayout(switchRow, 4, 0, 1, 4);
    auto *buttons = new QHBoxLayout;
    buttons->setSpacing(12);
    buttons->addWidget(m_connect);
    buttons->addWidget(m_disconnect);
    buttons->addStretch();
    grid->addLayout(buttons, 5, 0, 1, 4);

    connect(m_switch, &QAbstractButton::toggled, this, &BLEAdwView::sendSignalEnableDopParam);
    connect(m_change, &QPushButton::clicked, this, &BLEAdwView::sendSignalChangeNetNumAdwert);
    connect(m_disconnect, &QPushButton::clicked, this, &BLEAdwView::sendSignalEnableDevice);
    connect(m_connect, &QPushButton::clicked, this, &BLEAdwView::createDialogConnectDevice);
    // Hidden labels keep their place, so the tile does not jump when a
    // sensor connects and every text has its room from the start.
    for (QWidget *w : findChildren<QWidget *>()) {
        QSizePolicy policy = w->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        w->setSizePolicy(policy);
    }
    createTarDevice();
    showLabel(false);
}

void BLEAdwView::retranslate()
{
    m_addressCaption->setText(tr("Сет. адрес"));
    m_change->setText(tr("Изменить"));
    m_disconnect->setText(tr("Отключить"));
    m_mainCaption->setText(tr("Основные параметры"));
    m_dopCaption->setText(tr("Дополнительные параметры"));
    const QStringList captions{tr("Уровень сигнала"), tr("Напряжение"), tr("Уровень"),
                               tr("Температура")};
    for (int i = 0; i < captions.size(); ++i)
        m_valueCaptions[i]->setText(captions[i]);
    setConnectButtonText(m_model->isConnected());
}

void BLEAdwView::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

BLEAdwView::~BLEAdwView() = default;

QLabel *BLEAdwView::caption(const QString &text, const char *name)
{
    auto *label = new QLabel(text, this);
    label->setObjectName(QLatin1String(name));
    label->setStyleSheet(QLatin1String(kCaptionStyle));
    return label;
}

QLabel *BLEAdwView::value(const QString &placeholder, const char *name)
{
    auto *label = new QLabel(placeholder, this);
    label->setObjectName(QLatin1String(name));
    label->setStyleSheet(QLatin1String(kValueStyle));
    return label;
}

void BLEAdwView::paintEvent(QPaintEvent *)
{
    static const QPixmap background(QStringLiteral(":/images/dev_ble_new_fon.png"));
    QPainter painter(this);
    painter.drawPixmap(rect(), background);
}

void BLEAdwView::createTarDevice()
{
    m_calibration = std::make_unique<CalibrationSet>(
        CalibrationSet::create(parentWidget(), kCalibrationOrigin, this));
    m_calibration->firstDevice = m_slot;
    m_calibration->bottom = kTabBottom;
    m_calibration->view->setObjectName(QStringLiteral("tableViewTarAdw%1").arg(m_slot + 1));
}

void BLEAdwView::setConnectRequested(bool requested)
{
    m_connectRequested = requested;
    m_missCounter = 0;
}

void BLEAdwView::setConnectButtonText(bool connected)
{
    m_connect->setText(connected ? tr("Изменить номер") : tr("Подключить датчик"));
    m_connect->setStyleSheet(QLatin1String(connected ? kChangeNumberStyle : kConnectStyle));
}

void BLEAdwView::refresh(const BLEAdwModel::Name &recordName)
{
    showLabel(m_model->isConnected());
    setConnectButtonText(m_model->isConnected());
    if (m_connectRequested) {
        const BLEAdwModel::Name wanted = m_model->getNameCharForConnect();
        if (m_slot == 0)
            qDebug() << "tempNameChar=" << QByteArray(recordName.data(), int(recordName.size()))
                     << "tempNameCharForConnect=" << QByteArray(wanted.data(), int(wanted.size()));
        if (wanted != BLEAdwModel::Name{} && recordName == wanted) {
            m_connected = true;
            m_connectRequested = false;
            m_missCounter = 0;
            sendSignalDeviceAdwertIsConnected();
            qDebug() << "Connect OK";
        } else if (++m_missCounter > kMissesBeforeDrop) {
            m_missCounter = 0;
            m_connectRequested = false;
        }
    }
    setEnableViewDopParam(m_model->isDopParamOn());
}

void BLEAdwView::setDataFromModel(const BLEAdwModel *model)
{
    if (!model)
        return;
    const AdwRecord &r = model->record();
    m_levelBar->setMaximum(model->scaleMaximum() - 1);
    m_levelBar->setValue(qMin(int(r.level), m_levelBar->maximum()));
    const BLEAdwModel::Name name = model->getNameChar();
    m_name->setText(QLatin1String(AdwRules::kNamePrefix)
                    + QString::fromLocal8Bit(name.data(),
                                             int(qstrnlen(name.data(), uint(name.size())))));
    m_signal->setText(QString::number(r.rssi) + QStringLiteral("dB"));
    m_voltage->setText(QStringLiteral("%1.%2").arg(r.battery / 10).arg(r.battery % 10) + tr("В"));
    m_level->setText(QString::number(r.level));
    m_temperature->setText(QString::number(r.temperature) + QStringLiteral("°C"));
    showOnCalibrationTile(*model);
    // The calibration of this tab reads the level the tile shows.
    emit copyLevelValueToMain(r.level, m_slot);
}

void BLEAdwView::showOnCalibrationTile(const BLEAdwModel &model)
{
    // The tab's calibration tile says what the base station page's says,
    // in the same words.
    const auto text = [](const char *source) {
        return QCoreApplication::translate("BLEDevice", source);
    };
    const AdwRecord &r = model.record();
    WidgetTar *tile = m_calibration->tiles[0];
    tile->setLabel1Text(m_name->text());
    tile->setLabel2Text(QString::number(r.level));
    if (!model.hasRecord() || r.isSignalLost()) {
        m_stability.clear();
        tile->setLabel3Text(QString());
        tile->setLabel4Text(QString());
        return;
    }
    tile->setLabel3Text(BleReplies::isCalibrated(r.empty, r.full)
                            ? text(QT_TRANSLATE_NOOP("BLEDevice", "Калиброван"))
                            : text(QT_TRANSLATE_NOOP("BLEDevice", "Не калиброван")));
    const StabilityWindow::Verdict verdict = m_stability.add(r.raw);
    if (verdict == StabilityWindow::None)
        return;
    tile->setLabel4Text(verdict == StabilityWindow::Stable
                            ? text(QT_TRANSLATE_NOOP("BLEDevice", "Стабилен"))
                            : text(QT_TRANSLATE_NOOP("BLEDevice", "Не стабилен")));
    tile->setWindowColour(QColor(verdict == StabilityWindow::Stable             ? 0x00A778
                                 : verdict == StabilityWindow::SlightlyUnstable ? 0xDDB306
                                                                                : 0xE32323));
}

void BLEAdwView::showUI(bool visible)
{
    for (QWidget *w : std::initializer_list<QWidget *>{m_name, m_addressCaption, m_address, m_change,
                                                        m_connect, m_disconnect, m_mainCaption,
                                                        m_dopCaption, m_switch})
        w->setVisible(visible);
    showLabel(visible);
}

void BLEAdwView::showLabel(bool visible)
{
    for (QLabel *label : qAsConst(m_valueCaptions))
        label->setVisible(visible);
    for (QWidget *w : std::initializer_list<QWidget *>{m_signal, m_voltage, m_level, m_temperature,
                                                        m_levelBar})
        w->setVisible(visible);
}

void BLEAdwView::setEnableViewDopParam(bool on)
{
    m_dopCaption->setStyleSheet(QLatin1String(on ? kDopOnStyle : kDopOffStyle));
    if (m_switch->isChecked() != on) {
        const QSignalBlocker blocker(m_switch);
        m_switch->setChecked(on);
        m_switch->setArmed(true);
        m_switch->setInitialState(on);
    }
    // The engineer's own edit stays until the next address change.
    if (!m_address->hasFocus() && !m_address->isModified())
        m_address->setText(AdwRules::addressEditText(m_model->address(), on));
}

void BLEAdwView::createDialogConnectDevice()
{
    emit signalResetConnectingDevice();
    auto *dialog = new AdwertDialog(window());
    m_dialog = dialog;
    connect(dialog, &AdwertDialog::sendValueSerNumToConnect, this,
            &BLEAdwView::sendSignalToConnectDevice);
    connect(this, &BLEAdwView::deviceAdwertIsConnected, dialog, &QDialog::accept);
    connect(this, &BLEAdwView::sendSignalToDialogErrorConnectindToDevice, dialog,
            &AdwertDialog::setMessageErrorConnectDevice);
    dialog->exec();
    dialog->deleteLater();
}

void BLEAdwView::sendSignalToConnectDevice(const QString &serial)
{
    emit signalToMainToConnectDevice(serial, m_slot);
}

void BLEAdwView::deviceIsConnected()
{
    m_connected = true;
    setConnectButtonText(true);
}

void BLEAdwView::errorConnectingToDevice()
{
    emit sendSignalToDialogErrorConnectindToDevice();
}

void BLEAdwView::sendSignalEnableDevice()
{
    // "Отключить": the sensor goes off, its additional parameters as they are.
    emit signalEnableDopParam(m_slot, false, m_model->isDopParamOn());
}

void BLEAdwView::sendSignalEnableDopParam()
{
    m_changed = true;
    emit signalEnableDopParam(m_slot, true, m_switch->isChecked());
}

void BLEAdwView::resetFlConnectedDevice()
{
    m_connected = false;
    m_model->resetFlConnectedDevice();
}

void BLEAdwView::sendSignalDeviceAdwertIsConnected()
{
    deviceIsConnected();
    emit deviceAdwertIsConnected();
}

void BLEAdwView::sendSignalChangeNetNumAdwert()
{
    const auto address = AdwRules::addressFromEdit(m_address->text());
    if (!address) {
        // 0 ends the address list and 255 is the search broadcast.
        DynamicQDialog::show(window(), tr("Сетевой адрес должен быть числом\nот 1 до 254"));
        return;
    }
    m_connectRequested = true;
    m_address->setModified(false);
    emit signalChangeNetNumAdwert(m_slot, *address);
}
