// yerbalis-bench-screens: the moves of a record browser's lookup
// list over many records, and the daily sales balance over a million sales.
// Each measure has a limit that it is expected to stay under on an ordinary
// machine; it is printed with the measure, and a measure over its limit is
// named on a line "OVER <name>". The limits are kept here rather than in the
// tests, where a busy machine or the sanitizers would make them fail.

#include "controls/DBGrid.h"
#include "controls/DBLookupListBox.h"
#include "reference/Cosmetic.h"
#include "shop/VENTAS.h"
#include "store/Catalogue.h"
#include "store/Database.h"
#include "store/Errors.h"
#include "store/SortKey.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <sqlite3.h>
#include <vector>

namespace {

class Db {
public:
    explicit Db(const QString& table)
    {
        const QString path = yb::Database::tablePath(yb::Database::directory(), table);
        if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db_, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
            throw yb::Error(QString::fromUtf8(sqlite3_errmsg(db_)));
        exec("PRAGMA synchronous=OFF");
        exec("BEGIN");
    }
    ~Db()
    {
        sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_close(db_);
    }
    void exec(const char* sql)
    {
        char* err = nullptr;
        if (sqlite3_exec(db_, sql, nullptr, nullptr, &err) != SQLITE_OK) {
            const QString message = QString::fromUtf8(err);
            sqlite3_free(err);
            throw yb::Error(message);
        }
    }
    sqlite3* handle() const { return db_; }

private:
    sqlite3* db_ = nullptr;
};

// Cosmetic names spread over the alphabet, each one different.
QString cosmeticName(int i)
{
    static const char* const words[] = {"Aloe",     "Árnica", "Bálsamo", "Caléndula", "Crema",    "Champú",
                                        "Espliego", "Gel",    "Jabón",   "Loción",    "Malva",    "Ñame",
                                        "Ortiga",   "Romero", "Salvia",  "Tomillo",   "Vaselina", "Zinc"};
    const unsigned h = unsigned(i) * 2654435761u;
    return QStringLiteral("%1 %2").arg(QString::fromUtf8(words[h % 18]), QString::number(i).rightJustified(7, u'0'));
}

void fillCosmetics(int count)
{
    Db d(QStringLiteral("Cosmetic.DB"));
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(d.handle(),
                       "INSERT INTO records(yb_key, \"Producto Cosmetico\", \"Indicaciones\") VALUES(?1, ?2, ?3)", -1,
                       &st, nullptr);
    for (int i = 0; i < count; ++i) {
        const QString name = cosmeticName(i);
        const QByteArray text = name.toUtf8();
        const QByteArray key = yb::compactSortKeyUtf8(text.constData(), text.size());
        const QByteArray notes = (QStringLiteral("Indicaciones de ") + name).toUtf8();
        sqlite3_bind_blob(st, 1, key.constData(), int(key.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(st, 2, text.constData(), int(text.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(st, 3, notes.constData(), int(notes.size()), SQLITE_TRANSIENT);
        sqlite3_step(st);
        sqlite3_reset(st);
    }
    sqlite3_finalize(st);
}

void fillSales(int count)
{
    Db d(QStringLiteral("Ventas.DB"));
    const QByteArray sql =
        QStringLiteral("WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < %1) "
                       "INSERT INTO records(Caja, \"Fecha y Hora\", Codigo, Importe, Producto) "
                       "SELECT 1, '2026-12-01T10:00:00', 7, 150, 'Venta ' || x FROM n")
            .arg(count)
            .toUtf8();
    d.exec(sql.constData());
}

void show(QWidget* screen)
{
    screen->resize(640, 461);
    screen->show();
    screen->activateWindow();
    if (!QTest::qWaitForWindowExposed(screen))
        std::printf("# %s was not shown\n", qPrintable(screen->objectName()));
}

// The median of `rounds` runs of `work`, in milliseconds.
double medianMs(int rounds, const std::function<void()>& work)
{
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        QElapsedTimer t;
        t.start();
        work();
        times.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void report(const char* name, double ms, double limitMs)
{
    std::printf("BENCH %s %.3f ms (limit %.0f ms)\n", name, ms, limitMs);
    if (ms > limitMs)
        std::printf("OVER %s: %.3f ms, limit %.0f ms\n", name, ms, limitMs);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    // No window needs to be seen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int cosmetics = 20000;
    const int sales = 1000000;
    QTemporaryDir tmp;
    const QString dir = tmp.path() + QStringLiteral("/db");
    yb::Database::createTables(dir);
    yb::Database::setDirectory(dir);
    fillCosmetics(cosmetics);
    fillSales(sales);
    std::printf("# screens: %d cosmetics, %d sales\n", cosmetics, sales);

    {
        // The record browser's list over the cosmetics: to the end, fifty
        // pages up, to the start, fifty pages down, and a search by typing.
        TForm12 browser;
        show(&browser);
        browser.FormActivate();
        browser.SpeedButton1Click();
        auto* list = browser.findChild<DBLookupListBox*>(QStringLiteral("DBLookupListBox1"));
        list->setFocus();
        const double listMs = medianMs(3, [&] {
            QTest::keyClick(list, Qt::Key_End);
            for (int i = 0; i < 50; ++i)
                QTest::keyClick(list, Qt::Key_PageUp);
            QTest::keyClick(list, Qt::Key_Home);
            for (int i = 0; i < 50; ++i)
                QTest::keyClick(list, Qt::Key_PageDown);
            for (QChar ch : QStringLiteral("tomi"))
                QTest::sendKeyEvent(QTest::Click, list, Qt::Key_unknown, QString(ch), Qt::NoModifier);
        });
        if (!list->keyValue().toString().startsWith(QStringLiteral("Tomillo")))
            std::printf("# the list's search did not find Tomillo\n");
        report("browser_list_moves_ms", listMs, 10000);
    }
    {
        // The daily sales balance: its activation and four moves, then the
        // grid to the end, fifty pages up and to the start.
        TForm44315 balance;
        show(&balance);
        auto* grid = balance.findChild<DBGrid*>(QStringLiteral("TEXTO1"));
        // The first activation, as the shop sees it after start-up.
        QString last;
        const double openMs = medianMs(1, [&] {
            balance.FormActivate();
            grid->setFocus();
            QTest::keyClick(grid, Qt::Key_End, Qt::ControlModifier);
            last = grid->cellText(grid->window().activeRow(), 1);
            QTest::keyClick(grid, Qt::Key_PageUp);
            QTest::keyClick(grid, Qt::Key_Home, Qt::ControlModifier);
            QTest::keyClick(grid, Qt::Key_PageDown);
        });
        if (last != QStringLiteral("Venta %1").arg(sales))
            std::printf("# the balance's last row shows '%s'\n", qPrintable(last));
        report("balance_million_open_ms", openMs, 1500);
        const double gridMs = medianMs(3, [&] {
            QTest::keyClick(grid, Qt::Key_End, Qt::ControlModifier);
            for (int i = 0; i < 50; ++i)
                QTest::keyClick(grid, Qt::Key_PageUp);
            QTest::keyClick(grid, Qt::Key_Home, Qt::ControlModifier);
        });
        report("balance_grid_moves_ms", gridMs, 10000);
    }
    return 0;
}
