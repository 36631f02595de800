// Every text a person reads must show whole: in every message dialog, in the
// password dialogs, in the calibration and advertising tiles and the
// advertising sensor's connection dialog, in each language the tool
// ships, with the fonts the tool loads at start (a real main window is the
// parent, as in the tool).

#include "app/configurator.h"
#include "app/dynamicqdialog.h"
#include "calibration/engineermenuqdialog.h"
#include "calibration/litertopercent.h"
#include "calibration/widgettar.h"
#include "devices/fls/remotecommand.h"
#include "devices/fls/security.h"
#include "devices/wireless/adwertdialog.h"
#include "devices/wireless/bleadwview.h"
#include "devices/wireless/bledevice.h"
#include "devices/wireless/blereplies.h"
#include "devices/wireless/securityble.h"
#include "link/portlist.h"
#include "tsfile.h"
#include "ui_configurator.h"

#include <QComboBox>
#include <QLabel>
#include <QDirIterator>
#include <QPushButton>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QScreen>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

#include <functional>
#include <memory>

namespace {
const char *const kTsFiles[] = {"Language_Eng.ts", "Language_Port.ts", "Language_Esp.ts"};
// A list's text starts after its 6 px padding and ends before its 22 px arrow.
constexpr int kComboArrowAndPadding = 6 + 22 + 4;

QString translated(const char *context, const char *source)
{
    return QCoreApplication::translate(context, source);
}

QString translated(const TsMessage &message)
{
    const QByteArray comment = message.comment.toUtf8();
    return QCoreApplication::translate(message.context.toUtf8().constData(),
                                       message.source.toUtf8().constData(),
                                       message.comment.isEmpty() ? nullptr : comment.constData());
}

// Arguments of the kind the tool fills in: a file path, a reason given by
// the system, a number.
QString withSampleArguments(QString text)
{
    const QStringList samples = {
        QStringLiteral("C:/Users/Engineer/Documents/Volmar/tank 12 calibration.csv"),
        QStringLiteral("Permission denied"), QStringLiteral("65535")};
    for (int n = 9; n >= 1; --n)
        text.replace(QLatin1Char('%') + QString::number(n), samples.value(n - 1, samples.last()));
    return text;
}

QString rectText(const QRect &r)
{
    return QStringLiteral("%1x%2 at (%3,%4)").arg(r.width()).arg(r.height()).arg(r.x()).arg(r.y());
}

QString sizeText(const QSize &s)
{
    return QStringLiteral("%1x%2").arg(s.width()).arg(s.height());
}

// What keeps label's text from showing whole inside top: the text needs
// more room than the label has (by the label's own size hint, and line by
// line by the metrics of the font it paints with), or the label is not
// wholly inside top. Empty when it shows.
QStringList labelProblems(const QLabel &label, const QWidget &top)
{
    QStringList problems;
    const QString what = QStringLiteral("label %1\"%2\"")
                             .arg(label.objectName().isEmpty()
                                      ? QString()
                                      : label.objectName() + QLatin1Char(' '),
                                  QString(label.text()).replace(QLatin1Char('\n'),
                                                                QLatin1String("\\n")));
    const QRect placed(label.mapTo(&top, QPoint(0, 0)), label.size());
    if (!top.rect().contains(placed))
        problems << what + QStringLiteral(" at ") + rectText(placed)
                        + QStringLiteral(" sticks out of ") + sizeText(top.size());
    const QRect inside = label.contentsRect();
    int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextExpandTabs;
    if (label.wordWrap())
        flags |= Qt::TextWordWrap;
    const QSize lines = QFontMetrics(label.font())
                            .boundingRect(QRect(0, 0, inside.width(), QWIDGETSIZE_MAX), flags,
                                          label.text())
                            .size();
    const QSize hint = label.wordWrap()
        ? QSize(label.minimumSizeHint().width(), label.heightForWidth(label.width()))
        : label.sizeHint();
    if (lines.width() > inside.width() || lines.height() > inside.height()
        || hint.width() > label.width() || hint.height() > label.height())
        problems << what + QStringLiteral(" needs ") + sizeText(lines.expandedTo(hint))
                        + QStringLiteral(", has ") + sizeText(label.size());
    return problems;
}

// What keeps a text of top's labels and buttons from showing whole: see
// labelProblems; a button needs its size hint. Empty when everything shows.
QStringList clippedTexts(const QWidget &top)
{
    QStringList problems;
    const QRect area = top.rect();
    auto placed = [&top](const QWidget *w) { return QRect(w->mapTo(&top, QPoint(0, 0)), w->size()); };

    const auto labels = top.findChildren<QLabel *>();
    for (const QLabel *label : labels) {
        if (!label->text().isEmpty() && label->isVisibleTo(&top))
            problems << labelProblems(*label, top);
    }

    const auto buttons = top.findChildren<QPushButton *>();
    for (const QPushButton *button : buttons) {
        if (!button->isVisibleTo(&top))
            continue;
        const QString what = QStringLiteral("button \"%1\"").arg(button->text());
        const QSize hint = button->sizeHint();
        if (!area.contains(placed(button)))
            problems << what + QStringLiteral(" at ") + rectText(placed(button))
                            + QStringLiteral(" sticks out of ") + sizeText(area.size());
        if (hint.width() > button->width() || hint.height() > button->height())
            problems << what + QStringLiteral(" needs ") + sizeText(hint)
                            + QStringLiteral(", has ") + sizeText(button->size());
    }
    return problems;
}

// A window that was given a size keeps at least that size and stays on its
// screen.
QStringList misplaced(const QWidget &window, const QSize &given)
{
    QStringList problems;
    if (window.width() < given.width() || window.height() < given.height())
        problems << QStringLiteral("%1 is below the size given, %2")
                        .arg(sizeText(window.size()), sizeText(given));
    const QScreen *screen = window.screen();
    if (screen && !screen->availableGeometry().contains(window.frameGeometry()))
        problems << QStringLiteral("%1 is not inside the screen %2")
                        .arg(rectText(window.frameGeometry()),
                             rectText(screen->availableGeometry()));
    return problems;
}

// Answers message dialogs the way the tests answer them, after looking at
// the dialog as it is shown.
class DialogInspector
{
public:
    explicit DialogInspector(std::function<void(DynamicQDialog &)> look)
    {
        DynamicQDialog::setResponder([look](DynamicQDialog &dialog) {
            dialog.setVisible(true);
            look(dialog);
            dialog.setVisible(false);
            return 1;
        });
    }
    ~DialogInspector() { DynamicQDialog::setResponder({}); }
    DialogInspector(const DialogInspector &) = delete;
    DialogInspector &operator=(const DialogInspector &) = delete;
};

// Stands in for the wired sensor page the password dialog's buttons call.
class PasswordReceiver : public QObject
{
    Q_OBJECT
public slots:
    void inputPass() {}
    void setPass() {}
    void delPass() {}
    void inputPassBase() {}
    void setPassBase() {}
    void delPassBase() {}
    void inputPassBLE() {}
    void setPassBLE() {}
    void delPassBLE() {}
};
} // namespace

class TestTextFit : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase_data()
    {
        // Russian is the source text itself; the others are the files the
        // build compiles from translations/*.ts.
        QTest::addColumn<QString>("qm");
        QTest::newRow("Russian") << QString();
        QTest::newRow("English") << QStringLiteral("Language_Eng.qm");
        QTest::newRow("Portuguese") << QStringLiteral("Language_Port.qm");
        QTest::newRow("Spanish") << QStringLiteral("Language_Esp.qm");
    }

    void initTestCase()
    {
        QVERIFY(m_workDir.isValid());
        QDir::setCurrent(m_workDir.path()); // log.txt lands here
        PortList::setSystemPortsProvider([] { return QVector<PortList::Port>{}; });
        for (const char *name : kTsFiles) {
            QString error;
            const QVector<TsMessage> file =
                readTsFile(QStringLiteral(VOLMAR_SOURCE_DIR "/translations/") + QLatin1String(name),
                           &error);
            QVERIFY2(error.isEmpty(), qPrintable(error));
            for (const TsMessage &message : file) {
                if (!m_keys.contains(message.key())) {
                    m_keys << message.key();
                    m_texts << message;
                }
            }
        }
        QVERIFY(m_texts.size() > 100);
        m_window = std::make_unique<Configurator>(); // loads the tool's fonts
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

    void init()
    {
        QFETCH_GLOBAL(QString, qm);
        if (qm.isEmpty())
            return;
        QVERIFY2(m_translator.load(qm, QStringLiteral(VOLMAR_BINARY_DIR "/languages")),
                 qPrintable(qm));
        QCoreApplication::installTranslator(&m_translator);
    }

    void cleanup()
    {
        QCoreApplication::removeTranslator(&m_translator);
        DynamicQDialog::setResponder({});
        Security::setResponder({});
        SecurityBLE::setResponder({});
    }

    void cleanupTestCase() { m_window.reset(); }

    // Which texts reach a message dialog: every text the tool shows passes
    // through the translation function, and tst_translations checks that
    // every such text written in the code is in translations/*.ts. A message
    // dialog is only ever given one of these texts, alone or with its
    // arguments filled in. Showing every text of the .ts files as a message
    // therefore covers every message the tool has, including those handed
    // over in variables (the results of checks, errors of files) and those
    // added later; texts that are never messages only make the set larger.
    // Each text is shown as a notice (no cancel, 300 x 170, the size nearly
    // every caller gives) and as a question (with cancel, 300 x 150, the
    // smallest size a caller gives).
    void everyTextFitsTheMessageDialog()
    {
        struct Shape {
            const char *name;
            bool withCancel;
            QSize size;
        };
        const Shape shapes[] = {{"notice", false, QSize(300, 170)},
                                {"question", true, QSize(300, 150)}};
        QStringList failures;
        int shown = 0;
        for (const TsMessage &message : qAsConst(m_texts)) {
            const QString text = withSampleArguments(translated(message));
            for (const Shape &shape : shapes) {
                QStringList problems;
                bool seen = false;
                DialogInspector inspector([&](DynamicQDialog &dialog) {
                    seen = true;
                    problems << clippedTexts(dialog) << misplaced(dialog, shape.size);
                });
                DynamicQDialog::show(m_window.get(), text, shape.withCancel, shape.size);
                QVERIFY(seen);
                ++shown;
                if (!problems.isEmpty())
                    failures << QStringLiteral("[%1] %2: %3")
                                    .arg(QLatin1String(shape.name),
                                         QString(text).replace(QLatin1Char('\n'),
                                                               QLatin1String("\\n")),
                                         problems.join("; "));
            }
        }
        for (const QString &failure : qAsConst(failures))
            qInfo().noquote() << failure;
        QVERIFY2(failures.isEmpty(), qPrintable(QStringLiteral("%1 of %2 dialogs do not show "
                                                               "their text whole")
                                                    .arg(failures.size())
                                                    .arg(shown)));
    }

    // Dialogs the callers build themselves: the start-up warning (no parent)
    // and the question that ends a calibration run, whose buttons are given
    // their captions after the dialog is built.
    void dialogsBuiltByTheirCallers()
    {
        QStringList problems;
        DialogInspector inspector([&](DynamicQDialog &dialog) {
            problems << clippedTexts(dialog) << misplaced(dialog, QSize(300, 170));
        });
        {
            DynamicQDialog warning(nullptr, QString(),
                                   translated("Configurator", "Один экземпляр приложения уже запущен"),
                                   false);
            warning.setStyleSheet(DynamicQDialog::commonStyleSheet());
            warning.resize(300, 170);
            warning.exec();
        }
        {
            DynamicQDialog ending(m_window.get(), QString(),
                                  translated("CalibrationWorkflow", "Вы хотите завершить тарировку?"),
                                  true);
            ending.SetTextBtnOk(translated("CalibrationWorkflow", "Да"));
            ending.SetTextBtnCncl(translated("CalibrationWorkflow", "Нет"));
            ending.setStyleSheet(DynamicQDialog::commonStyleSheet());
            ending.resize(300, 170);
            ending.exec();
        }
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join("\n")));
    }

    // The wired sensor's password dialog in both of its modes, styled and
    // sized as the sensor page opens it.
    void passwordDialog()
    {
        PasswordReceiver receiver;
        for (const bool inputMode : {true, false}) {
            QStringList problems;
            Security::setResponder([&](Security &dialog) {
                dialog.setVisible(true);
                problems << clippedTexts(dialog) << misplaced(dialog, QSize(250, 200));
                dialog.setVisible(false);
            });
            Security dialog(&receiver, m_window.get(), inputMode, !inputMode);
            dialog.setStyleSheet(QStringLiteral("background-color:#1F2222;border-style: solid;"
                                                "border-width: 1px;border-color: white;"
                                                "color : white;"));
            dialog.resize(250, 200);
            dialog.exec();
            QVERIFY2(problems.isEmpty(), qPrintable(problems.join("\n")));
        }
    }

    // The wireless page's password dialog in each of its layouts (the base
    // locked or not, with the sensor locked or not), as the page opens it.
    void wirelessPasswordDialog_data()
    {
        QTest::addColumn<bool>("baseLocked");
        QTest::addColumn<bool>("sensorLocked");
        QTest::newRow("both open") << false << false;
        QTest::newRow("base locked") << true << false;
        QTest::newRow("sensor locked") << false << true;
        QTest::newRow("both locked") << true << true;
    }

    void wirelessPasswordDialog()
    {
        QFETCH(bool, baseLocked);
        QFETCH(bool, sensorLocked);
        PasswordReceiver receiver;
        QStringList problems;
        SecurityBLE::setResponder([&](SecurityBLE &dialog) {
            dialog.setVisible(true);
            problems << clippedTexts(dialog) << misplaced(dialog, QSize(250, 200));
            dialog.setVisible(false);
        });
        SecurityBLE dialog(&receiver, m_window.get(), baseLocked, !baseLocked, sensorLocked,
                           !sensorLocked);
        dialog.setStyleSheet(QStringLiteral("background-color:#1F2222;border-style: solid;"
                                            "border-width: 1px;border-color: white;"
                                            "color : white;"));
        dialog.resize(250, 200);
        dialog.exec();
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join("\n")));
    }

    // The wireless page's status lines with every text the base's answers
    // put there: the command results and the link and password states.
    void wirelessStatusLines()
    {
        BLEDevice *page = m_window->bleDevice();
        QStringList texts;
        for (int code = 0; code < 256; ++code) {
            const BleCommandResult result = BleReplies::commandResult(quint8(code));
            if (result.status)
                texts << translated("BLEDevice", result.status);
        }
        QVERIFY(texts.size() >= 13);
        const QStringList pageTexts = statusLineTexts(true);
        QVERIFY2(pageTexts.contains(translated("BLEDevice", "Неверный пароль датчика")),
                 qPrintable(pageTexts.join(", ")));
        texts << pageTexts << translated("Configurator", "Ожидаем ответа от беспроводного датчика");
        m_window->form()->stackedWidget->setCurrentWidget(m_window->form()->BLE_KV510);
        page->setVisibleStatusLabels(true);
        QStringList problems;
        for (QLabel *line : {page->statusLabelUp(), page->statusLabel()}) {
            const QString before = line->text();
            for (const QString &text : qAsConst(texts)) {
                line->setText(text);
                const int needed = line->fontMetrics().horizontalAdvance(text);
                if (needed > line->contentsRect().width())
                    problems << QStringLiteral("%1: \"%2\" needs %3 px of %4")
                                    .arg(line->objectName(), text)
                                    .arg(needed)
                                    .arg(line->contentsRect().width());
            }
            line->setText(before);
            if (!m_window->form()->BLE_KV510->rect().contains(line->geometry()))
                problems << line->objectName() + QStringLiteral(" leaves the page");
        }
        page->setVisibleStatusLabels(false);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join("\n")));
    }

    // The dialog that connects an advertising sensor to a tile, at its
    // smallest size, with each message it shows while connecting.
    void advertisingDialog()
    {
        AdwertDialog dialog(m_window.get());
        dialog.show();
        QStringList problems;
        for (auto step : {&AdwertDialog::restoreMessageConnectDevice,
                          &AdwertDialog::getInputSerNumDevice,
                          &AdwertDialog::setMessageErrorConnectDevice}) {
            (dialog.*step)();
            QCoreApplication::sendPostedEvents();
            problems << clippedTexts(dialog) << misplaced(dialog, QSize(450, 150));
        }
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join("\n")));
    }

    // An advertising tile with everything shown (the page shows it all once
    // the base reports a record), before and after its sensor is connected:
    // its buttons are captions the form check does not look at.
    void advertisingTile()
    {
        applyLanguage();
        Ui::Configurator *form = m_window->form();
        form->stackedWidget->setCurrentWidget(form->bleAdwertTar);
        form->tabWidgetAdw->setCurrentIndex(0);
        BLEAdwView *tile = m_window->bleDevice()->adwView(0);
        const bool uiShown = tile->connectButton()->isVisibleTo(tile);
        const bool valuesShown = tile->findChild<QLabel *>(QStringLiteral("labelSignalAdw"))
                                     ->isVisibleTo(tile);
        tile->showUI(true);
        QStringList problems;
        for (const bool connected : {false, true}) {
            tile->showConnectButton(connected);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
            problems << clippedTexts(*tile);
        }
        tile->showConnectButton(tile->model()->isConnected());
        tile->showUI(uiShown);
        tile->showLabel(valuesShown);
        if (!tile->parentWidget()->rect().contains(tile->geometry()))
            problems << QStringLiteral("the tile leaves its tab");
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join("\n")));
    }

    // The engineering menu's dialogs, styled and sized as the main window
    // opens them: the manual full/empty entry with the largest readings,
    // and the sensor's table.
    void engineeringDialogs()
    {
        QStringList problems;
        {
            EngineerMenuQDialog levels(m_window.get(), true);
            levels.setStyleSheet(DynamicQDialog::commonStyleSheet());
            levels.resize(300, 170);
            levels.updateValueLevel(4095, 4095);
            levels.show();
            problems << clippedTexts(levels) << misplaced(levels, QSize(300, 170));
        }
        {
            LiterToPercent table(m_window.get(), true);
            table.setStyleSheet(QStringLiteral("background-color:#1F2222;border-style: solid;"
                                               "border-width: 1px;border-color: white;"
                                               "color : white;"));
            table.resize(500, 550);
            table.show();
            problems << clippedTexts(table) << misplaced(table, QSize(500, 550));
        }
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join("\n")));
    }

    // The tiles above the calibration table, on the calibration page and
    // placed as the wired sensor page places them, with what the sensors
    // write into them: serial numbers up to the longest a sensor reports,
    // the level, and the longer of the state texts.
    void calibrationTiles_data()
    {
        QTest::addColumn<int>("serial");
        QTest::newRow("six digits") << 123456;
        QTest::newRow("largest") << 2147483647;
        QTest::newRow("negative") << int(-2147483647 - 1);
    }

    void calibrationTiles()
    {
        QFETCH(int, serial);
        QWidget *page = m_window->form()->Tarirovka;
        m_window->form()->stackedWidget->setCurrentWidget(page);
        WidgetTar caption(page, true);
        WidgetTar first(page, false);
        WidgetTar second(page, false);
        caption.move(10, 80);
        first.move(139, 80);
        second.move(278, 80);
        caption.setLabel1Text(translated("CalibrationWorkflow", "Галлоны"));
        int index = 0;
        for (WidgetTar *tile : {&first, &second}) {
            tile->setLabel1Text(translated("FLSDevice", "Датчик#") + QString::number(qint64(serial) - index));
            tile->setLabel2Text(translated("FLSDevice", "Уровень ") + QStringLiteral("4095"));
            tile->setLabel3Text(translated("FLSDevice", index == 0 ? "Не калиброван" : "Калиброван"));
            tile->setLabel4Text(translated("FLSDevice", index == 0 ? "Не стабилен" : "Стабилен"));
            tile->show();
            ++index;
        }
        QCoreApplication::sendPostedEvents();

        QStringList problems;
        const struct {
            const char *name;
            const WidgetTar *tile;
            QSize given;
        } tiles[] = {{"caption", &caption, QSize(129, 99)},
                     {"first", &first, QSize(139, 99)},
                     {"second", &second, QSize(139, 99)}};
        for (const auto &t : tiles) {
            for (const QString &problem : clippedTexts(*t.tile))
                problems << QLatin1String(t.name) + QStringLiteral(" tile: ") + problem;
            if (t.tile->width() < t.given.width() || t.tile->height() < t.given.height())
                problems << QLatin1String(t.name) + QStringLiteral(" tile is below ")
                                + sizeText(t.given);
            if (!page->rect().contains(t.tile->geometry()))
                problems << QLatin1String(t.name) + QStringLiteral(" tile leaves the page");
        }
        // Still a row: each tile starts where the one on its left ends.
        if (first.x() != caption.x() + caption.width() || second.x() != first.x() + first.width()
            || first.y() != caption.y() || second.y() != first.y())
            problems << QStringLiteral("the tiles no longer stand in a row: %1, %2, %3")
                            .arg(rectText(caption.geometry()), rectText(first.geometry()),
                                 rectText(second.geometry()));
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join("\n")));
    }

    // The labels the code fills while it runs, with the longest texts they
    // get: the header's status and model lines and the wired page's pair
    // that takes their place, with every text the code shows there; the
    // serial number (a signed 32-bit number) and the firmware version
    // (three digits). Each must show its text whole inside the window, and
    // the lines of one place must not cover each other.
    void runTimeLabels()
    {
        applyLanguage();
        Ui::Configurator *form = m_window->form();
        QWidget &window = *m_window;
        const QStringList statusTexts = statusLineTexts();
        QVERIFY2(statusTexts.contains(translated("Configurator", "Ожидаем ответа от датчика")),
                 qPrintable(statusTexts.join(", ")));
        QVERIFY2(statusTexts.contains(translated("FLSDevice", "Подключен KV610")),
                 qPrintable(statusTexts.join(", ")));
        QVERIFY2(statusTexts.contains(translated("FirmwareUpdate", "Переподключите питание датчика")),
                 qPrintable(statusTexts.join(", ")));

        struct Filled {
            QLabel *label;
            QStringList texts;
        };
        QVector<Filled> filled;
        for (const char *name : {"labelStatusUp", "labelStatusModel", "labelStatusUpDUT",
                                 "labelStatusDUT"}) {
            QLabel *label = window.findChild<QLabel *>(QLatin1String(name));
            QVERIFY2(label, name);
            filled.push_back({label, statusTexts});
        }
        filled.push_back({form->label_SerNumVal,
                          {QStringLiteral("-2147483648"), QStringLiteral("2147483647")}});
        filled.push_back({form->label_FirmwareVal, {QStringLiteral("9.9.9")}});
        QLabel *badFirmware = window.findChild<QLabel *>(QStringLiteral("label_BadFirmwareDUT"));
        QVERIFY(badFirmware);
        filled.push_back({badFirmware, {translated("FirmwareUpdate", "Ошибка в обновлении")}});

        QStringList problems;
        for (const Filled &f : qAsConst(filled)) {
            const QString kept = f.label->text();
            f.label->ensurePolished();
            for (const QString &text : f.texts) {
                f.label->setText(text);
                problems << labelProblems(*f.label, window);
            }
            f.label->setText(kept);
        }

        auto placed = [&window](const QWidget *w) {
            return QRect(w->mapTo(&window, QPoint(0, 0)), w->size());
        };
        auto apart = [&](const QList<const QWidget *> &row) {
            for (int i = 0; i < row.size(); ++i)
                for (int j = i + 1; j < row.size(); ++j)
                    if (placed(row[i]).intersects(placed(row[j])))
                        problems << QStringLiteral("%1 %2 covers %3 %4")
                                        .arg(row[i]->objectName(), rectText(placed(row[i])),
                                             row[j]->objectName(), rectText(placed(row[j])));
        };
        apart({filled[0].label, filled[1].label});
        apart({filled[2].label, filled[3].label});
        apart({form->label_SerNumName, form->label_SerNumVal, form->label_FirmwareName,
               form->label_FirmwareVal, form->groupBox, form->scrollAreaBtnsDevices,
               form->pushButtonService, form->pushButton_Help});
        for (const QString &problem : qAsConst(problems))
            qInfo().noquote() << problem;
        QVERIFY2(problems.isEmpty(), qPrintable(QStringLiteral("%1 texts do not show whole")
                                                    .arg(problems.size())));
    }

    // The remote-control page's prompts in their label, and its commands,
    // modes and filtration levels in their lists (the drop-down arrow takes
    // the right end of a list).
    void remoteControlTexts()
    {
        applyLanguage();
        Ui::Configurator *form = m_window->form();
        QStringList problems;
        QLabel *prompt = form->label_2RC;
        const QString kept = prompt->text();
        prompt->ensurePolished();
        for (int command = 0; command < RemoteCommand::CommandCount; ++command) {
            if (RemoteCommand::prompt(command).isEmpty())
                continue;
            prompt->setText(RemoteCommand::prompt(command));
            problems << labelProblems(*prompt, *m_window);
        }
        prompt->setText(kept);
        const std::pair<QComboBox *, QStringList> lists[] = {
            {form->comboBoxRemoteControl, RemoteCommand::commandTexts()},
            {form->comboBoxModeRemoteControl, RemoteCommand::modeTexts()},
            {form->comboBoxFiltrRemoteControl, RemoteCommand::filtrationTexts()}};
        for (const auto &list : lists) {
            list.first->ensurePolished();
            const QFontMetrics metrics(list.first->font());
            const int room = list.first->width() - kComboArrowAndPadding;
            for (const QString &text : list.second) {
                if (metrics.horizontalAdvance(text) > room)
                    problems << QStringLiteral("%1 \"%2\" needs %3, has %4")
                                    .arg(list.first->objectName(), text)
                                    .arg(metrics.horizontalAdvance(text))
                                    .arg(room);
            }
        }
        for (const QString &problem : qAsConst(problems))
            qInfo().noquote() << problem;
        QVERIFY2(problems.isEmpty(), qPrintable(QStringLiteral("%1 texts do not show whole")
                                                    .arg(problems.size())));
    }

    // Every caption of the form shows its own text whole in its place, page
    // by page as each page is shown, hidden captions included (the code
    // shows them when a sensor answers). The calibration tiles the code
    // places on the pages have a test of their own.
    void formCaptions()
    {
        applyLanguage();
        Ui::Configurator *form = m_window->form();
        QStackedWidget *stack = form->stackedWidget;
        QWidget *shown = stack->currentWidget();
        QStringList problems;
        for (int i = 0; i < stack->count(); ++i) {
            stack->setCurrentIndex(i);
            // A tab widget lays out only its current tab: each tab in turn.
            const auto tabs = stack->widget(i)->findChildren<QTabWidget *>();
            const int tabCount = tabs.isEmpty() ? 1 : tabs.first()->count();
            for (int tab = 0; tab < tabCount; ++tab) {
                if (!tabs.isEmpty())
                    tabs.first()->setCurrentIndex(tab);
                QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
                const auto labels = stack->widget(i)->findChildren<QLabel *>();
                for (QLabel *label : labels) {
                    if (label->text().trimmed().isEmpty() || insideTile(label))
                        continue;
                    // Outside the tabs once; inside, the current tab's.
                    const bool inTabs = !tabs.isEmpty() && tabs.first()->isAncestorOf(label);
                    if (inTabs ? !tabs.first()->currentWidget()->isAncestorOf(label) : tab > 0)
                        continue;
                    label->ensurePolished();
                    problems << labelProblems(*label, *m_window);
                }
            }
        }
        stack->setCurrentWidget(shown);
        for (const QString &problem : qAsConst(problems))
            qInfo().noquote() << problem;
        QVERIFY2(problems.isEmpty(), qPrintable(QStringLiteral("%1 captions do not show whole")
                                                    .arg(problems.size())));
    }

private:
    // The form shows the installed language once the window has handled
    // the language change the translator posts.
    void applyLanguage()
    {
        QCoreApplication::sendPostedEvents();
        QCOMPARE(m_window->form()->label_4DUT->text(), translated("Configurator", "Сетевой адрес"));
    }

    static bool insideTile(const QWidget *widget)
    {
        for (; widget; widget = widget->parentWidget())
            if (qobject_cast<const WidgetTar *>(widget))
                return true;
        return false;
    }

    // Every text the code hands to a status or model line, in the current
    // language: the tr() literals of each call that sets one of the lines.
    // The texts the code puts on status lines: those of the wireless page's
    // sources (wireless true), which has its own wider lines, or of all others.
    QStringList statusLineTexts(bool wireless = false) const
    {
        static const QRegularExpression setter(QStringLiteral(
            "\\b(showStatusMessage|showStatusMessageUp|statusMessage|signalShowStatusMessageUp|pageStatus|headerStatus)\\("));
        static const QRegularExpression literal(QStringLiteral("\\btr\\(\"([^\"]+)\""));
        QSet<QString> sources;
        QDirIterator files(QStringLiteral(VOLMAR_SOURCE_DIR),
                           {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                           QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString path = files.next();
            if (path.contains(QLatin1String("/tests/")) || path.contains(QLatin1String("/build")))
                continue;
            if (path.contains(QLatin1String("/devices/wireless/")) != wireless)
                continue;
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
                continue;
            const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
            for (const QString &line : lines) {
                if (!setter.match(line).hasMatch())
                    continue;
                auto it = literal.globalMatch(line);
                while (it.hasNext())
                    sources.insert(it.next().captured(1));
            }
        }
        QStringList texts;
        for (const TsMessage &message : m_texts)
            if (sources.contains(message.source))
                texts << translated(message);
        texts.removeDuplicates();
        return texts;
    }

    QTemporaryDir m_workDir;
    QTranslator m_translator;
    std::unique_ptr<Configurator> m_window;
    QVector<TsMessage> m_texts;
    QSet<QString> m_keys;
};

QTEST_MAIN(TestTextFit)
#include "tst_textfit.moc"
