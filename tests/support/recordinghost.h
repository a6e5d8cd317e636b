// A host that records the help links it is asked to show; installs itself for its lifetime.
#pragma once
#include "base/host.h"
#include "base/progress.h"
#include "link/devio.h"
#include <QStringList>
#include <QVector>

class RecordingHost : public Host
{
public:
    RecordingHost() { setHost(this); }
    ~RecordingHost() override { setHost(nullptr); }

    QStringList helpShown;
    bool connected = false;
    // Every change sent, with the value's bytes before and after it.
    struct Sent
    {
        quint32 key;
        QByteArray before;
        QByteArray after;
    };
    QVector<Sent> sent;

    bool boardConnected() const override { return connected; }

    DevIo *link() const override { return currentLink(); }
    Progress *progress() override { return &m_progress; }
    void updateDevice() override {}
    void updateTexts(int) override {}
    void showHelp(const QString &link) override { helpShown.append(link); }
    void scrollToTab(QWidget *) override {}
    void changeSent(quint32 key, const QByteArray &before, const QByteArray &after) override
    {
        sent.append({key, before, after});
    }

private:
    CountingProgress m_progress;
};
