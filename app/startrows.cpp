// The start page's list of boards found: a row per board each link announces, followed as it
// goes quiet, leaves or comes back, opened when clicked or found alone, and backed up.
#include "app/startpage.h"
#include "app/machines.h"
#include "base/prompt.h"
#include "base/scale.h"
#include "devices/devicecfg.h"
#include "link/devio.h"
#include <QBoxLayout>
#include <QCheckBox>
#include <QCoreApplication>
#include <QHostAddress>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <optional>

namespace {

// Texts the start page had while it was part of the window keep the window's translations.
QString windowText(const char *text) { return QCoreApplication::translate("MainDialog", text); }

// The title of the model that would take a board with these words, asked without changing
// any model (an identity test may take over the words it accepts).
QString modelTitle(const quint16 words[3])
{
    for (DeviceCfg *m = DeviceCfg::first(); m; m = m->next) {
        const quint16 w0 = m->word0, w1 = m->word1, w2 = m->word2;
        const bool takes = m->accepts(words[0], words[1], words[2]);
        m->word0 = w0;
        m->word1 = w1;
        m->word2 = w2;
        if (takes)
            return m->title();
    }
    return QString();
}

} // namespace

StartPage::Row *StartPage::rowOf(DevIo *link, int uid)
{
    for (Row &r : m_rows)
        if (r.link == link && r.uid == uid)
            return &r;
    return nullptr;
}

int StartPage::answering() const
{
    int n = 0;
    for (const Row &r : m_rows)
        n += r.quiet ? 0 : 1;
    return n;
}

void StartPage::announce(DevIo *link, const QString &name, int uid)
{
    if (name == QLatin1String("$NoDriver")) {
        // One button however many driverless boards there are; it goes when the last one does.
        m_noDriver = true;
        showDriverButton();
        return;
    }
    Row *row = rowOf(link, uid);
    if (!row) {
        m_rows.append(Row());
        row = &m_rows.last();
        row->link = link;
        row->uid = uid;
        DevIo::Found f;
        if (link->describe(uid, &f))
            row->shownAddress = f.address;
    }
    row->name = name;
    row->quiet = false;
    showRow(*row);
    updateHeading();
    Q_EMIT rowsChanged();
    // A board found alone opens at once; with others around the technician picks. Boards come
    // in rounds (a USB bus walk, a discovery round): the rest of a round is announced before
    // this one opens.
    if (!mayOpenAlone(link, uid))
        return;
    QTimer::singleShot(0, this, [this, link, uid] {
        if (mayOpenAlone(link, uid))
            Q_EMIT openRequested(link, uid);
    });
}

bool StartPage::mayOpenAlone(DevIo *link, int uid)
{
    const Row *row = rowOf(link, uid);
    return row && !row->quiet && !row->left && !m_connected && m_alone.contains(link) && answering() == 1;
}

void StartPage::quiet(DevIo *link, int uid, const QDateTime &lastSeen)
{
    Row *row = rowOf(link, uid);
    if (!row)
        return;
    row->quiet = true;
    row->lastSeen = lastSeen;
    // Gone and back again is a new board as far as opening by itself goes.
    row->left = false;
    showRow(*row);
    Q_EMIT rowsChanged();
}

void StartPage::removed(DevIo *link, int uid)
{
    for (int i = 0; i < m_rows.size(); ++i) {
        if (m_rows.at(i).link == link && m_rows.at(i).uid == uid) {
            delete m_rows.at(i).line;
            m_rows.removeAt(i);
            break;
        }
    }
    updateHeading();
    Q_EMIT rowsChanged();
}

void StartPage::leave(DevIo *link, int uid)
{
    if (Row *row = rowOf(link, uid))
        row->left = true;
}

void StartPage::noDriverGone()
{
    m_noDriver = false;
    if (m_list)
        delete m_list->findChild<QPushButton *>(QStringLiteral("butUsbDriver"));
}

void StartPage::showDriverButton()
{
    if (!m_list || m_list->findChild<QPushButton *>(QStringLiteral("butUsbDriver")))
        return;
    auto *button = new QPushButton(windowText("Install USB driver"), m_list);
    button->setObjectName(QStringLiteral("butUsbDriver"));
    connect(button, &QPushButton::clicked, this, &StartPage::installDriver);
    static_cast<QBoxLayout *>(m_list->layout())->insertWidget(0, button);
}

QString StartPage::rowText(DevIo *link, int uid) const
{
    for (const Row &r : m_rows)
        if (r.link == link && r.uid == uid)
            return textOf(r);
    return QString();
}

QString StartPage::historyLine(const DevIo::Found &f) const
{
    QString line = tr("identity %1").arg(Machines::identityKey(f.words));
    // The machine it is, where the history alone can tell: by the name a network board
    // announces, or the only machine of its identity.
    const Machines machines;
    const QList<Machine> ofIdentity = machines.ofIdentity(f.words);
    std::optional<Machine> machine;
    for (const Machine &m : ofIdentity)
        if (!f.name.isEmpty() && m.network == f.name)
            machine = m;
    if (!machine && f.name.isEmpty() && ofIdentity.size() == 1)
        machine = ofIdentity.constFirst();
    if (!machine)
        return line;
    const QList<Snapshot> snapshots = machines.snapshots(*machine);
    const QString last = snapshots.isEmpty()
        ? tr("no snapshot")
        : tr("last snapshot %1").arg(QLocale().toString(snapshots.constLast().time.toLocalTime(), QLocale::ShortFormat));
    return line + QStringLiteral(" \u00b7 ") + tr("machine \"%1\", %2").arg(machine->name, last);
}

QString StartPage::textOf(const Row &row) const
{
    DevIo::Found f;
    // A link that tells nothing more: its name as it announced it.
    if (!row.link->describe(row.uid, &f))
        return row.name;
    const QString model = f.identified ? modelTitle(f.words) : QString();
    QString text;
    if (f.path == QLatin1String("tcp")) {
        text = f.bridge ? windowText("%1\nnetwork bridge at %2").arg(f.name, f.address)
                        : windowText("%1\ncontroller on the network at %2").arg(f.name, f.address);
    } else if (f.path == QLatin1String("udp")) {
        text = tr("%1\nUDP bridge path at %2").arg(model.isEmpty() ? tr("Board") : model, f.address);
    } else {
        text = tr("%1\nUSB %2").arg(model.isEmpty() ? f.name : model, f.address);
    }
    if (f.identified)
        text += QLatin1Char('\n') + historyLine(f);
    if (!row.shownAddress.isEmpty() && f.address != row.shownAddress)
        text += QLatin1Char('\n') + tr("answers from a new address (it was at %1)").arg(row.shownAddress);
    if (row.quiet)
        text += QLatin1Char('\n')
            + tr("not answering since %1").arg(row.lastSeen.toString(QStringLiteral("HH:mm:ss")));
    if (!row.note.isEmpty())
        text += QLatin1Char('\n') + row.note;
    return text;
}

void StartPage::showRow(Row &row)
{
    if (!m_list)
        return;
    if (!row.button) {
        DevIo::Found f;
        const bool described = row.link->describe(row.uid, &f);
        auto *line = new QWidget(m_list);
        auto *lineLayout = new QHBoxLayout(line);
        lineLayout->setContentsMargins(0, 0, 0, 0);
        auto *check = new QCheckBox(line);
        check->setObjectName(QStringLiteral("backupCheck"));
        check->setToolTip(tr("Back up this board with \"Back up all\""));
        check->setChecked(row.checked);
        connect(check, &QCheckBox::toggled, this, [this, link = row.link, uid = row.uid](bool on) {
            if (Row *r = rowOf(link, uid))
                r->checked = on;
        });
        lineLayout->addWidget(check);
        auto *button = new QPushButton(line);
        // A link that describes nothing: named after the link.
        const QString path = described ? f.path : m_alone.contains(row.link) ? QStringLiteral("usb") : QString();
        button->setObjectName(path == QLatin1String("usb") ? QStringLiteral("usbBoard")
                              : path == QLatin1String("udp") ? QStringLiteral("udpBoard")
                                                             : QStringLiteral("netBoard"));
        button->setProperty("uid", row.uid);
        connect(button, &QPushButton::clicked, this, &StartPage::clicked);
        lineLayout->addWidget(button, 1);
        m_list->layout()->addWidget(line);
        row.button = button;
        row.line = line;
    }
    row.button->setText(textOf(row));
    // Greyed by the style sheet, but still clickable: a click says why nothing happens.
    if (row.button->property("quiet").toBool() != row.quiet) {
        row.button->setProperty("quiet", row.quiet);
        row.button->style()->unpolish(row.button);
        row.button->style()->polish(row.button);
    }
}

QList<StartPage::Target> StartPage::backupTargets() const
{
    QList<Target> all, checked;
    for (const Row &r : m_rows) {
        DevIo::Found f;
        if (r.quiet || (r.link->describe(r.uid, &f) && f.bridge))
            continue;
        const Target t{r.link, r.uid, textOf(r).section(QLatin1Char('\n'), 0, 1).replace(QLatin1Char('\n'), QLatin1String(", "))};
        all << t;
        if (r.checked)
            checked << t;
    }
    return checked.isEmpty() ? all : checked;
}

void StartPage::setRowNote(DevIo *link, int uid, const QString &note)
{
    if (Row *row = rowOf(link, uid)) {
        row->note = note;
        showRow(*row);
    }
}

void StartPage::clicked()
{
    Row *row = nullptr;
    for (Row &r : m_rows)
        if (r.button && r.button == sender())
            row = &r;
    if (!row)
        return;
    const QString what = textOf(*row).section(QLatin1Char('\n'), 0, 1).replace(QLatin1Char('\n'), QLatin1String(", "));
    if (row->quiet) {
        prompt()->message(Prompt::Icon::Information, tr("Boards found"),
                          tr("%1 has not answered since %2, so nothing was sent to it. It is offered "
                             "again as soon as it answers.")
                              .arg(what, row->lastSeen.toString(QStringLiteral("HH:mm:ss"))));
        return;
    }
    DevIo::Found f;
    if (row->link->describe(row->uid, &f) && !row->shownAddress.isEmpty() && f.address != row->shownAddress) {
        // Nothing goes to an address the technician has not seen.
        if (!prompt()->question(tr("Boards found"), tr("%1 now answers from %2, no longer from %3. Open it at %2?")
                                                        .arg(f.name.isEmpty() ? tr("The board") : f.name, f.address,
                                                             row->shownAddress)))
            return;
        row->shownAddress = f.address;
        showRow(*row);
    }
    Q_EMIT openRequested(row->link, row->uid);
}
