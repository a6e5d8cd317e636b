// Dropping and corrupting answers by count, so that a test knows exactly which answer is hit.
#include "faults.h"

namespace {

// Answers that echo an address: readCfg and readNvMem of either framing.
bool echoesAddress(const QByteArray &a, FaultPlan::Framing framing)
{
    const quint8 code = quint8(a.at(0));
    if (framing == FaultPlan::Framing::Packet)
        return (code == 0x03 || code == 0x06) && a.size() >= 4;
    return (code == 0x04 || code == 0x07) && a.size() >= 4 && quint8(a.at(1)) >= 2;
}

} // namespace

bool FaultPlan::pass(QByteArray &answer, Framing framing)
{
    ++answers;
    if (answers <= opt.faultSkip)
        return true;
    const int n = answers - opt.faultSkip;
    if (opt.dropEvery > 0 && n % opt.dropEvery == 0 && spend())
        return false;
    if (opt.corruptDirection || opt.corruptAddress) {
        ++eligible;
        if ((opt.corruptEvery <= 1 || eligible % opt.corruptEvery == 0) && spend())
            corrupt(answer, framing);
    }
    return true;
}

bool FaultPlan::spend()
{
    if (opt.faultCount > 0 && spent >= opt.faultCount)
        return false;
    ++spent;
    return true;
}

void FaultPlan::corrupt(QByteArray &a, Framing framing) const
{
    if (a.size() < 2)
        return;
    if (opt.corruptDirection) {
        // The stream framing has no direction byte: its command byte is what says which
        // request an answer belongs to.
        if (framing == Framing::Packet)
            a[1] = char(0x00);
        else
            a[0] = char(quint8(a.at(0)) ^ 0x80);
    }
    if (opt.corruptAddress && echoesAddress(a, framing)) {
        const quint16 address = quint16((quint8(a.at(2)) | (quint8(a.at(3)) << 8)) + 1);
        a[2] = char(address & 0xFF);
        a[3] = char(address >> 8);
    }
}

int FaultPlan::nextDelay()
{
    ++delayed;
    if (delayed <= opt.delays.size())
        return opt.delays.at(delayed - 1);
    if (opt.lateEvery > 0) {
        // Counted like the other faults from the first answer after the skipped ones.
        const int n = delayed - opt.faultSkip;
        return n > 0 && n % opt.lateEvery == 0 && spend() ? opt.delayMs : 0;
    }
    return opt.delayMs;
}
