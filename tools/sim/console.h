// Commands from stdin, one per line, and the termination signals, turned into Qt signals.
#pragma once
#include <QObject>
#include <QSocketNotifier>
#include <memory>

class Console : public QObject
{
    Q_OBJECT
public:
    explicit Console(bool readStdin, QObject *parent = nullptr);
    ~Console() override;

Q_SIGNALS:
    void command(const QString &line);
    // stdin ended, or SIGTERM / SIGINT / SIGHUP arrived.
    void ended();

private:
    void readInput();
    void readSignal();

    std::unique_ptr<QSocketNotifier> input;
    std::unique_ptr<QSocketNotifier> signalNote;
    QByteArray buffer;
};
