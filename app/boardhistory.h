// Per-board history of configuration snapshots under the user's data folder: each one the
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
};

class BoardHistory
{
    Q_DECLARE_TR_FUNCTIONS(BoardHistory)
public:
    // Snapshots kept per board; the oldest go first.
    static constexpr int Keep = 100;

    // Where every board's history lives: "history" in the program's data folder
    // (the same one for the window and the companion).
    static QString rootDir();

    explicit BoardHistory(const BoardOrigin &origin, const QString &root = rootDir());

    // One folder per board: its identity triple, plus its announced name on the network.
    QString boardKey() const;
    QString dir() const;

    enum class Status { Stored, Unchanged, Failed };
    // Saves the model's configuration as a new snapshot unless it equals the newest one.
    // Both files are written atomically; on failure nothing partial is left and error says why.
    Status take(DeviceCfg *model, QString *error = nullptr, Snapshot *taken = nullptr) const;
    // The board's snapshots, oldest first; a dump without its side file is not one.
    QList<Snapshot> list() const;

    // take(), with a failure told through the prompt once while *reported is false (and set
    // then). The work that asked for the snapshot goes on whatever happens; true = the board's
    // configuration is in its history.
    static bool takeReported(DeviceCfg *model, const BoardOrigin &origin, bool *reported);

    // The program's version written into every side file.
    static QString programVersion();

private:
    BoardOrigin m_origin;
    QString m_root;
};
