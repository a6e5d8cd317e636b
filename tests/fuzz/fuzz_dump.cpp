// Dump files of the fixed-layout models. The first input byte chooses the model, whether it
// starts edited, and whether the file is sealed with a correct check word first (then the rest
// is an offset and the bytes put there in an erased image), so that accepted files are reached.
// A refused file must leave the configuration exactly as it was; an accepted one must become
// the image (the board's FM flag kept), save back to the same bytes, and decode value by value
// against a fresh model, as the compare view does.
#include "devices/devesprelay.h"
#include "devices/devmarvek1_1.h"
#include "devices/devmarvek2_0.h"
#include "devices/devmarvek3_0.h"
#include "devices/devmarvekrobo1_0.h"
#include "devices/devtokmat1_0.h"
#include "devices/modeldiff.h"
#include "fuzz_support.h"
#include <QBuffer>
#include <cstring>
#include <memory>

using Fuzz::check;

namespace {

struct Model
{
    const char *name;
    std::unique_ptr<DeviceCfg> (*make)();
};

template <class T>
std::unique_ptr<DeviceCfg> make()
{
    return std::make_unique<T>();
}

// One line per model that loads dump files.
const Model s_models[] = {
    {"1.1", make<DevMarvek1_1>},
    {"2.0", make<DevMarvek2_0>},
    {"3.0", make<DevMarvek3_0>},
    {"esp", make<DevEspRelay>},
    {"robo", make<DevMarvekRobo1_0>},
    {"tokmat", make<DevTokmat1_0>},
};
constexpr int ModelCount = int(sizeof s_models / sizeof s_models[0]);

constexpr quint8 SealBit = 0x80;   // pad to 8192 bytes with 0xFF and seal before loading
constexpr quint8 DirtyBit = 0x40;  // start from a model whose image and FM flag were edited

struct State
{
    QByteArray image;
    QByteArray nv;
    quint16 words[3];
};

State stateOf(DeviceCfg *m)
{
    State s;
    if (m->image())
        s.image = QByteArray(reinterpret_cast<const char *>(m->image()), FixedLayoutModel::ImageSize);
    if (auto *f = qobject_cast<FixedLayoutModel *>(m))
        s.nv = QByteArray(reinterpret_cast<const char *>(f->nvRegion()), FixedLayoutModel::NvSize);
    s.words[0] = m->word0;
    s.words[1] = m->word1;
    s.words[2] = m->word2;
    return s;
}

bool operator==(const State &a, const State &b)
{
    return a.image == b.image && a.nv == b.nv && memcmp(a.words, b.words, sizeof a.words) == 0;
}

bool load(DeviceCfg *m, const QByteArray &file)
{
    QByteArray bytes = file;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return m->load(&buffer);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    Fuzz::initApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1 || size > 3 * FixedLayoutModel::ImageSize)
        return 0;
    Fuzz::Input in(data, size);
    const quint8 mode = in.byte();
    const Model &entry = s_models[(mode & 0x3F) % ModelCount];
    QByteArray file = in.rest();
    std::unique_ptr<DeviceCfg> model = entry.make();
    auto *fixed = qobject_cast<FixedLayoutModel *>(model.get());
    if (fixed && (mode & DirtyBit)) {
        for (int a = 0; a < FixedLayoutModel::ImageSize; a += 97)
            fixed->image()[a] = quint8(a);
        fixed->nvRegion()[5] = 0x12;
        if (fixed->hasFmFlag())
            fixed->setFmFlag(1);
    }
    if (fixed && (mode & SealBit)) {
        // The bytes go in at the offset the file starts with, so that short inputs reach
        // every part of the image.
        const int offset = file.size() >= 2 ? (quint8(file[0]) | quint8(file[1]) << 8) % FixedLayoutModel::ImageSize : 0;
        const QByteArray body = file.mid(2, FixedLayoutModel::ImageSize);
        file = QByteArray(FixedLayoutModel::ImageSize, char(0xFF));
        for (int i = 0; i < body.size(); ++i)
            file[(offset + i) % FixedLayoutModel::ImageSize] = body[i];
        FixedImage::seal(reinterpret_cast<quint8 *>(file.data()), fixed->layout());
    }

    const State before = stateOf(model.get());
    const int fmBefore = model->fmFlag();
    if (!load(model.get(), file)) {
        check(stateOf(model.get()) == before);
        return 0;
    }
    check(fixed != nullptr && file.size() >= FixedLayoutModel::ImageSize);
    check(model->fmFlag() == fmBefore);
    const State after = stateOf(model.get());
    check(after.nv == before.nv);
    // The image is the file's first 8192 bytes; only the FM flag bit may differ.
    const int flagByte = fixed->layout().layoutAddress + 1;
    for (int a = 0; a < FixedLayoutModel::ImageSize; ++a) {
        const quint8 mask = (fixed->hasFmFlag() && a == flagByte) ? 0x7F : 0xFF;
        check((quint8(after.image[a]) & mask) == (quint8(file[a]) & mask));
    }

    // Saved again, the file loads again to the same image.
    QByteArray saved;
    {
        QBuffer out(&saved);
        out.open(QIODevice::WriteOnly);
        check(model->save(&out));
    }
    check(saved.size() == FixedLayoutModel::ImageSize);
    std::unique_ptr<DeviceCfg> again = entry.make();
    check(load(again.get(), saved));
    check(memcmp(again->image(), model->image(), FixedLayoutModel::ImageSize) == 0);

    // Every value decoded as the compare view shows it, against the erased image.
    const QList<ParamDifference> diffs = ModelDiff::compare(qobject_cast<FixedLayoutModel *>(again.get()), saved);
    check(diffs.isEmpty());
    std::unique_ptr<DeviceCfg> fresh = entry.make();
    auto *freshFixed = qobject_cast<FixedLayoutModel *>(fresh.get());
    for (const ParamDifference &d : ModelDiff::compare(freshFixed, saved))
        ModelDiff::restorable(d);
    model->hexDump();
    return 0;
}
