// The simulated fixed-layout controller: its memories and its answers to packet and stream requests.
#pragma once
#include <QByteArray>
#include <array>

class SimDynBoard;

class SimBoard
{
public:
    static constexpr int ImageSize = 8192;
    static constexpr int NvSize = 128;
    static constexpr int SetupSize = 32;
    static constexpr int SerialSize = 16;
    // The largest data part the board moves in one request.
    static constexpr int MaxChunk = 60;

    SimBoard();

    QByteArray image;                        // working configuration, erased 0xFF
    QByteArray nv;                           // non-volatile memory, erased 0xFF
    QByteArray setup;                        // machine setup block
    QByteArray serial;                       // serial number without its zero padding
    std::array<quint16, 3> id{{0x0242, 0x0100, 0x9202}};
    int saveCount = 0;                       // saveCfg requests seen
    QByteArray stored;                       // the image as the last saveCfg stored it; empty before
    SimDynBoard *dyn = nullptr;              // set: configuration reads and writes are described records

    // Answer to one packet-framing request (command, direction 0, parameters); empty when the
    // board stays silent. A request the board refuses (a read of nothing, more than 60 bytes or
    // past the end of a memory; a malformed request) is answered with its command and
    // direction 0, which no caller accepts.
    QByteArray packetAnswer(const QByteArray &request);
    // Answer frame to one stream-framing request of the controller (command below 0xE0);
    // empty when none is sent (writes, unknown commands). A refused read is answered with
    // its command and length 0.
    QByteArray streamAnswer(quint8 command, const QByteArray &payload);

private:
    QByteArray identity() const;
    bool inRange(int address, int length, int size) const;
    QByteArray readRange(const QByteArray &mem, int address, int length) const;
    void writeRange(QByteArray &mem, int address, const QByteArray &data);
};
