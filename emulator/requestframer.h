#pragma once

#include <QByteArray>
#include <QList>

// Cuts the byte stream the tool sends into request frames. Requests carry no
// length field, so the length comes from the command byte (the search
// broadcast is the three bytes 0x31 0xFF CRC); a candidate is taken only when
// its CRC holds, otherwise the first byte is dropped and the search for a
// frame start goes on. A frame that is still incomplete waits for more bytes.
//
// A few commands come in several lengths (0xEC: a base's configuration byte
// or a sensor's full value; 0xEA: a typed sensor name; 0xF2, 0xFB and 0xE1:
// a tag reader's, without the write key, or another device's). Of those the framer
// takes the shortest candidate whose CRC holds and that either ends exactly
// where the bytes received so far end or has another request starting right
// behind it (two valid frames back to back pass the CRC as one). Otherwise it
// waits until every candidate has arrived, or until the line goes quiet
// (flush), and then takes the shortest candidate whose CRC holds.
class RequestFramer
{
public:
    // Appends bytes and returns the complete frames now found, in order.
    QList<QByteArray> feed(const QByteArray &bytes);
    // Gives up on an incomplete frame (the line went quiet in its middle) and
    // returns any complete frames that lie behind its start.
    QList<QByteArray> flush();

    // Bytes held back for an incomplete frame.
    int pendingSize() const { return int(m_buffer.size()); }
    // Bytes thrown away as garbage since the last call.
    QByteArray takeDiscarded();

    // The lengths a request frame with this command may have, prefix and CRC
    // included, shortest first; empty for a command the line does not know.
    static QList<int> requestLengths(quint8 command);

private:
    enum class Wait { ForMore, NotAtAll };
    QList<QByteArray> extract(Wait wait);
    // The prefix at offset, then the search address or a known command.
    bool requestStartsAt(int offset) const;
    void discard(int count);

    QByteArray m_buffer;
    QByteArray m_discarded;
};
