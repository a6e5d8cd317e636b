// The main window with its real links against the board simulator, for the window tests: the
// window with a UDP bridge path and a network link aimed at the simulator, and board look-ups.
#pragma once
#include "app/maindialog.h"
#include "devices/devesprelay.h"
#include "devices/devmarvek1_1.h"
#include "devices/devmarvek2_0.h"
#include "devices/devmarvek3_0.h"
#include "devices/devtokmat1_0.h"
#include "editors/par.h"
#include "fakeusbbus.h"
#include "link/tcpio.h"
#include "link/usbio.h"
#include "scriptedprompt.h"
#include "simprocess.h"
#include <QFile>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>


inline constexpr int ButtonJitter = 7170;  // "Button jitter [ms]", 1-100, default 30

// A board image whose button jitter is 99, far from its default.
inline QString writeImage(const QTemporaryDir &dir)
{
    QByteArray image(8192, char(0xFF));
    image[ButtonJitter] = char(99);
    image[ButtonJitter + 1] = 0;
    const QString path = dir.filePath(QStringLiteral("image.bin"));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(image) != image.size())
        return QString();
    return path;
}

// The main window with a UDP bridge path link (on an empty USB bus) and a network link, both
// aimed at the simulator on loopback. Neither looks for boards until told to.
struct SimWindow
{
    ScriptedPrompt prompt;
    FakeUsbBus bus;
    DevMarvek2_0 *model = nullptr;
    UsbIo *usb = nullptr;
    TcpIo *net = nullptr;
    std::unique_ptr<MainDialog> dialog;

    // everyModel: the other fixed-layout models join the list too, for boards of their kinds.
    explicit SimWindow(const SimProcess &sim, bool everyModel = false)
    {
        qputenv("VANDOR_UDP_TARGET", "127.0.0.1");
        qputenv("VANDOR_UDP_LOCAL_PORT", "0");
        qputenv("VANDOR_NET_TARGET", "127.0.0.1");
        qputenv("VANDOR_NET_PORT", QByteArray::number(sim.netPort()));
        qputenv("VANDOR_NET_ANSWER_PORT", "0");
        MainDialog::Parts parts;
        parts.prompt = &prompt;
        parts.makeModels = [this, everyModel](QObject *parent) {
            model = new DevMarvek2_0(parent);
            if (everyModel) {
                new DevMarvek1_1(parent);
                new DevMarvek3_0(parent);
                new DevTokmat1_0(parent);
            }
            new DevEspRelay(parent);
            return QList<DeviceCfg *>{model};
        };
        parts.makeUsbLink = [this, &sim](QObject *parent) {
            usb = new UsbIo(&bus, parent);
            usb->setBoardPort(sim.udpPort());
            usb->setDiscoveryTarget(QHostAddress());
            return usb;
        };
        parts.makeNetLink = [this](QObject *parent) {
            net = new TcpIo(parent);
            net->setDiscoveryTarget(QHostAddress());
            return net;
        };
        dialog = std::make_unique<MainDialog>(parts);
        dialog->show();
    }

    QString status() const { return dialog->findChild<QLabel *>("conStatus")->text(); }
    QPushButton *button(const char *name) const { return dialog->findChild<QPushButton *>(name); }
    QPushButton *pageButton(const QString &text) const
    {
        for (QPushButton *b : dialog->pageContainer()->findChildren<QPushButton *>())
            if (b->text() == text)
                return b;
        return nullptr;
    }
    // The editor of a value, its section's editors made if they were not yet (the section
    // stays as it was, open or closed).
    Par *editor(quint32 address) const
    {
        model->buildAllTabs();
        for (const auto &p : model->placements())
            if (p.address == address)
                return p.editor;
        return nullptr;
    }
    QPushButton *stepButton(quint32 address, const char *text) const
    {
        for (QPushButton *b : editor(address)->findChildren<QPushButton *>())
            if (b->text() == QLatin1String(text))
                return b;
        return nullptr;
    }
    // Offline page of the model, with the section of the button settings opened by a click.
    void openPageOffline()
    {
        QTest::mouseClick(pageButton(model->title()), Qt::LeftButton);
        QTest::mouseClick(pageButton(QStringLiteral("Buttons and Relays")), Qt::LeftButton);
    }
    // Connects over the UDP bridge path and waits for the end of the read.
    bool connectUdp()
    {
        usb->setDiscoveryTarget(QHostAddress(QHostAddress::LocalHost));
        usb->scan();
        return QTest::qWaitFor([this] { return dialog->isConnected() && !dialog->pageHeld(); }, 20000);
    }
};

inline QStringList writesOf(const SimProcess &sim)
{
    return sim.transcript().filter(QRegularExpression(QStringLiteral("^(udp|tcp) req 0[47] ")));
}

inline int boardWord(SimProcess &sim, int address)
{
    if (!sim.save())
        return -1;
    const QByteArray image = sim.image();
    return image.size() < address + 2 ? -1 : quint8(image[address]) | quint8(image[address + 1]) << 8;
}

