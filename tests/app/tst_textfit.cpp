// Every text a person reads must show whole: in every message dialog, in the
// password dialogs, in the calibration and advertising tiles and the
// advertising sensor's connection dialog, in each language the tool ships,
// with the fonts the tool loads at start (a real main window is the parent).

#include "app/configurator.h"
#include "app/dynamicqdialog.h"
#include "calibration/engineermenuqdialog.h"
#include "calibration/litertopercent.h"
#include "calibration/widgettar.h"
#include "devices/fls/flsdevice.h"
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
#include <QDirIterator>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

#include <functional>
#include <memory>

namespace {
// A list's text starts after its 6 px padding and ends before its 22 px arrow.
constexpr int kComboArrowAndPadding = 6 + 22 + 4;
const QString kDarkStyle = QStringLiteral("background-color:#1F2222;border-style: solid;"
                                          "border-width: 1px;border-color: white;color : white;");

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

// Arguments of the kind the tool fills in: a file path, a system's reason, a number.
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

QRect placedIn(const QWidget &top, const QWidget *w)
{
    return QRect(w->mapTo(&top, QPoint(0, 0)), w->size());
}

// Why w (needing `needed`) does not show whole inside top; empty when it does.
QStringList sizeProblems(const QString &what, const QWidget &w, const QWidget &top,
                         bool tooSmall, const QSize &needed)
{
    QStringList problems;
    if (!top.rect().contains(placedIn(top, &w)))
        problems << what + QStringLiteral(" at ") + rectText(placedIn(top, &w))
                        + QStringLiteral(" sticks out of ") + sizeText(top.size());
    if (tooSmall)
        problems << what + QStringLiteral(" needs ") + sizeText(needed) + QStringLiteral(", has ")
                        + sizeText(w.size());
    return problems;
}

// A label's text needs more room than it has (by its size hint, and line by
// line by its font's metrics), or the label is not wholly inside top.
QStringList labelProblems(const QLabel &label, const QWidget &top)
{
    const QString what = QStringLiteral("label %1 \"%2\"").arg(label.objectName(), oneLine(label.text()));
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
    return sizeProblems(what, label, top,
                        lines.width() > inside.width() || lines.height() > inside.height()
                            || hint.width() > label.width() || hint.height() > label.height(),
                        lines.expandedTo(hint));
}

// The label shown with each of texts in turn, then given its own text back.
QStringList labelProblems(QLabel *label, const QStringList &texts, const QWidget &top)
{
    QStringList problems;
    const QString kept = label->text();
    label->ensurePolished();
    for (const QString &text : texts) {
        label->setText(text);
        problems << labelProblems(*label, top);
    }
    label->setText(kept);
    return problems;
}

// Every visible label and button of top: see labelProblems; a button needs its size hint.
QStringList clippedTexts(const QWidget &top)
{
    QStringList problems;
    for (const QLabel *label : top.findChildren<QLabel *>()) {
        if (!label->text().isEmpty() && label->isVisibleTo(&top))
            problems << labelProblems(*label, top);
    }
    for (const QPushButton *button : top.findChildren<QPushButton *>()) {
        const QSize hint = button->sizeHint();
        if (button->isVisibleTo(&top))
            problems << sizeProblems(QStringLiteral("button \"%1\"").arg(button->text()), *button,
                                     top, hint.width() > button->width()
                                              || hint.height() > button->height(),
                                     hint);
    }
    return problems;
}

// A window that was given a size keeps at least that size and stays on its screen.
QStringList misplaced(const QWidget &window, const QSize &given)
{
    QStringList problems;
    if (window.width() < given.width() || window.height() < given.height())
        problems << QStringLiteral("%1 is below the size given, %2")
                        .arg(sizeText(window.size()), sizeText(given));
    const QScreen *screen = window.screen();
    if (screen && !screen->availableGeometry().contains(window.frameGeometry()))
        problems << QStringLiteral("%1 is not inside the screen %2")
                        .arg(rectText(window.frameGeometry()), rectText(screen->availableGeometry()));
    return problems;
}

// A window styled and sized as its caller does, shown.
QStringList shownProblems(QWidget &window, const QString &style, const QSize &size)
{
    window.setStyleSheet(style);
    window.resize(size);
    window.show();
    return clippedTexts(window) + misplaced(window, size);
}

// What does not fit in the dialogs of kind D that open() executes, each
// looked at while shown; a dialog that never shows is a problem too.
template <typename D>
QStringList shownDialogProblems(const QSize &given, const std::function<void()> &open)
{
    QStringList problems;
    bool seen = false;
    D::setResponder([&](D &dialog) {
        seen = true;
        dialog.setVisible(true);
        problems << clippedTexts(dialog) << misplaced(dialog, given);
        dialog.setVisible(false);
        return 1;
    });
    open();
    D::setResponder({});
    if (!seen)
        problems << QStringLiteral("no dialog was shown");
    return problems;
}

// A dialog of kind D styled and sized as its caller does, executed.
template <typename D>
QStringList styledDialogProblems(D &dialog, const QString &style, const QSize &size)
{
    dialog.setStyleSheet(style);
    dialog.resize(size);
    return shownDialogProblems<D>(size, [&dialog] { dialog.exec(); });
}

void expectNone(const QStringList &problems)
{
    for (const QString &problem : problems)
        qInfo().noquote() << problem;
    QVERIFY2(problems.isEmpty(), qPrintable(QStringLiteral("%1 texts do not show whole:\n%2")
                                                .arg(problems.size())
                                                .arg(problems.mid(0, 20).join(QLatin1Char('\n')))));
}

} // namespace

class TestTextFit : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase_data()
    {
        // Russian is the source text itself; the others are built from translations/*.ts.
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
        QSet<QString> keys;
        for (const char *name : kTsFiles) {
            QString error;
            const QVector<TsMessage> file = readTsFile(
                QStringLiteral(VOLMAR_SOURCE_DIR "/translations/") + QLatin1String(name), &error);
            QVERIFY2(error.isEmpty(), qPrintable(error));
            for (const TsMessage &message : file) {
                if (!keys.contains(message.key())) {
                    keys << message.key();
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
        if (!qm.isEmpty()) {
            QVERIFY2(m_translator.load(qm, QStringLiteral(VOLMAR_BINARY_DIR "/languages")),
                     qPrintable(qm));
            QCoreApplication::installTranslator(&m_translator);
        }
        // The form shows the language once the window has handled the change.
        QCoreApplication::sendPostedEvents();
        QCOMPARE(m_window->form()->label_4DUT->text(), translated("Configurator", "Сетевой адрес"));
    }

    void cleanup()
    {
        QCoreApplication::removeTranslator(&m_translator);
        DynamicQDialog::setResponder({});
        Security::setResponder({});
        SecurityBLE::setResponder({});
    }

    void cleanupTestCase() { m_window.reset(); }

    // A message dialog is only ever given a translated text, alone or with
    // its arguments (tst_translations keeps every text of the code in the
    // .ts files), so showing every .ts text as a message covers every
    // message, those passed in variables and those added later included.
    // Each is shown as a notice (no cancel, 300 x 170, nearly every caller's
    // size) and as a question (with cancel, 300 x 150, the smallest given).
    void everyTextFitsTheMessageDialog()
    {
        const struct {
            const char *name;
            bool withCancel;
            QSize size;
        } shapes[] = {{"notice", false, QSize(300, 170)}, {"question", true, QSize(300, 150)}};
        QStringList failures;
        for (const TsMessage &message : qAsConst(m_texts)) {
            const QString text = withSampleArguments(translated(message));
            for (const auto &shape : shapes) {
                const QStringList problems = shownDialogProblems<DynamicQDialog>(shape.size, [&] {
                    DynamicQDialog::show(m_window.get(), text, shape.withCancel, shape.size);
                });
                if (!problems.isEmpty())
                    failures << QStringLiteral("[%1] %2: %3")
                                    .arg(QLatin1String(shape.name), oneLine(text),
                                         problems.join("; "));
            }
        }
        expectNone(failures);
    }

    // Dialogs the callers build themselves: the start-up warning (no parent)
    // and the question ending a run, whose buttons get captions after building.
    void dialogsBuiltByTheirCallers()
    {
        DynamicQDialog warning(nullptr, QString(),
                               translated("Configurator", "Один экземпляр приложения уже запущен"),
                               false);
        DynamicQDialog ending(m_window.get(), QString(),
                              translated("CalibrationWorkflow", "Вы хотите завершить тарировку?"),
                              true);
        ending.SetTextBtnOk(translated("CalibrationWorkflow", "Да"));
        ending.SetTextBtnCncl(translated("CalibrationWorkflow", "Нет"));
        expectNone(styledDialogProblems(warning, DynamicQDialog::commonStyleSheet(), {300, 170})
                   + styledDialogProblems(ending, DynamicQDialog::commonStyleSheet(), {300, 170}));
    }

    // The wired sensor's password dialog in both of its modes, as its page opens it.
    void passwordDialog()
    {
        QStringList problems;
        for (const bool inputMode : {true, false}) {
            Security dialog(m_window->flsDevice(), m_window.get(), inputMode, !inputMode);
            problems << styledDialogProblems(dialog, kDarkStyle, {250, 200});
        }
        expectNone(problems);
    }

    // The wireless page's password dialog with the base and the sensor each
    // locked or not, as the page opens it.
    void wirelessPasswordDialog()
    {
        QStringList problems;
        for (const bool baseLocked : {false, true}) {
            for (const bool sensorLocked : {false, true}) {
                SecurityBLE dialog(m_window->bleDevice(), m_window.get(), baseLocked, !baseLocked,
                                   sensorLocked, !sensorLocked);
                problems << styledDialogProblems(dialog, kDarkStyle, {250, 200});
            }
        }
        expectNone(problems);
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
            problems << labelProblems(line, texts, *m_window);
            if (!m_window->form()->BLE_KV510->rect().contains(line->geometry()))
                problems << line->objectName() + QStringLiteral(" leaves the page");
        }
        page->setVisibleStatusLabels(false);
        expectNone(problems);
    }

    // The dialog connecting an advertising sensor to a tile, at its smallest
    // size, with each message it shows while connecting.
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
        expectNone(problems);
    }

    // An advertising tile with everything shown (as once the base reports a
    // record), before and after its sensor is connected: its buttons are
    // captions the form check does not look at.
    void advertisingTile()
    {
        Ui::Configurator *form = m_window->form();
        form->stackedWidget->setCurrentWidget(form->bleAdwertTar);
        form->tabWidgetAdw->setCurrentIndex(0);
        BLEAdwView *tile = m_window->bleDevice()->adwView(0);
        const bool uiShown = tile->connectButton()->isVisibleTo(tile);
        const bool valuesShown =
            tile->findChild<QLabel *>(QStringLiteral("labelSignalAdw"))->isVisibleTo(tile);
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
        expectNone(problems);
    }

    // The engineering menu's dialogs as the main window opens them: the
    // manual full/empty entry with the largest readings, and the sensor's table.
    void engineeringDialogs()
    {
        EngineerMenuQDialog levels(m_window.get(), true);
        levels.updateValueLevel(4095, 4095);
        LiterToPercent table(m_window.get(), true);
        expectNone(shownProblems(levels, DynamicQDialog::commonStyleSheet(), {300, 170})
                   + shownProblems(table, kDarkStyle, {500, 550}));
    }

    // The tiles above the calibration table, placed as the wired sensor page
    // places them, with serial numbers up to the longest a sensor reports,
    // the level, and the longer of the state texts.
    void calibrationTiles()
    {
        QWidget *page = m_window->form()->Tarirovka;
        m_window->form()->stackedWidget->setCurrentWidget(page);
        QStringList problems;
        for (const qint64 serial : {qint64(123456), qint64(2147483647), qint64(-2147483647 - 1)}) {
            // The caption tile, then two sensors' tiles, each where the one on its left ends.
            std::unique_ptr<WidgetTar> tiles[3];
            const int xs[] = {10, 139, 278};
            for (int i = 0; i < 3; ++i) {
                tiles[i] = std::make_unique<WidgetTar>(page, i == 0);
                tiles[i]->move(xs[i], 80);
            }
            tiles[0]->setLabel1Text(translated("CalibrationWorkflow", "Галлоны"));
            for (int i = 1; i < 3; ++i) {
                tiles[i]->setLabel1Text(translated("FLSDevice", "Датчик#") + QString::number(serial - i + 1));
                tiles[i]->setLabel2Text(translated("FLSDevice", "Уровень ") + QStringLiteral("4095"));
                tiles[i]->setLabel3Text(translated("FLSDevice", i == 1 ? "Не калиброван" : "Калиброван"));
                tiles[i]->setLabel4Text(translated("FLSDevice", i == 1 ? "Не стабилен" : "Стабилен"));
                tiles[i]->show();
            }
            QCoreApplication::sendPostedEvents();
            for (int i = 0; i < 3; ++i) {
                const WidgetTar &tile = *tiles[i];
                const QString name = QStringLiteral("%1 tile %2").arg(serial).arg(i);
                for (const QString &problem : clippedTexts(tile))
                    problems << name + QStringLiteral(": ") + problem;
                const QSize given(i == 0 ? 129 : 139, 99);
                if (tile.width() < given.width() || tile.height() < given.height())
                    problems << name + QStringLiteral(" is below ") + sizeText(given);
                if (!page->rect().contains(tile.geometry()))
                    problems << name + QStringLiteral(" leaves the page");
                if (i > 0 && (tile.x() != tiles[i - 1]->x() + tiles[i - 1]->width()
                              || tile.y() != tiles[i - 1]->y()))
                    problems << name + QStringLiteral(" no longer stands in the row at ")
                                    + rectText(tile.geometry());
            }
        }
        expectNone(problems);
    }

    // The labels the code fills while it runs, with the longest texts they
    // get: the header's status and model lines and the wired page's pair in
    // their place with every text the code shows there, the serial number
    // (signed 32 bits), the firmware version; the lines of one place must
    // not cover each other.
    void runTimeLabels()
    {
        Ui::Configurator *form = m_window->form();
        QWidget &window = *m_window;
        const QStringList statusTexts = statusLineTexts();
        for (const QString &expected :
             {translated("Configurator", "Ожидаем ответа от датчика"),
              translated("FLSDevice", "Подключен KV610"),
              translated("FirmwareUpdate", "Переподключите питание датчика")})
            QVERIFY2(statusTexts.contains(expected), qPrintable(statusTexts.join(", ")));

        QList<QLabel *> lines;
        for (const char *name : {"labelStatusUp", "labelStatusModel", "labelStatusUpDUT",
                                 "labelStatusDUT"}) {
            lines << window.findChild<QLabel *>(QLatin1String(name));
            QVERIFY2(lines.last(), name);
        }
        QLabel *badFirmware = window.findChild<QLabel *>(QStringLiteral("label_BadFirmwareDUT"));
        QVERIFY(badFirmware);
        QStringList problems;
        for (QLabel *line : qAsConst(lines))
            problems << labelProblems(line, statusTexts, window);
        problems << labelProblems(form->label_SerNumVal, {"-2147483648", "2147483647"}, window)
                 << labelProblems(form->label_FirmwareVal, {"9.9.9"}, window)
                 << labelProblems(badFirmware, {translated("FirmwareUpdate", "Ошибка в обновлении")},
                                  window);

        auto apart = [&](const QList<const QWidget *> &row) {
            for (int i = 0; i < row.size(); ++i)
                for (int j = i + 1; j < row.size(); ++j)
                    if (placedIn(window, row[i]).intersects(placedIn(window, row[j])))
                        problems << QStringLiteral("%1 %2 covers %3 %4")
                                        .arg(row[i]->objectName(), rectText(placedIn(window, row[i])),
                                             row[j]->objectName(), rectText(placedIn(window, row[j])));
        };
        apart({lines[0], lines[1]});
        apart({lines[2], lines[3]});
        apart({form->label_SerNumName, form->label_SerNumVal, form->label_FirmwareName,
               form->label_FirmwareVal, form->groupBox, form->scrollAreaBtnsDevices,
               form->pushButtonService, form->pushButton_Help});
        expectNone(problems);
    }

    // The remote-control page's prompts in their label, and its commands,
    // modes and filtration levels in their lists (the arrow takes the right end).
    void remoteControlTexts()
    {
        Ui::Configurator *form = m_window->form();
        QStringList prompts;
        for (int command = 0; command < RemoteCommand::CommandCount; ++command) {
            if (!RemoteCommand::prompt(command).isEmpty())
                prompts << RemoteCommand::prompt(command);
        }
        QStringList problems = labelProblems(form->label_2RC, prompts, *m_window);
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
        expectNone(problems);
    }

    // Every caption of the form shows whole in its place, page by page and
    // tab by tab as each is shown, hidden captions included (the code shows
    // them when a sensor answers). The calibration tiles are checked above.
    void formCaptions()
    {
        QStackedWidget *stack = m_window->form()->stackedWidget;
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
                for (QLabel *label : stack->widget(i)->findChildren<QLabel *>()) {
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
        expectNone(problems);
    }

private:
    static bool insideTile(const QWidget *widget)
    {
        for (; widget; widget = widget->parentWidget())
            if (qobject_cast<const WidgetTar *>(widget))
                return true;
        return false;
    }

    // The tr() texts, in the current language, of every source line that sets
    // a status line: the wireless page's (wireless true, its own wider lines)
    // or all others'.
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
            QFile file(path);
            if (path.contains(QLatin1String("/tests/")) || path.contains(QLatin1String("/build"))
                || path.contains(QLatin1String("/devices/wireless/")) != wireless
                || !file.open(QIODevice::ReadOnly | QIODevice::Text))
                continue;
            for (const QString &line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
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
};

QTEST_MAIN(TestTextFit)
#include "tst_textfit.moc"
