// The device models of vandor-cli, made in the program's model-list order, with the parameter
// table of each fixed-layout model for decoding its dumps.
#pragma once
#include "devices/boardfeatures.h"
#include <QList>
#include <QStringList>

class DeviceCfg;
class QObject;
namespace FixedTable { struct Table; }

class CliModels
{
public:
    explicit CliModels(QObject *parent);

    // The model whose title is title (case ignored), or null.
    DeviceCfg *find(const QString &title) const;
    // The titles, quoted and comma-separated, for messages.
    QString titles() const;
    // The parameter table of a model, or null when it has none.
    const FixedTable::Table *table(const DeviceCfg *model) const;
    // The bit lists of a model's mask editors for a board with these features.
    BitLists bitLists(const DeviceCfg *model, const BoardFeatures &board) const;
    // Finds the --model value, or reports why not; null after reporting.
    DeviceCfg *require(const QString &command, const QString &title) const;

private:
    struct Entry
    {
        DeviceCfg *model;
        const FixedTable::Table *table;
        BitLists (*bits)(const BoardFeatures &board);
    };
    QList<Entry> m_models;
};
