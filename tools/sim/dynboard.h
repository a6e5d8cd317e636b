// The simulated self-describing board: its parameter lists, answers to describe-mode reads
// and the value-mode write stream it applies.
#pragma once
#include <QByteArray>
#include <QString>
#include <QVector>

class SimDynBoard
{
public:
    struct Param
    {
        quint32 uid = 0;
        QByteArray limits; // describe-mode bytes before the value (lower and upper limit)
        QByteArray value;  // value-mode payload
    };

    // A realistic board: every value kind, the named tabs, denominations, hardware settings.
    SimDynBoard();
    // Replaces the lists with a description file: one parameter a line, "<uid> <payload>" in
    // hexadecimal (the describe-mode payload); blank lines and lines from '#' are ignored.
    bool loadDescription(const QString &fileName, QString &error);

    // Answers to the packet requests 03 (readDynCfg) and 04 (writeDynCfg).
    QByteArray packetAnswer(const QByteArray &request);
    // Answer frame to the stream requests 04 (readDynCfg, 4-byte selector) and 05 (writeDynCfg).
    QByteArray streamAnswer(quint8 command, const QByteArray &payload);

    // The dump of list 1: "DevCom2", a zero byte and the value-mode records.
    QByteArray dump() const;
    // One line per value-mode chunk received: "<marker> <complete> <hex bytes>".
    QByteArray writeLog() const { return m_writeLog; }

    QVector<Param> lists[4];

private:
    // Describe-mode data of the next answer, its flags and complete count.
    QByteArray nextChunk(quint32 selector, quint8 &flags, quint8 &complete);
    void takeWrite(quint8 marker, quint8 complete, const QByteArray &data);
    void add(quint32 uid, const QByteArray &describe);
    Param *find(quint32 uid);

    // Reading: the records of the list being sent and the record ends in it.
    QByteArray m_out;
    QVector<int> m_ends;
    int m_sent = 0;
    bool m_reading = false;
    // Writing: bytes received and not yet applied.
    QByteArray m_in;
    QByteArray m_writeLog;
};
