// Runs the built vandor-cli for a test and collects its exit code and both outputs.
#pragma once
#include <QByteArray>
#include <QProcessEnvironment>
#include <QStringList>

struct CliResult
{
    int code = -1;
    QByteArray out;
    QByteArray err;
    QStringList outLines() const;
};

// Waits at most timeoutMs for the tool to end; a tool still running then is killed (code -1).
CliResult runCli(const QStringList &args, const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment(),
                 int timeoutMs = 30000);
