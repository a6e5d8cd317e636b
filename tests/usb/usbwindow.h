// The main window made of its real parts (models, USB and network links) for the emulated USB
// tests: links that look for boards on loopback only and scan every ScanMs.
#pragma once
#include "app/maindialog.h"
#include "devices/devicecfg.h"
#include "link/tcpio.h"
#include "link/usbio.h"
#include "scriptedprompt.h"
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <memory>

struct UsbWindow
{
    static constexpr int ScanMs = 150;

    ScriptedPrompt prompt;
    std::unique_ptr<MainDialog> dialog;

    UsbWindow()
    {
        MainDialog::Parts parts = MainDialog::defaultParts();
        parts.prompt = &prompt;
        const auto makeUsb = parts.makeUsbLink;
        parts.makeUsbLink = [makeUsb](QObject *parent) {
            DevIo *link = makeUsb(parent);
            if (auto *usb = qobject_cast<UsbIo *>(link))
                usb->setScanInterval(ScanMs);
            return link;
        };
        dialog = std::make_unique<MainDialog>(parts);
    }
    ~UsbWindow()
    {
        dialog.reset();
        DeviceCfg::setCurrent(nullptr);
        scanEnabled = true;
    }

    UsbIo *usb() const { return qobject_cast<UsbIo *>(dialog->usbLink()); }
    QString status() const { return dialog->findChild<QLabel *>(QStringLiteral("conStatus"))->text(); }
    QTimer *scanTimer() const { return usb()->findChild<QTimer *>(QStringLiteral("scanTimer")); }
    QList<QPushButton *> driverButtons() const
    {
        return dialog->pageContainer()->findChildren<QPushButton *>(QStringLiteral("butUsbDriver"));
    }
    int messages(const QString &text) const
    {
        int n = 0;
        for (const auto &m : prompt.messages)
            n += m.text == text;
        return n;
    }
};
