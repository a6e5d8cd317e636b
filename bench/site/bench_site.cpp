// Times the backup of eight simulated boards (127.0.0.2 ... 127.0.0.9, each behind its own
// bridge) as one vandor-cli backup run, and as eight vandor-cli read runs, in interleaved rounds.
// The tool's history and settings go to a temporary folder.
// Usage: bench_site [rounds] (or --rounds N, or VANDOR_BENCH_ROUNDS)
#include "benchrounds.h"
#include "clirun.h"
#include "simprocess.h"
#include <QCoreApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr int Boards = 8;

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = Bench::withoutRounds(app.arguments());
    const int rounds = Bench::rounds(app.arguments(), args.size() > 1 ? args.at(1).toInt() : 0);
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

    Bench::Series together("one vandor-cli backup"), apart("8 vandor-cli read runs");
    for (int r = 0; r < rounds; ++r) {
        CliResult b;
        together.time([&] {
            b = runCli(backup, env);
            return true;
        });
        if (b.code != 0) {
            std::fprintf(stderr, "backup failed in round %d: %s\n", r, b.err.constData());
            return 1;
        }
        QString failed;
        CliResult one;
        apart.time([&] {
            for (const QString &target : targets) {
                one = runCli({QStringLiteral("read"), QStringLiteral("--tcp"), target, QStringLiteral("-o"),
                              home.filePath(QStringLiteral("one.bin"))},
                             env);
                if (one.code != 0) {
                    failed = target;
                    break;
                }
            }
            return true;
        });
        if (!failed.isEmpty()) {
            std::fprintf(stderr, "read of %s failed in round %d: %s\n", qPrintable(failed), r, one.err.constData());
            return 1;
        }
    }
    std::printf("%d boards over TCP, %d interleaved rounds\n", Boards, rounds);
    together.print();
    apart.print();
    Bench::printRatio("backup / reads", together, apart);
    return 0;
}
