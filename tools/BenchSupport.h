#pragma once
// What the benchmark programs share: medians, the BENCH lines, the invented
// keys of the filled tables, and rounds of our code and of the raw engine
// taken in turn.

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QString>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <iterator>
#include <utility>
#include <vector>

namespace yb::bench {

inline double median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

inline void report(const char* name, double value, const char* unit)
{
    std::printf("BENCH %s %.3f %s\n", name, value, unit);
    std::fflush(stdout);
}

// A key like the shop's names, with accents and ñ: "Cañaré 41".
inline QString makeKey(QRandomGenerator& rng, int i)
{
    static const char* syllables[] = {"al", "be", "ca", "ña", "do", "ré", "mi",  "sol", "za", "lú",  "to", "ga",
                                      "ve", "ro", "quí", "ne", "pa", "ti", "llo", "cha", "fe", "ja", "so", "mo"};
    QString s;
    const int n = 2 + int(rng.bounded(4));
    for (int k = 0; k < n; ++k)
        s += QString::fromUtf8(syllables[rng.bounded(int(std::size(syllables)))]);
    s[0] = s[0].toUpper();
    return s + QStringLiteral(" %1").arg(i);
}

// Per-call times in µs of `batch` calls of ours and of raw, `rounds` rounds
// each, taken in turn (ours, raw, ours, raw ...) so that a busy moment of the
// machine slows both alike; the medians.
inline std::pair<double, double> interleaved(int rounds, int batch, const std::function<void()>& ours,
                                             const std::function<void()>& raw)
{
    std::vector<double> a, b;
    for (int r = 0; r < rounds; ++r) {
        for (int which = 0; which < 2; ++which) {
            const std::function<void()>& call = which ? raw : ours;
            QElapsedTimer t;
            t.start();
            for (int i = 0; i < batch; ++i)
                call();
            (which ? b : a).push_back(double(t.nsecsElapsed()) / 1000.0 / batch);
        }
    }
    return {median(a), median(b)};
}

} // namespace yb::bench
