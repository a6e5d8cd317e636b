// The models and links the program is made of, in the order the model list needs.
#include "app/maindialog.h"
#include "devices/devcom2.h"
#include "devices/devicecfg.h"
#include "devices/devesprelay.h"
#include "devices/devmarvek1_1.h"
#include "devices/devmarvek2_0.h"
#include "devices/devmarvek3_0.h"
#include "devices/devmarvekrobo1_0.h"
#include "devices/devtokmat1_0.h"
#include "link/devio.h"
#include "link/tcpio.h"
#include "link/usbio.h"

static QList<DeviceCfg *> makeModels(QObject *parent)
{
    // Made in list order; the first four are offered on the start page.
    QList<DeviceCfg *> offered;
    offered << new DevMarvek1_1(parent) << new DevMarvek2_0(parent) << new DevMarvek3_0(parent)
            << new DevTokmat1_0(parent);
    new DevMarvekRobo1_0(parent);
    new DevCom2(parent);
    new DevEspRelay(parent);
    return offered;
}

static DevIo *makeUsbLink(QObject *parent) { return new UsbIo(parent); }

static DevIo *makeNetLink(QObject *parent) { return new TcpIo(parent); }

MainDialog::Parts MainDialog::defaultParts()
{
    Parts parts;
    parts.makeModels = makeModels;
    parts.makeUsbLink = makeUsbLink;
    parts.makeNetLink = makeNetLink;
    return parts;
}
