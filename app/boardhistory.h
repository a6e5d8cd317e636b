// Per-machine history of configuration snapshots under the user's data folder: each one the
// model's own dump plus a small side file saying what board it was, how it was reached and when.
#pragma once
#include <QCoreApplication>
#include <QDateTime>
#include <QList>
#include <QString>

class DeviceCfg;

// The board a snapshot is taken of, as the program reached it.
struct BoardOrigin
{
    QString title;         // the model's title
    quint16 words[3] = {}; // identity triple
    QString link;          // "usb", "udp" or "tcp"
    QString path;          // how it was reached, as the user reads it
    QString controller;    // the name a board on the network announced, else empty
};

// A machine of the site: what the history keeps snapshots of, one folder under the root.
struct Machine
{
    QString key;           // the folder's name, also BOARD in BOARD/ID: stays when the name changes
    QString name;          // as the technician sees it and may change it
    quint16 words[3] = {}; // identity triple of its board
    QString network;       // the name its board announced on the network, when met there first
    // False for a folder of the earlier layout that every USB and UDP board of one identity
    // shared: shown with its snapshots, never filed into.
    bool sorted = true;
};

struct Snapshot
{
    QString id;       // file name without extension: the time it was taken, sortable
    QString dumpPath; // the dump in the model's own format
    QDateTime time;   // UTC
    QString title;
    quint16 words[3] = {};
    QString link;
    QString path;
    QString controller;
    QString version;  // the program's version that took it
    QString machineKey;  // the machine's folder
    QString machine;     // and its name
};

class BoardHistory
{
    Q_DECLARE_TR_FUNCTIONS(BoardHistory)
public:
    // Snapshots kept per machine; the oldest go first.
    static constexpr int Keep = 100;
    // The side file of a machine in its folder, beside the snapshots.
    static const char *const MachineFile;

    // Where every machine's history lives: "history" in the program's data folder
    // (the same one for the window and the companion).
    static QString rootDir();

    // The history of one machine, as reached from origin.
    BoardHistory(const BoardOrigin &origin, const Machine &machine, const QString &root = rootDir());

    QString dir() const;

    enum class Status { Stored, Unchanged, Failed };
    // Saves the model's configuration as a new snapshot unless it equals the newest one; a
    // machine met for the first time gets its folder and side file. Files are written
    // atomically and readable by the user alone; on failure nothing partial is left and error
    // says why.
    Status take(DeviceCfg *model, QString *error = nullptr, Snapshot *taken = nullptr) const;
    // The machine's snapshots, oldest first; a dump without its side file is not one.
    QList<Snapshot> list() const;

    // take(), with a failure told through the prompt once while *reported is false (and set
    // then). The work that asked for the snapshot goes on whatever happens; true = the board's
    // configuration is in its history.
    static bool takeReported(DeviceCfg *model, const BoardOrigin &origin, const Machine &machine, bool *reported,
                             Status *status = nullptr);

    // Writes a file of the history: atomically, readable and writable by the user alone.
    static bool writePrivate(const QString &path, const QByteArray &bytes, QString *error);
    // Makes a folder of the history (and the root above it) the user's alone; a folder that
    // was open to others has its files closed too.
    static bool makePrivate(const QString &dir, const QString &root = rootDir());

    // The program's version written into every side file.
    static QString programVersion();

private:
    BoardOrigin m_origin;
    Machine m_machine;
    QString m_root;
};
