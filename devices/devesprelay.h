// Device model of the network bridge board: no configuration, a page with the board's name
// and the firmware update command.
#pragma once
#include "devices/devicecfg.h"
#include <QPointer>

class QLabel;

class DevEspRelay : public DeviceCfg
{
    Q_OBJECT
public:
    explicit DevEspRelay(QObject *parent = nullptr);

    // Any board that reports the bridge family 0xE000; its other words become the model's.
    bool accepts(quint16 w0, quint16 w1, quint16 w2) const override;
    QString title() const override;
    quint8 *image() override { return nullptr; }
    bool load(QIODevice *) override { return false; }
    bool save(QIODevice *) override { return false; }
    QString hexDump() override { return QString(); }
    // Nothing to read: succeeds, so that no load failure is reported after connecting.
    bool readDevice(Progress *) override { return false; }
    bool writeDevice(Progress *) override { return true; }
    bool writeTexts(Progress *, int) override { return true; }
    void buildPage(QWidget *container) override;
    QString parName(quint32 key) override;
    QString helpText(quint32 key) override;
    void saveHelp() override {}
    bool changed(quint32, int) override { return true; }
    bool clearNvm() override { return true; }
    void relayTest(int) override {}
    bool keepsConfiguration() const override { return false; }

    // The "Update firmware" command: pick a file, send it, report the outcome.
    void updateFirmware();

private:
    QPointer<QWidget> m_page;
    QPointer<QLabel> m_name;
};
