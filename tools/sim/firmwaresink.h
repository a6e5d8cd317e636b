// The bridge board's side of a firmware update: checks the header, records the blocks.
#pragma once
#include <QByteArray>
#include <QStringList>

class FirmwareSink
{
public:
    // Why a header or block was refused; sent as the one payload byte of a refusal.
    enum Refusal : quint8 {
        NoAccess = 1,      // the connection has not passed the access exchange
        BadHeader = 2,     // length word and trailer do not agree with the header's size
        BadRemaining = 3,  // the block's remaining count is not what is still to come
        TooLong = 4,       // the block runs past the announced length
        EmptyBlock = 5,
    };

    // One writeFirmware frame (remaining, block); the answer frame's payload, or a refusal.
    // The six payload bytes of an acceptance: status 0, stage (0 header, 1 block), the
    // number of body bytes received so far (u32).
    struct Result
    {
        bool accepted = false;
        QByteArray payload;
    };
    Result write(quint16 remaining, const QByteArray &block);
    // The finish frame: ends the transfer and notes whether it is complete and sound.
    void finish();

    bool started() const { return everStarted; }
    QByteArray body() const { return received; }
    QStringList log() const { return lines; }

private:
    Result accept(quint8 stage);
    Result refuse(Refusal why, const QString &what);
    bool looksLikeHeader(const QByteArray &block) const;

    bool headerSeen = false;  // a header has been accepted since the last finish
    bool everStarted = false;
    quint32 declared = 0;
    QByteArray trailer;
    QByteArray received;
    QStringList lines;
};
