// The start page: the models that can be edited without a board, the addresses typed for
// boards discovery does not reach, and every board found on every path, each a button. The
// technician picks the board; a board found alone on USB or the UDP bridge path opens at once.
#pragma once
#include "link/devio.h"
#include <QDateTime>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

class DeviceCfg;
class DevIo;
class QLabel;
class QPushButton;
class QSettings;
class QWidget;

class StartPage : public QObject
{
    Q_OBJECT
public:
    StartPage(QSettings &settings, QObject *parent = nullptr);

    // Lists the boards link announces (announce()) and follows them as they go quiet or leave.
    // opensAlone: a board it finds alone may open at once (the USB link, with the UDP bridge
    // path); the network link's boards wait for a click.
    void addLink(DevIo *link, bool opensAlone);
    // A board link announced under uid: listed, or its button brought up to date.
    void announce(DevIo *link, const QString &name, int uid);

    // Fills container, which has no layout, with the page; each model button carries its
    // model in the "dev" property.
    void build(QWidget *container, const QList<DeviceCfg *> &models);
    // The page's texts in the current language, the typed addresses listed again.
    void translate();
    void fillHostList();

    // A board is connected: nothing opens by itself until the connection ends.
    void setConnected(bool connected) { m_connected = connected; }
    // The technician left this board: it does not open by itself again until it has gone and
    // come back.
    void leave(DevIo *link, int uid);
    // Boards found that answer (driver buttons not counted).
    int answering() const;
    // The listed boards' buttons as they stand (also while the page is not shown).
    QString rowText(DevIo *link, int uid) const;

    // The boards a site backup visits: the checked rows, or every row when none is checked;
    // bridges themselves and boards not answering are left out (a bridge's controller is
    // listed on its own).
    struct Target
    {
        DevIo *link = nullptr;
        int uid = -1;
        QString text; // the row as the technician sees it, on one line
    };
    QList<Target> backupTargets() const;
    // A line under the row's text (the outcome of its last backup); empty removes it.
    void setRowNote(DevIo *link, int uid, const QString &note);

    // Asks for an address, remembers it, asks for boards there at once and tells the user
    // when none has answered after the given time.
    void findBoardByAddress();
    void setAddressAnswerMs(int ms) { m_answerMs = ms; }

Q_SIGNALS:
    // A model button: edit that model offline.
    void modelChosen(DeviceCfg *model);
    // Open this board: clicked, or found alone.
    void openRequested(DevIo *link, int uid);
    void installDriver();
    // "Back up all": the technician asked for every checked (or every) board to be backed up.
    void backupRequested();
    // Boards were found, went quiet or left the list.
    void rowsChanged();

public Q_SLOTS:
    // The last board without a usable driver is gone.
    void noDriverGone();

private:
    struct Row
    {
        DevIo *link = nullptr;
        int uid = -1;
        QString name;          // as announced
        QString shownAddress;  // where the technician last saw it (empty: the link says nothing)
        bool quiet = false;
        QDateTime lastSeen;
        bool left = false;
        bool checked = false;
        QString note;          // outcome of its last backup
        QPointer<QPushButton> button;
        QPointer<QWidget> line; // the check box and the button
    };

    void quiet(DevIo *link, int uid, const QDateTime &lastSeen);
    void removed(DevIo *link, int uid);
    void clicked();
    Row *rowOf(DevIo *link, int uid);
    bool mayOpenAlone(DevIo *link, int uid);
    QString textOf(const Row &row) const;
    // "identity 0242-0100-9202 · machine "Bay 1", last snapshot …" for a board whose identity is known.
    QString historyLine(const DevIo::Found &found) const;
    void showRow(Row &row);
    void showDriverButton();
    void updateHeading();
    bool answeredFrom(const QString &host) const;

    QSettings &m_settings;
    QList<Row> m_rows;
    QList<DevIo *> m_links;
    QList<DevIo *> m_alone;   // links whose boards may open alone
    int m_answerMs = 3000;
    bool m_connected = false;
    bool m_noDriver = false;
    QPointer<QWidget> m_page;
    QPointer<QWidget> m_list;
    QPointer<QWidget> m_hostList;
    QPointer<QLabel> m_foundHeading;
    QPointer<QPushButton> m_backupAll;
};
