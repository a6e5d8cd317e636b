// Runs the board simulator for a test: free ports, its own save folder and transcript file.
#pragma once
#include <QByteArray>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

class SimProcess
{
public:
    // Always adds --udp-port 0 --net-port 0 --save-dir <temp dir> --transcript <temp file>.
    explicit SimProcess(QStringList extraArgs = {});
    ~SimProcess();
    SimProcess(const SimProcess &) = delete;
    SimProcess &operator=(const SimProcess &) = delete;

    // Starts the simulator and waits (at most about 10 s, running the event loop) for its
    // ready line.
    bool start();
    quint16 udpPort() const { return udp; }
    quint16 netPort() const { return net; }
    // Asks the simulator to write its files and waits for it to confirm.
    bool save();
    // The files of the last save (or of the exit): empty when missing.
    QByteArray image() const;
    QByteArray nvmem() const;
    QByteArray firmware() const;
    QByteArray file(const QString &name) const;
    // Transcript lines so far: "<udp|dscr|tcp> <req|ans|drop> <hex bytes>".
    QStringList transcript() const;
    // Standard output and error seen so far.
    QByteArray output() const { return out; }
    // quit, bounded wait, kill if needed.
    void stop();
    QProcess &process() { return proc; }

private:
    // Runs the event loop until a line equal to want (or starting with it) arrives.
    bool waitForLine(const QByteArray &want, QByteArray *line, int timeoutMs);

    QTemporaryDir dir;
    QStringList args;
    QProcess proc;
    QByteArray out;
    int consumed = 0;
    quint16 udp = 0;
    quint16 net = 0;
};
