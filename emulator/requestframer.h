#pragma once

#include <QByteArray>
#include <QList>

// Cuts the byte stream the tool sends into request frames. Requests carry no
// length field, so the length comes from the command byte (the search
// broadcast is the three bytes 0x31 0xFF CRC); a candidate is taken only when
// its CRC holds, otherwise the first byte is dropped and the search for a
// frame start goes on. A frame that is still incomplete waits for more bytes.
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

    // Length of a request frame with this command, prefix and CRC included;
    // 0 for a command the line does not know.
    static int requestLength(quint8 command);

private:
    QList<QByteArray> extract();
    void discard(int count);

    QByteArray m_buffer;
    QByteArray m_discarded;
};
