// Dump files as the companion reads them (its own reader, with its reasons): the first input
// byte picks the model (bit 0: a board that describes itself, else a 2.0 controller) and the
// name (bit 1: a file of hardware settings); the rest is the file.
#include "devices/devcom2.h"
#include "devices/devmarvek2_0.h"
#include "fuzz_support.h"
#include "registry/cfgpar.h"
#include "tools/cli/dumpfile.h"
#include <QFile>

using Fuzz::check;

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    Fuzz::initApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1 || size > 1 << 16)
        return 0;
    Fuzz::Input in(data, size);
    const quint8 pick = in.byte();
    const QString path = Fuzz::scratchPath(pick & 2 ? QStringLiteral("site_hset_1.dmp") : QStringLiteral("site.dmp"));
    {
        QFile f(path);
        check(f.open(QIODevice::WriteOnly) && f.write(in.rest()) >= 0);
    }
    DevCom2 dyn;
    DevMarvek2_0 fixed;
    DeviceCfg *model = pick & 1 ? static_cast<DeviceCfg *>(&dyn) : &fixed;
    // A described board's parameters are those a read made; the file may only set their values.
    if (pick & 1)
        CfgPar::create(Uid::make(1, Uid::TypeM16, 0x102003));
    const int before = CfgPar::count(1);
    QString error;
    const bool loaded = loadDump(model, path, &error);
    check(loaded == error.isEmpty());
    check(CfgPar::count(1) == before);
    if (loaded) {
        const QString again = Fuzz::scratchPath(QStringLiteral("again.dmp"));
        check(saveDump(model, again, &error));
    }
    CfgPar::destroyAll();
    return 0;
}
