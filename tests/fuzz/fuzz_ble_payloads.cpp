// The password and base identifier typed on the wireless page: any UTF-8
// text. Only plain decimal digits make a number.
#include "blefuzz.h"

#include <optional>

namespace {
// The value of a text of digits 0..9, nothing for any other character;
// saturates beyond 64 bits, far above what either field holds.
std::optional<quint64> decimalValue(const QString &text)
{
    quint64 value = 0;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        const quint64 digit = quint64(c.unicode() - '0');
        value = value > (~quint64(0) - digit) / 10 ? ~quint64(0) : value * 10 + digit;
    }
    return value;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), int(size));
    const QString typed = text.trimmed();
    const std::optional<quint64> value = decimalValue(typed);

    // An empty field is the password 0; a number must fit four bytes.
    const auto password = BleReplies::passwordFromText(text);
    const bool passwordFits = value && *value <= 0xFFFFFFFFull;
    FUZZ_CHECK(password.has_value() == passwordFits);
    if (password) {
        FUZZ_CHECK(*password == *value);
        const QByteArray payload = BleReplies::passwordPayload(*password);
        FUZZ_CHECK(payload.size() == 4);
        for (int i = 0; i < 4; ++i)
            FUZZ_CHECK(quint8(payload.at(i)) == ((*password >> (8 * (3 - i))) & 0xFF));
    }

    // An identifier is 1 .. 0xFFFFFF: three bytes, least significant first,
    // then the fixed tail.
    const auto identifier = BleReplies::identifierPayload(text);
    const bool identifierFits = value && !typed.isEmpty() && *value >= 1
                                && *value <= BleReplies::kMaxIdentifier;
    FUZZ_CHECK(identifier.has_value() == identifierFits);
    if (identifier) {
        FUZZ_CHECK(identifier->size() == 6);
        for (int i = 0; i < 3; ++i)
            FUZZ_CHECK(quint8(identifier->at(i)) == ((*value >> (8 * i)) & 0xFF));
        FUZZ_CHECK(quint8(identifier->at(3)) == 0xDD);
        FUZZ_CHECK(quint8(identifier->at(4)) == 0xEE);
        FUZZ_CHECK(quint8(identifier->at(5)) == 0xFF);
    }
    return 0;
}
