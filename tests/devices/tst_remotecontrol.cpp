// Remote-control lines a terminal forwards to a sensor, byte for byte; the
// answers decoded; the page from the service menu, through its widgets.

#include "app/configurator.h"
#include "devices/fls/remotecommand.h"
#include "dialogrecorder.h"
#include "link/portlist.h"
#include "link/protocol.h"
#include "ui_configurator.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QtTest>

namespace {
using RC = RemoteCommand;

// The lines below were worked out by hand for this write key.
constexpr std::array<quint8, 3> kKnownKey = {0x56, 0x4C, 0x4D};

RC::Request request(int command, const QString &address, const QString &value = {},
                    int mode = 0, int filtration = 0)
{
    RC::Request r;
    r.command = command;
    r.address = address;
    r.value = value;
    r.modeIndex = mode;
    r.filtrationIndex = filtration;
    return r;
}
} // namespace

Q_DECLARE_METATYPE(RC::Request)
Q_DECLARE_METATYPE(RC::Refusal)

class TestRemoteControl : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_workDir.isValid());
        QDir::setCurrent(m_workDir.path()); // log.txt lands here
        PortList::setSystemPortsProvider([] { return QVector<PortList::Port>{}; });
    }

    void knownLines_data()
    {
        QTest::addColumn<RC::Request>("request");
        QTest::addColumn<QString>("line");
        QTest::newRow("status, address 1")
            << request(RC::ReadStatus, "1") << "S485=4:23:1500:19200:3101f0c5";
        QTest::newRow("version, address 255 in lower case")
            << request(RC::ReadVersion, "255") << "S485=4:10:1500:19200:31fffc23";
        QTest::newRow("a value field the command does not read")
            << request(RC::ReadStatus, "1", "99999999999") << "S485=4:23:1500:19200:3101f0c5";
        QTest::newRow("password, key in upper case")
            << request(RC::EnterPassword, "255", "305419896")
            << "S485=11:4:1500:19200:31fff8564C4D123456789a";
        QTest::newRow("largest offset, two bytes")
            << request(RC::ShiftEmpty, "2", "65535") << "S485=6:10:1500:19200:3102f9564C4Dffff4f";
        QTest::newRow("empty fields are 0")
            << request(RC::ShiftFull, "", "") << "S485=6:10:1500:19200:3100f4564C4D0000cb";
        QTest::newRow("empty level, most significant byte first")
            << request(RC::SetEmpty, "9", "1000") << "S485=8:4:1500:19200:3109ed564C4D000003e82d";
        QTest::newRow("largest full level")
            << request(RC::SetFull, "9", "4294967295")
            << "S485=8:4:1500:19200:3109ec564C4Dffffffff9d";
        QTest::newRow("mode RS-232, filtration over 1000 litres")
            << request(RC::SetMode, "1", "7", 5, 3) << "S485=8:4:1500:19200:3101f2564C4D120c9a";
        QTest::newRow("mode frequency, filtration 200 to 1000 litres")
            << request(RC::SetMode, "1", {}, 2, 2) << "S485=8:4:1500:19200:3101f2564C4D040540";
        QTest::newRow("new password")
            << request(RC::SetPassword, "1", "12345") << "S485=8:4:1500:19200:3101f7564C4D00003039f9";
    }

    void knownLines()
    {
        QFETCH(RC::Request, request);
        QFETCH(QString, line);
        if (Protocol::kWriteKey != kKnownKey && RC::valueOf(request.command) != RC::Value::None)
            QSKIP("built with another write key");
        const RC::Result result = RC::build(request);
        QVERIFY(result.ok());
        QCOMPARE(result.line, line);
    }

    void numbersThatDoNotFitAreRefused_data()
    {
        QTest::addColumn<RC::Request>("request");
        QTest::addColumn<RC::Refusal>("refusal");
        // Cut to its low byte, 300 would reach the sensor at 44.
        QTest::newRow("address 300") << request(RC::ReadStatus, "300") << RC::Refusal::Address;
        QTest::newRow("address 256") << request(RC::SetMode, "256") << RC::Refusal::Address;
        QTest::newRow("address not a number") << request(RC::ReadStatus, "1a") << RC::Refusal::Address;
        QTest::newRow("offset 65536") << request(RC::ShiftFull, "1", "65536") << RC::Refusal::Offset;
        QTest::newRow("password 2^32")
            << request(RC::SetPassword, "1", "4294967296") << RC::Refusal::Password;
        QTest::newRow("entered password 2^32")
            << request(RC::EnterPassword, "1", "4294967296") << RC::Refusal::Password;
        QTest::newRow("level past 64 bits")
            << request(RC::SetEmpty, "1", "99999999999999999999") << RC::Refusal::Level;
    }

    void numbersThatDoNotFitAreRefused()
    {
        QFETCH(RC::Request, request);
        QFETCH(RC::Refusal, refusal);
        const RC::Result result = RC::build(request);
        QVERIFY(!result.ok());
        QCOMPARE(*result.refusal, refusal);
        QVERIFY(result.line.isEmpty());
    }

    void answers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("decoded");
        QTest::addColumn<int>("temperature");
        QTest::addColumn<int>("level");
        QTest::newRow("frost, level FF FF") << "3e0106f6ffff" << true << -10 << -1;
        QTest::newRow("level least significant byte first, upper case")
            << "3E0506190A01" << true << 25 << 266;
        QTest::newRow("CRC behind the fields") << "3e0106140a00c3" << true << 20 << 10;
        // Four characters are cut whatever they are.
        QTest::newRow("prefix elsewhere") << "ab3e06140a00" << true << 20 << 10;
        QTest::newRow("empty") << "" << false << 0 << 0;
        QTest::newRow("no reply prefix") << "010106140a00" << false << 0 << 0;
        QTest::newRow("another answer") << "3e01f0140a00" << false << 0 << 0;
        QTest::newRow("level cut short") << "3e0106140a" << false << 0 << 0;
        QTest::newRow("the generated line") << "S485=4:23:1500:19200:3101f0c5" << false << 0 << 0;
    }

    void answers()
    {
        QFETCH(QString, text);
        QFETCH(bool, decoded);
        const auto answer = RC::decodeAnswer(text);
        QCOMPARE(bool(answer), decoded);
        if (!answer)
            return;
        QTEST(answer->temperature, "temperature");
        QTEST(answer->level, "level");
    }

    // The page as the engineer meets it: opened from the service menu with
    // the port closed, each command showing its own fields.
    void pageFromTheServiceMenu()
    {
        DialogRecorder dialogs;
        Configurator window;
        Ui::Configurator *form = window.form();
        for (QAction *action : window.serviceMenu()->actions()) {
            if (action->text() == QStringLiteral("Дистанционное управление"))
                action->trigger();
        }
        QCOMPARE(form->stackedWidget->currentWidget(), form->RemoteControl);
        window.show();

        QComboBox *commands = form->comboBoxRemoteControl;
        QComboBox *modes = form->comboBoxModeRemoteControl;
        QComboBox *filtration = form->comboBoxFiltrRemoteControl;
        QLineEdit *address = form->lineEditNetNumRemoteControl;
        QLineEdit *value = form->lineEditPassRemoteControl;
        QLineEdit *line = form->lineEditGenRemoteControl;
        QLabel *prompt = form->label_2RC;
        QVERIFY(prompt->isVisible() && value->isVisible() && !modes->isVisible());

        auto choose = [](QComboBox *box, int index) {
            box->setCurrentIndex(index);
            emit box->activated(index);
        };
        choose(commands, RC::SetMode);
        QVERIFY(!prompt->isVisible() && !value->isVisible());
        QVERIFY(modes->isVisible() && filtration->isVisible());
        choose(modes, 5);
        choose(filtration, 3);
        QCOMPARE(window.getModeRC(), quint8(0x12));
        QCOMPARE(window.getFiltrRC(), quint8(12));
        address->setText(QStringLiteral("1"));
        QTest::mouseClick(form->pushButtonGenRemoteControl, Qt::LeftButton);
        QVERIFY(line->text().startsWith(QStringLiteral("S485=8:4:1500:19200:3101f2")));
        QCOMPARE(QGuiApplication::clipboard()->text(), line->text());
        QVERIFY(dialogs.messages().isEmpty());

        // A command with a value shows its field and leaves the lists as
        // they were; one without any hides them all; the next value command
        // then comes without the lists.
        choose(commands, RC::ShiftFull);
        QCOMPARE(prompt->text(), QStringLiteral("Введите смещение в у.е."));
        QVERIFY(prompt->isVisible() && value->isVisible() && modes->isVisible());
        choose(commands, RC::ReadStatus);
        QVERIFY(!prompt->isVisible() && !value->isVisible() && !modes->isVisible());
        QVERIFY(!filtration->isVisible() && !form->label_3RC->isVisible());
        choose(commands, RC::SetPassword);
        QVERIFY(prompt->isVisible() && value->isVisible() && !modes->isVisible());

        // An address that does not fit: a message, and no line to copy.
        const QString copied = QGuiApplication::clipboard()->text();
        address->setText(QStringLiteral("300"));
        QTest::mouseClick(form->pushButtonGenRemoteControl, Qt::LeftButton);
        QCOMPARE(dialogs.messages(), QStringList{RC::refusalText(RC::Refusal::Address)});
        QVERIFY(line->text().isEmpty());
        QCOMPARE(QGuiApplication::clipboard()->text(), copied);

        // The field takes hexadecimal only; a pasted answer is decoded.
        dialogs.clear();
        QTest::keyClicks(line, QStringLiteral("3e-01 06zf6ffff"));
        QCOMPARE(line->text(), QStringLiteral("3e0106f6ffff"));
        QTest::mouseClick(form->pushButtonReadRC, Qt::LeftButton);
        QCOMPARE(dialogs.messages(),
                 QStringList{QStringLiteral("В ответе содержится температура Т=-10°С и уровень L=-1")});
        QCOMPARE(dialogs.sizes().first(), QSize(400, 170));

        QTest::mouseClick(form->pushBtnBackRemoteControl, Qt::LeftButton);
        QCOMPARE(form->stackedWidget->currentWidget(), form->DUT);
    }

private:
    QTemporaryDir m_workDir;
};

QTEST_MAIN(TestRemoteControl)
#include "tst_remotecontrol.moc"
