// The commands behind the main window's buttons, on the session's board: dump files loaded and
// saved, the configuration stored in the board's memory, the hex dump, the service menu and the
// compare view. The windows they open close with the main window.
#pragma once
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

class CompareView;
class DeviceCfg;
class MainDialog;
class Session;
class QWidget;

class MainCommands : public QObject
{
    Q_OBJECT
public:
    // Owned by window, whose page and dialogs the commands use.
    MainCommands(MainDialog *window, Session *session);

    // Where the file dialogs start: the folder of the last file loaded or saved.
    QString dumpDir() const { return m_dumpDir; }

    // Asks a dump file and loads it into the current model; onto the connected board once the
    // user agreed, after keeping the board in its history.
    void load();
    // Asks a file name and saves the configuration to it; false when cancelled or failed.
    bool saveToFile();
    // Asks, then stores the configuration in the board's memory.
    void saveOnDevice();
    // Stores the configuration in the board's memory; false after telling the user it failed.
    bool storeOnBoard();
    // The compare view of the current model (its board's history when connected); null for a
    // model that has nothing to compare.
    CompareView *openCompare();
    // The current model's bytes in a window of their own.
    void hexDump();
    // Asks the access code (title: the question's) and opens the service menu.
    void serviceMenu(const QString &title);

    // Windows the commands opened (hex dumps, compare views) and still open.
    QList<QWidget *> ownWindows() const;
    void closeOwnWindows();

Q_SIGNALS:
    // What the page shows was saved to a file or replaced by one: no edit left to offer to save.
    void pageKept();
    // Offline, the page is now the file's just loaded, or was just saved to a file.
    void fileLoaded();
    void fileSaved();
    // The compare view changed values without a board.
    void editedOffline();

private:
    // Asks before a dump file overwrites the connected board, with the count of values that change.
    bool confirmLoadOnBoard(DeviceCfg *model, const QString &path, const QByteArray &bytes);

    MainDialog *m_window;
    Session *m_session;
    QString m_dumpDir;
    QList<QPointer<QWidget>> m_ownWindows;
};
