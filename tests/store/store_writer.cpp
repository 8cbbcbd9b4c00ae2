// A second process for the store tests.
//   store_writer sell DIR COUNT [DELAY_MS]   records sales; "posted N" after each post returned
//   store_writer edit DIR CODE PRICE         edits a product's price, posts on a line from stdin
//   store_writer fill DIR MAX_FILE_BYTES     records sales with files limited in size, until refused

#include "store/Database.h"
#include "store/Errors.h"
#include "store/TableCursor.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QThread>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <string>
#include <sys/resource.h>

namespace {

void sell(yb::TableCursor& sales, int i)
{
    sales.append();
    sales.fieldByName(QStringLiteral("Caja")).setAsInteger(2);
    sales.fieldByName(QStringLiteral("Fecha y Hora")).setAsDateTime(QDateTime::currentDateTime());
    sales.fieldByName(QStringLiteral("Codigo")).setAsInteger(i);
    sales.fieldByName(QStringLiteral("Importe")).setAsInteger(100 + i);
    sales.fieldByName(QStringLiteral("Producto"))
        .setAsString(QStringLiteral("Venta número %1 de una prueba larga").arg(i));
    sales.post();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 4)
        return 2;
    const std::string mode = argv[1];
    yb::Database::setDirectory(QString::fromLocal8Bit(argv[2]));
    try {
        if (mode == "sell") {
            const int count = std::atoi(argv[3]);
            const int delay = argc > 4 ? std::atoi(argv[4]) : 0;
            yb::TableCursor sales(yb::cursorDecl(QStringLiteral("REGISTR2"), QStringLiteral("tblVentas")));
            sales.open();
            for (int i = 1; i <= count; ++i) {
                sell(sales, i);
                std::printf("posted %d\n", i);
                std::fflush(stdout);
                if (delay)
                    QThread::msleep(delay);
            }
            return 0;
        }
        if (mode == "edit" && argc > 4) {
            yb::TableCursor products(yb::cursorDecl(QStringLiteral("REGISTR1"), QStringLiteral("Table1")));
            products.open();
            if (!products.locate(QStringLiteral("Codigo"), std::atoi(argv[3]), yb::LocateNone))
                return 3;
            products.edit();
            products.fieldByName(QStringLiteral("Precio")).setAsInteger(std::atoi(argv[4]));
            std::printf("editing\n");
            std::fflush(stdout);
            std::string line;
            std::getline(std::cin, line);
            try {
                products.post();
                std::printf("posted\n");
            } catch (const yb::Error& e) {
                std::printf("refused: %s\n", e.what());
            }
            std::fflush(stdout);
            return 0;
        }
        if (mode == "fill") {
            std::signal(SIGXFSZ, SIG_IGN);
            yb::TableCursor sales(yb::cursorDecl(QStringLiteral("REGISTR2"), QStringLiteral("tblVentas")));
            sales.open();
            rlimit lim{rlim_t(std::atoll(argv[3])), rlim_t(std::atoll(argv[3]))};
            setrlimit(RLIMIT_FSIZE, &lim);
            for (int i = 1; i < 10000000; ++i) {
                try {
                    sell(sales, i);
                } catch (const yb::Error& e) {
                    std::printf("error: %s\n", e.what());
                    std::printf("state %d\n", int(sales.state()));
                    return 3;
                }
                std::printf("posted %d\n", i);
                std::fflush(stdout);
            }
            return 0;
        }
    } catch (const yb::Error& e) {
        std::printf("error: %s\n", e.what());
        return 1;
    }
    return 2;
}
