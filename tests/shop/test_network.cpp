// The till on a server across a network that stalls or loses answers:
// yerbalis-proxy between the program and the test server (scripts/pg.sh),
// with bounds of a few seconds given in the URI (its own values win).

#include "app/Registry.h"
#include "controls/DBGrid.h"
#include "controls/DataSource.h"
#include "shell/Application.h"
#include "shell/ServerWaitBox.h"
#include "shop/REGISTR2.h"
#include "shop/Sale.h"
#include "shop/VENTAS.h"
#include "store/Catalogue.h"
#include "store/Database.h"
#include "store/TableCursor.h"
#include "store/postgres/PgConnection.h"
#include "store/postgres/PgEngine.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <functional>
#include <libpq-fe.h>
#include <memory>

namespace {

class Proxy {
public:
    bool start(const QString& serverUri)
    {
        const QString host = yb::pg::connectionOption(serverUri, "host");
        const QString port = yb::pg::connectionOption(serverUri, "port").isEmpty()
            ? QStringLiteral("5432")
            : yb::pg::connectionOption(serverUri, "port");
        const QString target = host.startsWith(QLatin1Char('/')) ? host + QStringLiteral("/.s.PGSQL.") + port
                                                                 : host + QLatin1Char(':') + port;
        QObject::connect(&p_, &QProcess::readyReadStandardOutput, [this] { out_ += p_.readAllStandardOutput(); });
        p_.start(QStringLiteral(YERBALIS_PROXY), {QStringLiteral("0"), target, QStringLiteral("0")});
        if (!QTest::qWaitFor([&] { return out_.contains('\n'); }, 10000))
            return false;
        port_ = out_.left(out_.indexOf('\n')).split(' ').value(1).toInt();
        return port_ > 0;
    }
    ~Proxy()
    {
        p_.closeWriteChannel();
        if (!p_.waitForFinished(5000))
            p_.kill();
    }
    bool command(const QByteArray& c)
    {
        const QByteArray ack = "ok " + c.split(' ').first() + '\n';
        const qsizetype seen = out_.count(ack);
        p_.write(c + '\n');
        return QTest::qWaitFor([&] { return out_.count(ack) > seen; }, 5000);
    }
    // A URI of the database `db` through the proxy, with short bounds.
    QString uri(const QString& db, const QString& user) const
    {
        return QStringLiteral("postgresql://%1@127.0.0.1:%2/%3").arg(user).arg(port_).arg(db) +
            QStringLiteral("?connect_timeout=3&options=-c%20statement_timeout%3D2s");
    }

private:
    QProcess p_;
    QByteArray out_;
    int port_ = 0;
};

// The message box that the next action shows, answered with OK.
struct Box {
    QString text;
};
std::shared_ptr<Box> answerBox()
{
    auto box = std::make_shared<Box>();
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [=] {
        auto* mb = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!mb)
            return;
        timer->stop();
        timer->deleteLater();
        box->text = mb->text();
        mb->accept();
    });
    timer->start();
    return box;
}

// A wait on a silent server, watched: the clock ticks and asks `target` to
// paint, and 600 ms in the wait box's text is taken and keys are typed into
// `target` (and Return on `button`).
class Stall : public QObject {
public:
    explicit Stall(QWidget* target, QWidget* button = nullptr)
    {
        target->installEventFilter(this);
        connect(&clock_, &QTimer::timeout, this, [this, target] {
            ++ticks_;
            target->update();
        });
        clock_.start(50);
        QTimer::singleShot(600, this, [this, target, button] {
            waitText_ = yb::serverWaitBox()->text();
            QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyPress, Qt::Key_5, Qt::NoModifier, "5"));
            if (button)
                QCoreApplication::postEvent(button,
                                            new QKeyEvent(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r"));
        });
    }
    // Whether the window ticked, painted, showed the wait and threw `keys` typed keys away meanwhile.
    bool lived(int keys) const
    {
        return ticks_ > 10 && paints_ > 5 && waitText_.contains(QStringLiteral("Waiting for the answer")) &&
            yb::serverWaitBox()->droppedInput() - dropped_ >= keys;
    }

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        paints_ += e->type() == QEvent::Paint;
        return false;
    }

private:
    int ticks_ = 0;
    int paints_ = 0;
    QString waitText_;
    QTimer clock_;
    int dropped_ = yb::serverWaitBox()->droppedInput();
};

} // namespace

class NetworkTest : public QObject {
    Q_OBJECT

private:
    QString server_, db_, direct_, through_;
    std::unique_ptr<Proxy> proxy_;
    QLineEdit typed_; // a window that a stall must keep alive

    qint64 serverCount(const char* sql)
    {
        PGconn* c = PQconnectdb(direct_.toUtf8().constData());
        PGresult* r = PQexec(c, sql);
        const qint64 n = PQresultStatus(r) == PGRES_TUPLES_OK ? QByteArray(PQgetvalue(r, 0, 0)).toLongLong() : -1;
        PQclear(r);
        PQfinish(c);
        return n;
    }
    qint64 sales() { return serverCount("SELECT count(*) FROM \"Ventas.DB\""); }

private slots:
    void initTestCase()
    {
        server_ = qEnvironmentVariable("YERBALIS_PG_TEST_SERVER");
        if (!yb::isServerLocation(server_))
            server_ = qEnvironmentVariable("YERBALIS_TEST_DATABASE");
        if (!yb::isServerLocation(server_))
            QSKIP("no PostgreSQL test server is named (scripts/pg.sh start; eval \"$(scripts/pg.sh env)\")");
        db_ = QStringLiteral("yb_network_%1").arg(QCoreApplication::applicationPid());
        yb::pg::dropDatabase(server_, db_);
        direct_ = yb::pg::createDatabase(server_, db_);
        yb::Database::createTables(direct_);
        yb::Database::setLocation(direct_);
        yb::TableCursor editor(yb::cursorDecl(QStringLiteral("REGISTR1"), QStringLiteral("Table1")));
        editor.open();
        editor.append();
        editor.fieldByName(QStringLiteral("Codigo")).setAsInteger(7);
        editor.fieldByName(QStringLiteral("Descripcion")).setAsString(QStringLiteral("Manzanilla"));
        editor.fieldByName(QStringLiteral("Precio")).setAsInteger(150);
        editor.post();
        editor.close();
        proxy_ = std::make_unique<Proxy>();
        QVERIFY2(proxy_->start(server_), "yerbalis-proxy did not start");
        through_ = proxy_->uri(db_, yb::pg::connectionOption(server_, "user"));
        typed_.show();
        yb::Database::setLocation(through_);
    }

    void cleanupTestCase()
    {
        yb::Database::setLocation(QString());
        proxy_.reset();
        if (!db_.isEmpty())
            yb::pg::dropDatabase(server_, db_);
    }

    void cleanup()
    {
        if (proxy_)
            proxy_->command("resume");
    }

    // A stall while a sale is posted: the window lives on (its timers tick),
    // the wait is shown, what is typed meanwhile is thrown away, and the
    // cashier is told, naming the server, that the sale may not be stored;
    // recorded again once the network is back, it is stored once.
    void stalledSale()
    {
        TTERMINAL t;
        t.show();
        QVERIFY(QTest::qWaitForWindowExposed(&t));
        t.FormActivate();
        auto* code = t.findChild<QLineEdit*>(QStringLiteral("edCodigo"));
        auto* list = t.findChild<QListWidget*>(QStringLiteral("lbAcumulado"));
        code->setText(QStringLiteral("7"));
        QTest::keyClick(code, Qt::Key_Return);
        QVERIFY(t.findChild<QPushButton*>(QStringLiteral("btnAnotar"))->hasFocus());

        QVERIFY(proxy_->command("stall"));
        Stall stall(code, t.findChild<QPushButton*>(QStringLiteral("btnAnotar")));
        const auto box = answerBox();
        t.findChild<QPushButton*>(QStringLiteral("btnAnotar"))->click();
        QTRY_VERIFY(!box->text.isEmpty());
        QVERIFY2(box->text.startsWith(QStringLiteral("Whether the sale was recorded is not known")),
                 qPrintable(box->text));
        QVERIFY2(box->text.contains(QStringLiteral("127.0.0.1")), qPrintable(box->text));
        QVERIFY(stall.lived(2));
        QCOMPARE(code->text(), QStringLiteral("7"));
        QCOMPARE(list->count(), 0);
        QCOMPARE(sales(), 0);

        QVERIFY(proxy_->command("resume"));
        t.findChild<QPushButton*>(QStringLiteral("btnAnotar"))->click();
        QCOMPARE(list->count(), 1);
        QCOMPARE(sales(), 1);
    }

    // The server stores a sale and its answer is lost: with the connection
    // closed the store asks at once; with it silent, the cashier hears that it
    // is not known, and the same sale recorded again is recognised.
    void lostAnswerOnSale()
    {
        yb::TableCursor productos(yb::cursorDecl(QStringLiteral("REGISTR2"), QStringLiteral("tblProductos")));
        yb::TableCursor ventas(yb::cursorDecl(QStringLiteral("REGISTR2"), QStringLiteral("tblVentas")));
        productos.open();
        ventas.open();
        yb::Till till(&productos, &ventas);
        // A sale first, so that the statement of the next is prepared and
        // the answer lost is the one to the sale itself.
        auto sell = [&] {
            QVERIFY(till.lookup(QStringLiteral("7")));
            QVERIFY(!till.record(QStringLiteral("7"), QStringLiteral("1"), 0).alreadyRecorded);
        };
        sell();
        const qint64 before = sales();

        QVERIFY(till.lookup(QStringLiteral("7")));
        QVERIFY(proxy_->command("drop"));
        yb::Till::Sale closed;
        try {
            closed = till.record(QStringLiteral("7"), QStringLiteral("1"), 0);
        } catch (const yb::Error& e) {
            QFAIL(qPrintable(e.message()));
        }
        QVERIFY(closed.alreadyRecorded);
        QCOMPARE(sales(), before + 1);

        sell();
        QVERIFY(till.lookup(QStringLiteral("7")));
        QVERIFY(proxy_->command("drop silent"));
        QString message;
        try {
            till.record(QStringLiteral("7"), QStringLiteral("1"), 0);
        } catch (const yb::Error& e) {
            message = e.message();
        }
        QVERIFY2(message.startsWith(QStringLiteral("Whether the sale was recorded")), qPrintable(message));
        QCOMPARE(sales(), before + 3);
        const yb::Till::Sale again = till.record(QStringLiteral("7"), QStringLiteral("1"), 0);
        QVERIFY(again.alreadyRecorded);
        QCOMPARE(sales(), before + 3);
    }

    // An edit whose answer is lost is the user's own write, never "another
    // user changed the record"; a stalled post keeps the typed values.
    void lostAnswerOnEdit()
    {
        yb::TableCursor c(yb::cursorDecl(QStringLiteral("REGISTR1"), QStringLiteral("Table1")));
        c.open();
        auto edit = [&](const QString& text) {
            c.edit();
            c.fieldByName(QStringLiteral("Descripcion")).setAsString(text);
        };
        auto postError = [&]() -> QString {
            try {
                c.post();
            } catch (const yb::EngineError& e) {
                return e.message();
            }
            return {};
        };

        // Each lost answer is the update's own: its statement is prepared first.
        edit(QStringLiteral("Salvia"));
        QCOMPARE(postError(), QString());
        edit(QStringLiteral("Menta"));
        QVERIFY(proxy_->command("drop"));
        QCOMPARE(postError(), QString());
        QVERIFY(c.lastPostAlreadyStored());

        edit(QStringLiteral("Hinojo"));
        QCOMPARE(postError(), QString());
        edit(QStringLiteral("Tila"));
        QVERIFY(proxy_->command("drop silent"));
        QString lost = postError();
        QVERIFY2(lost.contains(QStringLiteral("whether the edit was written is not known")), qPrintable(lost));
        QVERIFY(c.isEditing());
        QCOMPARE(c.fieldByName(QStringLiteral("Descripcion")).asString(), QStringLiteral("Tila"));
        QCOMPARE(postError(), QString());
        QCOMPARE(c.fieldByName(QStringLiteral("Descripcion")).asString(), QStringLiteral("Tila"));

        edit(QStringLiteral("Romero"));
        QVERIFY(proxy_->command("stall"));
        Stall stall(&typed_);
        lost = postError();
        QVERIFY2(lost.startsWith(QStringLiteral("Cannot write to table Producto.db: The connection to the PostgreSQL "
                                                "server postgresql://")),
                 qPrintable(lost));
        QVERIFY(stall.lived(1));
        QCOMPARE(c.fieldByName(QStringLiteral("Descripcion")).asString(), QStringLiteral("Romero"));
        QVERIFY(proxy_->command("resume"));
        QCOMPARE(postError(), QString());
        QCOMPARE(serverCount("SELECT count(*) FROM \"Producto.db\" WHERE \"Descripcion\" = 'Romero'"), 1);
    }

    // The commit of a bulk insert (import, copy) whose answer is lost: the
    // server is asked whether the transaction committed, and it did.
    void lostAnswerOnBulkCommit()
    {
        std::unique_ptr<yb::Engine> engine = yb::Database::open(through_);
        std::unique_ptr<yb::EngineTable> table = engine->openTable(*yb::findTable(QStringLiteral("Producto.db")));
        std::unique_ptr<yb::BulkInsert> bulk = table->bulkInsert(false);
        for (int i = 0; i < 3; ++i)
            bulk->add({100 + i, QStringLiteral("Importado %1").arg(i), 10}, {}, i);
        bulk->flush();
        QVERIFY(proxy_->command("drop"));
        QCOMPARE(bulk->commit(), 3);
        QCOMPARE(serverCount("SELECT count(*) FROM \"Producto.db\" WHERE \"Descripcion\" LIKE 'Importado%'"), 3);
    }

    // Start-up with the server unreachable ends in its message, naming it.
    void stalledStartup()
    {
        yb::Database::setLocation(QString());
        QVERIFY(proxy_->command("stall"));
        yb::Database::setLocation(through_);
        Stall stall(&typed_);
        yb::StartupFailure failure;
        QVERIFY(!yb::createScreens(&failure));
        QVERIFY2(failure.message.contains(QStringLiteral("Cannot connect to the PostgreSQL server postgresql://")),
                 qPrintable(failure.message));
        QVERIFY2(failure.message.contains(QStringLiteral("no answer within 3 s")), qPrintable(failure.message));
        QVERIFY(stall.lived(1));
    }

    // What each action costs in round trips to the server, as the engine
    // counts them: start-up to the menu, a move, a search, a lookup, a sale,
    // a post and a page of the balance's grid. Each action must also do what
    // it should, so that a count cannot be small by doing nothing.
    void roundTrips()
    {
        QCOMPARE(serverCount("WITH s AS (INSERT INTO \"Ventas.DB\"(\"Caja\", \"Fecha y Hora\", \"Codigo\", "
                             "\"Importe\", \"Producto\") SELECT 1, now(), 7, 150, 'Te' FROM generate_series(1, 120) "
                             "RETURNING 1) SELECT count(*) FROM s"),
                 120);
        yb::Database::setLocation(QString());
        yb::Database::setLocation(through_);
        QStringList over;
        auto expect = [&](const char* action, qint64 most, const std::function<void()>& run) {
            const qint64 before = yb::pg::Connection::roundTrips();
            run();
            if (const qint64 counted = yb::pg::Connection::roundTrips() - before; counted > most)
                over << QStringLiteral("%1: %2").arg(QLatin1String(action)).arg(counted);
        };

        yb::StartupFailure failure;
        bool started = false;
        expect("start-up to the menu", 20, [&] { started = yb::createScreens(&failure); });
        QVERIFY2(started, qPrintable(failure.message));
        auto destroy = qScopeGuard([] { yb::destroyScreens(); });

        yb::TableCursor productos(yb::cursorDecl(QStringLiteral("REGISTR2"), QStringLiteral("tblProductos")));
        yb::TableCursor ventas(yb::cursorDecl(QStringLiteral("REGISTR2"), QStringLiteral("tblVentas")));
        productos.open();
        ventas.open();
        expect("next", 1, [&] { ventas.next(); });
        expect("prior", 1, [&] { ventas.prior(); });
        QVERIFY(!ventas.bof());
        bool found = false;
        expect("search", 1, [&] { found = ventas.locate(QStringLiteral("Producto"), QStringLiteral("Te"), {}); });
        QVERIFY(found);
        yb::Till till(&productos, &ventas);
        expect("lookup", 1, [&] { found = till.lookup(QStringLiteral("7")); });
        QVERIFY(found);
        const qint64 stored = sales();
        expect("sale", 1, [&] { till.record(QStringLiteral("7"), QStringLiteral("1"), 0); });
        QCOMPARE(sales(), stored + 1);
        productos.edit();
        productos.fieldByName(QStringLiteral("Precio")).setAsInteger(175);
        expect("post", 1, [&] { productos.post(); });
        QCOMPARE(productos.fieldByName(QStringLiteral("Precio")).asInteger(), 175);
        QCOMPARE(serverCount("SELECT count(*) FROM \"Producto.db\" WHERE \"Precio\" = 175"), 1);

        TForm44315* balance = Form44315;
        balance->resize(640, 461);
        balance->show();
        QVERIFY(QTest::qWaitForWindowExposed(balance));
        balance->FormActivate();
        auto* grid = balance->findChild<DBGrid*>(QStringLiteral("TEXTO1"));
        grid->setFocus();
        const int page = grid->visibleRowCount();
        const yb::Bookmark top = balance->Table1->bookmark();
        expect("page down", 2, [&] { QTest::keyClick(grid, Qt::Key_PageDown); });
        const QList<yb::RecordRow>& rows = grid->window().rows();
        QCOMPARE(rows.size(), page);
        QCOMPARE(grid->window().activeRow(), page - 1); // the window kept its top record: a page above
        for (int i = 1; i < page; ++i)
            QVERIFY(bookmarkBefore(rows[i - 1].bookmark, rows[i].bookmark));
        expect("page up", 2, [&] { QTest::keyClick(grid, Qt::Key_PageUp); });
        QCOMPARE(balance->Table1->bookmark(), top);
        balance->hide();
        QVERIFY2(over.isEmpty(), qPrintable(over.join(QLatin1String("; "))));
    }
};

int main(int argc, char** argv)
{
    yb::Application app(argc, argv);
    NetworkTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_network.moc"
