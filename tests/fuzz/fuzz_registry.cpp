// Arbitrary bytes into the record reader (value and describe mode, whole or in chunks with
// arbitrary complete counts) and into the dump loader, with the invariants checked after each.
#include "registry/cfgkinds.h"
#include "registry/dyndump.h"
#include <QByteArray>
#include <QLoggingCategory>
#include <cstdint>
#include <cstdlib>

namespace {

// First byte of an input.
constexpr quint8 ModeMask = 0x03;  // 0 value reader, 1 describe reader, 2 chunked reader, 3 dump
constexpr quint8 HwBit = 0x04;     // hardware filter (reader) or "_hset_" file (dump)
constexpr quint8 DescBit = 0x08;   // chunked reader in describe mode

const quint32 s_uids[] = {
    0x42100001u, 0x45100002u, 0x46100003u, 0x47100004u, 0x48100005u, 0x49100006u, 0x4A100007u,
    0x4B100008u, 0x42100801u, 0x47100802u, 0x4B100803u, 0x86200001u, 0xC8100002u,
};

void populate()
{
    CfgPar::destroyAll();
    for (quint32 uid : s_uids)
        CfgPar::create(uid);
    for (CfgPar *p = CfgPar::head(1); p; p = p->next())
        if (auto *n = dynamic_cast<CfgParN16 *>(p))
            n->setLimits(10, 100), n->setValue(50);
}

void check(bool ok)
{
    if (!ok)
        std::abort();
}

QByteArray image(int list, bool describe)
{
    CfgStream s(describe ? quint32(CfgStream::Describe) : 0u);
    s.startList(quint32(list) << 30);
    QByteArray out;
    quint8 chunk[61];
    while (s.hasMore()) {
        const int n = s.writeChunk(chunk, 61);
        check(n <= 61 && s.complete() <= n);
        out.append(reinterpret_cast<const char *>(chunk), n);
    }
    check(!s.failed() && s.carried() == 0);
    return out;
}

// Clamped numbers stay inside their limits after value-mode reading.
void checkClamped()
{
    for (CfgPar *p = CfgPar::head(1); p; p = p->next())
        if (auto *n = dynamic_cast<CfgParN16 *>(p))
            check(n->min() > n->max() || (n->min() <= n->value() && n->value() <= n->max()));
}

// Everything the registry holds writes out and reads back to the same bytes.
void checkRoundTrip(bool describe)
{
    for (int list = 0; list < 4; ++list) {
        const QByteArray before = image(list, describe);
        CfgStream r(describe ? quint32(CfgStream::Describe) : 0u);
        r.readChunk(reinterpret_cast<const quint8 *>(before.constData()), before.size(), before.size());
        check(!r.failed() && r.carried() == 0);
        check(image(list, describe) == before);
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    QLoggingCategory::setFilterRules(QStringLiteral("vandor.registry.debug=false"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1 || size > 1 << 20)
        return 0;
    const quint8 mode = data[0];
    const auto *body = reinterpret_cast<const quint8 *>(data + 1);
    const int len = int(size - 1);
    const quint32 hw = (mode & HwBit) ? quint32(CfgStream::HwFilter) : 0u;
    populate();
    switch (mode & ModeMask) {
    case 0: {
        CfgStream r(hw);
        r.readChunk(body, len, len);
        checkClamped();
        break;
    }
    case 1: {
        CfgStream r(CfgStream::Describe | hw);
        r.readChunk(body, len, len);
        break;
    }
    case 2: {
        // Chunks of [length][complete][bytes].
        CfgStream r((mode & DescBit) ? quint32(CfgStream::Describe) | hw : hw);
        int pos = 0;
        while (pos + 2 <= len && !r.failed()) {
            const int n = qMin(int(body[pos]), len - pos - 2);
            const int limit = body[pos + 1];
            r.readChunk(body + pos + 2, n, limit);
            pos += 2 + n;
        }
        if (!(mode & DescBit))
            checkClamped();
        break;
    }
    default: {
        const QByteArray before = image(1, true);
        const QByteArray file(reinterpret_cast<const char *>(body), len);
        if (!DynDump::loadBytes(file, mode & HwBit))
            check(image(1, true) == before); // a refused file changes nothing
        checkClamped();
        break;
    }
    }
    // Numbers a description brought in may lie outside their limits; reading them back in
    // value mode clamps them, so the value round trip holds only after value-mode input.
    if ((mode & ModeMask) != 1 && !((mode & ModeMask) == 2 && (mode & DescBit)))
        checkRoundTrip(false);
    checkRoundTrip(true);
    CfgPar::destroyAll();
    return 0;
}
