// The machines of a site, as the history knows them: which folder a board's snapshots go to.
// A board on the network is its machine by the name it announces; a board on USB or the UDP
// bridge path by its configuration, which must be exactly one machine's last snapshot among
// those of its identity. No widgets: the window and the companion share it.
#pragma once
#include "app/boardhistory.h"
#include <QByteArray>

class Machines
{
    Q_DECLARE_TR_FUNCTIONS(Machines)
public:
    // Identities the history never held that a run makes folders for: a peer that shows a new
    // identity at each connection fills no disk.
    static constexpr int NewIdentitiesPerRun = 8;
    // Machines offered when the window asks which one a board is, the closest first.
    static constexpr int Offered = 8;
    // Longest name a machine keeps.
    static constexpr int NameLength = 64;

    explicit Machines(const QString &root = BoardHistory::rootDir());

    // Every folder of the history as a machine, by folder name.
    QList<Machine> all() const;
    QList<Machine> ofIdentity(const quint16 words[3]) const;
    // Machines whose name or folder is name, case ignored.
    QList<Machine> named(const QString &name) const;

    // One machine of the board's identity compared with the board.
    struct Candidate
    {
        Machine machine;
        QDateTime last;       // its last snapshot, invalid when it has none
        int differences = -1; // values that differ from it, -1 when they cannot be counted
        bool same = false;    // the board holds exactly its last snapshot
    };
    struct Recognition
    {
        enum Kind { Known, New, Unsure } kind = New;
        // Known: the board's machine; New: the machine to make, not yet on disk.
        Machine machine;
        // Unsure: every machine of the identity, the closest first.
        QList<Candidate> candidates;
    };
    // Which machine the board is, without asking anyone.
    Recognition recognise(const BoardOrigin &origin, DeviceCfg *model) const;
    // recognise(), asking through the prompt which machine it is when it cannot tell; a
    // question closed without an answer makes a new machine, so that nothing mixes.
    Machine resolve(const BoardOrigin &origin, DeviceCfg *model) const;
    // The machine of the board's identity called name, else a new one called so.
    Machine withName(const BoardOrigin &origin, const QString &name) const;
    // A machine not yet on disk for the board: named name, or by default its announced name
    // on the network, else the model's title and a number.
    Machine make(const BoardOrigin &origin, const QString &name = QString()) const;

    // Gives the machine another name, unique among those of its identity; false with the reason.
    bool rename(Machine *machine, const QString &name, QString *error) const;
    // The machine's snapshots, oldest first.
    QList<Snapshot> snapshots(const Machine &machine) const;
    // Every snapshot of the identity: first's newest first, then each other machine's.
    QList<Snapshot> snapshotsOf(const quint16 words[3], const QString &first) const;

    // The machine's side file.
    static QByteArray fileOf(const Machine &machine);
    // "0242-0100-9202".
    static QString identityKey(const quint16 words[3]);
    // A name as the technician may give it: trimmed, without control characters, not too long.
    static QString cleanName(const QString &name);
    // Counts a folder about to be made for the identity; false (with the reason) when it is one
    // more new identity than a run may keep.
    static bool claimFolder(const quint16 words[3], bool newIdentity, QString *error);

private:
    QString m_root;
};
