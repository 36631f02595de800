#include "languagefile.h"

#include <QCoreApplication>
#include <QDir>
#include <QTranslator>

QString LanguageFile::translationsDir()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/translations");
}

QString LanguageFile::firstFileName(const QString &dir)
{
    const QDir folder(dir);
    if (!folder.exists())
        return {};
    // QDir's own default order (by name, ignoring case) is what NTFS lists
    // on the engineers' machines, and it is the same on every platform.
    const QStringList files = folder.entryList(
        QDir::Files | QDir::Hidden | QDir::NoSymLinks | QDir::NoDotAndDotDot,
        QDir::Name | QDir::IgnoreCase);
    return files.isEmpty() ? QString() : files.first();
}

QString LanguageFile::languageFileName(const QString &dir)
{
    const QString first = firstFileName(dir);
    return first.contains(QLatin1String("Language"), Qt::CaseSensitive) ? first : QString();
}

LanguageFile::Language LanguageFile::languageOf(const QString &fileName)
{
    if (fileName == QLatin1String("Language_Eng.qm"))
        return Language::English;
    if (fileName == QLatin1String("Language_Port.qm"))
        return Language::Portuguese;
    if (fileName == QLatin1String("Language_Esp.qm"))
        return Language::Spanish;
    return Language::Russian;
}

bool LanguageFile::load(QTranslator &translator, const QString &dir)
{
    const QString name = languageFileName(dir);
    if (name.isEmpty())
        return false;
    return translator.load(name, dir);
}
