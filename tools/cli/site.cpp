#include "site.h"
#include "clihost.h"
#include "climachines.h"
#include "cliprompt.h"
#include "devices/devicecfg.h"
#include "link/devio.h"
#include <QJsonDocument>

namespace Cli {

namespace {

// The link options as the command line gives them: kind and value, in order. The value
// options' values come from the parser, so that every spelling it takes counts.
QList<Found> namedInOrder(const Parser &p, const QStringList &args)
{
    QList<Found> out;
    QStringList tcp = p.values(QStringLiteral("tcp")), udp = p.values(QStringLiteral("udp"));
    // The other options of the site commands that take a value.
    static const QStringList valued{QStringLiteral("timeout"), QStringLiteral("from"), QStringLiteral("only"),
                                    QStringLiteral("model"), QStringLiteral("machine")};
    for (int i = 1; i < args.size(); ++i) {
        const QString &a = args.at(i);
        if (a == QLatin1String("--"))
            break;
        QString word = a;
        while (word.startsWith(QLatin1Char('-')))
            word.remove(0, 1);
        word = word.section(QLatin1Char('='), 0, 0);
        const bool joined = a.contains(QLatin1Char('='));
        if (word == QLatin1String("tcp") && !tcp.isEmpty()) {
            out.append({Found::Tcp, tcp.takeFirst(), QString(), false});
            i += joined ? 0 : 1;
        } else if (word == QLatin1String("udp") && !udp.isEmpty()) {
            out.append({Found::Udp, udp.takeFirst(), QString(), false});
            i += joined ? 0 : 1;
        } else if (word == QLatin1String("usb")) {
            const QString next = args.value(i + 1);
            const bool at = next.startsWith(QLatin1String("--usb-device="));
            out.append({Found::Usb, at ? next.mid(13) : QString(), QString(), false});
            i += at ? 1 : 0;
        } else if (valued.contains(word)) {
            i += joined ? 0 : 1; // their values are never links
        }
    }
    return out;
}

const char *const LinkNames[] = {"usb", "udp", "tcp"};

} // namespace

void addSiteOptions(Parser &p, bool all)
{
    p.addOption({QStringLiteral("tcp"), QStringLiteral("A board behind the network bridge at HOST[:PORT] (may be repeated)."),
                 QStringLiteral("HOST")});
    p.addOption({QStringLiteral("udp"), QStringLiteral("A board on the UDP bridge path at HOST[:PORT] (may be repeated)."),
                 QStringLiteral("HOST")});
    p.addOption({QStringLiteral("usb"), QStringLiteral("A board on USB: the first found, or the one at BUS:ADDR (may be repeated).")});
    QCommandLineOption at(QStringLiteral("usb-device"), QStringLiteral("BUS:ADDR of the USB board."), QStringLiteral("BUS:ADDR"));
    at.setFlags(QCommandLineOption::HiddenFromHelp);
    p.addOption(at);
    if (all) {
        p.addOption({QStringLiteral("all"), QStringLiteral("Every board discovery finds, as discover finds them (network "
                                                           "bridges themselves left out).")});
        p.addOption({QStringLiteral("no-usb"), QStringLiteral("With --all: do not look for boards on USB.")});
    }
    p.addOption({QStringLiteral("timeout"),
                 QStringLiteral("Each board within MS ms: finding, opening and the transfers. Without it each board "
                                "is looked for 3000 ms and a transfer gives up once %1 operations in a row have failed.")
                     .arg(DevIo::MaxFailures),
                 QStringLiteral("MS")});
    p.addOption({QStringLiteral("json"), QStringLiteral("One JSON object per board and line.")});
}

int siteTimeout(const Parser &p)
{
    int ms = 0;
    return p.isSet(QStringLiteral("timeout")) && timeoutValue(p, &ms) ? ms : -1;
}

int siteTargets(const Parser &p, const QStringList &args, bool allowAll, QList<Found> *targets)
{
    int ms = 0;
    if (!timeoutValue(p, &ms) || !checkEnvironment())
        return BadInput;
    for (const char *option : {"tcp", "udp"}) {
        const QString name = QString::fromLatin1(option);
        for (const QString &value : p.values(name)) {
            QString host, error;
            int port = -1;
            if (!splitTarget(value, &host, &port, &error))
                return fail(BadInput, QStringLiteral("--%1: %2").arg(name, error));
        }
    }
    *targets = namedInOrder(p, args);
    const bool all = allowAll && p.isSet(QStringLiteral("all"));
    if (all && !targets->isEmpty())
        return fail(BadInput, QStringLiteral("--all or links (--tcp, --udp, --usb), not both"));
    if (!all && targets->isEmpty())
        return fail(BadInput, QStringLiteral("name the boards with --tcp HOST, --udp HOST or --usb (each may be repeated)%1")
                                  .arg(allowAll ? QStringLiteral(", or --all") : QString()));
    if (!all)
        return Ok;
    // No password is given here: the bridges themselves are not opened.
    context().prompt->setPassword(std::nullopt);
    for (const Found &f : sweep(ms, !p.isSet(QStringLiteral("no-usb"))))
        if (!f.bridge)
            targets->append(f);
    if (targets->isEmpty())
        return fail(Failed, QStringLiteral("no board found within %1 ms").arg(ms));
    return Ok;
}

QString SiteRow::text() const
{
    const auto quoted = [](const QString &s) { return s.isEmpty() ? QStringLiteral("-") : QStringLiteral("\"%1\"").arg(s); };
    QString line = QStringLiteral("%1 %2 %3 %4 %5").arg(quoted(machine), quoted(model), link, address, result);
    if (!error.isEmpty() || !note.isEmpty())
        line += QStringLiteral(": ") + (error.isEmpty() ? note : error);
    return line;
}

QJsonObject SiteRow::json() const
{
    QJsonObject o = extra;
    o.insert(QStringLiteral("machine"), machine);
    o.insert(QStringLiteral("model"), model);
    o.insert(QStringLiteral("link"), link);
    o.insert(QStringLiteral("address"), address);
    o.insert(QStringLiteral("result"), result);
    if (!error.isEmpty())
        o.insert(QStringLiteral("error"), error);
    if (!snapshot.isEmpty())
        o.insert(QStringLiteral("snapshot"), snapshot);
    return o;
}

void printRow(const SiteRow &row, bool json)
{
    out(json ? QString::fromUtf8(QJsonDocument(row.json()).toJson(QJsonDocument::Compact)) : row.text());
}

bool Visit::failed(const QString &why)
{
    row.result = QStringLiteral("failed");
    row.error = why;
    return false;
}

bool Visit::start(const Found &f, int timeoutMs)
{
    row.link = QString::fromLatin1(LinkNames[f.link]);
    row.address = f.target;
    context().prompt->takeMessages();
    if (timeoutMs > 0)
        board.setDeadline(timeoutMs);
    const int wait = timeoutMs > 0 ? timeoutMs : DefaultDiscoveryMs;
    bool opened = false;
    switch (f.link) {
    case Found::Usb: opened = board.openUsb(f.target, wait); break;
    case Found::Udp: opened = board.openUdp(f.target, wait); break;
    case Found::Tcp: opened = board.openTcp(f.target, false, wait); break;
    }
    if (!opened) {
        QStringList why = context().prompt->takeMessages();
        why << board.error();
        return failed(why.join(QStringLiteral("; ")));
    }
    row.address = board.json().value(QStringLiteral("address")).toString();
    model = DeviceCfg::current();
    if (!model || !model->keepsConfiguration())
        return failed(QStringLiteral("the board holds no configuration"));
    row.model = model->title();
    if (!read(QStringLiteral("reading the configuration")))
        return false;
    QString why;
    if (!recognised(board, model, &machine, &why))
        return failed(why + QStringLiteral("; read it alone with --machine NAME first"));
    row.machine = machine.name;
    return keep();
}

bool Visit::read(const QString &what)
{
    TerminalProgress *progress = context().host->progress();
    progress->setLabel(QStringLiteral("Reading"));
    const bool bad = model->readDevice(progress);
    progress->finish();
    if (!bad)
        return true;
    const QString reason = board.lossReason();
    return failed(reason.isEmpty() ? what + QStringLiteral(" failed") : QStringLiteral("%1 failed (%2)").arg(what, reason));
}

bool Visit::keep()
{
    QString error;
    Snapshot taken;
    kept = BoardHistory(board.origin(), machine).take(model, &error, &taken);
    if (kept == BoardHistory::Status::Failed)
        return failed(QStringLiteral("the snapshot could not be kept: %1").arg(error));
    if (kept == BoardHistory::Status::Stored)
        row.snapshot = machine.key + QLatin1Char('/') + taken.id;
    return true;
}

} // namespace Cli
