// The factory's table: which kind each of the eight type codes makes.
#include "registry/cfgkinds.h"

namespace {

template <class Kind>
CfgPar *makeKind()
{
    return new Kind;
}

struct KindEntry
{
    quint8 code;
    CfgPar *(*make)();
};

const KindEntry s_kinds[] = {
    {Uid::TypeN16, makeKind<CfgParN16>},
    {Uid::TypeM16, makeKind<CfgParM16>},
    {Uid::TypeM32, makeKind<CfgParM32>},
    {Uid::TypeStr, makeKind<CfgParString>},
    {Uid::TypeValArr16, makeKind<CfgParValArr16>},
    {Uid::TypeArr3, makeKind<CfgParArr3>},
    {Uid::TypeColour, makeKind<CfgParColour>},
    {Uid::TypeViewText16, makeKind<CfgParViewText16>},
};

const KindEntry *entryFor(quint8 code)
{
    for (const KindEntry &e : s_kinds)
        if (e.code == code)
            return &e;
    return nullptr;
}

} // namespace

std::unique_ptr<CfgPar> CfgPar::makeDetached(quint8 typeCode)
{
    const KindEntry *e = entryFor(typeCode);
    return std::unique_ptr<CfgPar>(e ? e->make() : nullptr);
}

bool CfgPar::knownType(quint8 typeCode) { return entryFor(typeCode) != nullptr; }
