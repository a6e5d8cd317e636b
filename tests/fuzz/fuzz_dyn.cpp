// What a board that describes itself sends, read as the program reads it and made into its
// page; then written back and saved as a dump. Per answer of the board: a flags byte (bit 7:
// the packet is lost), a complete byte, a length byte and that many bytes.
#include "devices/devcom2.h"
#include "editors/par.h"
#include "fakelink.h"
#include "fuzz_support.h"
#include "registry/cfgpar.h"
#include <QBuffer>
#include <QWidget>

using Fuzz::check;

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    Fuzz::initApplication(true);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > 1 << 14)
        return 0;
    Fuzz::Input in(data, size);
    FakeLink link;
    while (!in.atEnd()) {
        FakeLink::DynAnswer a;
        a.flags = in.byte();
        a.ok = !(a.flags & 0x80);
        a.complete = in.byte();
        a.data = in.bytes(in.byte());
        link.dynAnswers.append(a);
    }
    setCurrentLink(&link);
    {
        DevCom2 model;
        QWidget page;
        model.buildPage(&page);
        const bool failed = model.readDevice(nullptr);
        for (int list = 0; list < 4; ++list)
            check(CfgPar::count(list) <= CfgPar::MaxRegistered);
        const int editors = page.findChildren<Par *>().size();
        check(editors <= DevCom2::MaxEditorsPerPage && (!failed || editors <= CfgPar::count(1)));
        model.rebuildTabs();
        model.writeDevice(nullptr);
        QBuffer dump;
        check(dump.open(QIODevice::WriteOnly));
        if (model.save(&dump)) {
            QBuffer back(&dump.buffer());
            check(back.open(QIODevice::ReadOnly));
            // Whatever was read is saved whole and loads again; an empty list saves no body.
            check(model.load(&back) || CfgPar::count(1) == 0);
        }
    }
    setCurrentLink(nullptr);
    CfgPar::destroyAll();
    return 0;
}
