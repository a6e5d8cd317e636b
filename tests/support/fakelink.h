// A link to an imaginary board held in memory, recording every operation it is asked for.
#pragma once
#include "link/devio.h"
#include <QByteArray>
#include <QList>
#include <QVector>

class FakeLink : public DevIo
{
    Q_OBJECT
public:
    struct Call
    {
        QByteArray op;    // "readCfg", "writeCfg", "saveCfg", "readNvMem", ...
        int address = 0;
        int length = 0;
        QByteArray data;  // bytes written
        bool operator==(const Call &o) const
        {
            return op == o.op && address == o.address && length == o.length && data == o.data;
        }
    };

    explicit FakeLink(QObject *parent = nullptr);

    // The board's memories.
    QByteArray cfg;      // 8192 bytes, 0xFF
    QByteArray nv;       // 128 bytes, 0xFF
    QByteArray setup;    // 32 bytes machine setup
    QByteArray serial;
    quint16 id0 = 0, id1 = 0, id2 = 0;  // identity reported on open

    // Answers of readDynCfg, handed out in order; when none are left the board answers an
    // empty last packet. ok false makes that call fail.
    struct DynAnswer
    {
        QByteArray data;
        quint8 flags = 0;
        quint8 complete = 0;
        bool ok = true;
    };
    QList<DynAnswer> dynAnswers;

    QVector<Call> calls;
    // Operation name and address that fail (address -1: every call of that operation).
    QByteArray failOp;
    int failAddress = -1;

    bool readCfg(quint8 *dst, quint16 address, int length) override;
    bool writeCfg(const quint8 *src, quint16 address, int length) override;
    bool saveCfg() override;
    bool readNvMem(quint8 *dst, quint16 address, int length) override;
    bool writeNvMem(const quint8 *src, quint16 address, int length) override;
    bool writeSn(const char *serial) override;
    bool setsSerial() const override { return serialPath; }
    bool serialPath = true;
    bool readMachineSetup(quint8 *dst, int length) override;
    bool writeMachineSetup(const quint8 *src, int length) override;
    bool readDynCfg(quint8 *dst, quint32 selector, quint8 *outLength, quint8 *outFlags,
                    quint8 *outComplete) override;
    bool writeDynCfg(const quint8 *src, quint8 length, quint8 marker, quint8 complete) override;
    bool open(int uid) override;

    // Calls of one operation only.
    QVector<Call> callsOf(const QByteArray &op) const;
    void announce(const QString &name, int uid) { Q_EMIT newDevice(name, uid); }
    void unplug() { Q_EMIT disconnected(); }

private:
    bool fails(const char *op, int address) const;
    void record(const char *op, int address, int length, const QByteArray &data = QByteArray());
};
