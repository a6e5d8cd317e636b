// The long transfers of the fixed-layout models: the whole image and NV region from the
// board, the image back to it, and the text pool. The event loop runs between pieces.
#include "base/progress.h"
#include "devices/fixedlayoutmodel.h"
#include "link/devio.h"
#include <QCoreApplication>
#include <QPointer>

namespace {

// The link a transfer started on; one that goes away mid-transfer fails the rest.
class TransferLink
{
public:
    TransferLink() : m_link(currentLink()) {}
    DevIo *get() const { return m_link.data(); }
    // Writes sent as one batch: a link without acknowledgements proves them once, at the end.
    void beginBatch()
    {
        if (m_link)
            m_link->beginBatch();
        m_batch = true;
    }
    // Ends the batch: false when its writes failed or the link cannot prove them.
    bool endBatch(bool written)
    {
        m_batch = false;
        const bool proved = m_link && m_link->endBatch();
        return written && proved;
    }
    // A batch left early (a write failed) is still ended on its link.
    ~TransferLink()
    {
        if (m_batch && m_link)
            m_link->endBatch();
    }

private:
    QPointer<DevIo> m_link;
    bool m_batch = false;
};

void letEventsRun() { QCoreApplication::processEvents(); }

} // namespace

bool FixedLayoutModel::readDevice(Progress *progress)
{
    CountingProgress none;
    if (!progress)
        progress = &none;
    TransferLink link;
    if (!link.get())
        return true;
    progress->setMaximum(ImageSize);
    progress->setValue(0);
    bool failed = false;
    for (int a = 0; a < ImageSize; a += DevIo::MaxChunk) {
        const int n = qMin(DevIo::MaxChunk, ImageSize - a);
        DevIo *l = link.get();
        failed |= !l || !l->readCfg(m_image.data() + a, quint16(a), n);
        letEventsRun();
        progress->setValue(a + n);
    }
    for (int a = 0; a < NvSize; a += DevIo::MaxChunk) {
        const int n = qMin(DevIo::MaxChunk, NvSize - a);
        DevIo *l = link.get();
        failed |= !l || !l->readNvMem(m_nv.data() + a, quint16(a), n);
        letEventsRun();
    }
    return failed;
}

bool FixedLayoutModel::writeDevice(Progress *progress)
{
    CountingProgress none;
    if (!progress)
        progress = &none;
    TransferLink link;
    if (!link.get())
        return false;
    progress->setMaximum(ImageSize);
    link.beginBatch();
    // The check words at the end are never sent.
    for (int a = 0; a < FixedImage::WriteEnd; a += DevIo::MaxChunk) {
        const int n = qMin(DevIo::MaxChunk, FixedImage::WriteEnd - a);
        if (!link.get() || !link.get()->writeCfg(m_image.data() + a, quint16(a), n))
            return link.endBatch(false);
        progress->setValue(a + n);
        letEventsRun();
    }
    return link.endBatch(true);
}

bool FixedLayoutModel::writeTexts(Progress *progress, int count)
{
    CountingProgress none;
    if (!progress)
        progress = &none;
    TransferLink link;
    // Offline there is nothing to send.
    if (!link.get())
        return true;
    // Only the text pool is ever sent this way.
    const int base = m_layout.textBase;
    count = qBound(0, count, qMin(m_layout.textSize, FixedImage::WriteEnd - base));
    link.beginBatch();
    for (int a = 0; a < count; a += DevIo::MaxChunk) {
        const int n = qMin(DevIo::MaxChunk, count - a);
        progress->setValue(a);
        if (!link.get() || !link.get()->writeCfg(m_image.data() + base + a, quint16(base + a), n))
            return link.endBatch(false);
        letEventsRun();
    }
    return link.endBatch(true);
}
