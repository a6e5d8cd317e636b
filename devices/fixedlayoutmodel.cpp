// Image, dump file, help files and the small writes of the fixed-layout models; the long
// transfers are in fixedtransfers.cpp, the page in fixedlayoutpage.cpp.
#include "devices/fixedlayoutmodel.h"
#include "devices/factoryimage.h"
#include "base/logging.h"
#include "base/resources.h"
#include "link/devio.h"
#include "editors/par.h"
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QIODevice>
#include <optional>
#include <cstring>

FixedLayoutModel::FixedLayoutModel(const FixedLayout &layout, QObject *parent)
    : DeviceCfg(parent), m_layout(layout)
{
    word0 = layout.word0;
    word1 = layout.word1;
    word2 = layout.word2;
    m_image.fill(0xFF);
    m_nv.fill(0xFF);
}

QString FixedLayoutModel::title() const
{
    return QCoreApplication::translate(metaObject()->className(), m_layout.title);
}

bool FixedLayoutModel::load(QIODevice *file)
{
    // Checked in a scratch buffer: a file that fails leaves the image exactly as it was.
    const QByteArray data = file ? file->read(ImageSize) : QByteArray();
    if (data.size() != ImageSize) {
        qCDebug(lcDevice, "Dump file too short: %d bytes", int(data.size()));
        return false;
    }
    std::array<quint8, ImageSize> scratch;
    memcpy(scratch.data(), data.constData(), size_t(ImageSize));
    if (!FixedImage::isValid(scratch.data(), m_layout)) {
        qCDebug(lcDevice, "Dump file has a wrong layout or check word");
        return false;
    }
    if (m_layout.fmFlag) {
        // The FM flag belongs to the connected board, not to the file.
        quint8 &high = scratch[size_t(m_layout.layoutAddress + 1)];
        high = quint8((high & 0x7F) | (m_image[size_t(m_layout.layoutAddress + 1)] & 0x80));
    }
    m_image = scratch;
    return true;
}

bool FixedLayoutModel::save(QIODevice *file)
{
    FixedImage::seal(m_image.data(), m_layout);
    if (!file)
        return false;
    return file->write(reinterpret_cast<const char *>(m_image.data()), ImageSize) == ImageSize;
}

QString FixedLayoutModel::hexDump()
{
    FixedImage::seal(m_image.data(), m_layout);
    return FixedImage::hexDump(m_image.data());
}

QString FixedLayoutModel::parName(quint32 key)
{
    if (!table())
        return tr("Parameter %1").arg(key);
    return FixedTable::label(*table(), key, board());
}

QString FixedLayoutModel::helpText(quint32 key)
{
    // Another language chosen since the texts were read: they are read again in it.
    const QString shown = helpMapLanguage();
    if (!shown.isEmpty() && shown != helpLanguage())
        loadHelpTexts();
    return DeviceCfg::helpText(helpKey(key));
}

quint32 FixedLayoutModel::helpKey(quint32 address) const
{
    return table() ? FixedTable::helpKey(*table(), address) : address;
}

QString FixedLayoutModel::helpSavePath(const QString &language) const
{
    return developmentFolder() + helpFileName(QString::fromLatin1(m_layout.helpSaveFile), language);
}

QString FixedLayoutModel::helpReadPath() const
{
    const QString language = helpLanguage();
    const QString saved = helpSavePath(language);
    if (developmentFolderUsable() && QFileInfo::exists(saved))
        return saved;
    return QStringLiteral(":/") + helpFileName(QString::fromLatin1(m_layout.helpFile), language);
}

void FixedLayoutModel::loadHelpTexts() { readHelpFile(helpReadPath(), helpLanguage()); }

void FixedLayoutModel::saveHelp()
{
    // Saved in the language the texts were read in: an edit never lands in the other
    // language's file.
    const QString language = helpMapLanguage().isEmpty() ? helpLanguage() : helpMapLanguage();
    // The development folder may not exist yet on a technician's machine.
    const QString path =
        developmentSavePath(helpFileName(QString::fromLatin1(m_layout.helpSaveFile), language));
    if (path.isEmpty()) {
        qCDebug(lcDevice, "Help not saved: the folder %s is not the user's own or the file is a link",
                qPrintable(developmentFolder()));
        return;
    }
    writeHelpFile(path);
}

void FixedLayoutModel::finishPage()
{
    FixedImage::clearCheck(m_image.data(), m_layout);
    loadHelpTexts();
}

// Where the size bytes named key lie: in the NV region (keys with NvKey) or the image, from
// start; nothing when they do not lie wholly inside it.
struct Region
{
    bool nv;
    quint32 start;
};

static std::optional<Region> regionOf(quint32 key, int size)
{
    const bool nv = key & FixedLayoutModel::NvKey;
    const quint32 start = nv ? key - FixedLayoutModel::NvKey : key;
    const quint32 limit = quint32(nv ? FixedLayoutModel::NvSize : FixedLayoutModel::ImageSize);
    if (key > 0xFFFF || size <= 0 || start >= limit || quint32(size) > limit - start)
        return std::nullopt;
    return Region{nv, start};
}

QByteArray FixedLayoutModel::value(quint32 key, int size) const
{
    const auto r = regionOf(key, size);
    if (!r)
        return QByteArray();
    const quint8 *base = r->nv ? m_nv.data() : m_image.data();
    return QByteArray(reinterpret_cast<const char *>(base + r->start), size);
}

bool FixedLayoutModel::store(quint32 key, const QByteArray &bytes)
{
    const auto r = regionOf(key, bytes.size());
    if (!r)
        return false;
    std::memcpy((r->nv ? m_nv.data() : m_image.data()) + r->start, bytes.constData(), size_t(bytes.size()));
    return true;
}

bool FixedLayoutModel::changed(quint32 key, int size)
{
    DevIo *link = currentLink();
    if (size <= 0)
        return true;
    if (!link)
        return false;
    const bool nv = key & NvKey;
    const quint32 start = nv ? key - NvKey : key;
    // The check words at the end of the image are never sent.
    const quint32 end = nv ? NvSize : FixedImage::WriteEnd;
    if (key > 0xFFFF || start >= end) {
        qCDebug(lcDevice, "Write range %x outside the image", key);
        return true;
    }
    const int length = int(qMin(quint32(size), end - start));
    for (int done = 0; done < length; done += DevIo::MaxChunk) {
        const int n = qMin(DevIo::MaxChunk, length - done);
        const quint16 address = quint16(start + quint32(done));
        const bool written = nv ? link->writeNvMem(m_nv.data() + address, address, n)
                                : link->writeCfg(m_image.data() + address, address, n);
        // The rest would only repeat the failure on a board that is not answering.
        if (!written)
            return false;
    }
    return true;
}

bool FixedLayoutModel::clearNvm()
{
    // The counters share the region with the model's own settings (table rows at NV keys):
    // those bytes keep their values and go back to the board among the zeroed counters.
    std::array<bool, NvSize> keep{};
    if (const FixedTable::Table *t = table()) {
        for (const FixedTable::Row &row : *t) {
            if (row.kind != FixedTable::Kind::Param || !(row.first & NvKey) || row.first > 0xFFFF)
                continue;
            for (quint32 a = row.first - NvKey; a <= row.last() - NvKey && a < quint32(NvSize); ++a)
                keep[a] = true;
        }
    }
    bool cleared = true;
    for (int i = 0; i < 32 && cleared; ++i) {
        for (int b = 4 * i; b < 4 * i + 4; ++b)
            if (!keep[size_t(b)])
                m_nv[size_t(b)] = 0;
        // A board that did not take one piece is not asked 31 more times.
        cleared = changed(NvKey + quint32(4 * i), 4);
    }
    refreshEditors(NvKey, NvKey + NvSize - 1);
    return cleared;
}

void FixedLayoutModel::relayTest(int mask)
{
    if (m_layout.relayMaskAddress < 0)
        return;
    FixedImage::setWord16(m_image.data(), m_layout.relayMaskAddress, quint16(mask));
    changed(quint32(m_layout.relayMaskAddress), 2);
}

void FixedLayoutModel::relayTestStarted()
{
    if (m_layout.relayMaskAddress >= 0 && m_relaySaved < 0)
        m_relaySaved = FixedImage::word16(m_image.data(), m_layout.relayMaskAddress);
}

void FixedLayoutModel::relayTestEnded()
{
    if (m_relaySaved < 0)
        return;
    const auto address = quint32(m_layout.relayMaskAddress);
    FixedImage::setWord16(m_image.data(), int(address), quint16(m_relaySaved));
    m_relaySaved = -1;
    changed(address, 2);
    refreshEditors(address, address + 1);
}

void FixedLayoutModel::refreshEditors(quint32 first, quint32 last)
{
    for (const FixedPage::Placement &p : m_placements)
        if (p.editor && p.address >= first && p.address <= last)
            p.editor->refresh();
}

int FixedLayoutModel::fmFlag()
{
    if (!m_layout.fmFlag)
        return DeviceCfg::fmFlag();
    return (m_image[size_t(m_layout.layoutAddress + 1)] >> 7) & 1;
}

bool FixedLayoutModel::setFmFlag(int flag)
{
    if (!m_layout.fmFlag)
        return DeviceCfg::setFmFlag(flag);
    quint8 &high = m_image[size_t(m_layout.layoutAddress + 1)];
    high = quint8((high & 0x7F) | (flag ? 0x80 : 0));
    return changed(quint32(m_layout.layoutAddress), 4);
}

const FactoryImage::Defaults &FactoryImage::of(const FixedLayoutModel &model)
{
    return of(model.layout(), model.word0, model.word1, model.word2);
}
