// Shared base of every fixed-layout device model: the 8192-byte image and the 128-byte NV
// region, dump files, hex dump, transfers to and from the board, help file I/O.
#pragma once
#include "devices/devicecfg.h"
#include "devices/fixedimage.h"
#include "devices/fixedlayout.h"
#include "devices/fixedpage.h"
#include "devices/fixedtable.h"
#include <array>
#include <memory>

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

    QString title() const override;
    quint8 *image() override { return m_image.data(); }
    bool load(QIODevice *file) override;
    bool save(QIODevice *file) override;
    QString hexDump() override;
    bool readDevice(Progress *progress) override;
    bool writeDevice(Progress *progress) override;
    bool writeTexts(Progress *progress, int count) override;
    // Builds the page from the model's table for the board's identity words: text pool
    // geometry, bit lists, the tabs under the page-building counter, then finishPage().
    void buildPage(QWidget *container) override;
    bool buildNextTab() override;
    // Shows the editors made with their tab when it is on screen.
    void buildTab(QWidget *content) override;
    bool unbuiltValues(const QWidget *content, QVector<quint32> *addresses) const override
    {
        return m_page && m_page->valuesOf(content, addresses);
    }
    // Label of an address from the table, for the model's current board.
    QString parName(quint32 key) override;
    // The help text of the address's help key.
    QString helpText(quint32 key) override;
    // The parameter table of the model, or null for a layout without one.
    const FixedTable::Table *table() const { return m_layout.table ? &m_layout.table() : nullptr; }
    // Addresses that share one help text map to one key, as the table says.
    quint32 helpKey(quint32 address) const override;
    // The features the model's identity words stand for.
    BoardFeatures board() const { return BoardFeatures{word0, word2}; }
    // The editors of the page built last and the values each is bound to.
    const QVector<FixedPage::Placement> &placements() const { return m_placements; }
    // The path the help texts are read from in the language of the help: the saved file when
    // present, else the embedded one.
    QString helpReadPath() const;
    // The file the help texts in a language are saved to.
    QString helpSavePath(const QString &language) const;
    void saveHelp() override;
    bool helpEditable() const override { return true; }
    bool changed(quint32 key, int size) override;
    // The bytes at an image address, or at NvKey + an address of the NV region.
    QByteArray value(quint32 key, int size) const override;
    bool store(quint32 key, const QByteArray &bytes) override;
    bool clearNvm() override;
    void relayTest(int mask) override;
    void relayTestStarted() override;
    void relayTestEnded() override;
    int fmFlag() override;
    bool setFmFlag(int flag) override;
    bool hasFmFlag() const override { return m_layout.fmFlag; }
    bool hasRelayTest() const override { return m_layout.relayMaskAddress >= 0; }

protected:
    // What every page build ends with: the layout version set, the check words cleared and
    // the model's help texts loaded.
    void finishPage();
    // Gives the erased values of the page their defaults and the text pool the page's texts.
    void giveErasedValues(const BoardFeatures &features);
    void loadHelpTexts();

private:
    // Refreshes the editors bound to keys first..last.
    void refreshEditors(quint32 first, quint32 last);
    // Puts the new editors of a section among the others' in the window's focus order.
    static void keepFocusOrder(QWidget *content);

private:
    const FixedLayout &m_layout;
    std::array<quint8, ImageSize> m_image;
    std::array<quint8, NvSize> m_nv;
    QVector<FixedPage::Placement> m_placements;
    // The builder of the page built last, kept for its tabs still to be made.
    std::unique_ptr<FixedPage> m_page;
    // The user's relay signal invert word while a relay test runs; -1 when none runs.
    int m_relaySaved = -1;
};
