#include <QCoreApplication>
#include <QTranslator>
#include <QtTest>

#include "app/helptexts.h"

namespace {
QString ru(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

// Answers for the "Configurator" context only, so a lookup under another
// context stays untranslated.
class FakeTranslator : public QTranslator
{
public:
    bool isEmpty() const override { return false; }
    QString translate(const char *context, const char *sourceText, const char * = nullptr,
                      int = -1) const override
    {
        if (qstrcmp(context, "Configurator") == 0
            && QString::fromUtf8(sourceText) == ru("Отображает частоту."))
            return QStringLiteral("Shows the frequency.");
        return QString();
    }
};
} // namespace

class TestHelpTexts : public QObject
{
    Q_OBJECT

private slots:
    void textOfName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::newRow("frequency") << "label_FreqNameDUT" << ru("Отображает частоту.");
        QTest::newRow("frequency value") << "label_FreqValDUT" << ru("Отображает частоту.");
        QTest::newRow("voltage") << "label_NaprNameDUT" << ru("Отображает напряжение.");
        QTest::newRow("voltage value") << "label_NaprValDUT" << ru("Отображает напряжение.");
        QTest::newRow("delete portion") << "pushButtonDelPortionTar"
                                        << ru("Удаляет последнюю строку в тарировочной таблице");
        QTest::newRow("base lock") << "label_LockBLE_BASE"
                                   << ru("Индикация наличия/отсутствия пароля базы");
        QTest::newRow("model line") << "labelStatusModel"
                                    << ru("Секция отображения модели подключенного устройства");
        // Listed twice: the later entry wins.
        QTest::newRow("temperature") << "label_TempNameDUT" << ru("Температура датчика.");
        QTest::newRow("temperature value") << "label_TempValDUT" << ru("Температура датчика.");
        // Names of no entry show nothing.
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("unrelated") << "pushButtonAQ420" << QString();
        QTest::newRow("other case") << "combobox_SerialPort" << QString();
        QTest::newRow("prefix") << "label_TempName" << QString();
        QTest::newRow("longer") << "groupBoxLamp_BLE2" << QString();
        QTest::newRow("page of the form") << "DUT" << QString();
    }

    void textOfName()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QCOMPARE(HelpTexts::textFor(name), text);
    }

    void neighboursKeepTheirOwnTexts()
    {
        // pushButtonDeviceFLS is listed alone first and again with pushButtonBLE.
        const QString fls = HelpTexts::textFor(QStringLiteral("pushButtonDeviceFLS"));
        QCOMPARE(fls, HelpTexts::textFor(QStringLiteral("pushButtonBLE")));
        QVERIFY(fls.contains(ru("базовая станция")));
        // Wired and wireless twins share their entry's text.
        QCOMPARE(HelpTexts::textFor("pushBtnManualInputBLE"), HelpTexts::textFor("pushBtnManualInput"));
        QVERIFY(!HelpTexts::textFor("pushBtnManualInput").isEmpty());

        const QString maxRange = ru("от 1023 до 4095");
        const QString minRange = ru("от 0 до 1023");
        for (const char *name : {"lineEditMaxLevelDUT", "label_20DUT"}) {
            const QString text = HelpTexts::textFor(QLatin1String(name));
            QVERIFY2(text.contains(maxRange) && !text.contains(minRange), name);
        }
        for (const char *name : {"lineEditMinLevelDUT", "label_19DUT"}) {
            const QString text = HelpTexts::textFor(QLatin1String(name));
            QVERIFY2(text.contains(minRange) && !text.contains(maxRange), name);
        }
    }

    void translatedAtLookup()
    {
        FakeTranslator translator;
        QVERIFY(QCoreApplication::installTranslator(&translator));
        const QString translated = HelpTexts::textFor(QStringLiteral("label_FreqNameDUT"));
        const QString untouched = HelpTexts::textFor(QStringLiteral("label_NaprNameDUT"));
        QCoreApplication::removeTranslator(&translator);
        QCOMPARE(translated, QStringLiteral("Shows the frequency."));
        QCOMPARE(untouched, ru("Отображает напряжение."));
        QCOMPARE(HelpTexts::textFor(QStringLiteral("label_FreqNameDUT")), ru("Отображает частоту."));
    }
};

QTEST_GUILESS_MAIN(TestHelpTexts)
#include "tst_helptexts.moc"
