// yerbalis-bench-network URI [DELAY_MS...]: the store's actions on a
// PostgreSQL server reached through yerbalis-proxy, which delays each
// direction by 0, 1 and 5 ms (or the delays given), as a shop's cable or
// Wi-Fi would. For each action it prints the round trips it cost and the time
// it took:
//
//   NET <delay_ms> <action> <round trips> <ms per action>
//
// URI is a server of the machine (its Unix socket or a loopback port); the
// records live in a scratch database made there and dropped at the end.

#include "app/Registry.h"
#include "controls/DBGrid.h"
#include "shop/REGISTR2.h"
#include "shop/Sale.h"
#include "shop/VENTAS.h"
#include "store/Catalogue.h"
#include "store/Database.h"
#include "store/SortKey.h"
#include "store/TableCursor.h"
#include "store/postgres/PgConnection.h"
#include "store/postgres/PgEngine.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTest>
#include <QUrl>
#include <QUrlQuery>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <libpq-fe.h>
#include <vector>

namespace {

using yb::pg::Connection;

// Where the proxy sends its connections: the server's Unix socket, or its port.
QString proxyTarget(const QString& uri)
{
    const QString host = yb::pg::connectionOption(uri, "host");
    const QString port = yb::pg::connectionOption(uri, "port").isEmpty() ? QStringLiteral("5432")
                                                                         : yb::pg::connectionOption(uri, "port");
    if (host.isEmpty() || host.startsWith(QLatin1Char('/')))
        return (host.isEmpty() ? QStringLiteral("/var/run/postgresql") : host) + QStringLiteral("/.s.PGSQL.") + port;
    return host + QLatin1Char(':') + port;
}

void fill(const QString& location)
{
    std::unique_ptr<yb::Engine> engine = yb::Database::open(location);
    auto bulkFill = [&](const QString& file, int count, const std::function<QVariantList(int)>& row) {
        const yb::TableDef& t = *yb::findTable(file);
        std::unique_ptr<yb::EngineTable> table = engine->openTable(t);
        std::unique_ptr<yb::BulkInsert> bulk = table->bulkInsert(false);
        for (int i = 0; i < count; ++i) {
            const QVariantList v = row(i);
            bulk->add(v, t.hasKey() ? yb::sortKey(v.value(0).toString()) : QByteArray(), i);
        }
        bulk->commit();
    };
    bulkFill(QStringLiteral("Producto.db"), 50, [](int i) {
        return QVariantList{i + 1, QStringLiteral("Producto %1").arg(i + 1), 100 + i};
    });
    const QDateTime start(QDate(2026, 12, 1), QTime(9, 0));
    bulkFill(QStringLiteral("Ventas.DB"), 400, [&](int i) {
        return QVariantList{1, start.addSecs(i * 60), 1 + i % 50, 100 + i % 50,
                            QStringLiteral("Producto %1").arg(1 + i % 50)};
    });
    bulkFill(QStringLiteral("Cosmetic.DB"), 400, [](int i) {
        return QVariantList{QStringLiteral("Crema %1").arg(1000 + i), QStringLiteral("Aplicar sobre la piel."),
                            QStringLiteral("Masajear suavemente.")};
    });
}

struct Measure {
    qint64 trips = 0;
    double ms = 0;
};

// `reps` runs of `action`: round trips per run, median milliseconds per run.
Measure measure(int reps, const std::function<void()>& action)
{
    std::vector<double> times;
    const qint64 before = Connection::roundTrips();
    for (int i = 0; i < reps; ++i) {
        QElapsedTimer t;
        t.start();
        action();
        times.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return {(Connection::roundTrips() - before + reps / 2) / reps, times[times.size() / 2]};
}

void print(int delay, const char* action, const Measure& m)
{
    std::printf("NET %d %-22s %5lld %9.2f\n", delay, action, static_cast<long long>(m.trips), m.ms);
    std::fflush(stdout);
}

void show(QWidget* w)
{
    w->resize(640, 461);
    w->show();
    if (!QTest::qWaitForWindowExposed(w))
        std::printf("# %s was not shown\n", qPrintable(w->objectName()));
}

bool runRound(const QString& scratchUri, const QString& target, int delay)
{
    QProcess proxy;
    proxy.start(QStringLiteral(YERBALIS_PROXY), {QStringLiteral("0"), target, QString::number(delay)});
    if (!proxy.waitForReadyRead(10000)) {
        std::fprintf(stderr, "yerbalis-bench-network: the proxy did not start\n");
        return false;
    }
    const QByteArray line = proxy.readLine().trimmed();
    const QString port = QString::fromLatin1(line.split(' ').value(1));
    QUrl url;
    url.setScheme(QStringLiteral("postgresql"));
    url.setHost(QStringLiteral("127.0.0.1"));
    url.setPort(port.toInt());
    url.setPath(QLatin1Char('/') + yb::pg::connectionOption(scratchUri, "dbname"));
    if (!yb::pg::connectionOption(scratchUri, "user").isEmpty())
        url.setUserName(yb::pg::connectionOption(scratchUri, "user"));
    const QString location = url.toString();
    yb::Database::setLocation(location);

    bool ok = true;
    {
        yb::StartupFailure failure;
        const Measure startup = measure(1, [&] {
            if (!yb::createScreens(&failure))
                ok = false;
        });
        if (!ok) {
            std::fprintf(stderr, "yerbalis-bench-network: start-up failed: %s\n", qPrintable(failure.message));
            proxy.closeWriteChannel();
            proxy.waitForFinished();
            return false;
        }
        print(delay, "startup_to_menu", startup);

        yb::TableCursor cos(yb::cursorDecl(QStringLiteral("Cosmetic"), QStringLiteral("Table1")));
        print(delay, "cursor_open", measure(1, [&] { cos.open(); }));
        print(delay, "first", measure(9, [&] { cos.first(); }));
        print(delay, "next", measure(20, [&] { cos.next(); }));
        print(delay, "prior", measure(20, [&] { cos.prior(); }));
        int k = 0;
        print(delay, "locate_prefix", measure(9, [&] {
                  cos.setKey();
                  cos.locate(QStringLiteral("Producto Cosmetico"), QStringLiteral("Crema %1").arg(1100 + 7 * k++),
                             yb::PartialKey);
              }));
        int e = 0;
        print(delay, "post_edit", measure(9, [&] {
                  cos.edit();
                  cos.fieldByName(QStringLiteral("Modo Empleo")).setAsString(QStringLiteral("Cambio %1").arg(e++));
                  cos.post();
              }));
        e = 0;
        print(delay, "post_by_next", measure(9, [&] {
                  cos.edit();
                  cos.fieldByName(QStringLiteral("Modo Empleo")).setAsString(QStringLiteral("Otro %1").arg(e++));
                  cos.next();
              }));

        // The balance: its activation, then pages of its grid.
        TForm44315* balance = Form44315;
        show(balance);
        print(delay, "balance_open", measure(3, [&] { balance->FormActivate(); }));
        auto* grid = balance->findChild<DBGrid*>(QStringLiteral("TEXTO1"));
        grid->setFocus();
        print(delay, "balance_page_down", measure(5, [&] { QTest::keyClick(grid, Qt::Key_PageDown); }));
        print(delay, "balance_page_up", measure(5, [&] { QTest::keyClick(grid, Qt::Key_PageUp); }));
        balance->hide();

        // The terminal: its activation, a code lookup and a sale.
        TTERMINAL* terminal = TERMINAL;
        show(terminal);
        print(delay, "terminal_open", measure(3, [&] { terminal->FormActivate(); }));
        terminal->hide();
        yb::TableCursor productos(yb::cursorDecl(QStringLiteral("REGISTR2"), QStringLiteral("tblProductos")));
        yb::TableCursor ventas(yb::cursorDecl(QStringLiteral("REGISTR2"), QStringLiteral("tblVentas")));
        productos.open();
        ventas.open();
        yb::Till till(&productos, &ventas);
        int c = 0;
        print(delay, "code_lookup", measure(9, [&] { till.lookup(QString::number(1 + c++ % 50)); }));
        int32_t total = 0;
        int s = 0;
        std::vector<double> sale;
        qint64 saleTrips = 0;
        for (int i = 0; i < 9; ++i) {
            const QString code = QString::number(1 + s++ % 50);
            till.lookup(code);
            const Measure m = measure(1, [&] { total = till.record(code, QStringLiteral("1"), total).total; });
            saleTrips += m.trips;
            sale.push_back(m.ms);
        }
        std::sort(sale.begin(), sale.end());
        print(delay, "sale", {saleTrips / 9, sale[sale.size() / 2]});
        yb::destroyScreens();
    }
    yb::Database::setLocation(QString());
    proxy.closeWriteChannel();
    proxy.waitForFinished(5000);
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: yerbalis-bench-network URI [DELAY_MS...]\n");
        return 2;
    }
    const QString uri = QString::fromLocal8Bit(argv[1]);
    std::vector<int> delays;
    for (int i = 2; i < argc; ++i)
        delays.push_back(std::atoi(argv[i]));
    if (delays.empty())
        delays = {0, 1, 5};
    const QString scratch = QStringLiteral("yerbalis_net_%1").arg(QCoreApplication::applicationPid());
    int rc = 0;
    try {
        yb::pg::dropDatabase(uri, scratch);
        const QString scratchUri = yb::pg::createDatabase(uri, scratch);
        yb::Database::createTables(scratchUri);
        fill(scratchUri);
        std::printf("# through yerbalis-proxy to %s; NET delay action round_trips ms\n", qPrintable(proxyTarget(uri)));
        for (int d : delays)
            if (!runRound(scratchUri, proxyTarget(uri), d))
                rc = 1;
    } catch (const yb::Error& e) {
        std::fprintf(stderr, "yerbalis-bench-network: %s\n", e.what());
        rc = 1;
    }
    yb::Database::setLocation(QString());
    try {
        yb::pg::dropDatabase(uri, scratch);
    } catch (const yb::Error& e) {
        std::fprintf(stderr, "yerbalis-bench-network: %s\n", e.what());
    }
    return rc;
}
