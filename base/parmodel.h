// What an editor needs of the model that holds its value, named by the value's key: its name
// and attributes, its bytes, and a change that says whether the board took it. The device
// models implement it; editors reach the current one through ParModel::current().
#pragma once
#include <QByteArray>
#include <QString>
#include <QVariant>

class ParModel
{
public:
    virtual ~ParModel();

    virtual QString parName(quint32 key) = 0;
    virtual QVariant parProperty(quint32 key, const QString &name);

    // The size bytes of the value named key as the model holds them; empty for a key the
    // model does not hold.
    virtual QByteArray value(quint32 key, int size) const = 0;
    // Puts bytes into the value named key and sends them as an editor's change: false when
    // the model does not hold the key or the board did not take them. The host learns the
    // bytes before and after (for undo).
    bool set(quint32 key, const QByteArray &bytes);
    // Puts bytes into the model's own copy of the value and sends nothing (undo puts back
    // what the board kept); false for a key the model does not hold.
    virtual bool store(quint32 key, const QByteArray &bytes) = 0;

    // The editor's change of size bytes at key (already in the model) goes to the board:
    // false when the board did not take it.
    virtual bool changed(quint32 key, int size) = 0;

    // The model the editors being built and shown belong to; may be null.
    static ParModel *current();

    // Sends a change already made in place (a described parameter's editor changes the
    // parameter itself) through the current model, unless a page is being built: false when
    // the board did not take it. before: the value's bytes before the change, for undo
    // (none: the change is not one to undo).
    static bool notifyChange(quint32 key, int size, const QByteArray &before = QByteArray());

    // Raised while a page is built or refreshed: editors setting their widgets send nothing.
    static int pageBuilding();

    // The rich-text information link placed after an editor's title, and the icon it shows.
    static QString helpLink(quint32 key);
    static constexpr const char *HelpIcon = ":/res/info.png";

protected:
    // Set by the device models alone (the model list decides which is current).
    static void setCurrent(ParModel *model);

private:
    // What every change of an editor goes through, unless a page is being built: the board,
    // the views beside the page, the host's undo.
    bool send(quint32 key, int size, const QByteArray &before, const QByteArray &after);
};

// Raises the page-building counter for its lifetime.
class PageBuildGuard
{
public:
    PageBuildGuard();
    ~PageBuildGuard();
    PageBuildGuard(const PageBuildGuard &) = delete;
    PageBuildGuard &operator=(const PageBuildGuard &) = delete;
};
