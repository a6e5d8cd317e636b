// Fault injection chosen on the command line: which answers are dropped or corrupted.
#pragma once
#include <QByteArray>
#include <QVector>

struct FaultOptions
{
    int dropEvery = 0;       // drop every Nth answer (0 = never)
    int delayMs = 0;         // hold every answer back this long
    QVector<int> delays;     // hold back the Nth answer by the Nth number (ms), later ones by delayMs
    bool corruptDirection = false;
    bool corruptAddress = false;
    int corruptEvery = 1;    // corrupt every Nth answer when a corruption is chosen
    int faultSkip = 0;       // the first N answers are never dropped or corrupted
    bool splitTcp = false;   // TCP answers leave one byte per segment
    int closeAfter = 0;      // close a TCP connection after its Nth request frame (0 = never)
    int lateEvery = 0;       // hold back only every Nth answer by delayMs, the rest go at once
    int faultCount = 0;      // stop after this many drops, corruptions and late answers (0 = never)
    int slowReadsMs = 0;     // hold back every answer to a described read (TCP) this long more
};

class FaultPlan
{
public:
    explicit FaultPlan(const FaultOptions &options) : opt(options) {}

    enum class Framing { Packet, Stream };
    // Decides the fate of the next answer: false = drop it; otherwise it may have been
    // corrupted in place. Discovery answers do not pass through here.
    bool pass(QByteArray &answer, Framing framing);

    const FaultOptions &options() const { return opt; }
    // How long the next answer that is sent is held back.
    int nextDelay();

private:
    void corrupt(QByteArray &answer, Framing framing) const;

    FaultOptions opt;
    // Whether one more fault may be made; counts it.
    bool spend();

    int answers = 0;
    int eligible = 0;
    int delayed = 0;
    int spent = 0;
};
