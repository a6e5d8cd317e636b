// Rounds, medians and spreads shared by the benchmarks.
#include "benchrounds.h"
#include <QtGlobal>
#include <algorithm>
#include <cstdio>

namespace Bench {

namespace {

// The value at fraction f of the sorted values, between neighbours where it falls between them.
double at(const QVector<double> &sorted, double f)
{
    const double pos = f * (sorted.size() - 1);
    const int low = int(pos);
    const int high = qMin(low + 1, sorted.size() - 1);
    return sorted.at(low) + (sorted.at(high) - sorted.at(low)) * (pos - low);
}

int asked(const QStringList &args)
{
    for (int i = 1; i < args.size(); ++i) {
        if (args.at(i) == QLatin1String("--rounds") && i + 1 < args.size())
            return args.at(i + 1).toInt();
        if (args.at(i).startsWith(QLatin1String("--rounds=")))
            return args.at(i).mid(9).toInt();
    }
    return 0;
}

} // namespace

int rounds(const QStringList &args, int positional, int fallback)
{
    int n = asked(args);
    if (n <= 0)
        n = positional;
    if (n <= 0)
        n = qEnvironmentVariableIntValue("VANDOR_BENCH_ROUNDS");
    if (n <= 0)
        n = fallback;
    return qBound(MinRounds, n, MaxRounds);
}

QStringList withoutRounds(const QStringList &args)
{
    QStringList out;
    for (int i = 0; i < args.size(); ++i) {
        if (args.at(i) == QLatin1String("--rounds"))
            ++i;
        else if (!args.at(i).startsWith(QLatin1String("--rounds=")))
            out << args.at(i);
    }
    return out;
}

Stats stats(QVector<double> values)
{
    Stats s;
    s.count = values.size();
    if (values.isEmpty())
        return s;
    std::sort(values.begin(), values.end());
    s.min = values.first();
    s.max = values.last();
    s.median = at(values, 0.5);
    s.q1 = at(values, 0.25);
    s.q3 = at(values, 0.75);
    return s;
}

bool Series::time(const std::function<bool()> &fn)
{
    QElapsedTimer clock;
    clock.start();
    if (!fn())
        return false;
    addNs(clock.nsecsElapsed());
    return true;
}

void Series::print() const
{
    const Stats s = stats();
    // Short times keep more digits, so that their spread stays visible.
    const int d = s.max < 1 ? 4 : 2;
    std::printf("  %-40s median %9.*f ms   min-max %.*f-%.*f   IQR %.*f-%.*f   (%d rounds)\n", m_label, d, s.median,
                d, s.min, d, s.max, d, s.q1, d, s.q3, s.count);
}

void printRatio(const char *label, const Series &a, const Series &b)
{
    const double bm = b.median();
    QVector<double> pairs;
    for (int i = 0; i < qMin(a.values().size(), b.values().size()); ++i)
        if (b.values().at(i) > 0)
            pairs.append(a.values().at(i) / b.values().at(i));
    const Stats p = stats(pairs);
    std::printf("  %-40s ratio  %9.2f      per round: median %.2f, min-max %.2f-%.2f, IQR %.2f-%.2f\n", label,
                bm > 0 ? a.median() / bm : 0.0, p.median, p.min, p.max, p.q1, p.q3);
}

} // namespace Bench
