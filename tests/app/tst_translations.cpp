// A text added to the code without a translation shows in Russian whatever
// language is installed, and a translation that lost a placeholder drops the
// value it should show. lupdate, run over the code into a temporary file,
// says which texts the code marks for translation; the three .ts files must
// translate every one of them.

#include "tsfile.h"

#include <QDir>
#include <QDirIterator>
#include <QHash>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

namespace {
// The folders the tool (configurator_core and main) is built from, and its
// form. The emulator and the tools are not the tool's interface.
const char *const kSourceFolders[] = {"app", "link", "devices", "calibration", "widgets",
                                      "resources"};

QString sourcePath(const QString &relative)
{
    return QStringLiteral(VOLMAR_SOURCE_DIR "/") + relative;
}

struct Literal
{
    QString text;
    int line;
};

// The string literals of a C++ source, escapes resolved and adjacent
// literals joined as the compiler joins "a" "b"; comments and character
// literals skipped.
QVector<Literal> stringLiterals(const QString &code)
{
    static const QRegularExpression token(
        QStringLiteral("//[^\\n]*|/\\*.*?(?:\\*/|$)|R\"([^(]*)\\((.*?)\\)\\1\""
                       "|\"((?:[^\"\\\\\\n]|\\\\.)*)\"?|'(?:[^'\\\\\\n]|\\\\.)*'?"
                       "|[^\\s\"'/R]+|\\S"),
        QRegularExpression::DotMatchesEverythingOption);
    QVector<Literal> literals;
    bool joining = false; // only blanks and comments since the last literal
    int line = 1;
    int counted = 0;
    QRegularExpressionMatchIterator it = token.globalMatch(code);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        const bool raw = m.capturedStart(2) >= 0;
        if (!raw && m.capturedStart(3) < 0) {
            joining = joining && (m.captured().startsWith(QLatin1String("//"))
                                  || m.captured().startsWith(QLatin1String("/*")));
            continue;
        }
        line += code.mid(counted, m.capturedStart() - counted).count(QLatin1Char('\n'));
        counted = m.capturedStart();
        QString text;
        const QString found = m.captured(raw ? 2 : 3);
        for (int i = 0; i < found.size(); ++i) {
            QChar c = found.at(i);
            if (!raw && c == QLatin1Char('\\') && i + 1 < found.size()) {
                c = found.at(++i);
                if (c == QLatin1Char('n') || c == QLatin1Char('t'))
                    c = QLatin1Char(c == QLatin1Char('n') ? '\n' : '\t');
            }
            text += c;
        }
        if (joining && !literals.isEmpty())
            literals.last().text += text;
        else
            literals << Literal{text, line};
        joining = true;
    }
    return literals;
}

bool isRussian(const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() >= 0x0400 && c.unicode() <= 0x04FF)
            return true;
    }
    return false;
}

QSet<QString> placeholders(const QString &text)
{
    QSet<QString> found;
    QRegularExpressionMatchIterator it =
        QRegularExpression(QStringLiteral("%L?\\d+")).globalMatch(text);
    while (it.hasNext())
        found << it.next().captured().remove(QLatin1Char('L'));
    return found;
}

QString shown(const TsMessage &message)
{
    return QStringLiteral("%1 \"%2\"").arg(message.context, oneLine(message.source));
}
} // namespace

class TestTranslations : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QStringList arguments = {QStringLiteral("-silent"), QStringLiteral("-locations"),
                                 QStringLiteral("absolute"), QStringLiteral("-no-obsolete"),
                                 QStringLiteral("-extensions"), QStringLiteral("cpp,h,ui")};
        for (const char *folder : kSourceFolders)
            arguments << sourcePath(QLatin1String(folder));
        const QString codeTs = m_dir.filePath(QStringLiteral("code.ts"));
        arguments << QStringLiteral("-ts") << codeTs;
        QProcess lupdate;
        lupdate.start(QStringLiteral(VOLMAR_LUPDATE), arguments);
        QVERIFY2(lupdate.waitForFinished(60000), qPrintable(lupdate.errorString()));
        QVERIFY2(lupdate.exitStatus() == QProcess::NormalExit && lupdate.exitCode() == 0,
                 lupdate.readAllStandardError().constData());

        QString error;
        m_code = readTsFile(codeTs, &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QVERIFY(m_code.size() > 100);
        for (const char *name : kTsFiles) {
            const QVector<TsMessage> file =
                readTsFile(sourcePath(QStringLiteral("translations/") + QLatin1String(name)),
                           &error);
            QVERIFY2(error.isEmpty(), qPrintable(error));
            QHash<QString, TsMessage> byKey;
            for (const TsMessage &message : file)
                byKey.insert(message.key(), message);
            m_translations.insert(QLatin1String(name), byKey);
        }
    }

    // Every text the code marks for translation, in its context, has a
    // finished translation in each language.
    void everyTextOfTheCodeIsTranslated()
    {
        QStringList missing;
        for (const TsMessage &message : qAsConst(m_code)) {
            for (const char *name : kTsFiles) {
                const TsMessage found =
                    m_translations.value(QLatin1String(name)).value(message.key());
                if (!found.isFinished())
                    missing << QStringLiteral("%1: %2").arg(QLatin1String(name), shown(message));
            }
        }
        QVERIFY2(missing.isEmpty(), qPrintable(QStringLiteral("%1 untranslated:\n%2")
                                                   .arg(missing.size())
                                                   .arg(missing.join(QLatin1Char('\n')))));
    }

    // The interface speaks Russian, so every Russian literal in the code is a
    // text a person reads. lupdate must find it where it is written: a text
    // passed to a translate() wrapper, or under a context of a variable,
    // never reaches the .ts files (or is looked up in a context they do not
    // have). Such texts must be marked with QT_TRANSLATE_NOOP or tr().
    void everyRussianTextIsMarkedForTranslation()
    {
        QHash<QString, QSet<QString>> filesOf; // source text -> files lupdate found it in
        for (const TsMessage &message : qAsConst(m_code)) {
            for (const QString &file : message.files)
                filesOf[message.source] << QFileInfo(QDir(m_dir.path()), file).canonicalFilePath();
        }
        QStringList unmarked;
        int russian = 0;
        for (const char *folder : kSourceFolders) {
            QDirIterator it(sourcePath(QLatin1String(folder)),
                            {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                            QDirIterator::Subdirectories);
            while (it.hasNext()) {
                const QString path = QFileInfo(it.next()).canonicalFilePath();
                QFile file(path);
                QVERIFY(file.open(QIODevice::ReadOnly));
                const QVector<Literal> literals = stringLiterals(QString::fromUtf8(file.readAll()));
                for (const Literal &literal : literals) {
                    if (!isRussian(literal.text))
                        continue;
                    ++russian;
                    if (!filesOf.value(literal.text).contains(path))
                        unmarked << QStringLiteral("%1:%2: \"%3\"")
                                        .arg(QDir(QStringLiteral(VOLMAR_SOURCE_DIR))
                                                 .relativeFilePath(path))
                                        .arg(literal.line)
                                        .arg(oneLine(literal.text));
                }
            }
        }
        QVERIFY(russian > 100); // the scan sees the code's texts
        QVERIFY2(unmarked.isEmpty(),
                 qPrintable(QStringLiteral("%1 not marked for translation:\n%2")
                                .arg(unmarked.size())
                                .arg(unmarked.join(QLatin1Char('\n')))));
    }

    // A translation shows the same values as its source text.
    void translationsKeepThePlaceholders()
    {
        QStringList broken;
        for (const char *name : kTsFiles) {
            for (const TsMessage &message : m_translations.value(QLatin1String(name))) {
                if (message.isFinished()
                    && placeholders(message.source) != placeholders(message.translation))
                    broken << QStringLiteral("%1: %2 -> \"%3\"")
                                  .arg(QLatin1String(name), shown(message), message.translation);
            }
        }
        QVERIFY2(broken.isEmpty(), qPrintable(broken.join(QLatin1Char('\n'))));
    }

private:
    QTemporaryDir m_dir;
    QVector<TsMessage> m_code;
    QHash<QString, QHash<QString, TsMessage>> m_translations; // file -> key -> message
};

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
