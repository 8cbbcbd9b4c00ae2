#pragma once
// What the benchmark programs share: medians, the BENCH lines, the invented
// keys of the filled tables, and rounds of our code and of the raw engine
// taken in turn.

#include "shop/Sale.h"
#include "store/Catalogue.h"
#include "store/TableCursor.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QString>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <initializer_list>
#include <iterator>
#include <tuple>
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
    static const char* syllables[] = {"al", "be", "ca",  "ña", "do", "ré", "mi",  "sol", "za", "lú", "to", "ga",
                                      "ve", "ro", "quí", "ne", "pa", "ti", "llo", "cha", "fe", "ja", "so", "mo"};
    QString s;
    const int n = 2 + int(rng.bounded(4));
    for (int k = 0; k < n; ++k)
        s += QString::fromUtf8(syllables[rng.bounded(int(std::size(syllables)))]);
    s[0] = s[0].toUpper();
    return s + QStringLiteral(" %1").arg(i);
}

// Two hundred prefixes of five letters of keys like the filled tables' own,
// the same every run.
inline std::vector<QString> samplePrefixes()
{
    QRandomGenerator rng(7);
    std::vector<QString> prefixes;
    for (int i = 0; i < 200; ++i)
        prefixes.push_back(makeKey(rng, 0).left(5));
    return prefixes;
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

// Recording a sale at the terminal: the checks, the append and the durable
// post of the sale record, through the terminal's own recording code, in the
// database the store points at (its product table gets 50 products first).
inline void benchSaleRecording()
{
    TableCursor editor(cursorDecl(QStringLiteral("REGISTR1"), QStringLiteral("Table1")));
    editor.open();
    for (int code = 1; code <= 50; ++code) {
        editor.append();
        editor.fieldByName(QStringLiteral("Codigo")).setAsInteger(code);
        editor.fieldByName(QStringLiteral("Descripcion")).setAsString(QStringLiteral("Producto %1").arg(code));
        editor.fieldByName(QStringLiteral("Precio")).setAsInteger(100 + code);
        editor.post();
    }
    TableCursor productos(cursorDecl(QStringLiteral("REGISTR2"), QStringLiteral("tblProductos")));
    TableCursor ventas(cursorDecl(QStringLiteral("REGISTR2"), QStringLiteral("tblVentas")));
    productos.open();
    ventas.open();
    Till till(&productos, &ventas);
    std::vector<double> sales;
    int32_t total = 0;
    for (int i = 0; i < 101; ++i) {
        const QString code = QString::number(1 + i % 50);
        till.lookup(code);
        QElapsedTimer t;
        t.start();
        total = till.record(code, QStringLiteral("1"), total % 1000000).total;
        sales.push_back(t.nsecsElapsed() / 1e6);
    }
    report("sale_record_ms", median(sales), "ms");
}

// One new record posted through a cursor on Cosmetic.DB (a durable insert).
inline void postNewCosmetic(TableCursor& cur, int i)
{
    cur.insert();
    cur.fieldByName(QStringLiteral("Producto Cosmetico")).setAsString(QStringLiteral("Áloe nuevo %1").arg(i));
    cur.fieldByName(QStringLiteral("Indicaciones")).setAsString(QStringLiteral("Texto de prueba"));
    cur.post();
}

// Edits of the current record of a cursor on Cosmetic.DB, each posted; prints post_edit_ms.
inline void benchEdits(TableCursor& cur, int rounds)
{
    std::vector<double> eds;
    for (int i = 0; i < rounds; ++i) {
        QElapsedTimer t;
        t.start();
        cur.edit();
        cur.fieldByName(QStringLiteral("Modo Empleo")).setAsString(QStringLiteral("Cambio %1").arg(i));
        cur.post();
        eds.push_back(t.nsecsElapsed() / 1e6);
    }
    report("post_edit_ms", median(eds), "ms");
}

// "RATIO <name> <ours/raw>" for each measure.
inline void printRatios(std::initializer_list<std::tuple<const char*, double, double>> measures)
{
    for (const auto& [name, ours, raw] : measures)
        std::printf("RATIO %s %.2f\n", name, ours / raw);
    std::fflush(stdout);
}

} // namespace yb::bench
