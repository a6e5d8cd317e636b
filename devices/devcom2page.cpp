// The dynamic device's page: the tab column, the area that shows the selected tab, the
// editors made by type code, and the machine setup dialog.
#include "app/logging.h"
#include "app/prompt.h"
#include "devices/devcom2.h"
#include "devices/devcom2tables.h"
#include "devices/devtab.h"
#include "editors/parbgr.h"
#include "editors/parcol.h"
#include "editors/parm16.h"
#include "editors/parm32.h"
#include "editors/parstr.h"
#include "editors/paru16.h"
#include "editors/paru16a16.h"
#include "editors/parviewtext16.h"
#include "link/devio.h"
#include "registry/cfgkinds.h"
#include <QHBoxLayout>
#include <QPushButton>
#include <QScrollArea>
#include <QScroller>
#include <QVBoxLayout>

void DevCom2::buildPage(QWidget *container)
{
    m_container = container;
    // The tabs beside the shown tab's contents, in a column of their own: what the window puts
    // above a page (buttons for boards found) goes above both, never beside them.
    auto *page = new QVBoxLayout(container);
    page->setContentsMargins(0, 0, 0, 0);
    page->setSpacing(0);
    auto *row = new QHBoxLayout;
    row->setSpacing(0);
    page->addLayout(row, 1);
    m_tabColumn = new QVBoxLayout;
    row->addLayout(m_tabColumn);
    m_area = new QScrollArea(container);
    m_area->setObjectName(QStringLiteral("dynArea"));
    m_area->setWidgetResizable(true);
    QScroller::grabGesture(m_area->viewport(), QScroller::LeftMouseButtonGesture);
    row->addWidget(m_area, 1);
    m_area->hide();
}

Par *DevCom2::makeEditor(CfgPar *par, QWidget *parent)
{
    switch (Uid::typeCode(par->uid())) {
    case Uid::TypeN16:
        return new ParU16(parent, static_cast<CfgParN16 *>(par));
    case Uid::TypeM16:
        return new ParM16(parent, static_cast<CfgParM16 *>(par));
    case Uid::TypeM32:
        return new ParM32(parent, static_cast<CfgParM32 *>(par));
    case Uid::TypeStr:
        return new ParStr(parent, static_cast<CfgParString *>(par));
    case Uid::TypeValArr16:
        return new ParU16A16(parent, static_cast<CfgParValArr16 *>(par));
    case Uid::TypeArr3:
        return new ParBgr(parent, static_cast<CfgParArr3 *>(par));
    case Uid::TypeColour:
        return new ParCol(parent, static_cast<CfgParColour *>(par));
    case Uid::TypeViewText16:
        return new ParViewText16(parent, static_cast<CfgParViewText16 *>(par));
    default:
        qCDebug(lcDevice, "Cannot visualize %x", par->uid());
        return nullptr;
    }
}

DevTab *DevCom2::tabFor(quint32 uid)
{
    const quint32 key = DevCom2Tables::tabKey(uid);
    DevTab *&tab = m_tabs[key];
    if (!tab) {
        tab = new DevTab(DevCom2Tables::tabTitle(key), DevCom2Tables::tabShortTitle(key), m_container);
        tab->content->hide();
        // Enter confirms a text in the window, which is a dialog: it must never close the tab.
        tab->button->setFocusPolicy(Qt::NoFocus);
        tab->button->setAutoDefault(false);
    }
    return tab;
}

// A new description replaces the page of the previous one.
void DevCom2::dropTabs()
{
    if (m_area) {
        m_area->takeWidget();
        m_area->hide();
    }
    m_selected = nullptr;
    for (DevTab *tab : qAsConst(m_tabs)) {
        delete tab->button;
        delete tab->content;
        delete tab;
    }
    m_tabs.clear();
    if (m_tabColumn) {
        while (QLayoutItem *item = m_tabColumn->takeAt(0))
            delete item;
    }
}

void DevCom2::setAreaWidget(QWidget *w, QPushButton *but)
{
    if (!m_area)
        return;
    if (m_selected && m_selected != but) {
        QSignalBlocker block(m_selected);
        m_selected->setChecked(false);
    }
    if (QWidget *shown = m_area->takeWidget())
        shown->hide();
    if (but && but->isChecked()) {
        m_selected = but;
        if (m_area->isHidden()) {
            m_area->show();
            for (DevTab *tab : qAsConst(m_tabs))
                tab->setAltText(true);
        }
        m_area->setWidget(w);
        w->show();
    } else {
        m_selected = nullptr;
        m_area->hide();
        for (DevTab *tab : qAsConst(m_tabs))
            tab->setAltText(false);
    }
}

namespace {

// Hex digits of the text paired from its end; every other character is left out.
QByteArray decodeHex(const QString &text)
{
    QString digits;
    for (QChar c : text)
        if (c.isDigit() || (c.toLower() >= QLatin1Char('a') && c.toLower() <= QLatin1Char('f')))
            digits += c;
    if (digits.size() % 2)
        digits.prepend(QLatin1Char('0'));
    return QByteArray::fromHex(digits.toLatin1());
}

} // namespace

void DevCom2::changeMachineSetup()
{
    int length = 2;
    for (int k = MachineSetupWords; k >= 2; --k) {
        const quint16 w = m_machineSetup[size_t(k - 1)];
        if (w != 0x0000 && w != 0xFFFF) {
            length = 2 * k;
            break;
        }
    }
    QByteArray block(MachineSetupWords * 2, '\0');
    for (int i = 0; i < MachineSetupWords; ++i) {
        block[2 * i] = char(m_machineSetup[size_t(i)] & 0xFF);
        block[2 * i + 1] = char(m_machineSetup[size_t(i)] >> 8);
    }
    const QString shown = QString::fromLatin1(block.left(length).toHex(' '));
    const std::optional<QString> text = prompt()->getText(tr("Machine setup"), tr("Setup keyword"), shown);
    if (!text || text->isEmpty())
        return;
    const QByteArray bytes = decodeHex(*text);
    const int n = bytes.size();
    if (n < 34) {
        const int words = n / 2;
        for (int i = 0; i < words && i < MachineSetupWords; ++i)
            m_machineSetup[size_t(i)] = quint16(quint8(bytes[2 * i]) | (quint8(bytes[2 * i + 1]) << 8));
        if (n <= 31)
            for (int i = words; i < MachineSetupWords; ++i)
                m_machineSetup[size_t(i)] = 0xFFFF;
    } else {
        for (int i = 0; i < MachineSetupWords; ++i)
            m_machineSetup[size_t(i)] = quint16(quint8(bytes[2 * i]) | (quint8(bytes[2 * i + 1]) << 8));
    }
    for (int i = 0; i < MachineSetupWords; ++i) {
        block[2 * i] = char(m_machineSetup[size_t(i)] & 0xFF);
        block[2 * i + 1] = char(m_machineSetup[size_t(i)] >> 8);
    }
    DevIo *link = currentLink();
    if (!link || !link->writeMachineSetup(reinterpret_cast<const quint8 *>(block.constData()), block.size()))
        countWriteFailure();
}
