#include <QCoreApplication>
#include <QSet>
#include <QStringList>
#include <QTranslator>
#include <QtTest>

#include "app/helptexts.h"

namespace {

QString ru(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

// The help chain as the window is meant to know it: one line per entry, in
// order, with the object names of that entry.
const QList<QStringList> &chainKeys()
{
    static const QList<QStringList> keys = {
        {"comboBox_ModeDUT", "label_22DUT"},
        {"comboBox_FiltrDUT", "label_21DUT"},
        {"lineEditNetNumDUT", "label_4DUT"},
        {"lineEditMaxLevelDUT", "label_20DUT"},
        {"lineEditMinLevelDUT", "label_19DUT"},
        {"comboBox_SerialPort"},
        {"pushButtonService"},
        {"ButtonTarirovka"},
        {"groupBoxInv"},
        {"groupBoxAngle"},
        {"groupBox_Master"},
        {"groupBox_DelTermo", "groupBox_DelTermoBLE"},
        {"groupBox_EkoDrive"},
        {"groupBoxLamp"},
        {"pushBtnManualInput", "pushBtnManualInputBLE"},
        {"pushBtnCalcLtrPrc"},
        {"RemoteControl"},
        {"lineEditStepTar", "label_StepTar"},
        {"pushButtonAdSensorTar"},
        {"pushButtonDelSensorTar"},
        {"pushButtonAdPortionTar"},
        {"pushButtonDelPortionTar"},
        {"pushButtonEndTar"},
        {"pushButtonDeviceFLS"},
        {"Button_SetEmptyDUT", "Button_SetEmptyBLE"},
        {"Button_SetFullDUT", "Button_SetFullBLE"},
        {"comboBox_NetNumDUT", "label_ReqNetNumDUT"},
        {"label_TempNameDUT", "label_TempValDUT"},
        {"ButtonWriteParamDUT", "ButtonWriteParamBLE"},
        {"pushButtonDeviceFLS", "pushButtonBLE"},
        {"label_NameListDevDUT", "label_ListDevDUT"},
        {"label_NameUrovenDUT", "label_UrovenDUT"},
        {"label_FreqNameDUT", "label_FreqValDUT"},
        {"label_NaprNameDUT", "label_NaprValDUT"},
        {"label_TempNameDUT", "label_TempValDUT"},
        {"label_FirmwareName", "label_FirmwareVal"},
        {"label_SerNumVal", "label_SerNumName"},
        {"label_RSSIPicBLE", "label_RSSI_VAL_BLE"},
        {"label_BatPicBLE", "label_BAT_VAL_BLE"},
        {"groupBoxLamp_BLE"},
        {"pushBtnChangeBaseLinkIDBLE"},
        {"pushBtnInUpdBase"},
        {"pushBtnInUpdBLE"},
        {"labelStatusUp"},
        {"labelStatusModel"},
        {"label_PicBLE", "label_NameBLE", "label_SerNumValBLE", "label_FirmwareValBLE"},
        {"label_PicBase", "label_NameBase"},
        {"label_LockBLE_BASE"},
    };
    return keys;
}

// Answers for the "Configurator" context only, so a lookup under another
// context stays untranslated.
class FakeTranslator : public QTranslator
{
public:
    bool isEmpty() const override { return false; }
    QString translate(const char *context, const char *sourceText,
                      const char * /*disambiguation*/ = nullptr, int /*n*/ = -1) const override
    {
        if (qstrcmp(context, "Configurator") == 0
            && QString::fromUtf8(sourceText) == QString::fromUtf8("Отображает частоту."))
            return QStringLiteral("Shows the frequency.");
        return QString();
    }
};

} // namespace

class TestHelpTexts : public QObject
{
    Q_OBJECT

private slots:
    void chainHasAllEntries();
    void everyKeyHasText_data();
    void everyKeyHasText();
    void namesOfOneEntryShareText();
    void eachEntryShowsItsOwnText();
    void lastMatchWins();
    void tellingRows_data();
    void tellingRows();
    void levelRanges();
    void unknownNamesGiveNothing_data();
    void unknownNamesGiveNothing();
    void translatedAtLookup();
};

void TestHelpTexts::chainHasAllEntries()
{
    QCOMPARE(HelpTexts::entryCount(), 48);
    QCOMPARE(chainKeys().size(), HelpTexts::entryCount());
}

void TestHelpTexts::everyKeyHasText_data()
{
    QTest::addColumn<QString>("name");
    int entry = 0;
    for (const QStringList &names : chainKeys()) {
        ++entry;
        for (const QString &name : names)
            QTest::addRow("%d:%s", entry, qPrintable(name)) << name;
    }
}

void TestHelpTexts::everyKeyHasText()
{
    QFETCH(QString, name);
    QVERIFY2(!HelpTexts::textFor(name).trimmed().isEmpty(), qPrintable(name));
}

// A field and its caption (or the wired and wireless twins) explain the same
// thing, so hovering either shows the same text.
void TestHelpTexts::namesOfOneEntryShareText()
{
    for (const QStringList &names : chainKeys()) {
        const QString first = HelpTexts::textFor(names.first());
        for (const QString &name : names)
            QVERIFY2(HelpTexts::textFor(name) == first,
                     qPrintable(name + QStringLiteral(" differs from ") + names.first()));
    }
}

// Apart from the two entries that a later entry overrides (pushButtonDeviceFLS
// alone and the first temperature entry), every entry shows a text of its own:
// a name mapped to a neighbour's text would show up as a duplicate here.
void TestHelpTexts::eachEntryShowsItsOwnText()
{
    QSet<QString> texts;
    for (const QStringList &names : chainKeys())
        texts.insert(HelpTexts::textFor(names.first()));
    QCOMPARE(texts.size(), 46);
}

void TestHelpTexts::lastMatchWins()
{
    const QString second = ru("Температура датчика.");
    QCOMPARE(HelpTexts::textFor(QStringLiteral("label_TempNameDUT")), second);
    QCOMPARE(HelpTexts::textFor(QStringLiteral("label_TempValDUT")), second);

    // pushButtonDeviceFLS is listed alone first and again with pushButtonBLE.
    const QString fls = HelpTexts::textFor(QStringLiteral("pushButtonDeviceFLS"));
    QCOMPARE(fls, HelpTexts::textFor(QStringLiteral("pushButtonBLE")));
    QVERIFY(fls.contains(ru("базовая станция")));
}

void TestHelpTexts::tellingRows_data()
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
}

void TestHelpTexts::tellingRows()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QCOMPARE(HelpTexts::textFor(name), text);
}

void TestHelpTexts::levelRanges()
{
    const QString maxRange = ru("от 1023 до 4095");
    const QString minRange = ru("от 0 до 1023");
    for (const char *name : {"lineEditMaxLevelDUT", "label_20DUT"}) {
        const QString text = HelpTexts::textFor(QLatin1String(name));
        QVERIFY2(text.contains(maxRange), name);
        QVERIFY2(!text.contains(minRange), name);
    }
    for (const char *name : {"lineEditMinLevelDUT", "label_19DUT"}) {
        const QString text = HelpTexts::textFor(QLatin1String(name));
        QVERIFY2(text.contains(minRange), name);
        QVERIFY2(!text.contains(maxRange), name);
    }
}

void TestHelpTexts::unknownNamesGiveNothing_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("empty") << QString();
    QTest::newRow("unrelated") << "pushButtonAQ420";
    QTest::newRow("other case") << "combobox_SerialPort";
    QTest::newRow("prefix") << "label_TempName";
    QTest::newRow("longer") << "groupBoxLamp_BLE2";
    QTest::newRow("page of the form") << "DUT";
}

void TestHelpTexts::unknownNamesGiveNothing()
{
    QFETCH(QString, name);
    QVERIFY(HelpTexts::textFor(name).isEmpty());
}

void TestHelpTexts::translatedAtLookup()
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

QTEST_GUILESS_MAIN(TestHelpTexts)
#include "tst_helptexts.moc"
