// Rounds, medians and spreads shared by the benchmarks: each bench times what it measures and
// its baseline in interleaved rounds (A B A B ...), so that a busy moment of the machine falls
// on both alike, and prints every quantity as its median with its spread.
#pragma once
#include <QElapsedTimer>
#include <QStringList>
#include <QVector>
#include <functional>

namespace Bench {

// Rounds unless told otherwise, and the bounds of what may be asked.
constexpr int DefaultRounds = 15;
constexpr int MinRounds = 3;
constexpr int MaxRounds = 101;

// The rounds to run: "--rounds N" (or "--rounds=N") among args, else the bench's own positional
// count when it has one (0 = none), else VANDOR_BENCH_ROUNDS, else fallback; kept within
// MinRounds..MaxRounds.
int rounds(const QStringList &args, int positional = 0, int fallback = DefaultRounds);
// args without "--rounds N", so that a bench's own positional arguments stay where they were.
QStringList withoutRounds(const QStringList &args);

struct Stats
{
    int count = 0;
    double median = 0;
    double min = 0;
    double max = 0;
    double q1 = 0;  // lower and upper quartile
    double q3 = 0;
};
Stats stats(QVector<double> values);

// The times of one quantity, one value per round, in milliseconds.
class Series
{
public:
    explicit Series(const char *label) : m_label(label) {}
    void add(double ms) { m_ms.append(ms); }
    void addNs(qint64 ns) { m_ms.append(double(ns) / 1e6); }
    // Times fn once and keeps its duration; false (nothing kept) when fn fails.
    bool time(const std::function<bool()> &fn);
    const char *label() const { return m_label; }
    const QVector<double> &values() const { return m_ms; }
    Stats stats() const { return Bench::stats(m_ms); }
    double median() const { return stats().median; }
    // "  label   median  12.34 ms   min-max 11.90-14.20   IQR 12.10-12.60   (15 rounds)"
    void print() const;

private:
    const char *m_label;
    QVector<double> m_ms;
};

// The ratio of the medians of a and b, and beside it the spread of the ratios of each round's
// pair (the rounds of a and b are interleaved, so the pairs share the machine's moods).
void printRatio(const char *label, const Series &a, const Series &b);

} // namespace Bench
