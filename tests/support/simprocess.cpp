// The simulator answers on stdout line by line: "ready udp=<port> net=<port>", "saved".
#include "simprocess.h"
#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QRegularExpression>
#include <QTimer>

namespace {
constexpr int StartTimeoutMs = 10000;
constexpr int SaveTimeoutMs = 5000;
constexpr int StopTimeoutMs = 5000;
} // namespace

SimProcess::SimProcess(QStringList extraArgs)
{
    args << QStringLiteral("--udp-port") << QStringLiteral("0") << QStringLiteral("--net-port")
         << QStringLiteral("0") << QStringLiteral("--save-dir") << dir.filePath(QStringLiteral("save"))
         << QStringLiteral("--transcript") << dir.filePath(QStringLiteral("transcript.txt"));
    args += extraArgs;
    proc.setProcessChannelMode(QProcess::ForwardedErrorChannel);
}

SimProcess::~SimProcess()
{
    stop();
}

bool SimProcess::waitForLine(const QByteArray &want, QByteArray *line, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (true) {
        out += proc.readAllStandardOutput();
        int eol;
        while ((eol = out.indexOf('\n', consumed)) >= 0) {
            const QByteArray l = out.mid(consumed, eol - consumed).trimmed();
            consumed = eol + 1;
            if (l.startsWith(want)) {
                if (line)
                    *line = l;
                return true;
            }
        }
        if (deadline.hasExpired() || proc.state() == QProcess::NotRunning)
            return false;
        QEventLoop loop;
        QTimer timer;
        timer.setSingleShot(true);
        QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
        QObject::connect(&proc, &QProcess::readyReadStandardOutput, &loop, &QEventLoop::quit);
        QObject::connect(&proc, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), &loop,
                         &QEventLoop::quit);
        timer.start(int(qMax<qint64>(1, deadline.remainingTime())));
        loop.exec();
    }
}

bool SimProcess::start()
{
    if (!dir.isValid())
        return false;
    proc.start(QStringLiteral(VANDOR_SIM_PATH), args);
    if (!proc.waitForStarted(StartTimeoutMs))
        return false;
    QByteArray line;
    if (!waitForLine("ready ", &line, StartTimeoutMs))
        return false;
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("^ready udp=(\\d+) net=(\\d+)$")).match(QString::fromLatin1(line));
    if (!m.hasMatch())
        return false;
    udp = quint16(m.captured(1).toUInt());
    net = quint16(m.captured(2).toUInt());
    return true;
}

bool SimProcess::save()
{
    if (proc.state() != QProcess::Running)
        return false;
    proc.write("save\n");
    QByteArray line;
    return waitForLine("save", &line, SaveTimeoutMs) && line == "saved";
}

QByteArray SimProcess::file(const QString &name) const
{
    QFile f(QDir(dir.filePath(QStringLiteral("save"))).filePath(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray SimProcess::image() const
{
    return file(QStringLiteral("image.bin"));
}

QByteArray SimProcess::nvmem() const
{
    return file(QStringLiteral("nv.bin"));
}

QByteArray SimProcess::firmware() const
{
    return file(QStringLiteral("firmware.bin"));
}

QStringList SimProcess::transcript() const
{
    QFile f(dir.filePath(QStringLiteral("transcript.txt")));
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QString::fromLatin1(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

void SimProcess::stop()
{
    if (proc.state() == QProcess::NotRunning)
        return;
    proc.write("quit\n");
    proc.closeWriteChannel();
    if (!proc.waitForFinished(StopTimeoutMs)) {
        proc.kill();
        proc.waitForFinished(StopTimeoutMs);
    }
    out += proc.readAllStandardOutput();
}
