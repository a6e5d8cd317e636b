// The abstract link to one board. Everything above it talks to a board only through these
// operations and never sees whether the board is on USB, behind the network bridge or on UDP.
#pragma once
#include "link/wirebytes.h"
#include <QByteArray>
#include <QDateTime>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>

class DevIo : public QObject
{
    Q_OBJECT
public:
    // The longest data part of one configuration or memory operation.
    static constexpr int MaxChunk = Wire::MaxData;
    // The longest firmware block.
    static constexpr int MaxFirmwareBlock = 240;

    explicit DevIo(QObject *parent = nullptr);

    // Identity triple of the connected board, filled by the version query on opening.
    // Cleared before every query so that a failed query never carries old words forward.
    quint16 word0 = 0;
    quint16 word1 = 0;
    quint16 word2 = 0;
    // The bridge board's version text; empty on other connections.
    QString versionText;
    // Set when the last board that answered had an identity no model accepts (its words are
    // then in word0-word2); cleared at the next version query.
    bool unknownBoard = false;

    // Operations 1-11: all synchronous, true = success. Lengths above MaxChunk fail
    // without anything sent.
    virtual bool readCfg(quint8 *dst, quint16 address, int length) = 0;
    virtual bool writeCfg(const quint8 *src, quint16 address, int length) = 0;
    virtual bool saveCfg() = 0;
    virtual bool readNvMem(quint8 *dst, quint16 address, int length) = 0;
    virtual bool writeNvMem(const quint8 *src, quint16 address, int length) = 0;
    // At most 15 characters of serial are sent; true only if the board confirms.
    virtual bool writeSn(const char *serial) = 0;
    // False for a path that cannot carry a serial number to the board.
    virtual bool setsSerial() const { return true; }
    virtual bool readMachineSetup(quint8 *dst, int length) = 0;
    virtual bool writeMachineSetup(const quint8 *src, int length) = 0;
    // False for a link whose framing has no machine setup commands: callers do not try them.
    virtual bool carriesMachineSetup() const { return true; }
    // Next packet of the board-described configuration stream; each out-pointer may be null.
    virtual bool readDynCfg(quint8 *dst, quint32 selector, quint8 *outLength, quint8 *outFlags,
                            quint8 *outComplete) = 0;
    // marker: 1 on the first chunk of a transfer, 2 on every later one.
    virtual bool writeDynCfg(const quint8 *src, quint8 length, quint8 marker, quint8 complete) = 0;
    // Opens the board announced under uid by newDevice, checks its identity, selects a model.
    virtual bool open(int uid) = 0;
    // Whether a request can still go out: a retry after the link closed is not made.
    virtual bool linkUp() const { return true; }
    // Firmware transfer to the network bridge; the base has none and returns false.
    virtual bool finishFirmware();
    virtual bool writeFirmware(quint16 remaining, const QByteArray &block);

    // A board that fails this many operations in a row is taken as gone: the link closes
    // and emits disconnected. Operations on a closed link fail at once.
    static constexpr int MaxFailures = 3;
    // Attempts of an idempotent request (see retried()).
    static constexpr int MaxAttempts = 3;
    // Closes the link to the connected board, emitting disconnected when one was connected.
    virtual void closeLink();
    // True while an operation waits for its answer (the event loop runs meanwhile).
    virtual bool exchanging() const { return false; }
    // Operations that failed since the link was made (never reset), so that a caller can
    // tell whether a run of operations whose results it did not keep all succeeded.
    int failedOperations() const { return m_failedTotal; }
    // True once the link closed itself because the board stopped answering; cleared on the
    // next connection.
    bool stoppedAnswering() const { return m_stoppedAnswering; }

    // What a link knows of a board it announced, for the list the technician picks from.
    struct Found
    {
        QString name;      // product string, controller or bridge name; may be empty
        QString path;      // "usb", "udp" or "tcp"
        QString address;   // BUS:ADDR on USB, the IPv4 address on the network
        bool bridge = false;      // the network bridge board itself
        bool identified = false;  // words holds the board's identity triple
        quint16 words[3] = {0, 0, 0};
    };
    // False for a uid the link does not know (the base knows none).
    virtual bool describe(int uid, Found *found) const;

    // The idle check: while a board is connected, whenever no operation has run for ms, its
    // identity is asked (a request that changes nothing); a board that fails MaxFailures of
    // them in a row is taken as gone as after failed operations. 0 (the default) turns it off.
    void setIdleCheck(int ms);
    int idleCheck() const { return m_idleMs; }

    // Writes of a framing without acknowledgements (the network link's stream) count as done
    // only once the board has answered a request sent after them on the same connection.
    // Outside a batch every such write waits for that proof; inside one they are only sent,
    // and endBatch() proves the whole series with one answered request. endBatch() is false
    // when any operation of the batch failed.
    void beginBatch();
    bool endBatch();

Q_SIGNALS:
    // A board was found, or what the link knows of it changed (its name, its address, it
    // answers again after it had stopped).
    void newDevice(QString name, int uid);
    // A board found earlier missed discovery rounds: not answering since lastSeen.
    void deviceQuiet(int uid, QDateTime lastSeen);
    // A board found earlier is no longer there (unplugged, or silent for long).
    void deviceRemoved(int uid);
    void connected();
    void disconnected();

protected:
    // Call before every version query or access exchange: a query that fails then leaves a
    // triple no model accepts, never the words of an earlier board.
    void clearIdentity();
    // Shared identity check: asks the model list to accept the triple. On refusal shows
    // "Incompatible version: %1 %2 %3." in an information box titled errorTitle, with the
    // words in hex and a line saying that this version of the program has no model for it.
    bool acceptIdentity(const QString &errorTitle);
public:
    // Which model takes a board with these identity words (the model list, which makes the
    // accepting model the current one); the links know no model themselves.
    using IdentityJudge = bool (*)(quint16 word0, quint16 word1, quint16 word2);
    static void setIdentityJudge(IdentityJudge judge);
protected:
    // Every board operation's result goes through here: it counts consecutive failures of a
    // connected board and closes the link after MaxFailures of them. Returns ok.
    bool track(bool ok);
    bool inBatch() const { return m_batchDepth > 0; }
    // Between connected and disconnected.
    bool isLive() const { return m_live; }
    // Proves the writes sent since the last answered request; true when there are none.
    virtual bool confirmWrites() { return true; }
    // The idle check's request: true when the connected board answered it as itself.
    virtual bool stillThere() { return true; }

    // Requests that change nothing, or that leave the board the same however often they
    // arrive (a read, the version query, a write of the same bytes to the same address, the
    // first request of a described list), are asked again when an attempt fails: at most
    // MaxAttempts attempts while the link stays up, each behind the link's usual read-away of
    // stale answers, each retry logged as "Retry <what>". A board that is gone is therefore
    // let go after at most MaxFailures * MaxAttempts time-outs. Returns the last attempt's
    // result; the caller still passes it through track().
    bool retried(const char *what, const std::function<bool()> &attempt);

private:
    bool m_live = false;          // between connected and disconnected
    int m_failures = 0;           // consecutive failed operations
    int m_failedTotal = 0;
    bool m_stoppedAnswering = false;
    int m_batchDepth = 0;
    bool m_batchFailed = false;
    void idleCheckDue();
    QTimer m_idle;                // runs out when the board has been idle for m_idleMs
    int m_idleMs = 0;
};

// Discovery and opening are allowed while no board is connected.
extern bool scanEnabled;

// The link all operations go to: the one that reported the connection last, else the USB link.
DevIo *currentLink();
void setCurrentLink(DevIo *link);
