// The compare view's widgets; the comparing and restoring itself is ModelDiff's.
#include "app/compareview.h"
#include "base/boundedfile.h"
#include "app/barprogress.h"
#include "base/host.h"
#include "app/machines.h"
#include "base/progress.h"
#include "base/resources.h"
#include "base/prompt.h"
#include "base/configwatch.h"
#include "devices/devicecfg.h"
#include "devices/modeldiff.h"
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

// More values than this are applied with the progress bar showing.
constexpr int ManyValues = 8;
// Marks the choice of the factory defaults in the source list.
constexpr int FactoryRole = Qt::UserRole + 1;
// The folder and the name of a snapshot's machine.
constexpr int MachineRole = Qt::UserRole + 2;
constexpr int MachineNameRole = Qt::UserRole + 3;

// A swatch of the first colour a decoded value names, else no icon.
QIcon swatch(const QString &value)
{
    static const QRegularExpression colour(QStringLiteral("#[0-9a-fA-F]{6}\\b"));
    const QRegularExpressionMatch m = colour.match(value);
    if (!m.hasMatch())
        return QIcon();
    QPixmap pixmap(16, 16);
    pixmap.fill(QColor(m.captured()));
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.drawRect(0, 0, 15, 15);
    return QIcon(pixmap);
}

// When a snapshot was taken, month and all in the language of the texts; seconds tell apart
// the snapshots a load and a read make within a minute.
QString snapshotTime(const QDateTime &time)
{
    return textLocale().toString(time.toLocalTime(), QStringLiteral("d MMMM yyyy, HH:mm:ss"));
}

} // namespace

CompareView::CompareView(DeviceCfg *model, const QList<Snapshot> &history, QWidget *parent)
    : QDialog(parent), m_model(model)
{
    setObjectName(QStringLiteral("compareView"));
    setWindowTitle(tr("Compare and restore: %1").arg(model->title()));
    auto *layout = new QVBoxLayout(this);
    m_source = new QComboBox(this);
    m_source->setObjectName(QStringLiteral("compareSource"));
    m_source->addItem(tr("Choose what to compare with"));
    for (const Snapshot &s : history) {
        m_source->addItem(snapshotText(s), s.dumpPath);
        m_source->setItemData(m_source->count() - 1, s.machineKey, MachineRole);
        m_source->setItemData(m_source->count() - 1, s.machine, MachineNameRole);
    }
    if (ModelDiff::hasFactory(model)) {
        m_source->addItem(tr("Factory defaults"));
        m_source->setItemData(m_source->count() - 1, true, FactoryRole);
    }
    m_source->addItem(tr("Dump file..."));
    layout->addWidget(m_source);
    auto *machineRow = new QHBoxLayout;
    m_machineLabel = new QLabel(this);
    m_machineLabel->setObjectName(QStringLiteral("compareMachine"));
    // Machines are named after what their boards announce: shown as text, never as markup.
    m_machineLabel->setTextFormat(Qt::PlainText);
    m_rename = new QPushButton(tr("Rename..."), this);
    m_rename->setObjectName(QStringLiteral("butRenameMachine"));
    m_rename->setToolTip(tr("Gives the connected machine the name its snapshots are listed by"));
    machineRow->addWidget(m_machineLabel, 1);
    machineRow->addWidget(m_rename);
    m_machineLabel->hide();
    m_rename->hide();
    connect(m_rename, &QPushButton::clicked, this, &CompareView::renameMachine);
    layout->addLayout(machineRow);
    auto *help = new QLabel(tr("Choose a snapshot of the board (kept at every whole read and before every "
                               "overwrite), a dump file or the factory defaults of the board's model. Each row "
                               "is a value that differs: \"Now\" is the "
                               "program's configuration, the last column the one compared with. \"Apply checked\" "
                               "sends the checked values as the editors would; \"Apply all\" puts the other "
                               "configuration back whole. The board is kept in its history first; store in the "
                               "board's memory afterwards to keep the result over a power cycle."),
                            this);
    help->setObjectName(QStringLiteral("compareHelp"));
    help->setWordWrap(true);
    layout->addWidget(help);
    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("compareSummary"));
    layout->addWidget(m_summary);
    m_rows = new QTreeWidget(this);
    m_rows->setObjectName(QStringLiteral("compareRows"));
    m_rows->setRootIsDecorated(false);
    m_rows->setHeaderLabels({tr("Value"), tr("Now"), tr("Compared with")});
    // The two configurations share the width left by the names: a long value is cut short
    // (its tooltip holds it whole) and never pushes the other one out of view.
    m_rows->header()->setSectionResizeMode(QHeaderView::Stretch);
    m_rows->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    layout->addWidget(m_rows, 1);
    m_bar = new QProgressBar(this);
    m_bar->setFormat(tr("Applying %p%"));
    m_bar->hide();
    layout->addWidget(m_bar);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    m_applyChecked = buttons->addButton(tr("Apply checked"), QDialogButtonBox::ActionRole);
    m_applyChecked->setObjectName(QStringLiteral("butApplyChecked"));
    m_applyChecked->setToolTip(tr("Sends the checked values to the board, each as its editor would"));
    m_applyAll = buttons->addButton(tr("Apply all"), QDialogButtonBox::ActionRole);
    m_applyAll->setObjectName(QStringLiteral("butApplyAll"));
    m_applyAll->setToolTip(tr("Puts the compared configuration back whole, texts included"));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_applyChecked, &QPushButton::clicked, this, &CompareView::applyChecked);
    connect(m_applyAll, &QPushButton::clicked, this, &CompareView::applyAll);
    connect(m_source, qOverload<int>(&QComboBox::activated), this, &CompareView::sourceChosen);
    resize(900, 420);
    // "Now" follows the page: an edit, a restore, a read again.
    connect(ConfigWatch::instance(), &ConfigWatch::changed, this, &CompareView::refill);
    refill();
}

QString CompareView::snapshotText(const Snapshot &s) const
{
    return tr("Snapshot of %1 (%2)").arg(snapshotTime(s.time), s.machine);
}

void CompareView::setMachine(const Machine &machine)
{
    m_machine = machine;
    // The name as it is now: it may have changed since the board connected.
    for (const Machine &m : Machines().named(machine.key))
        if (m.key == machine.key)
            m_machine.name = m.name;
    m_machineLabel->setText(tr("Machine: %1").arg(m_machine.name));
    m_machineLabel->show();
    m_rename->setVisible(m_machine.sorted);
}

void CompareView::renameMachine()
{
    const std::optional<QString> name = prompt()->getText(tr("Machine"), tr("Name of this machine:"), m_machine.name);
    if (!name)
        return;
    QString error;
    if (!Machines().rename(&m_machine, *name, &error)) {
        prompt()->message(Prompt::Icon::Warning, tr("Machine"), tr("The machine keeps its name: %1.").arg(error));
        return;
    }
    m_machineLabel->setText(tr("Machine: %1").arg(m_machine.name));
    for (int i = 1; i < m_source->count(); ++i) {
        if (m_source->itemData(i, MachineRole).toString() != m_machine.key)
            continue;
        m_source->setItemData(i, m_machine.name, MachineNameRole);
        m_source->setItemText(i, m_source->itemText(i).section(QStringLiteral(" ("), 0, 0)
                                     + QStringLiteral(" (%1)").arg(m_machine.name));
    }
}

bool CompareView::otherMachineAccepted()
{
    if (m_otherMachine.isEmpty() || m_machine.key.isEmpty() || m_otherMachine == m_machine.key)
        return true;
    const QString other = m_source->itemData(m_source->findData(m_otherMachine, MachineRole), MachineNameRole).toString();
    return prompt()->question(tr("Apply"), tr("This snapshot is of the machine %1, not of %2, the machine connected. "
                                              "Put its values on this board?")
                                               .arg(other, m_machine.name));
}

void CompareView::sourceChosen(int index)
{
    if (index <= 0)
        return;
    if (m_source->itemData(index, FactoryRole).toBool()) {
        compareWithFactory();
        return;
    }
    QString path = m_source->itemData(index).toString();
    if (path.isEmpty()) {
        path = prompt()->openFileName(tr("Compare with"), QString(), tr("Binary dump (*.bin)"));
        if (path.isEmpty())
            return;
    }
    compareWith(path);
}

bool CompareView::compareWith(const QString &dumpPath)
{
    QFile file(dumpPath);
    QByteArray bytes;
    // No dump of any model comes near this size.
    QString why;
    if (openBoundedFile(&file, FileBounds::Dump, &why))
        bytes = file.readAll();
    if (!ModelDiff::isDump(m_model, bytes)) {
        prompt()->message(Prompt::Icon::Critical, tr("Compare"),
                          tr("%1 is not a dump of %2.").arg(QFileInfo(dumpPath).fileName(), m_model->title()));
        return false;
    }
    m_other = bytes;
    m_factory = false;
    // The choice shows what is compared with, whichever way it was chosen.
    int at = m_source->findData(dumpPath);
    if (at < 0) {
        at = m_source->count() - 1;
        m_source->insertItem(at, tr("File %1").arg(QFileInfo(dumpPath).fileName()), dumpPath);
    }
    m_otherMachine = m_source->itemData(at, MachineRole).toString();
    select(at);
    return true;
}

bool CompareView::compareWithFactory()
{
    const QByteArray defaults = ModelDiff::factory(m_model);
    if (defaults.isEmpty())
        return false;
    m_other = defaults;
    m_factory = true;
    m_otherMachine.clear();
    select(m_source->findData(true, FactoryRole));
    return true;
}

void CompareView::select(int index)
{
    {
        const QSignalBlocker blocker(m_source);
        m_source->setCurrentIndex(index);
    }
    m_rows->clear();
    refill();
}

void CompareView::refill()
{
    // The rows checked so far stay checked while the values are compared again.
    QSet<quint32> checked;
    for (int i = 0; i < m_rows->topLevelItemCount(); ++i) {
        QTreeWidgetItem *item = m_rows->topLevelItem(i);
        if ((item->flags() & Qt::ItemIsUserCheckable) && item->checkState(0) == Qt::Checked)
            checked.insert(m_diffs.value(item->data(0, Qt::UserRole).toInt()).site.address);
    }
    m_diffs = m_other.isEmpty() ? QList<ParamDifference>()
        : m_factory             ? ModelDiff::compareWithFactory(m_model)
                                : ModelDiff::compare(m_model, m_other);
    const QSignalBlocker blocker(m_rows);
    m_rows->clear();
    for (int i = 0; i < m_diffs.size(); ++i) {
        const ParamDifference &d = m_diffs.at(i);
        const QString name = d.site.group.isEmpty() ? d.label : d.site.group + QStringLiteral(" / ") + d.label;
        auto *item = new QTreeWidgetItem(m_rows, {name, d.a, d.b});
        item->setData(0, Qt::UserRole, i);
        item->setIcon(1, swatch(d.a));
        item->setIcon(2, swatch(d.b));
        item->setToolTip(1, d.a);
        item->setToolTip(2, d.b);
        if (ModelDiff::restorable(d)) {
            item->setCheckState(0, checked.contains(d.site.address) ? Qt::Checked : Qt::Unchecked);
        } else {
            item->setFlags(item->flags() & ~Qt::ItemIsUserCheckable);
            item->setToolTip(0, d.dynamic ? tr("Only one side holds this value: put back with \"Apply all\" only")
                                          : tr("A text: put back with \"Apply all\" only"));
        }
    }
    m_summary->setText(m_other.isEmpty() ? tr("Nothing chosen to compare with.")
                                         : m_diffs.isEmpty() ? tr("No differences.")
                                                             : tr("Differences: %1").arg(m_diffs.size()));
    m_applyChecked->setEnabled(!m_diffs.isEmpty());
    m_applyAll->setEnabled(!m_diffs.isEmpty());
}

void CompareView::applyChecked()
{
    QList<ParamDifference> chosen;
    for (int i = 0; i < m_rows->topLevelItemCount(); ++i) {
        QTreeWidgetItem *item = m_rows->topLevelItem(i);
        if ((item->flags() & Qt::ItemIsUserCheckable) && item->checkState(0) == Qt::Checked)
            chosen.append(m_diffs.at(item->data(0, Qt::UserRole).toInt()));
    }
    if (chosen.isEmpty() || !otherMachineAccepted())
        return;
    if (beforeApply)
        beforeApply();
    BarProgress progress(m_bar);
    m_bar->setVisible(chosen.size() > ManyValues);
    ModelDiff::apply(m_model, m_other, chosen, &progress);
    m_bar->hide();
    if (afterApply)
        afterApply();
    refill();
}

void CompareView::applyAll()
{
    if (m_other.isEmpty() || !otherMachineAccepted())
        return;
    // The whole configuration is overwritten: said with its size first, Cancel the default.
    const int n = m_diffs.size();
    const QString text = host()->boardConnected()
        ? tr("\"Apply all\" puts the configuration compared with back whole and sends it to the board. "
             "Values that change: %1. The board is kept in its history first.").arg(n)
        : tr("\"Apply all\" puts the configuration compared with back whole. Values that change: %1.").arg(n);
    if (!prompt()->confirm(tr("Apply all"), text, tr("Apply all")))
        return;
    if (beforeApply)
        beforeApply();
    if (applyWhole)
        applyWhole(m_other);
    if (afterApply)
        afterApply();
    refill();
}
