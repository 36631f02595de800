#include "calibration/widgettar.h"
#include "widgets/switch.h"

#include <QLabel>
#include <QSignalSpy>
#include <QtTest>

class TestWidgets : public QObject
{
    Q_OBJECT
private slots:
    void clickSlidesTheThumbAndSignals()
    {
        Switch sw;
        sw.resize(sw.sizeHint());
        sw.show();
        QSignalSpy clicked(&sw, &QAbstractButton::clicked);
        QTest::mouseClick(&sw, Qt::LeftButton);
        QVERIFY(sw.isOn());
        QVERIFY(sw.isSwitched());
        QCOMPARE(clicked.count(), 1);
        QTRY_COMPARE(sw.offset(), 19);
        QCOMPARE(sw.thumbBrush().color(), QColor("#009688"));
        QTest::mouseClick(&sw, Qt::LeftButton);
        QVERIFY(!sw.isOn());
        QTRY_COMPARE(sw.offset(), 8);
        QCOMPARE(sw.thumbBrush().color(), QColor("#B9B9B9"));
        // A click during the animation restarts it from its start.
        QTest::mouseClick(&sw, Qt::LeftButton); // on: 8 -> 19
        QTest::mouseClick(&sw, Qt::LeftButton); // off, from wherever it is
        QTest::mouseClick(&sw, Qt::LeftButton); // on again: starts at 8
        QCOMPARE(sw.animation()->startValue().toInt(), 8);
        QCOMPARE(sw.animation()->endValue().toInt(), 19);
    }

    void initialStateNeedsArming()
    {
        Switch sw;
        sw.resize(sw.sizeHint());
        QSignalSpy clicked(&sw, &QAbstractButton::clicked);
        QSignalSpy toggled(&sw, &QAbstractButton::toggled);
        sw.setInitialState(true); // not armed: nothing happens
        QVERIFY(!sw.isOn());
        QCOMPARE(sw.animation()->state(), QAbstractAnimation::Stopped);

        sw.setArmed(true);
        sw.setInitialState(true);
        QVERIFY(sw.isOn());
        QVERIFY(sw.isSwitched());
        QVERIFY(!sw.isArmed());
        QTRY_COMPARE(sw.offset(), 19);
        sw.setInitialState(false); // the arming was used up
        QVERIFY(sw.isOn());

        sw.setArmed(true);
        sw.setInitialState(false);
        QVERIFY(!sw.isOn());
        QTRY_COMPARE(sw.offset(), 8);
        QCOMPARE(clicked.count(), 0);
        QCOMPARE(toggled.count(), 0);
    }

    void tiles()
    {
        QWidget page;
        WidgetTar caption(&page, true);
        WidgetTar sensor(&page, false);
        QVERIFY(!caption.isHidden());
        QVERIFY(sensor.isHidden()); // shown only by the calibration run
        caption.setLabel4Text(QStringLiteral("ignored")); // a caption has one label
        QVERIFY(caption.labelText(4).isEmpty());
    }

    // 139 x 99 is the least a sensor tile takes: it widens for a long line,
    // heightens for more lines, shrinks back, and the tiles right of it in
    // its row move along (long texts in place: tst_textfit).
    void tilesGrowForTheirTextsAndKeepTheirRow()
    {
        QWidget page;
        page.resize(800, 600);
        WidgetTar caption(&page, true);
        WidgetTar first(&page, false);
        WidgetTar second(&page, false);
        WidgetTar below(&page, false);
        caption.move(10, 80);
        first.move(139, 80);
        second.move(278, 80);
        below.move(278, 300); // another row
        page.show();
        for (WidgetTar *tile : {&first, &second, &below})
            tile->show();
        QCOMPARE(first.size(), QSize(139, 99)); // the first texts fit

        auto labelsFit = [](const WidgetTar &tile) {
            const auto labels = tile.findChildren<QLabel *>();
            for (const QLabel *label : labels) {
                const QSize hint = label->sizeHint();
                if (hint.width() > label->width() || hint.height() > label->height()
                    || !tile.rect().contains(label->geometry()))
                    return false;
            }
            return true;
        };

        first.setLabel1Text(QStringLiteral("Датчик#-2147483648-2147483648"));
        QVERIFY(first.width() > 139);
        QCOMPARE(first.height(), 99);
        QVERIFY(labelsFit(first));
        QCOMPARE(second.pos(), QPoint(first.x() + first.width(), 80));
        QCOMPARE(below.pos(), QPoint(278, 300));
        QCOMPARE(caption.geometry(), QRect(10, 80, 129, 99));

        first.setLabel2Text(QStringLiteral("Уровень\n4095\n\n"));
        QVERIFY(first.height() > 99);
        QVERIFY(labelsFit(first));

        // Short texts again: back to the least size, the row closes up.
        first.setLabel1Text(QStringLiteral("Датчик#1"));
        first.setLabel2Text(QStringLiteral("Уровень 1"));
        QCOMPARE(first.size(), QSize(139, 99));
        QCOMPARE(second.pos(), QPoint(278, 80));

        caption.setLabel1Text(QStringLiteral("Объём в литрах/галлонах")); // wider than 129
        QVERIFY(caption.width() > 129);
        QVERIFY(labelsFit(caption));
        QCOMPARE(first.x(), caption.x() + caption.width());
        QCOMPARE(second.x(), first.x() + first.width());
    }

    void tileColourKeepsTheWhiteFrame()
    {
        WidgetTar sensor(nullptr, false);
        sensor.setWindowColour(QColor("#E32323"));
        sensor.show();
        const QImage image = sensor.grab().toImage();
        QCOMPARE(QColor(image.pixel(image.width() / 2, 30)), QColor("#E32323"));
        QCOMPARE(QColor(image.pixel(0, image.height() / 2)), QColor(Qt::white));
        QCOMPARE(QColor(image.pixel(image.width() / 2, 0)), QColor(Qt::white));
    }
};

QTEST_MAIN(TestWidgets)
#include "tst_widgets.moc"
