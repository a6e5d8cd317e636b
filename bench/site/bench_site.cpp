// Times the backup of eight simulated boards (127.0.0.2 ... 127.0.0.9, each behind its own
// bridge) as one vandor-cli backup run, and as eight vandor-cli read runs, in interleaved rounds.
// The tool's history and settings go to a temporary folder. Usage: bench_site [rounds]
#include "clirun.h"
#include "simprocess.h"
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr int Boards = 8;

double median(QVector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.isEmpty() ? 0 : v.at(v.size() / 2);
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int rounds = argc > 1 ? qMax(1, atoi(argv[1])) : 10;
    QTemporaryDir home;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    const struct
    {
        const char *name;
        const char *folder;
    } vars[] = {{"HOME", ""}, {"XDG_DATA_HOME", "/data"}, {"XDG_CONFIG_HOME", "/config"}};
    for (const auto &v : vars)
        env.insert(QString::fromLatin1(v.name), home.path() + QLatin1String(v.folder));
    env.insert(QStringLiteral("VANDOR_NET_ANSWER_PORT"), QStringLiteral("0"));
    env.insert(QStringLiteral("VANDOR_UDP_LOCAL_PORT"), QStringLiteral("0"));

    std::vector<std::unique_ptr<SimProcess>> sims;
    QStringList targets;
    for (int i = 0; i < Boards; ++i) {
        const QString address = QStringLiteral("127.0.0.%1").arg(i + 2);
        sims.push_back(std::make_unique<SimProcess>(QStringList{QStringLiteral("--bind"), address, QStringLiteral("--default-image"),
                                                                QStringLiteral("--controller-name"), QStringLiteral("Bay%1").arg(i + 1)}));
        if (!sims.back()->start()) {
            std::fprintf(stderr, "simulator %d did not start\n", i + 1);
            return 1;
        }
        targets << QStringLiteral("%1:%2").arg(address).arg(sims.back()->netPort());
    }
    QStringList backup{QStringLiteral("backup")};
    for (const QString &t : targets)
        backup << QStringLiteral("--tcp") << t;

    QVector<double> together, apart;
    for (int r = 0; r < rounds; ++r) {
        QElapsedTimer t;
        t.start();
        const CliResult b = runCli(backup, env);
        if (b.code != 0) {
            std::fprintf(stderr, "backup failed in round %d: %s\n", r, b.err.constData());
            return 1;
        }
        together << t.nsecsElapsed() / 1e6;
        t.restart();
        for (const QString &target : targets) {
            const CliResult one = runCli({QStringLiteral("read"), QStringLiteral("--tcp"), target, QStringLiteral("-o"),
                                          home.filePath(QStringLiteral("one.bin"))},
                                         env);
            if (one.code != 0) {
                std::fprintf(stderr, "read of %s failed in round %d: %s\n", qPrintable(target), r, one.err.constData());
                return 1;
            }
        }
        apart << t.nsecsElapsed() / 1e6;
    }
    const double a = median(together), b = median(apart);
    std::printf("%d boards over TCP, %d rounds (median)\n", Boards, rounds);
    std::printf("  one vandor-cli backup      : %8.1f ms\n", a);
    std::printf("  %d vandor-cli read runs     : %8.1f ms\n", Boards, b);
    std::printf("  ratio backup / reads       : %8.2f\n", b > 0 ? a / b : 0.0);
    return 0;
}
