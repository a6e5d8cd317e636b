// Differences by the parameter table (or the dynamic device's records) and restoring them
// value by value.
#include "devices/modeldiff.h"
#include "base/progress.h"
#include "devices/devcom2.h"
#include "devices/devcom2records.h"
#include "devices/devcom2tables.h"
#include "devices/dyndecode.h"
#include "devices/factoryimage.h"
#include "devices/fixedlayoutmodel.h"
#include "registry/dyndump.h"
#include "registry/uid.h"
#include <QBuffer>
#include <QCoreApplication>
#include <QSet>

namespace {

// The bit lists the model's mask editors offer on this board.
BitLists bitsFor(const FixedLayout &layout, const BoardFeatures &board)
{
    return layout.bitLists ? layout.bitLists(board) : BitLists();
}

int sizeOf(const ParamDifference &d) { return d.site.row ? d.site.row->size() : 2; }

FixedLayoutModel *fixedOf(DeviceCfg *model)
{
    auto *fixed = qobject_cast<FixedLayoutModel *>(model);
    return fixed && fixed->table() ? fixed : nullptr;
}

bool isDynamic(DeviceCfg *model) { return qobject_cast<DevCom2 *>(model) != nullptr; }

// The parameters of a dump of the dynamic device by UID, in file order; hardware settings are
// left out (their editors are hidden and only a file of their own applies them).
QList<DevCom2Records::Record> dynRecords(const QByteArray &dump)
{
    QList<DevCom2Records::Record> records, kept;
    if (!DevCom2Records::parse(dump, &records))
        return {};
    for (const auto &r : qAsConst(records))
        if (!Uid::isHwSetting(r.uid))
            kept.append(r);
    return kept;
}

ParamDifference dynDifference(const DevCom2Records::Difference &diff)
{
    const QString absent = QCoreApplication::translate("ModelDiff", "(absent)");
    const quint32 uid = diff.uid;
    ParamDifference d;
    d.site = {uid, nullptr, DevCom2Tables::tabTitle(DevCom2Tables::tabKey(uid))};
    d.label = DevCom2Tables::label(uid);
    d.a = diff.a ? DynDecode::decode(uid, *diff.a) : absent;
    d.b = diff.b ? DynDecode::decode(uid, *diff.b) : absent;
    // Values equal as text that differ in bytes still show that they differ.
    if (d.a == d.b)
        d.b += QStringLiteral(" [%1]").arg(QString::fromLatin1(diff.b.value_or(QByteArray()).toHex(' ')));
    d.dynamic = true;
    d.restorable = diff.a && diff.b;
    return d;
}

QList<ParamDifference> compareDynamic(const QByteArray &now, const QByteArray &other)
{
    QList<ParamDifference> out;
    for (const DevCom2Records::Difference &diff : DevCom2Records::differences(dynRecords(now), dynRecords(other)))
        out.append(dynDifference(diff));
    return out;
}

// The record of uid in a dump, alone in a dump of its own; empty when the dump lacks it.
QByteArray dynRecordDump(const QByteArray &dump, quint32 uid)
{
    for (const auto &r : dynRecords(dump)) {
        if (r.uid != uid)
            continue;
        QByteArray one = DynDump::header();
        for (int i = 0; i < 4; ++i)
            one.append(char((uid >> (8 * i)) & 0xFF));
        return one + r.value;
    }
    return {};
}

} // namespace

namespace ModelDiff {

DeviceCfg *comparable(DeviceCfg *model)
{
    return fixedOf(model) || isDynamic(model) ? model : nullptr;
}

QByteArray current(DeviceCfg *model)
{
    if (FixedLayoutModel *fixed = fixedOf(model)) {
        QByteArray image(reinterpret_cast<const char *>(fixed->image()), FixedLayoutModel::ImageSize);
        FixedImage::seal(reinterpret_cast<quint8 *>(image.data()), fixed->layout());
        return image;
    }
    if (isDynamic(model)) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        DynDump::save(&buffer, QString());
        return buffer.data();
    }
    return {};
}

bool isDump(DeviceCfg *model, const QByteArray &bytes)
{
    if (FixedLayoutModel *fixed = fixedOf(model))
        return bytes.size() == FixedLayoutModel::ImageSize
            && FixedImage::isValid(reinterpret_cast<const quint8 *>(bytes.constData()), fixed->layout());
    QList<DevCom2Records::Record> records;
    return isDynamic(model) && DevCom2Records::parse(bytes, &records);
}

QByteArray factory(DeviceCfg *model)
{
    FixedLayoutModel *fixed = fixedOf(model);
    return fixed ? FactoryImage::of(*fixed).image : QByteArray();
}

bool hasFactory(DeviceCfg *model) { return fixedOf(model) != nullptr; }

QList<ParamDifference> compare(DeviceCfg *model, const QByteArray &other)
{
    if (isDynamic(model))
        return compareDynamic(current(model), other);
    FixedLayoutModel *fixed = fixedOf(model);
    if (!fixed || other.size() != FixedLayoutModel::ImageSize)
        return {};
    // A dump carries no board identity: decoded with every feature the model knows.
    BoardFeatures board;
    board.word0 = fixed->layout().word0;
    board.word2 = fixed->layout().word2;
    return diffImages(fixed->image(), reinterpret_cast<const quint8 *>(other.constData()), *fixed->table(),
                      fixed->layout(), board, bitsFor(fixed->layout(), board));
}

QList<ParamDifference> unheld(DeviceCfg *model, const QByteArray &written, const QByteArray &back,
                              const BoardFeatures &board)
{
    if (isDynamic(model)) {
        // Every parameter, hardware settings too: they were written like the others.
        QList<DevCom2Records::Record> a, b;
        DevCom2Records::parse(written, &a);
        DevCom2Records::parse(back, &b);
        QList<ParamDifference> out;
        for (const DevCom2Records::Difference &diff : DevCom2Records::differences(a, b))
            if (diff.a)
                out.append(dynDifference(diff));
        return out;
    }
    FixedLayoutModel *fixed = fixedOf(model);
    if (!fixed || written.size() < FixedLayoutModel::ImageSize || back.size() < FixedLayoutModel::ImageSize)
        return {};
    return diffImages(reinterpret_cast<const quint8 *>(written.constData()), reinterpret_cast<const quint8 *>(back.constData()),
                      *fixed->table(), fixed->layout(), board, bitsFor(fixed->layout(), board));
}

QList<ParamDifference> compareWithFactory(DeviceCfg *model)
{
    FixedLayoutModel *fixed = fixedOf(model);
    const QByteArray defaults = factory(model);
    if (!fixed || defaults.size() != FixedLayoutModel::ImageSize)
        return {};
    // Values the board's page does not offer keep whatever an erased board holds there.
    const BoardFeatures board = fixed->board();
    QSet<quint32> onPage;
    for (const FixedTable::Value &v : FixedTable::pageValues(*fixed->table(), board)) {
        onPage.insert(v.address());
        if (v.row->second)
            onPage.insert(v.row->second + quint32(v.k) * v.row->stride);
    }
    QList<ParamDifference> out;
    for (const ParamDifference &d :
         diffImages(fixed->image(), reinterpret_cast<const quint8 *>(defaults.constData()), *fixed->table(),
                    fixed->layout(), board, bitsFor(fixed->layout(), board))) {
        if (d.site.row && onPage.contains(d.site.address))
            out.append(d);
    }
    return out;
}

bool restorable(const ParamDifference &d)
{
    if (d.dynamic)
        return d.restorable;
    if (!d.site.row)
        return true;
    const FixedTable::Editor e = d.site.row->editor;
    return e != FixedTable::Editor::Name && e != FixedTable::Editor::ViewLine;
}

QByteArray fixedBytes(DeviceCfg *model, const QByteArray &other, const ParamDifference &d)
{
    if (d.dynamic || !restorable(d) || !fixedOf(model))
        return {};
    const int size = sizeOf(d);
    const quint32 a = d.site.address;
    if (other.size() != FixedLayoutModel::ImageSize || a + quint32(size) > quint32(FixedImage::WriteEnd))
        return {};
    return other.mid(int(a), size);
}

bool apply(DeviceCfg *model, const QByteArray &other, const QList<ParamDifference> &chosen, Progress *progress)
{
    if (!comparable(model))
        return false;
    if (progress) {
        progress->setMaximum(chosen.size());
        progress->setValue(0);
    }
    bool ok = true;
    int done = 0;
    for (const ParamDifference &d : chosen) {
        if (d.dynamic) {
            // A described parameter is loaded from its record, then sent as its editor sends it.
            const QByteArray before = isDynamic(model) ? model->value(d.site.address, 0) : QByteArray();
            if (d.restorable && isDynamic(model) && DynDump::loadBytes(dynRecordDump(other, d.site.address), false))
                ok &= DeviceCfg::notifyChange(d.site.address, 0, before);
        } else if (const QByteArray bytes = fixedBytes(model, other, d); !bytes.isEmpty()) {
            ok &= model->set(d.site.address, bytes);
        }
        if (progress)
            progress->setValue(++done);
    }
    return ok;
}

} // namespace ModelDiff
