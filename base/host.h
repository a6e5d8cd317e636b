// What device models, editors and links need from the main window, as a small interface
// so that the command-line tool and the tests can stand in for it.
#pragma once
#include <QByteArray>
#include <QString>
#include <QtGlobal>

class DevIo;
class Progress;
class QWidget;

class Host
{
public:
    virtual ~Host() = default;

    // The current link: the one that reported the connection, else the USB link. May be null.
    virtual DevIo *link() const = 0;
    // The progress sink of the window's progress bar.
    virtual Progress *progress() = 0;
    // Shows the progress bar from 0 with a format such as "Update firmware %p%", and hides it.
    virtual void showProgress(const QString &format);
    virtual void hideProgress() {}
    // Writes the current model's whole configuration to the board, showing progress.
    virtual void updateDevice() = 0;
    // Writes the first count bytes of the image (the rebuilt text pool) and the changed references.
    virtual void updateTexts(int count) = 0;
    // Shows the help text behind a link such as "#ln12".
    virtual void showHelp(const QString &link) = 0;
    // Scrolls the page so that a just-opened section's button is at the top.
    virtual void scrollToTab(QWidget *tabButton) = 0;
    // True while a board is connected: changes are meant to reach it.
    virtual bool boardConnected() const { return false; }
    // An editor's change, made while a board was connected, did not reach it (the board may
    // have been taken as gone meanwhile); the host tells the user once.
    virtual void changeFailed(quint32 key) { Q_UNUSED(key); }
    // An editor's change reached the board (or there was nothing to send).
    virtual void changeWritten() {}
    // An editor's change of the value named key was sent (whether or not it reached the
    // board): the window keeps it for undo. before and after are the value's bytes (both
    // empty for a change not to be undone).
    virtual void changeSent(quint32 key, const QByteArray &before, const QByteArray &after)
    {
        Q_UNUSED(key);
        Q_UNUSED(before);
        Q_UNUSED(after);
    }
};

// The installed host; never null (a do-nothing host whose link is currentLink() stands in).
Host *host();
void setHost(Host *h);
// Where the do-nothing host finds the current link: registered by the links, which lie above
// this floor (none: no link).
void setCurrentLinkSource(DevIo *(*source)());
