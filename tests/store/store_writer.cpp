// A second process for the store tests: records sales in a database directory
// and says "posted N" on standard output after each post has returned.
//   store_writer DIR COUNT [DELAY_MS]

#include "Database.h"
#include "TableCursor.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QThread>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 3)
        return 2;
    yb::Database::setDirectory(QString::fromLocal8Bit(argv[1]));
    const int count = std::atoi(argv[2]);
    const int delay = argc > 3 ? std::atoi(argv[3]) : 0;
    yb::TableCursor sales(yb::cursorDecl(QStringLiteral("REGISTR2"), QStringLiteral("tblVentas")));
    sales.open();
    for (int i = 1; i <= count; ++i) {
        sales.append();
        sales.fieldByName(QStringLiteral("Caja")).setAsInteger(2);
        sales.fieldByName(QStringLiteral("Fecha y Hora")).setAsDateTime(QDateTime::currentDateTime());
        sales.fieldByName(QStringLiteral("Codigo")).setAsInteger(i);
        sales.fieldByName(QStringLiteral("Importe")).setAsInteger(100 + i);
        sales.fieldByName(QStringLiteral("Producto")).setAsString(QStringLiteral("Venta %1").arg(i));
        sales.post();
        std::printf("posted %d\n", i);
        std::fflush(stdout);
        if (delay)
            QThread::msleep(delay);
    }
    return 0;
}
