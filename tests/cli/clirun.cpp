#include "clirun.h"
#include <QProcess>

QStringList CliResult::outLines() const
{
    return QString::fromUtf8(out).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

CliResult runCli(const QStringList &args, const QProcessEnvironment &env, int timeoutMs)
{
    CliResult r;
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(VANDOR_CLI_PATH), args);
    if (!p.waitForStarted(timeoutMs))
        return r;
    p.closeWriteChannel();
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished(timeoutMs);
        return r;
    }
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return r;
}
