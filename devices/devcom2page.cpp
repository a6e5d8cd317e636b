// The dynamic device's page: the tab column, the area that shows the selected tab, the
// editors made by type code, and the machine setup dialog.
#include "base/logging.h"
#include "base/prompt.h"
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
#include <QAction>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScrollArea>
#include <QScroller>
#include <QVBoxLayout>
#include <cctype>

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

bool DevCom2::fillTab(DevTab *tab)
{
    const auto it = m_unbuilt.find(tab);
    if (it == m_unbuilt.end())
        return false;
    const QVector<quint32> uids = *it;
    m_unbuilt.erase(it);
    PageBuildGuard building;
    for (quint32 uid : uids)
        if (CfgPar *p = CfgPar::find(Uid::list(uid), uid))
            if (Par *editor = makeEditor(p, tab->content))
                tab->addWidget(editor);
    tab->addStretch();
    return true;
}

DevTab *DevCom2::tabOf(const QWidget *content) const
{
    for (DevTab *tab : m_tabs)
        if (tab->content == content)
            return tab;
    return nullptr;
}

void DevCom2::buildTab(QWidget *content)
{
    DevTab *tab = tabOf(content);
    if (!tab || !m_unbuilt.contains(tab))
        return;
    // Contents on screen are filled hidden and shown again, so that they are laid out once.
    const bool shown = content->isVisible();
    if (shown)
        content->hide();
    fillTab(tab);
    if (shown)
        content->show();
    Q_EMIT tabBuilt();
}

bool DevCom2::buildNextTab()
{
    for (DevTab *tab : qAsConst(m_tabs)) {
        if (m_unbuilt.contains(tab)) {
            buildTab(tab->content);
            return true;
        }
    }
    return false;
}

bool DevCom2::unbuiltValues(const QWidget *content, QVector<quint32> *keys) const
{
    const DevTab *tab = tabOf(content);
    const auto it = tab ? m_unbuilt.constFind(tab) : m_unbuilt.constEnd();
    if (it == m_unbuilt.constEnd())
        return false;
    keys->clear();
    for (quint32 uid : *it)
        if (!(uid & Par::HiddenUidBit))
            keys->append(uid);
    return true;
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

// Hardware settings are built hidden, out of the way of everyday changes. A tab that holds
// some offers them on its button's context menu, for the technician who means to change them.
void DevCom2::offerHardwareSettings(DevTab *tab)
{
    auto *show = new QAction(tr("Show hardware settings"), tab->button);
    show->setObjectName(QStringLiteral("showHardware"));
    connect(show, &QAction::triggered, tab, [this, tab, show] {
        buildTab(tab->content);
        tab->showEditors();
        show->setEnabled(false);
    });
    tab->button->addAction(show);
    tab->button->setContextMenuPolicy(Qt::ActionsContextMenu);
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
    m_unbuilt.clear();
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
    // A closed tab's content goes back under the page, hidden: whatever refreshes the page's
    // editors (a dump loaded, undo, a compare applied) reaches it there too.
    if (QWidget *shown = m_area->takeWidget()) {
        shown->hide();
        shown->setParent(m_container);
    }
    if (but && but->isChecked()) {
        m_selected = but;
        if (m_area->isHidden()) {
            m_area->show();
            for (DevTab *tab : qAsConst(m_tabs))
                tab->setAltText(true);
        }
        buildTab(w);
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

// Hex digits of the text paired from its end; every other character is left out, digits of
// other scripts too (they are no hex digits, and would count as one without a value).
QByteArray decodeHex(const QString &text)
{
    QByteArray digits;
    for (QChar c : text)
        if (c.unicode() < 0x80 && std::isxdigit(c.unicode()))
            digits += char(c.unicode());
    if (digits.size() % 2)
        digits.prepend('0');
    return QByteArray::fromHex(digits);
}

QByteArray setupBytes(const std::array<quint16, DevCom2::MachineSetupWords> &setup)
{
    QByteArray block(DevCom2::MachineSetupWords * 2, '\0');
    for (int i = 0; i < DevCom2::MachineSetupWords; ++i) {
        block[2 * i] = char(setup[size_t(i)] & 0xFF);
        block[2 * i + 1] = char(setup[size_t(i)] >> 8);
    }
    return block;
}

} // namespace

void DevCom2::changeMachineSetup()
{
    DevIo *link = currentLink();
    // Nothing to offer where the setup can be neither read nor written.
    if (link && !link->carriesMachineSetup()) {
        prompt()->message(Prompt::Icon::Information, tr("Machine setup"),
                          tr("The machine setup cannot be reached over this connection."));
        return;
    }
    int length = 2;
    for (int k = MachineSetupWords; k >= 2; --k) {
        const quint16 w = m_machineSetup[size_t(k - 1)];
        if (w != 0x0000 && w != 0xFFFF) {
            length = 2 * k;
            break;
        }
    }
    const QString shown = QString::fromLatin1(setupBytes(m_machineSetup).left(length).toHex(' '));
    const std::optional<QString> text = prompt()->getText(tr("Machine setup"), tr("Setup keyword"), shown);
    if (!text || text->isEmpty())
        return;
    const QByteArray bytes = decodeHex(*text);
    const int n = bytes.size();
    // Up to 31 bytes the words not typed are erased; from 32 bytes on the first 32 count.
    std::array<quint16, MachineSetupWords> setup = m_machineSetup;
    const int words = qMin(n / 2, int(MachineSetupWords));
    for (int i = 0; i < words; ++i)
        setup[size_t(i)] = quint16(quint8(bytes[2 * i]) | (quint8(bytes[2 * i + 1]) << 8));
    if (n <= 31)
        for (int i = words; i < MachineSetupWords; ++i)
            setup[size_t(i)] = 0xFFFF;
    const QByteArray block = setupBytes(setup);
    if (!link || !link->writeMachineSetup(reinterpret_cast<const quint8 *>(block.constData()), block.size())) {
        // The program's copy stays what the board has.
        prompt()->message(Prompt::Icon::Warning, tr("Machine setup"),
                          tr("The machine setup was not written to the board; the board keeps its setup."));
        return;
    }
    m_machineSetup = setup;
}
