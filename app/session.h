// What the main window works on, without widgets: the board open (over which link), the state
// of its page, its changes not stored, its machine's snapshots, and the offline configuration.
// Questions and messages go through the prompt; the window redraws on the signals.
#pragma once
#include "app/boardhistory.h"
#include "app/snapshotkeeper.h"
#include <QObject>
#include <QString>
#include <optional>

class DevIo;
class DeviceCfg;

class Session : public QObject
{
    Q_OBJECT
public:
    explicit Session(QObject *parent = nullptr);

    // The board being opened or open, as the start page listed it: its link and uid there.
    DevIo *openLink() const { return m_openLink; }
    int openUid() const { return m_openUid; }
    // The uid of the board opened on the network link, else -1: names its bridge and controller.
    int netUid() const { return m_netUid; }
    bool opening() const { return m_opening; }
    // An open of the board uid on link starts (network: on the network link); openEnded() after it.
    void beginOpen(DevIo *link, int uid, bool network);
    void openEnded(bool opened);

    bool connected() const { return m_connected; }
    // A board connected: no changes unstored, its machine settled anew at the first snapshot.
    void boardConnected();
    // The board is gone (or left): nothing is open.
    void boardGone();

    // True while the configuration is read from the board or the whole of it written.
    bool reading() const { return m_reading; }
    void setReading(bool reading) { m_reading = reading; }
    // True while the page takes no input; pageHeldChanged() each time it is set.
    bool pageHeld() const { return m_pageHeld; }
    void setPageHeld(bool held);
    // True after a read that failed until one succeeds (or a file is loaded offline).
    bool readFailed() const { return m_readFailed; }
    void setReadFailed(bool failed) { m_readFailed = failed; }
    // A read took the board's whole configuration: the page is the board's, nothing unsaved.
    void readSucceeded();

    // True from a change sent to the connected board until it is stored in its memory.
    bool unstored() const { return m_unstored; }
    // Marks (or clears) the changes not stored; only a connected board has any.
    void setUnstored(bool unstored);
    // A change the board did not take since its configuration was read.
    bool changeRefused() const { return m_changeRefused; }
    void setChangeRefused() { m_changeRefused = true; }

    // The offline configuration: the file it was last loaded from or saved to, whether it came
    // from the board, and whether it changed since.
    QString offlineFile() const { return m_offlineFile; }
    bool pageFromBoard() const { return m_pageFromBoard; }
    bool offlineEdited() const { return m_offlineEdited; }
    void setOfflineEdited(bool edited) { m_offlineEdited = edited; }
    // A model chosen offline: its built-in defaults, no file.
    void modelChosen();
    // The page is the file's now, whatever a read that failed left before it.
    void fileLoaded(const QString &path);
    void fileSaved(const QString &path);

    // The machine the connected board's snapshots go to, settled at the first one.
    const std::optional<Machine> &machine() const { return m_snapshots.machine(); }
    // The last snapshot taken of the connected board, once one was taken.
    const std::optional<BoardHistory::Status> &snapshotStatus() const { return m_snapshots.status(); }
    void forgetSnapshotStatus() { m_snapshots.forgetStatus(); }
    // Keeps the board's configuration in its machine's history (asking which machine it is
    // when the history cannot tell); a failure is told once per session.
    void takeSnapshot();
    // Keeps the configuration as it stands when the technician leaves the board: only one read
    // whole and taken whole by the board since.
    void keepLastSnapshot();

    // The connected board as its history knows it.
    BoardOrigin currentOrigin() const;
    // A board on link as its history knows it; netUid names it on the network link.
    static BoardOrigin originOf(DeviceCfg *model, DevIo *link, int netUid);
    // Where a board is: "USB", the UDP bridge path or the network bridge.
    static QString pathOf(DevIo *link, int netUid);
    // Where the connected board is.
    QString path() const;

Q_SIGNALS:
    // The store command and the status show whether changes are unstored.
    void unstoredChanged();
    // The page and the commands follow the hold.
    void pageHeldChanged(bool held);

private:
    DevIo *m_openLink = nullptr;
    int m_openUid = -1;
    int m_netUid = -1;
    bool m_opening = false;
    bool m_connected = false;
    bool m_reading = false;
    bool m_pageHeld = false;
    bool m_readFailed = false;
    bool m_unstored = false;
    bool m_changeRefused = false;
    SnapshotKeeper m_snapshots;
    QString m_offlineFile;
    bool m_pageFromBoard = false;
    bool m_offlineEdited = false;
};
