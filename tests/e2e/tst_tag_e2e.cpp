// The tag reader page against emulated readers on an in-process line over a
// real pseudo-terminal: the page as the engineer sees it, the reader as the
// emulated reader ends up.
#include "app/configurator.h"
#include "devices/tag/wiredtagdevice.h"
#include "dialogrecorder.h"
#include "linebench.h"
#include "emulator/emulatedtag.h"
#include "emulator/virtualline.h"
#include "link/frame.h"
#include "link/portconnection.h"
#include "link/portlist.h"
#include "link/sharedtimers.h"
#include "ui_configurator.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

constexpr int kConnectTimeout = 10000; // ms; search, settings and identification take about 2 s
constexpr int kAnswerTimeout = 5000;

// One emulated line with a main window on it.
class Bench : public LineBench
{
public:
    explicit Bench(const QStringList &devices) : LineBench(devices, 7) {}

    WiredTagDevice *page() const { return window().wiredTagDevice(); }
    EmulatedTag *tag(quint8 address) { return line().tag(address); }

    // Presses W-TAG and waits until the first reader's serial number shows.
    bool connectReader()
    {
        if (!pressDeviceButton(QStringLiteral("tag")))
            return false;
        const QString serial = QString::number(line().tags().value(0)->serial());
        return QTest::qWaitFor(
            [&] { return ui()->label_ValSerNumWT->text() == serial && page()->isDeviceConnected()
                         && ui()->pushButtonSetModeWT->isEnabled(); },
            kConnectTimeout);
    }
};

void type(QLineEdit *field, const QString &text)
{
    field->clear();
    QTest::keyClicks(field, text); // textEdited, as the engineer types
}

} // namespace

class TestTagEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_workDir.isValid());
        QDir::setCurrent(m_workDir.path()); // log.txt lands here
        PortList::setSystemPortsProvider([] { return QVector<PortList::Port>{}; });
    }

    void init() { m_dialogs = std::make_unique<DialogRecorder>(); }
    void cleanup() { m_dialogs.reset(); }

    // W-TAG connects like the other device buttons; the identifier is read
    // and shown in hexadecimal and in decimal; mode, serial number and
    // identifier are set as the engineer does (markers follow, no write key);
    // releasing lets go.
    void readsAndSetsTheReader()
    {
        Bench bench({QStringLiteral("tag@7:mode=0,serial=4242,fw=215,id=0xC0FFEE")});
        QVERIFY(bench.connectReader());
        Ui::Configurator *ui = bench.ui();
        QCOMPARE(ui->stackedWidget->currentWidget(), ui->WiredTag);
        QVERIFY(bench.window().portConnection()->isOpen());
        QCOMPARE(ui->label_ValFW_WT->text(), QStringLiteral("2.1.5"));
        QCOMPARE(ui->comboBoxModeWT->currentText(), QStringLiteral("Режим Метка"));
        QCOMPARE(bench.window().statusLineModel()->text(), QStringLiteral("Датчик подключен"));
        QVERIFY(ui->label_SetModeWT->isVisibleTo(ui->WiredTag) && ui->label_SerNumWT->isVisibleTo(ui->WiredTag));

        ui->pushButtonReadIDWT->click();
        QCOMPARE(ui->lineEditSETIDWT->text(), QStringLiteral("c0ffee"));
        ui->checkBoxInputFormatWT->setChecked(true);
        QCOMPARE(ui->lineEditSETIDWT->text(), QStringLiteral("12648430"));
        bench.tag(7)->setIdentifier(255); // another tag before the reader, read in decimal
        ui->pushButtonReadIDWT->click();
        QCOMPARE(ui->lineEditSETIDWT->text(), QStringLiteral("255"));
        ui->checkBoxInputFormatWT->setChecked(false);
        QCOMPARE(ui->lineEditSETIDWT->text(), QStringLiteral("ff"));
        QCOMPARE(bench.tag(7)->identifierReads(), 2);

        ui->comboBoxModeWT->setCurrentIndex(0);
        emit ui->comboBoxModeWT->activated(0);
        QVERIFY(ui->label_PixSetModeWT->isVisibleTo(ui->WiredTag));
        int mark = bench.requestCount();
        ui->pushButtonSetModeWT->click();
        QCOMPARE(int(bench.tag(7)->mode()), 1);
        // The mode byte alone, no write key.
        QCOMPARE(bench.sentSince(mark, 0xF2, 7).value(0), Frame::request(7, 0xF2, QByteArray(1, '\x01')));
        QVERIFY(!ui->label_PixSetModeWT->isVisibleTo(ui->WiredTag));

        type(ui->lineEditSetSerNumWT, QStringLiteral("123456"));
        QVERIFY(ui->label_PixSetSerNumWT->isVisibleTo(ui->WiredTag));
        ui->pushButton_SetSerWT->click();
        QCOMPARE(bench.tag(7)->serial(), 123456u);
        QVERIFY(QTest::qWaitFor([&] { return ui->label_ValSerNumWT->text() == QStringLiteral("123456"); },
                                kAnswerTimeout));
        QVERIFY(!ui->label_PixSetSerNumWT->isVisibleTo(ui->WiredTag));

        // FF in hexadecimal and 255 in decimal are the same four bytes.
        for (const bool decimal : {false, true}) {
            bench.tag(7)->setIdentifier(1);
            ui->checkBoxInputFormatWT->setChecked(decimal);
            type(ui->lineEditSETIDWT, decimal ? QStringLiteral("255") : QStringLiteral("FF"));
            QVERIFY(decimal || ui->label_PixSetIDWT->isVisibleTo(ui->WiredTag));
            mark = bench.requestCount();
            ui->pushButtonSetIDWT->click();
            QCOMPARE(bench.tag(7)->identifier(), 255u);
            QCOMPARE(bench.sentSince(mark, 0xE1, 7).value(0).mid(3, 4), QByteArray::fromHex("000000FF"));
            if (!decimal) { // the identifier as set, marker gone
                QCOMPARE(ui->lineEditSETIDWT->text(), QStringLiteral("ff"));
                QVERIFY(!ui->label_PixSetIDWT->isVisibleTo(ui->WiredTag));
            }
        }

        QVERIFY(QTest::qWaitFor([&] { return ui->pushButtonWiredTag->isEnabled(); }, kAnswerTimeout));
        ui->pushButtonWiredTag->click(); // released
        QVERIFY(!bench.window().portConnection()->isOpen());
        QVERIFY(!SharedTimers::pollTimer()->isActive());
        QVERIFY(!bench.page()->isDeviceConnected());
        QVERIFY(!ui->label_SerNumWT->isVisibleTo(ui->WiredTag));
        QVERIFY(!ui->pushButtonReadIDWT->isEnabled());
        QVERIFY(m_dialogs->messages().isEmpty());
    }

    // An empty field is never sent as 0, nor an address out of 1..254 as
    // its low byte: each is refused and nothing goes out. Then a new address:
    // the reader moves, a new search finds it there and the page follows.
    void refusedFieldsThenANewAddress()
    {
        Bench bench({QStringLiteral("tag@7:id=77,serial=4242")});
        QVERIFY(bench.connectReader());
        Ui::Configurator *ui = bench.ui();
        int mark = bench.requestCount();
        ui->lineEditSETIDWT->clear();
        ui->pushButtonSetIDWT->click();
        ui->checkBoxInputFormatWT->setChecked(true);
        ui->pushButtonSetIDWT->click();
        ui->lineEditSetSerNumWT->clear();
        ui->pushButton_SetSerWT->click();
        type(ui->lineEditSetNetNumWT, QStringLiteral("300"));
        ui->pushBtnSetNetNumWT->click();
        QCOMPARE(m_dialogs->messages(),
                 QStringList({QStringLiteral("Введите ID метки\nот 1 до FFFFFFFF"),
                              QStringLiteral("Введите ID метки\nот 1 до 4294967295"),
                              QStringLiteral("Введите серийный номер\nот 1 до 2147483647"),
                              QStringLiteral("Сетевой адрес должен быть числом\nот 1 до 254")}));
        for (const quint8 command : {0xE1, 0xF6, 0xFB})
            QVERIFY2(bench.sentSince(mark, command, 7).isEmpty(), qPrintable(QString::number(command)));
        QCOMPARE(bench.tag(7)->identifier(), 77u);
        QCOMPARE(bench.tag(7)->serial(), 4242u);
        QCOMPARE(int(bench.tag(7)->address()), 7);

        type(ui->lineEditSetNetNumWT, QStringLiteral("9"));
        QVERIFY(ui->label_PixSetNetNumWT->isVisibleTo(ui->WiredTag));
        const QByteArray logBefore = logText();
        ui->pushBtnSetNetNumWT->click();
        QCOMPARE(int(bench.tag(9)->address()), 9);
        QVERIFY(!ui->label_PixSetNetNumWT->isVisibleTo(ui->WiredTag));
        QVERIFY(QTest::qWaitFor([&] { return bench.page()->isDeviceConnected()
                                             && bench.page()->selectedAddress() == 9; },
                                kConnectTimeout));
        mark = bench.requestCount();
        QVERIFY(QTest::qWaitFor([&] { return !bench.sentSince(mark, 0xFC, 9).isEmpty(); },
                                kConnectTimeout));
        QCOMPARE(ui->comboBox_NetNumWT->currentText(), QStringLiteral("9"));
        QCOMPARE(ui->label_ValSerNumWT->text(), QStringLiteral("4242"));
        QVERIFY(QTest::qWaitFor([&] { return logText().mid(logBefore.size()).contains("Change net num tag reader"); },
                                kAnswerTimeout));
    }

    // Three readers take turns; the one chosen in the address box is shown
    // and set, the others are left alone.
    void severalReadersInTurn()
    {
        Bench bench({QStringLiteral("tag@3:serial=1003,mode=0"), QStringLiteral("tag@5:serial=1005"),
                     QStringLiteral("tag@8:serial=1008,mode=0")});
        QVERIFY(bench.connectReader());
        Ui::Configurator *ui = bench.ui();
        QCOMPARE(ui->comboBox_NetNumWT->count(), 3);
        const int mark = bench.requestCount();
        for (const quint8 address : {3, 5, 8})
            QVERIFY2(QTest::qWaitFor([&] { return !bench.sentSince(mark, 0xFC, address).isEmpty(); },
                                     kConnectTimeout),
                     qPrintable(QString::number(address)));
        QCOMPARE(ui->label_ValSerNumWT->text(), QStringLiteral("1003"));

        ui->comboBox_NetNumWT->setCurrentIndex(2);
        emit ui->comboBox_NetNumWT->activated(2);
        QCOMPARE(bench.page()->selectedAddress(), quint8(8));
        QCOMPARE(ui->label_ValSerNumWT->text(), QStringLiteral("1008"));
        QCOMPARE(ui->comboBoxModeWT->currentText(), QStringLiteral("Режим Метка"));
        ui->comboBoxModeWT->setCurrentIndex(0);
        ui->pushButtonSetModeWT->click();
        QCOMPARE(int(bench.tag(8)->mode()), 1);
        QCOMPARE(int(bench.tag(3)->mode()), 0);
        // Turns go on: the shown serial number stays the chosen reader's.
        const int later = bench.requestCount();
        QVERIFY(QTest::qWaitFor([&] { return !bench.sentSince(later, 0xFC, 3).isEmpty()
                                             && !bench.sentSince(later, 0xFC, 5).isEmpty(); },
                                kConnectTimeout));
        QCOMPARE(ui->label_ValSerNumWT->text(), QStringLiteral("1008"));
    }

private:
    QTemporaryDir m_workDir;
    std::unique_ptr<DialogRecorder> m_dialogs;
};

QTEST_MAIN(TestTagEndToEnd)
#include "tst_tag_e2e.moc"
