#include "link/portlist.h"

#include <QtTest>

using Port = PortList::Port;

class TestPortList : public QObject
{
    Q_OBJECT
private slots:
    void refreshRules()
    {
        const QString placeholder = PortList::placeholder();
        auto none = PortList::refresh({}, {}, QString());
        QCOMPARE(none.items, QStringList{placeholder});
        QVERIFY(none.noConverter);

        // A single busy port is treated like no port at all.
        auto busyOnly = PortList::refresh({{"COM3", true}}, {}, QString());
        QCOMPARE(busyOnly.items, QStringList{placeholder});

        // A busy port among several is left out; the shown one stays shown.
        auto several = PortList::refresh({{"COM1", false}, {"COM2", true}, {"COM4", false}}, {},
                                         QStringLiteral("COM4"));
        QCOMPARE(several.items, (QStringList{"COM1", "COM4"}));
        QCOMPARE(several.current, QStringLiteral("COM4"));
        QVERIFY(!several.noConverter);
        auto gone = PortList::refresh({{"COM1", false}}, {}, QStringLiteral("COM4"));
        QCOMPARE(gone.current, QStringLiteral("COM1"));
    }

    void extraPortsSurviveRefreshes()
    {
        auto withExtra = PortList::refresh({}, {"/dev/pts/7"}, QStringLiteral("/dev/pts/7"));
        QCOMPARE(withExtra.items, QStringList{"/dev/pts/7"});
        QVERIFY(!withExtra.noConverter);
        QCOMPARE(withExtra.current, QStringLiteral("/dev/pts/7"));

        auto after = PortList::refresh({{"ttyUSB0", false}, {"ttyUSB1", true}},
                                       {"/dev/pts/7", "ttyUSB0"}, QString());
        QCOMPARE(after.items, (QStringList{"ttyUSB0", "/dev/pts/7"})); // no duplicate
    }

    void firstFill()
    {
        auto empty = PortList::firstFill({}, {});
        QVERIFY(empty.noConverter);
        QVERIFY(!empty.warnBusy);
        auto busyFirst = PortList::firstFill({{"COM1", true}, {"COM2", false}}, {});
        QVERIFY(busyFirst.noConverter);
        QVERIFY(busyFirst.warnBusy);
        auto normal = PortList::firstFill({{"COM1", false}, {"COM2", true}, {"COM3", false}}, {});
        QCOMPARE(normal.items, (QStringList{"COM1", "COM3"}));
        QCOMPARE(normal.current, QStringLiteral("COM1"));
        // An extra port given on the command line is the one selected.
        auto extra = PortList::firstFill({{"COM1", false}}, {"/dev/pts/3"});
        QCOMPARE(extra.items, (QStringList{"COM1", "/dev/pts/3"}));
        QCOMPARE(extra.current, QStringLiteral("/dev/pts/3"));
    }

    void environmentList()
    {
        qputenv("VOLMAR_EXTRA_PORTS", " /dev/pts/4 ;;/dev/pts/9;/dev/pts/4");
        QCOMPARE(PortList::extraPortsFromEnvironment(), (QStringList{"/dev/pts/4", "/dev/pts/9"}));
        qunsetenv("VOLMAR_EXTRA_PORTS");
        QVERIFY(PortList::extraPortsFromEnvironment().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestPortList)
#include "tst_portlist.moc"
