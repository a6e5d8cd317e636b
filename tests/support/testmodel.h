// A minimal device model for tests of the model list, the change path and the main window.
#pragma once
#include "devices/devicecfg.h"
#include <QByteArray>
#include <QVector>
#include <functional>

class TestModel : public DeviceCfg
{
    Q_OBJECT
public:
    TestModel(const QString &title, quint16 w0, quint16 w1, quint16 w2, QObject *parent = nullptr);

    QString name;
    QByteArray bytes;              // the "image"
    QByteArray nv;                 // the NV region, named by keys with Par's NV flag

    // The model's values by key, over bytes and nv.
    QByteArray value(quint32 key, int size) const override;
    bool store(quint32 key, const QByteArray &value) override;
    QVector<QPair<quint32, int>> changes;
    int pagesBuilt = 0;
    int reads = 0;
    int writes = 0;
    bool failRead = false;
    bool failLoad = false;

    QString title() const override { return name; }
    quint8 *image() override { return reinterpret_cast<quint8 *>(bytes.data()); }
    bool load(QIODevice *file) override;
    bool save(QIODevice *file) override;
    QString hexDump() override { return QString::fromLatin1(bytes.toHex(' ')); }
    bool readDevice(Progress *progress) override;
    bool writeDevice(Progress *) override
    {
        ++writes;
        return true;
    }
    bool writeTexts(Progress *, int) override { return true; }
    void buildPage(QWidget *container) override;
    QString parName(quint32 key) override { return QStringLiteral("Parameter %1").arg(key); }
    void saveHelp() override {}
    bool changed(quint32 key, int size) override
    {
        changes.append({key, size});
        if (whileChanging)
            whileChanging();
        return !changeFails;
    }
    bool clearNvm() override
    {
        ++clears;
        return !clearFails;
    }
    void relayTest(int mask) override { relayMasks.append(mask); }
    int fmFlag() override { return fm; }
    bool setFmFlag(int flag) override
    {
        fm = flag;
        return true;
    }
    bool hasFmFlag() const override { return fmSupported; }
    bool hasRelayTest() const override { return true; }

    int clears = 0;
    QVector<int> relayMasks;
    int fm = 0;
    bool fmSupported = true;
    bool clearFails = false;
    // Each change fails on the way to the board; whileChanging runs in the middle of it.
    bool changeFails = false;
    std::function<void()> whileChanging;
    std::function<void()> whileReading;
};
