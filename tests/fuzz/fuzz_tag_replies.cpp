// The tag reader's replies and the fields the engineer types on its page:
// the first byte is the polled address, the rest the block a parse tick
// hands over; the whole input is also read as typed text.
#include "fuzzinput.h"

#include "devices/tag/tagcommands.h"
#include "devices/tag/tagreplies.h"
#include "link/frame.h"
#include "link/protocol.h"

namespace {
int minimumLength(TagReply::Kind kind)
{
    switch (kind) {
    case TagReply::Kind::Settings: return TagReplies::kSettingsMinLength;
    case TagReply::Kind::Identification: return TagReplies::kIdentificationMinLength;
    case TagReply::Kind::Identifier: return TagReplies::kIdentifierMinLength;
    case TagReply::Kind::IdentifierSet: return TagReplies::kIdentifierSetMinLength;
    case TagReply::Kind::Acknowledged: return TagReplies::kAcknowledgementLength;
    }
    return 0;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const quint8 address = data[0];
    const QByteArray block = fuzzBytes(data + 1, size - 1);
    if (const auto reply = TagReplies::decode(block, address)) {
        // Only a whole reply of this reader, long enough for its fields.
        FUZZ_CHECK(quint8(block.at(0)) == Protocol::kReplyPrefix);
        FUZZ_CHECK(quint8(block.at(Protocol::kAddressOffset)) == address);
        FUZZ_CHECK(Frame::hasValidCrc(block));
        FUZZ_CHECK(block.size() >= minimumLength(reply->kind));
        const QString firmware = TagReplies::firmwareText(reply->identification.firmware);
        FUZZ_CHECK(firmware.size() == 5);
    }

    // Typed text: what is accepted lies within the limits, is sent as the
    // number typed, and reads the same in the other format.
    const QString text = QString::fromLatin1(reinterpret_cast<const char *>(data), int(size));
    for (const bool decimal : {false, true}) {
        const auto identifier = TagCommands::identifierFromText(text, decimal);
        if (!identifier)
            continue;
        FUZZ_CHECK(*identifier >= TagCommands::kMinIdentifier);
        const QString other = TagCommands::convertIdentifierText(text, !decimal);
        FUZZ_CHECK(TagCommands::identifierFromText(other, !decimal) == identifier);
        const QByteArray frame = TagCommands::setIdentifier(1, *identifier);
        FUZZ_CHECK(frame.size() == 8 && Frame::hasValidCrc(frame));
        FUZZ_CHECK(frame.mid(Protocol::kPayloadOffset, 4) == Frame::bigEndian32(*identifier));
    }
    if (const auto serial = TagCommands::serialFromText(text))
        FUZZ_CHECK(*serial >= TagCommands::kMinSerial && *serial <= TagCommands::kMaxSerial);
    if (const auto newAddress = TagCommands::addressFromText(text))
        FUZZ_CHECK(*newAddress >= TagCommands::kMinAddress && *newAddress <= TagCommands::kMaxAddress);
    return 0;
}
