#include "configparsing.h"

namespace ConfigParsing {

std::optional<qint64> parseInteger(const QString &text)
{
    const QString t = text.trimmed();
    bool ok = false;
    qint64 value = 0;
    if (t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        value = t.mid(2).toLongLong(&ok, 16);
    else if (t.startsWith(QLatin1String("-0x"), Qt::CaseInsensitive))
        value = -t.mid(3).toLongLong(&ok, 16);
    else
        value = t.toLongLong(&ok, 10);
    if (!ok)
        return std::nullopt;
    return value;
}

bool fail(QString *error, const QString &message)
{
    if (error)
        *error = message;
    return false;
}

QString kindOf(const QString &description)
{
    const QString whole = description.trimmed();
    const int at = int(whole.indexOf(QLatin1Char('@')));
    return at < 0 ? QString() : whole.left(at).trimmed().toLower();
}

std::optional<Parts> split(const QString &text, QString *error)
{
    Parts parts;
    parts.whole = text.trimmed();
    const int at = int(parts.whole.indexOf(QLatin1Char('@')));
    if (at < 0) {
        fail(error, QStringLiteral("'%1' has no address: write KIND@ADDRESS, e.g. kv510@1").arg(parts.whole));
        return std::nullopt;
    }
    parts.kind = parts.whole.left(at);

    const QString rest = parts.whole.mid(at + 1);
    const int colon = int(rest.indexOf(QLatin1Char(':')));
    const QString addressText = colon < 0 ? rest : rest.left(colon);
    const auto address = parseInteger(addressText);
    if (!address || *address < kFirstUsableAddress || *address > kLastUsableAddress) {
        fail(error, QStringLiteral("bad address '%1' in '%2': expected a number %3..%4")
                        .arg(addressText, parts.whole)
                        .arg(kFirstUsableAddress)
                        .arg(kLastUsableAddress));
        return std::nullopt;
    }
    parts.address = quint8(*address);
    if (colon >= 0)
        parts.pairs = rest.mid(colon + 1).split(QLatin1Char(','), Qt::SkipEmptyParts);
    return parts;
}

bool forEachKey(const Parts &parts, QString *error,
                const std::function<bool(const QString &key, const QString &value)> &apply)
{
    for (const QString &pair : parts.pairs) {
        const int eq = int(pair.indexOf(QLatin1Char('=')));
        if (eq < 0)
            return fail(error, QStringLiteral("'%1' in '%2' needs a value: write key=value")
                                   .arg(pair.trimmed(), parts.whole));
        if (!apply(pair.left(eq).trimmed().toLower(), pair.mid(eq + 1)))
            return false;
    }
    return true;
}

bool checkSetPoint(const std::optional<int> &level, const std::optional<qint32> &cnt, int maxLevel,
                   const QString &whole, QString *error)
{
    if (level && cnt)
        return fail(error, QStringLiteral("'%1' gives both level= and cnt=: give one, the other follows")
                               .arg(whole));
    if (level && *level > maxLevel)
        return fail(error, QStringLiteral("level=%1 in '%2' is above %3, the top of this mode's resolution")
                               .arg(*level)
                               .arg(whole)
                               .arg(maxLevel));
    return true;
}

bool KeyReader::percent(double *target)
{
    bool ok = false;
    const double value = m_value.trimmed().toDouble(&ok);
    if (!ok || value < 0.0 || value > 100.0)
        return failWith(QStringLiteral("a percentage 0..100"));
    *target = value;
    return true;
}

bool KeyReader::failWith(const QString &expected)
{
    return fail(m_error, QStringLiteral("bad value '%1' for %2 in '%3': expected %4")
                             .arg(m_value, m_key, m_whole, expected));
}

} // namespace ConfigParsing
