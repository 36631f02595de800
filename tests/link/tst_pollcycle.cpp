#include "link/addresslist.h"
#include "link/frame.h"
#include "link/pollcycle.h"
#include "link/protocol.h"

#include <QtTest>

class TestPollCycle : public QObject
{
    Q_OBJECT
private slots:
    void stepsAndRequests()
    {
        const auto search = PollCycle::requestFor(0xFF, 7, true);
        QCOMPARE(search.frame, Frame::searchBroadcast());
        QCOMPARE(int(search.nextStep), 0xFF);
        QVERIFY(PollCycle::requestFor(0xFF, 7, false).frame.isEmpty());

        const auto readSettings = PollCycle::requestFor(0xF0, 7, true);
        QCOMPARE(readSettings.frame, Frame::request(7, 0xF0));
        QCOMPARE(int(readSettings.nextStep), 0xFC);
        const auto identify = PollCycle::requestFor(0xFC, 7, true);
        QCOMPARE(identify.frame, Frame::request(7, 0xFC));
        QCOMPARE(int(identify.nextStep), 0xF0);
    }

    void otherStepsSendNothing()
    {
        for (int step : {0x00, 0x05, 0x18, 0x23, 0xF2, 0xF7, 0xF8, 0xEF, 0xFE}) {
            const auto request = PollCycle::requestFor(quint8(step), 1, true);
            QVERIFY2(request.frame.isEmpty(), qPrintable(QString::number(step, 16)));
            QCOMPARE(int(request.nextStep), step);
        }
    }

    // Bounds and the copy up to a zero byte: fuzz_address_list.
    void addressListRules()
    {
        const AddressList three(QByteArrayLiteral("\x01\x02\xC8"));
        QCOMPARE(three.joined(), QStringLiteral("1,2,200"));
        // The polled index beyond the list makes the poll ask address 0.
        QCOMPARE(PollCycle::requestFor(0xF0, three.at(5), true).frame, Frame::request(0, 0xF0));
    }

    void roundRobin()
    {
        const AddressList one(QByteArrayLiteral("\x01"));
        QCOMPARE(one.nextIndex(0, 3), 0);
        const AddressList two(QByteArrayLiteral("\x01\x02"));
        QCOMPARE(two.nextIndex(0, 3), 1);
        QCOMPARE(two.nextIndex(1, 3), 0);
        const AddressList four(QByteArrayLiteral("\x01\x02\x03\x04"));
        QList<int> order;
        int index = 0;
        for (int i = 0; i < 7; ++i) {
            order << index;
            index = four.nextIndex(index, 3); // the fourth sensor is never polled
        }
        QCOMPARE(order, (QList<int>{0, 1, 2, 0, 1, 2, 0}));
    }
};

QTEST_APPLESS_MAIN(TestPollCycle)
#include "tst_pollcycle.moc"
