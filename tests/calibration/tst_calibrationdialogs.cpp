#include "calibration/calibrationtable.h"
#include "calibration/engineermenuqdialog.h"
#include "calibration/itemdelegate.h"
#include "calibration/litertopercent.h"
#include "testfiles.h"
#include "widgets/switch.h"

#include "dialogrecorder.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QStandardItemModel>
#include <QStyleOptionViewItem>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {
QPushButton *button(QWidget *dialog, const char *name)
{
    return dialog->findChild<QPushButton *>(QLatin1String(name));
}

// Answers the conversion dialog's file dialogs for one test.
class FileNames
{
public:
    explicit FileNames(QString name)
    {
        LiterToPercent::setFileNameProvider([this, name](bool save) {
            asked << save;
            return name;
        });
    }
    ~FileNames() { LiterToPercent::setFileNameProvider({}); }
    QList<bool> asked;
};

} // namespace

// Stands in for the main window: the slots the dialogs reach by name.
class FakeWindow : public QWidget
{
    Q_OBJECT
public:
    QStringList calls;
    EngineerMenuQDialog *menu = nullptr;
    QStringList labelsSeen; // the value labels when setFullAndEmptyLevel ran

public slots:
    void writeTable() { calls << "writeTable"; }
    void readTable() { calls << "readTable"; }
    void UpdataValEngMenu() { calls << "UpdataValEngMenu"; }
    void changeUiidBle() { calls << "changeUiidBle"; }
    void setFullAndEmptyLevel()
    {
        calls << "setFullAndEmptyLevel";
        if (menu) {
            labelsSeen << menu->fullValueText() << menu->emptyValueText();
            labelsSeen << QString::number(menu->getFullValue())
                       << QString::number(menu->getEmptyValue());
        }
    }
};

class TestCalibrationDialogs : public QObject
{
    Q_OBJECT
private slots:
    // --- Cell editor -----------------------------------------------------

    void delegateEditorTakesNumbersAndStoresFloats()
    {
        QWidget host;
        ItemDelegate delegate;
        QStandardItemModel model(1, 1);
        model.setItem(0, 0, new QStandardItem("7"));
        std::unique_ptr<QWidget> editor(
            delegate.createEditor(&host, QStyleOptionViewItem(), model.index(0, 0)));
        auto *lineEdit = qobject_cast<QLineEdit *>(editor.get());
        QVERIFY(lineEdit && lineEdit->validator());
        for (const bool acceptable : {true, false}) {
            const QStringList texts = acceptable
                ? QStringList{"120", "12.5", "12."}
                : QStringList{"1.2.3", "-1", "12a", ".5", "12,5"};
            for (QString text : texts) {
                int pos = 0;
                QVERIFY2((lineEdit->validator()->validate(text, pos) == QValidator::Acceptable)
                             == acceptable,
                         qPrintable(text));
            }
        }

        delegate.setEditorData(lineEdit, model.index(0, 0));
        QCOMPARE(lineEdit->text(), QString("7"));

        lineEdit->setText("12.5");
        delegate.setModelData(lineEdit, &model, model.index(0, 0));
        const QVariant stored = model.data(model.index(0, 0), Qt::EditRole);
        QCOMPARE(int(stored.userType()), int(QMetaType::Float));
        QCOMPARE(stored.toFloat(), 12.5f);
        QCOMPARE(model.data(model.index(0, 0), Qt::DisplayRole).toString(), QString("12.5"));

        lineEdit->setText("");
        delegate.setModelData(lineEdit, &model, model.index(0, 0));
        QCOMPARE(int(model.data(model.index(0, 0)).userType()), int(QMetaType::Float));
        QCOMPARE(model.data(model.index(0, 0)).toFloat(), 0.0f);
    }

    // --- Conversion dialog -----------------------------------------------

    void freshTable()
    {
        LiterToPercent dialog(nullptr, true);
        QCOMPARE(dialog.model()->rowCount(), 20);
        QCOMPARE(dialog.model()->columnCount(), 2);
        QCOMPARE(dialog.levels(), repeated(20, "0"));
        QCOMPARE(dialog.volumes(), repeated(20, "0"));
        QCOMPARE(dialog.volumeCaption(), ru("Литры"));
        QVERIFY(qobject_cast<ItemDelegate *>(dialog.tableView()->itemDelegate()));
        QVERIFY(button(&dialog, "pushButtonCancel"));
        LiterToPercent withoutCancel(nullptr, false);
        QVERIFY(!button(&withoutCancel, "pushButtonCancel"));

        // Cells inside the table are set in place; outside it there is none.
        QVERIFY(dialog.setTable(250, 4, 0));
        QVERIFY(dialog.setTable(65535, 19, 1));
        QCOMPARE(dialog.getTable(4, 0), QString("250"));
        QCOMPARE(dialog.getTable(19, 1), QString("65535"));
        QCOMPARE(dialog.model()->rowCount(), 20);
        QCOMPARE(dialog.getTable(20, 0), QString("error"));
        QCOMPARE(dialog.getTable(0, 2), QString("error"));
        QCOMPARE(dialog.getTable(-1, 0), QString("error"));
    }

    // An emptied table (an empty file loaded) grows as the sensor's reply is
    // handed over level by level, then volume by volume.
    void setTableGrowsShortTable()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("short.csv");
        putFile(path, "");
        FileNames names(path);
        LiterToPercent dialog(nullptr, false);
        dialog.LoadFile();
        QCOMPARE(dialog.model()->rowCount(), 0);
        QCOMPARE(dialog.getTable(0, 0), QString("error"));

        // Fewer than 20 rows: a new row, then the cell.
        QVERIFY(dialog.setTable(5, 0, 0));
        QCOMPARE(dialog.model()->rowCount(), 1);
        QCOMPARE(dialog.getTable(0, 1), QString(""));
        // Exactly one row and column 1: that cell, no new row.
        QVERIFY(dialog.setTable(7, 0, 1));
        QCOMPARE(dialog.model()->rowCount(), 1);
        QCOMPARE(dialog.getTable(0, 1), QString("7"));
        QString error; // too short to be written
        QVERIFY(!CalibrationTable::writePayload(dialog.levels(), dialog.volumes(), &error));
        QCOMPARE(error, ru("В таблице не может быть менее 20 строк"));

        // Otherwise every call appends.
        for (int i = 1; i < 20; ++i)
            dialog.setTable(100 * i, i, 0);
        QCOMPARE(dialog.model()->rowCount(), 20);
        QCOMPARE(dialog.getTable(1, 1), QString(""));
        for (int i = 1; i < 20; ++i)
            dialog.setTable(10 * i, i, 1);
        QCOMPARE(dialog.model()->rowCount(), 20);
        QCOMPARE(dialog.getTable(0, 0), QString("5"));
        QCOMPARE(dialog.getTable(19, 0), QString("1900"));
        QCOMPARE(dialog.getTable(19, 1), QString("190"));
        QVERIFY(CalibrationTable::writePayload(dialog.levels(), dialog.volumes()).has_value());
    }

    void conversionBySwitch()
    {
        LiterToPercent dialog(nullptr, false);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        dialog.setTable(250, 4, 0);
        dialog.setTable(1000, 19, 0);
        dialog.setTable(40, 4, 1);
        auto *toggle = dialog.findChild<Switch *>();
        QVERIFY(toggle);

        QTest::mouseClick(toggle, Qt::LeftButton);
        QVERIFY(dialog.isPercent());
        QCOMPARE(dialog.volumeCaption(), ru("Проценты"));
        QCOMPARE(dialog.getTable(4, 1), QString("25"));
        QCOMPARE(dialog.getTable(0, 1), QString("0"));
        QCOMPARE(dialog.getTable(19, 1), QString("100"));

        // Back to litres relabels the column and keeps the percentages.
        QTest::mouseClick(toggle, Qt::LeftButton);
        QVERIFY(!dialog.isPercent());
        QCOMPARE(dialog.volumeCaption(), ru("Литры"));
        QCOMPARE(dialog.getTable(4, 1), QString("25"));
        QCOMPARE(dialog.getTable(19, 1), QString("100"));
    }

    void conversionWithoutTopLevel()
    {
        LiterToPercent dialog(nullptr, false);
        dialog.setTable(250, 4, 0);
        dialog.setTable(40, 4, 1);
        dialog.ConversionLP();
        QCOMPARE(dialog.volumeCaption(), ru("Проценты"));
        QCOMPARE(dialog.getTable(4, 1), QString("40"));
        QCOMPARE(dialog.getTable(19, 1), QString("0"));
    }

    void saveAndLoadRoundTrip()
    {
        QTemporaryDir dir;
        const QString stem = dir.filePath("table");
        FileNames names(stem); // no extension: ".csv" is added
        LiterToPercent dialog(nullptr, false);
        dialog.setTable(10, 0, 0);
        dialog.setTable(5, 0, 1);
        dialog.setTable(1000, 19, 0);
        dialog.setTable(600, 19, 1);
        dialog.SaveToFile();
        QCOMPARE(names.asked, QList<bool>{true});
        QByteArray expected = "5, 10\r\n";
        for (int row = 1; row < 19; ++row)
            expected += "0, 0\r\n";
        expected += "600, 1000\r\n";
        QCOMPARE(fileBytes(stem + ".csv"), expected);
        QVERIFY(!QFile::exists(stem));

        LiterToPercent other(nullptr, false);
        FileNames open(stem + ".csv");
        other.LoadFile();
        QCOMPARE(open.asked, QList<bool>{false});
        QCOMPARE(other.model()->rowCount(), 20);
        QCOMPARE(other.getTable(0, 0), QString(" 10"));
        QCOMPARE(other.getTable(0, 1), QString("5"));
        QCOMPARE(other.getTable(19, 0), QString(" 1000"));
        QVERIFY(qobject_cast<ItemDelegate *>(other.tableView()->itemDelegate()));
        QCOMPARE(other.tableView()->model(), other.model());
        const auto payload = CalibrationTable::writePayload(other.levels(), other.volumes());
        QVERIFY(payload.has_value());
        QCOMPARE(payload->mid(0, 2), QByteArray("\x00\x0A", 2));
        QCOMPARE(payload->mid(40, 2), QByteArray("\x00\x05", 2));
    }

    // A missing file or a cancelled choice leaves the table; a cancelled save
    // writes nothing, a failed one says so.
    void failedOrCancelledFilesChangeNothing()
    {
        QTemporaryDir dir;
        DialogRecorder recorder;
        LiterToPercent dialog(nullptr, false);
        dialog.setTable(77, 2, 1);
        QStandardItemModel *before = dialog.model();
        for (const QString &name : {dir.filePath("missing.csv"), QString()}) {
            FileNames names(name);
            dialog.LoadFile();
        }
        QCOMPARE(dialog.model(), before);
        QCOMPARE(dialog.getTable(2, 1), QString("77"));
        QCOMPARE(dialog.model()->rowCount(), 20);
        {
            FileNames cancelled{QString()};
            dialog.SaveToFile();
            QCOMPARE(cancelled.asked, QList<bool>{true});
        }
        QVERIFY(QDir(dir.path()).entryList(QDir::Files).isEmpty());
        QVERIFY(recorder.messages().isEmpty());
        FileNames names(dir.filePath("no/such/folder/table.csv"));
        dialog.SaveToFile();
        QCOMPARE(recorder.messages().size(), 1);
        QVERIFY(recorder.messages().first().contains("table.csv"));
    }

    void sensorButtonsReachParent()
    {
        FakeWindow window;
        LiterToPercent dialog(&window, true);
        QPushButton *write = button(&dialog, "pushButtonWriteTable");
        QPushButton *read = button(&dialog, "pushButtonReadTable");
        QVERIFY(write && read);
        QCOMPARE(write->text(), ru("Записать\nв датчик"));
        QCOMPARE(read->text(), ru("Считать\nиз датчика"));
        write->click();
        read->click();
        QCOMPARE(window.calls, (QStringList{"writeTable", "readTable"}));

        // A parent without those slots: the buttons do nothing and say so.
        QWidget plain;
        LiterToPercent orphan(&plain, true);
        QVERIFY(!button(&orphan, "pushButtonWriteTable")->isEnabled());
        QVERIFY(!button(&orphan, "pushButtonReadTable")->isEnabled());
    }

    // --- Manual full/empty entry -----------------------------------------

    void checkFullAndEmpty_data()
    {
        const QString emptyAboveFull = ru("Значение \"Пустой\" не может быть больше \"Полный\"");
        const QString badEmpty = ru("Установите корректное значение \"Пустой\"");
        const QString badFull = ru("Установите корректное значение \"Полный\"");
        QTest::addColumn<quint32>("full");
        QTest::addColumn<quint32>("empty");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("4000/100 ok") << 4000u << 100u << QStringList();
        QTest::newRow("equal ok") << 500u << 500u << QStringList();
        QTest::newRow("100/4000") << 100u << 4000u << QStringList{emptyAboveFull};
        QTest::newRow("0/0") << 0u << 0u << QStringList{badEmpty, badFull};
        QTest::newRow("full 0") << 0u << 100u << QStringList{emptyAboveFull, badFull};
        QTest::newRow("empty 0") << 100u << 0u << QStringList{badEmpty};
        QTest::newRow("32-bit top") << 4294967295u << 1u << QStringList();
    }

    void checkFullAndEmpty()
    {
        QFETCH(quint32, full);
        QFETCH(quint32, empty);
        QFETCH(QStringList, messages);
        QCOMPARE(EngineerMenuQDialog::checkFullAndEmpty(full, empty), messages);
    }

    void typedValues_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<quint32>("value");
        QTest::newRow("empty") << "" << 0u;
        QTest::newRow("4000") << "4000" << 4000u;
        QTest::newRow("leading zeros") << "0100" << 100u;
        QTest::newRow("32-bit top") << "4294967295" << 4294967295u;
        QTest::newRow("2^32 does not wrap") << "4294967296" << 0u;
        QTest::newRow("far beyond") << "99999999999999999999" << 0u;
    }

    void typedValues()
    {
        QFETCH(QString, text);
        QFETCH(quint32, value);
        EngineerMenuQDialog dialog(nullptr, true);
        auto *full = dialog.findChild<QLineEdit *>("lineEditFull");
        auto *empty = dialog.findChild<QLineEdit *>("lineEditEmpty");
        QVERIFY(full && empty);
        full->setText(text);
        empty->setText(text);
        QCOMPARE(dialog.getFullValue(), value);
        QCOMPARE(dialog.getEmptyValue(), value);
        QCOMPARE(dialog.getStringEmptyValue(), text);
    }

    void valueFieldsTakeDigitsOnly()
    {
        EngineerMenuQDialog dialog(nullptr, false);
        auto *full = dialog.findChild<QLineEdit *>("lineEditFull");
        QVERIFY(full);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::keyClicks(full, "12a-3.4");
        QCOMPARE(full->text(), QString("1234"));
    }

    void setButtonRunsParentAfterLabels()
    {
        FakeWindow window;
        EngineerMenuQDialog dialog(&window, true);
        window.menu = &dialog;
        dialog.updateValueLevel(3000, 50);
        QCOMPARE(dialog.fullValueText(), QString("3000"));
        QCOMPARE(dialog.emptyValueText(), QString("50"));
        dialog.connectBtnToFunctionDUT(&window);
        dialog.connectBtnToFunctionDUT(&window); // wiring twice must not send twice
        dialog.findChild<QLineEdit *>("lineEditFull")->setText("4000");
        dialog.findChild<QLineEdit *>("lineEditEmpty")->setText("100");
        button(&dialog, "pushButtonSet")->click();
        QCOMPARE(window.calls, QStringList{"setFullAndEmptyLevel"});
        // The labels already show the typed values when the window reads them.
        QCOMPARE(window.labelsSeen, (QStringList{"4000", "100", "4000", "100"}));

        FakeWindow wireless;
        EngineerMenuQDialog forWireless(&wireless, false);
        forWireless.connectBtnToFunctionBLE(&wireless);
        button(&forWireless, "pushButtonSet")->click();
        QCOMPARE(wireless.calls, QStringList{"changeUiidBle"});
    }

    void updateTimerCallsParent()
    {
        FakeWindow window;
        EngineerMenuQDialog dialog(&window, true);
        QElapsedTimer clock;
        clock.start();
        dialog.setTimerUpdateVal(&window);
        QVERIFY(window.calls.isEmpty()); // not at once: after the dialog is up
        QTRY_COMPARE_WITH_TIMEOUT(window.calls, QStringList{"UpdataValEngMenu"}, 2000);
        QVERIFY(clock.elapsed() >= 45);
        QTest::qWait(100);
        QCOMPARE(window.calls, QStringList{"UpdataValEngMenu"}); // single shot
    }

    void rowsCanBeRenamedAndHidden()
    {
        EngineerMenuQDialog dialog(nullptr, false);
        dialog.setNameFull(ru("Идентификатор"));
        QCOMPARE(dialog.findChild<QLabel *>("labelNameFull")->text(), ru("Идентификатор"));
        dialog.setInvisibleLayoutEmpty();
        for (const char *name : {"lineEditEmpty", "labelNameEmpty", "labelValueEmpty"})
            QVERIFY2(dialog.findChild<QWidget *>(name)->isHidden(), name);
        QVERIFY(!dialog.findChild<QLineEdit *>("lineEditFull")->isHidden());
        dialog.setEmptyValue(42);
        dialog.setVisibleValEmpty();
        QCOMPARE(dialog.emptyValueText(), QString());
    }
};

QTEST_MAIN(TestCalibrationDialogs)
#include "tst_calibrationdialogs.moc"
