#pragma once

// Reads a Qt Linguist .ts file: the translation sources of the tool and the
// temporary files lupdate writes from the code.

#include <QFile>
#include <QString>
#include <QStringList>
#include <QVector>
#include <QXmlStreamReader>

// The translation sources the build compiles into the tool's languages.
const char *const kTsFiles[] = {"Language_Eng.ts", "Language_Port.ts", "Language_Esp.ts"};

// A text on one line, for failure messages.
inline QString oneLine(QString text)
{
    return text.replace(QLatin1Char('\n'), QLatin1String("\\n"));
}

struct TsMessage
{
    QString context;
    QString source;
    QString comment;     // disambiguation, passed to translate() as such
    QString translation;
    QString type;        // "unfinished", "vanished", "obsolete" or empty
    QStringList files;   // <location filename=...> as written (relative to the .ts)

    bool isFinished() const { return type.isEmpty() && !translation.isEmpty(); }
    QString key() const { return context + QChar(0) + source + QChar(0) + comment; }
};

// Empty with *error set when the file cannot be read or is not a .ts file.
inline QVector<TsMessage> readTsFile(const QString &path, QString *error)
{
    QVector<TsMessage> messages;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = path + QStringLiteral(": ") + file.errorString();
        return messages;
    }
    QXmlStreamReader xml(&file);
    QString context;
    TsMessage message;
    bool inMessage = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const auto name = xml.name(); // QStringRef in Qt 5, QStringView in Qt 6
            if (name == QLatin1String("context")) {
                context.clear();
            } else if (name == QLatin1String("name") && !inMessage) {
                context = xml.readElementText();
            } else if (name == QLatin1String("message")) {
                message = TsMessage();
                message.context = context;
                inMessage = true;
            } else if (inMessage && name == QLatin1String("source")) {
                message.source = xml.readElementText();
            } else if (inMessage && name == QLatin1String("comment")) {
                message.comment = xml.readElementText();
            } else if (inMessage && name == QLatin1String("location")) {
                message.files << xml.attributes().value(QLatin1String("filename")).toString();
            } else if (inMessage && name == QLatin1String("translation")) {
                message.type = xml.attributes().value(QLatin1String("type")).toString();
                message.translation =
                    xml.readElementText(QXmlStreamReader::IncludeChildElements);
            }
        } else if (xml.isEndElement() && xml.name() == QLatin1String("message")) {
            messages << message;
            inMessage = false;
        }
    }
    if (xml.hasError()) {
        *error = path + QStringLiteral(": ") + xml.errorString();
        messages.clear();
    }
    return messages;
}
