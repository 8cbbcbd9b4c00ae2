// A second process for the PostgreSQL engine tests, writing through the engine.
//   pg_writer sell URI FIRST COUNT [DELAY_MS]  records sales FIRST.., "posted N" after each
//                                              insert returned; a failed insert is
//                                              reported ("failed N: ...") and tried again
//   pg_writer edit URI CODE PRICE              reads a product, waits for a line on stdin,
//                                              then updates its price: prints the outcome

#include "store/Catalogue.h"
#include "store/Engine.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QThread>
#include <cstdio>
#include <iostream>
#include <string>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 5)
        return 2;
    const std::string mode = argv[1];
    const QString uri = QString::fromLocal8Bit(argv[2]);
    try {
        std::unique_ptr<yb::Engine> engine = yb::openEngine(uri);
        if (mode == "sell") {
            const int first = std::atoi(argv[3]);
            const int count = std::atoi(argv[4]);
            const int delay = argc > 5 ? std::atoi(argv[5]) : 0;
            std::unique_ptr<yb::EngineTable> sales = engine->openTable(*yb::findTable(QStringLiteral("Ventas.DB")));
            for (int i = first; i < first + count; ++i) {
                const QVariantList values{2, QDateTime::currentDateTime(), i, 100 + i,
                                          QStringLiteral("Venta número %1 de una prueba larga").arg(i)};
                for (int attempt = 0;; ++attempt) {
                    try {
                        sales->insert({0, 1, 2, 3, 4}, values, {});
                        break;
                    } catch (const yb::EngineError& e) {
                        std::printf("failed %d: %s\n", i, e.what());
                        std::fflush(stdout);
                        if (attempt > 300)
                            return 1;
                        QThread::msleep(100);
                    }
                }
                std::printf("posted %d\n", i);
                std::fflush(stdout);
                if (delay)
                    QThread::msleep(delay);
            }
            return 0;
        }
        if (mode == "edit") {
            std::unique_ptr<yb::EngineTable> products =
                engine->openTable(*yb::findTable(QStringLiteral("Producto.db")));
            yb::RecordFilter f;
            f.equals << yb::RecordFilter::Equal{0, std::atoi(argv[3])};
            std::optional<yb::StoredRecord> found;
            products->find({0, 1, 2}, f, yb::RecordOrder::Table, [&](const yb::StoredRecord& r) {
                found = r;
                return false;
            });
            if (!found)
                return 3;
            std::printf("read\n");
            std::fflush(stdout);
            std::string line;
            std::getline(std::cin, line);
            const yb::WriteResult w = products->update(found->id, found->revision, {2}, {std::atoi(argv[4])}, {});
            const char* names[] = {"written", "changed", "deleted", "duplicate"};
            std::printf("%s\n", names[w.outcome]);
            std::fflush(stdout);
            return 0;
        }
    } catch (const yb::Error& e) {
        std::printf("error: %s\n", e.what());
        return 1;
    }
    return 2;
}
