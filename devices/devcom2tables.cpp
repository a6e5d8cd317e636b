// Labels, tab titles and editor attributes of the dynamic device's parameters.
#include "devices/devcom2tables.h"
#include "registry/cfgkinds.h"
#include <QCoreApplication>
#include <QStringList>

using namespace DevCom2Tables;

namespace {

QString tr(const char *text) { return QCoreApplication::translate("DevCom2", text); }

QString pick(int index, std::initializer_list<const char *> texts)
{
    if (index < 1 || index > int(texts.size()))
        return QString();
    return tr(texts.begin()[index - 1]);
}

QString knownLabel(quint32 uid)
{
    const int g = group(uid), n = instance(uid), i = item(uid);
    if ((g == 1 || g == 2 || g == 3) && i == 0x800)
        return tr("Protection");
    switch (g) {
    case 1:
        return pick(i, {"Options", "Coin value - when not used validator set [cents]", "Disabled coins [channel]",
                        "Disabled coins (alternative set) [channel]"});
    case 2:
        return pick(i, {"Options", "Note value - when not used validator set [cents]", "Disabled notes [channel]",
                        "Disabled notes (alternative set) [channel]"});
    case 3:
        return i == 4 ? QString()
                      : pick(i, {"Left tokens/coins at low level signal [qty]", "Single token/coin cost [cents]",
                                 "Options", "", "Payout balance"});
    case 4:
        if (n == 1)
            return pick(i, {"Background", "Pass", "Fail", "Text", "Progress"});
        if (n >= 2 && n <= 7)
            return i == 0x800 ? tr("Producer string") : pick(i, {"Background", "Text", "Timer"});
        if (n == 9)
            return pick(i, {"Background", "Credit", "Token", "Changer"});
        if (n == 10)
            return pick(i, {"Background", "Text"});
        return QString();
    case 5:
        return pick(i, {"Wifi SSID", "WiFi Password", "Server write key", "Options"});
    case 15:
        if (n == 1)
            return pick(i, {"Options", "Selection timeout [sec]", "Max selection quantity",
                            "Variable costs for quantity [cents]", "Card info timeout [sec]",
                            "Money to card timeout [sec]", "Clear unused credit timeout [sec]",
                            "Card charge amount [$]", "Card bonus amount [$]", "Language", "Currency",
                            "Custom currency (uu)<br>Format: symbol/subsymbol/decimals/scale (EUR/c/2/0)"});
        if (n == 2)
            return pick(i, {"Parallel interface channel", "Pulse cost [cents]"});
        if (n == 3)
            return pick(i, {"Normally closed type", "Noise filter [ms]"});
        return QString();
    default:
        return QString();
    }
}

// The sixteen denominations of a validator's channels, from list 3 of the same instance.
QVariant denominations(quint32 tableUid, quint32 uid)
{
    const quint32 wanted = tableUid | (uid & 0xFF000u);
    auto *table = static_cast<CfgParValArr16 *>(CfgPar::find(Uid::list(wanted), wanted));
    if (!table)
        return QVariant();
    QStringList names;
    for (int i = 0; i < CfgParValArr16::count; ++i)
        names << QString::number(table->at(i));
    return names;
}

QByteArray bytes(std::initializer_list<quint8> b) { return QByteArray(reinterpret_cast<const char *>(b.begin()), int(b.size())); }

} // namespace

QString DevCom2Tables::label(quint32 uid)
{
    const QString known = knownLabel(uid);
    if (!known.isEmpty())
        return known;
    return tr("Parameter %1").arg(uid, 0, 16);
}

QString DevCom2Tables::tabTitle(quint32 key)
{
    const int g = group(key), n = instance(key);
    switch (g) {
    case 1:
        return n == 2 ? tr("Coin validator") : tr("Coin validator") + QStringLiteral(" %1").arg(n);
    case 2:
        return n == 40 ? tr("Banknote validator") : tr("Banknote validator") + QStringLiteral(" %1").arg(n);
    case 3:
        if (n == 3)
            return tr("Hopper ") + tr("Token / Primary");
        if (n == 4)
            return tr("Hopper ") + tr("Change / Secondary");
        return tr("Hopper ") + QString::number(n);
    case 4:
        if (n == 1)
            return tr("View Startup");
        if (n >= 2 && n <= 5)
            return tr("View Idle %1").arg(n - 1);
        if (n >= 6 && n <= 10)
            return pick(n - 5, {"View Alert", "View Limited", "View System", "View Credit", "View Card"});
        return tr("View ID %1").arg(n);
    case 5:
        return tr("WiFi module");
    case 15:
        if (n >= 1 && n <= 4)
            return pick(n, {"System controller", "Fiscal", "Buttons", "POS terminal"});
        return tr("Device ID %1").arg(n);
    default:
        return tr("Unknown ID %1").arg(n);
    }
}

QString DevCom2Tables::tabShortTitle(quint32 key)
{
    const int g = group(key), n = instance(key);
    switch (g) {
    // A second validator of a kind is told apart by its number, as its full title is.
    case 1:
        return n == 2 ? tr("C") : tr("C") + QString::number(n);
    case 2:
        return n == 40 ? tr("B") : tr("B") + QString::number(n);
    case 3:
        if (n == 3)
            return tr("H1");
        if (n == 4)
            return tr("H2");
        return tr("H") + QString::number(n);
    case 4:
        if (n == 1)
            return tr("VSt");
        if (n >= 2 && n <= 5)
            return tr("VI%1").arg(n - 1);
        if (n >= 6 && n <= 10)
            return pick(n - 5, {"VAl", "VLm", "VSy", "VCr", "VCd"});
        return tr("V%1").arg(n);
    case 5:
        return tr("WF");
    case 15:
        if (n >= 1 && n <= 4)
            return pick(n, {"Cnt", "Fis", "But", "Pos"});
        return tr("D%1").arg(n);
    default:
        return tr("U%1").arg(n);
    }
}

QVariant DevCom2Tables::attribute(quint32 uid, const QString &name)
{
    const int g = group(uid), i = item(uid);
    const quint32 low = uid & 0xFFFFFFu;
    const bool order = name == QLatin1String("MaskOrder"), names = name == QLatin1String("MaskNames");
    const bool bits = name == QLatin1String("MaskBits"), modes = name == QLatin1String("BgrModes");
    if ((g == 1 || g == 2) && i == 1) {
        if (order)
            return 1;
        if (names)
            return QStringList{tr("Use the values from validator")};
        return QVariant();
    }
    if ((g == 1 || g == 2) && (i == 3 || i == 4))
        return names ? denominations(g == 1 ? 0xC8100002u : 0xC8200002u, uid) : QVariant();
    if ((g == 1 || g == 2 || g == 3) && i == 0x800)
        return order ? QVariant(3) : QVariant();
    if (g == 3 && i == 3) {
        if (order)
            return 1;
        if (names)
            return QStringList{tr("Operate with tokens (fiscalized, disable machine if empty)")};
        return QVariant();
    }
    if (g == 4 && i == 1)
        return modes ? QVariant(3) : QVariant();
    if (g == 5 && i == 4) {
        if (order)
            return 1;
        if (names)
            return QStringList{tr("Delay after big data (woraround for NV10 and Evolution hopper)")};
        return QVariant();
    }
    switch (low) {
    case 0xF01001:
        if (order)
            return 1;
        if (names)
            return QStringList{tr("Variable cost for quantity"), tr("Alternative currency set")};
        return QVariant();
    case 0xF0100A:
        if (order)
            return 2;
        if (names)
            return QStringList{QStringLiteral("BG"), QStringLiteral("EN")};
        return bits ? QVariant(bytes({0x42, 0x47, 0x45, 0x4E})) : QVariant();
    case 0xF0100B:
        if (order)
            return 2;
        if (names)
            return QStringList{QStringLiteral("uu"), QStringLiteral("LV"), QStringLiteral("EU")};
        return bits ? QVariant(bytes({0x75, 0x75, 0x4C, 0x56, 0x45, 0x55})) : QVariant();
    case 0xF02001:
        if (order)
            return 0;
        if (names)
            return QStringList{QStringLiteral("Ch 1"), QStringLiteral("Ch 4"), QStringLiteral("Ch 5"), QStringLiteral("Ch 6")};
        return bits ? QVariant(bytes({6, 1, 5, 4})) : QVariant();
    case 0xF03001:
        if (order)
            return 0;
        if (names)
            return QStringList{QStringLiteral("Bt. +"), QStringLiteral("Bt. -")};
        return bits ? QVariant(bytes({8, 9})) : QVariant();
    default:
        return QVariant();
    }
}
