// Shared base of every fixed-layout device model: the 8192-byte image and the 128-byte NV
// region, dump files, hex dump, transfers to and from the board, help file I/O.
#pragma once
#include "devices/devicecfg.h"
#include "devices/fixedimage.h"
#include "devices/fixedlayout.h"
#include "devices/fixedtable.h"
#include <array>

class DevIo;

class FixedLayoutModel : public DeviceCfg
{
    Q_OBJECT
public:
    static constexpr int ImageSize = FixedImage::Size;
    static constexpr int NvSize = 128;
    // Keys with this bit name a byte offset in the NV region instead of the image.
    static constexpr quint32 NvKey = 0x8000;

    // layout must outlive the model (a static const description of the generation).
    FixedLayoutModel(const FixedLayout &layout, QObject *parent);

    const FixedLayout &layout() const { return m_layout; }
    quint8 *nvRegion() { return m_nv.data(); }
    // The image or NV byte named by a parameter key, or null outside both.
    quint8 *valuePointer(quint32 key);

    QString title() const override;
    quint8 *image() override { return m_image.data(); }
    bool load(QIODevice *file) override;
    bool save(QIODevice *file) override;
    QString hexDump() override;
    bool readDevice(Progress *progress) override;
    void writeDevice(Progress *progress) override;
    void writeTexts(Progress *progress, int count) override;
    QString parName(quint32 key) override;
    // The help text of the address's help key.
    QString helpText(quint32 key) override;
    // The parameter table of the model, or null when it has none.
    virtual const FixedTable::Table *table() const { return nullptr; }
    // Addresses that share one help text map to one key; by default every address is its own.
    virtual quint32 helpKey(quint32 address) const;
    void saveHelp() override;
    void changed(quint32 key, int size) override;
    void clearNvm() override;
    void relayTest(int mask) override;
    int fmFlag() override;
    void setFmFlag(int flag) override;
    bool hasFmFlag() const override { return m_layout.fmFlag; }

protected:
    // What every page build ends with: the layout version set, the check words cleared and
    // the model's help texts loaded.
    void finishPage();
    void loadHelpTexts();

private:
    const FixedLayout &m_layout;
    std::array<quint8, ImageSize> m_image;
    std::array<quint8, NvSize> m_nv;
};
