#include "climodels.h"
#include "cli.h"
#include "devices/devcom2.h"
#include "devices/devesprelay.h"
#include "devices/devmarvek1_1.h"
#include "devices/devmarvek2_0.h"
#include "devices/devmarvek3_0.h"
#include "devices/devmarvekrobo1_0.h"
#include "devices/devtokmat1_0.h"
#include "devices/marvek1_1_table.h"
#include "devices/marvek2_0_table.h"
#include "devices/marvek3_0_table.h"
#include "devices/marvekrobo1_0_table.h"
#include "devices/tokmat1_0_table.h"

namespace {

// In the program's model-list order, so that a board goes to the same model as there.
const struct
{
    DeviceCfg *(*make)(QObject *parent);
    const FixedTable::Table &(*table)();
    BitLists (*bits)(const BoardFeatures &board);
} modelList[] = {
    {[](QObject *p) -> DeviceCfg * { return new DevMarvek1_1(p); }, marvek1_1Table, BitLists::sixRelays},
    {[](QObject *p) -> DeviceCfg * { return new DevMarvek2_0(p); }, marvek2_0Table, BitLists::controller2_0},
    {[](QObject *p) -> DeviceCfg * { return new DevMarvek3_0(p); }, marvek3_0Table, BitLists::sixRelays},
    {[](QObject *p) -> DeviceCfg * { return new DevTokmat1_0(p); }, tokmat1_0Table, BitLists::sixRelays},
    {[](QObject *p) -> DeviceCfg * { return new DevMarvekRobo1_0(p); }, marvekRobo1_0Table, BitLists::sixRelays},
    {[](QObject *p) -> DeviceCfg * {
         auto *m = new DevCom2(p);
         m->setPageless(true);
         return m;
     }, nullptr, nullptr},
    {[](QObject *p) -> DeviceCfg * { return new DevEspRelay(p); }, nullptr, nullptr},
};

} // namespace

CliModels::CliModels(QObject *parent)
{
    for (const auto &m : modelList)
        m_models.append({m.make(parent), m.table ? &m.table() : nullptr, m.bits});
}

DeviceCfg *CliModels::find(const QString &title) const
{
    for (const Entry &e : m_models) {
        if (e.model->title().compare(title.trimmed(), Qt::CaseInsensitive) == 0)
            return e.model;
    }
    return nullptr;
}

QString CliModels::titles() const
{
    QStringList t;
    for (const Entry &e : m_models)
        t << QLatin1Char('"') + e.model->title() + QLatin1Char('"');
    return t.join(QStringLiteral(", "));
}

const FixedTable::Table *CliModels::table(const DeviceCfg *model) const
{
    for (const Entry &e : m_models) {
        if (e.model == model)
            return e.table;
    }
    return nullptr;
}

BitLists CliModels::bitLists(const DeviceCfg *model, const BoardFeatures &board) const
{
    for (const Entry &e : m_models) {
        if (e.model == model && e.bits)
            return e.bits(board);
    }
    return BitLists();
}

DeviceCfg *CliModels::require(const QString &command, const QString &title) const
{
    if (title.isEmpty()) {
        Cli::err(QStringLiteral("%1: --model is required (one of %2)").arg(command, titles()));
        return nullptr;
    }
    DeviceCfg *model = find(title);
    if (!model)
        Cli::err(QStringLiteral("%1: unknown model \"%2\" (one of %3)").arg(command, title, titles()));
    return model;
}
