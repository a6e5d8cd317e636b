// The dynamic device: identity, transfers of the description and values, dumps, labels.
#include "devices/devcom2.h"
#include "base/logging.h"
#include "base/progress.h"
#include "devices/devcom2tables.h"
#include "devices/devcom2transfer.h"
#include "devices/devtab.h"
#include "editors/par.h"
#include "link/devio.h"
#include "registry/cfgkinds.h"
#include "registry/cfgpar.h"
#include "registry/cfgstream.h"
#include "registry/dyndump.h"
#include <QCoreApplication>
#include <QIODevice>
#include <QPushButton>
#include <QSet>
#include <QVBoxLayout>
#include <QtEndian>

DevCom2::DevCom2(QObject *parent) : DeviceCfg(parent)
{
    word0 = 0xFFFF;
    word1 = Family;
    word2 = 0xFFFF;
    m_machineSetup.fill(0xFFFF);
}

bool DevCom2::accepts(quint16 w0, quint16 w1, quint16 w2) const
{
    word0 = w0;
    word2 = w2;
    return w1 == Family;
}

QString DevCom2::title() const { return tr("Dynamic Device"); }

bool DevCom2::load(QIODevice *file) { return DynDump::load(file); }

bool DevCom2::save(QIODevice *file) { return DynDump::save(file); }

QString DevCom2::hexDump()
{
    changeMachineSetup();
    const auto editors = m_container ? m_container->findChildren<Par *>() : QList<Par *>();
    {
        PageBuildGuard guard;
        for (Par *p : editors)
            p->refresh();
    }
    return tr("not applied");
}

bool DevCom2::readDevice(Progress *progress)
{
    CountingProgress none;
    if (!progress)
        progress = &none;
    progress->setMaximum(0);
    DevIo *link = currentLink();
    if (!link)
        return true;
    quint8 setup[MachineSetupWords * 2];
    // A link without the setup commands is not asked: a read that fails in nothing says nothing.
    if (link->carriesMachineSetup() && link->readMachineSetup(setup, int(sizeof setup))) {
        for (int i = 0; i < MachineSetupWords; ++i)
            m_machineSetup[size_t(i)] = quint16(setup[2 * i] | (setup[2 * i + 1] << 8));
    }
    m_readProblem.clear();
    const DynReadResult read = DynTransfer::readDescription(link);
    if (read.tooLarge) {
        m_readProblem = tr("The board describes more than %1 parameters in one list; this program takes at most "
                           "%1, so its description was refused.")
                            .arg(CfgPar::MaxPerList);
        return true;
    }
    if (read.streamError)
        return true;
    if (!m_container) {
        if (m_pageless)
            return read.failed();
        qCDebug(lcDevice, "no container");
        return true;
    }
    if (!buildTabs()) {
        m_readProblem = tr("The board's page would need more than %1 editors; it was not built.")
                            .arg(MaxEditorsPerPage);
        return true;
    }
    // A page built from part of a description would be wrong: any failed list fails the read.
    return read.failed();
}

void DevCom2::rebuildTabs()
{
    quint32 open = 0;
    for (auto it = m_tabs.cbegin(); it != m_tabs.cend(); ++it)
        if (m_selected && it.value()->button == m_selected && m_selected->isChecked())
            open = it.key();
    buildTabs();
    if (DevTab *tab = m_tabs.value(open))
        tab->button->click();
}

bool DevCom2::buildTabs()
{
    if (!m_container || !m_tabColumn)
        return true;
    dropTabs();
    int editors = 0;
    for (CfgPar *p = CfgPar::head(1); p; p = p->next())
        editors += CfgPar::knownType(Uid::typeCode(p->uid())) ? 1 : 0;
    if (editors > MaxEditorsPerPage) {
        qCDebug(lcDevice, "%d editors: more than a page holds (%d)", editors, MaxEditorsPerPage);
        return false;
    }
    QSet<DevTab *> hardware;
    for (CfgPar *p = CfgPar::head(1); p; p = p->next()) {
        DevTab *tab = tabFor(p->uid());
        QVector<quint32> &unbuilt = m_unbuilt[tab];
        if (!CfgPar::knownType(Uid::typeCode(p->uid())))
            continue;
        unbuilt.append(p->uid());
        if (p->uid() & Par::HiddenUidBit)
            hardware.insert(tab);
    }
    for (DevTab *tab : qAsConst(m_tabs)) {
        if (hardware.contains(tab))
            offerHardwareSettings(tab);
        connect(tab, &DevTab::slectedArea, this, &DevCom2::setAreaWidget);
        m_tabColumn->addWidget(tab->button);
        tab->button->show();
        if (!tabsBuiltWhenShown())
            fillTab(tab);
    }
    m_tabColumn->addStretch();
    return true;
}

bool DevCom2::writeDevice(Progress *progress)
{
    if (progress)
        progress->setMaximum(0);
    return send(WholeList);
}

bool DevCom2::changed(quint32 uid, int) { return send(uid); }

QByteArray DevCom2::value(quint32 uid, int) const
{
    if (!CfgPar::find(Uid::list(uid), uid))
        return QByteArray();
    CfgStream s;
    s.startOne(uid);
    QByteArray out;
    quint8 chunk[256];
    while (s.hasMore() && !s.failed()) {
        const int n = s.writeChunk(chunk, int(sizeof chunk));
        if (n <= 0)
            break;
        out.append(reinterpret_cast<const char *>(chunk), n);
    }
    return s.failed() ? QByteArray() : out;
}

bool DevCom2::store(quint32 uid, const QByteArray &record)
{
    if (record.size() < 4 || qFromLittleEndian<quint32>(record.constData()) != uid
        || !CfgPar::find(Uid::list(uid), uid))
        return false;
    CfgStream s;
    return s.readChunk(reinterpret_cast<const quint8 *>(record.constData()), record.size(), record.size());
}

bool DevCom2::send(quint32 uid)
{
    // The board puts a stream together from its chunks: one begun in the middle of another
    // (events run while a transfer waits) would spoil both. It waits for the one on its way.
    if (m_sending) {
        if (!m_waiting.contains(uid) && !m_waiting.contains(WholeList))
            m_waiting.append(uid);
        return true;
    }
    m_sending = true;
    bool allSent = true;
    QList<quint32> queue{uid};
    while (!queue.isEmpty()) {
        const quint32 next = queue.takeFirst();
        DevIo *link = currentLink();
        // However many chunks a value took, a failed stream counts once.
        const bool sent = link
            && (next == WholeList ? DynTransfer::writeConfig(link) : DynTransfer::writeParameter(link, next));
        allSent &= sent;
        // The whole list carries every value changed meanwhile.
        queue += m_waiting.contains(WholeList) ? QList<quint32>{WholeList} : m_waiting;
        m_waiting.clear();
    }
    m_sending = false;
    return allSent;
}

bool DevCom2::clearNvm()
{
    bool cleared = true;
    for (CfgPar *p = CfgPar::head(2); p; p = p->next()) {
        qCDebug(lcDevice, "clearing %x", p->uid());
        if (Uid::typeCode(p->uid()) == Uid::TypeM32) {
            static_cast<CfgParM32 *>(p)->setValue(0);
            cleared &= changed(p->uid(), 4);
        } else {
            qCDebug(lcDevice, "Cannot clear %x", p->uid());
        }
    }
    return cleared;
}

QString DevCom2::parName(quint32 uid) { return DevCom2Tables::label(uid); }

QVariant DevCom2::parProperty(quint32 uid, const QString &name) { return DevCom2Tables::attribute(uid, name); }

QString DevCom2::helpText(quint32) { return tr("unused"); }
