// The table files under real conditions: processes killed while selling,
// two processes at once, read-only and full disks, damaged files. With
// YERBALIS_TEST_DATABASE naming a PostgreSQL server, the same on the server
// (the tests of files alone are skipped there).

#include "TestDatabase.h"
#include "store/Database.h"
#include "store/Errors.h"
#include "store/TableCursor.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>
#include <sys/mount.h>

using namespace yb;

namespace {

int countSales(const QString& dir)
{
    Database::setDirectory(dir);
    TableCursor c(cursorDecl(QStringLiteral("VENTAS"), QStringLiteral("Table1")));
    c.open();
    int n = 0;
    for (c.first(); !c.eof(); c.next())
        ++n;
    return n;
}

int lastPosted(const QByteArray& output)
{
    int posted = 0;
    for (const QByteArray& line : output.split('\n'))
        if (line.startsWith("posted "))
            posted = line.mid(7).toInt();
    return posted;
}

QString adminCheck(const QString& dir)
{
    QProcess p;
    p.start(QStringLiteral(YERBALIS_ADMIN), {QStringLiteral("check"), dir});
    p.waitForFinished(30000);
    if (p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0)
        return {};
    return QString::fromUtf8(p.readAllStandardError()) + QStringLiteral(" (exit %1)").arg(p.exitCode());
}

QByteArray hashOf(const QString& path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

void addProduct(int code, int price)
{
    TableCursor p(cursorDecl(QStringLiteral("REGISTR1"), QStringLiteral("Table1")));
    p.open();
    p.append();
    p.fieldByName(QStringLiteral("Codigo")).setAsInteger(code);
    p.fieldByName(QStringLiteral("Descripcion")).setAsString(QStringLiteral("Jalea real"));
    p.fieldByName(QStringLiteral("Precio")).setAsInteger(price);
    p.post();
}

} // namespace

class TestRobustness : public QObject {
    Q_OBJECT
    QTemporaryDir tmp_;
    int n_ = 0;

    test::FreshDatabases databases_;

    // A directory of table files, or a database on the test server.
    QString freshDir() { return databases_.make(tmp_.path() + QStringLiteral("/db%1").arg(++n_)); }

private slots:
    void killedWhileSellingLosesNothing()
    {
        QString dir;
        YB_REACH_TEST_SERVER(dir = freshDir());
        QRandomGenerator rng(2026);
        int expected = 0;
        int killedAfterPosts = 0;
        for (int round = 0; round < 100; ++round) {
            QProcess p;
            p.start(QStringLiteral(STORE_WRITER), {QStringLiteral("sell"), dir, QStringLiteral("1000000")});
            QVERIFY(p.waitForStarted());
            if (rng.bounded(4) != 0) // most rounds: kill once it is selling; some: at any moment
                p.waitForReadyRead(5000);
            QTest::qWait(int(rng.bounded(40)));
            p.kill(); // SIGKILL
            QVERIFY(p.waitForFinished(5000));
            test::settle(dir);
            const int posted = lastPosted(p.readAllStandardOutput());
            killedAfterPosts += posted > 0;
            const int rows = countSales(dir);
            // Every post that returned is in the table; at most the one in flight more.
            QVERIFY2(rows >= expected + posted && rows <= expected + posted + 1,
                     qPrintable(QStringLiteral("round %1: %2 rows, expected %3 + %4")
                                    .arg(round)
                                    .arg(rows)
                                    .arg(expected)
                                    .arg(posted)));
            expected = rows;
            const QString problems = adminCheck(dir);
            QVERIFY2(problems.isEmpty(), qPrintable(problems));
        }
        qInfo("100 kills, %d of them after at least one post; %d sales kept", killedAfterPosts, expected);
        QVERIFY(killedAfterPosts > 50);
    }

    void twoProcessesSellAtOnce()
    {
        QString dir;
        YB_REACH_TEST_SERVER(dir = freshDir());
        QProcess a, b;
        a.start(QStringLiteral(STORE_WRITER), {QStringLiteral("sell"), dir, QStringLiteral("1000")});
        b.start(QStringLiteral(STORE_WRITER), {QStringLiteral("sell"), dir, QStringLiteral("1000")});
        QVERIFY(a.waitForFinished(120000));
        QVERIFY(b.waitForFinished(120000));
        const QByteArray outA = a.readAllStandardOutput(), outB = b.readAllStandardOutput();
        QCOMPARE(a.exitCode(), 0);
        QCOMPARE(b.exitCode(), 0);
        QVERIFY(!outA.contains("error") && !outB.contains("error"));
        QCOMPARE(lastPosted(outA), 1000);
        QCOMPARE(lastPosted(outB), 1000);
        QCOMPARE(countSales(dir), 2000);
        QVERIFY(adminCheck(dir).isEmpty());
    }

    void twoProcessesEditOneRecord()
    {
        QString dir;
        YB_REACH_TEST_SERVER(dir = freshDir());
        addProduct(5, 100);
        QProcess first, second;
        first.start(QStringLiteral(STORE_WRITER),
                    {QStringLiteral("edit"), dir, QStringLiteral("5"), QStringLiteral("111")});
        second.start(QStringLiteral(STORE_WRITER),
                     {QStringLiteral("edit"), dir, QStringLiteral("5"), QStringLiteral("222")});
        QVERIFY(first.waitForReadyRead(10000));
        QVERIFY(second.waitForReadyRead(10000));
        QCOMPARE(first.readLine().trimmed(), QByteArray("editing"));
        QCOMPARE(second.readLine().trimmed(), QByteArray("editing"));
        first.write("\n");
        first.closeWriteChannel();
        QVERIFY(first.waitForFinished(10000));
        QCOMPARE(first.readAll().trimmed(), QByteArray("posted"));
        second.write("\n");
        second.closeWriteChannel();
        QVERIFY(second.waitForFinished(10000));
        QCOMPARE(second.readAll().trimmed(),
                 QByteArray("refused: Couldn't perform the edit because another user changed the record"));
        TableCursor p(cursorDecl(QStringLiteral("REGISTR1"), QStringLiteral("Table1")));
        p.open();
        QCOMPARE(p.fieldByName(QStringLiteral("Precio")).asInteger(), 111);
    }

    void fullDiskRefusesAndDamagesNothing()
    {
        if (test::onServer())
            QSKIP("table files only");
        QString dir;
        YB_REACH_TEST_SERVER(dir = freshDir());
        QProcess p;
        // Room for a few hundred sales, then the file system is full for this process.
        const qint64 limit = QFileInfo(dir + QStringLiteral("/Ventas.DB")).size() + 256 * 1024;
        p.start(QStringLiteral(STORE_WRITER), {QStringLiteral("fill"), dir, QString::number(limit)});
        QVERIFY(p.waitForFinished(60000));
        const QByteArray out = p.readAllStandardOutput();
        QCOMPARE(p.exitCode(), 3);
        QVERIFY2(out.contains("error: Cannot write to table Ventas.db"), out.right(300).constData());
        QVERIFY(out.contains("state 3")); // the refused sale is still in insert state, not lost silently
        const int posted = lastPosted(out);
        QVERIFY(posted > 10);
        QCOMPARE(countSales(dir), posted);
        QVERIFY(adminCheck(dir).isEmpty());
    }

    void readOnlyDirectory()
    {
        if (test::onServer())
            QSKIP("table files only");
        QString dir;
        YB_REACH_TEST_SERVER(dir = freshDir());
        addProduct(1, 10);
        const QString mnt = tmp_.path() + QStringLiteral("/ro");
        QDir().mkpath(mnt);
        if (::mount("none", QFile::encodeName(mnt).constData(), "tmpfs", 0, "size=8m") != 0)
            QSKIP("cannot mount a file system here (not root)");
        auto unmount = qScopeGuard([&] { ::umount(QFile::encodeName(mnt).constData()); });
        const QString ro = mnt + QStringLiteral("/db");
        QDir().mkpath(ro);
        for (const QString& f : QDir(dir).entryList(QDir::Files))
            if (!f.endsWith(QLatin1String("-wal")) && !f.endsWith(QLatin1String("-shm")))
                QVERIFY(QFile::copy(dir + QLatin1Char('/') + f, ro + QLatin1Char('/') + f));
        QVERIFY(::mount("none", QFile::encodeName(mnt).constData(), "tmpfs", MS_REMOUNT | MS_RDONLY, "size=8m") == 0);
        const QByteArray before = hashOf(ro + QStringLiteral("/Producto.db"));
        Database::setDirectory(ro);
        QString msg;
        try {
            TableCursor p(cursorDecl(QStringLiteral("REGISTR1"), QStringLiteral("Table1")));
            p.open();
            p.append();
            p.fieldByName(QStringLiteral("Codigo")).setAsInteger(2);
            p.fieldByName(QStringLiteral("Descripcion")).setAsString(QStringLiteral("Polen"));
            p.fieldByName(QStringLiteral("Precio")).setAsInteger(3);
            p.post();
        } catch (const Error& e) {
            msg = e.message();
        }
        QVERIFY2(msg.contains(QStringLiteral("Producto.db")), qPrintable(msg));
        QCOMPARE(hashOf(ro + QStringLiteral("/Producto.db")), before);
    }

    void truncatedAndGarbageFiles()
    {
        if (test::onServer())
            QSKIP("table files only");
        QString dir;
        YB_REACH_TEST_SERVER(dir = freshDir());
        {
            TableCursor c(cursorDecl(QStringLiteral("Cosmetic"), QStringLiteral("Table1")));
            c.open();
            for (int i = 0; i < 300; ++i) {
                c.append();
                c.fieldByName(QStringLiteral("Producto Cosmetico")).setAsString(QStringLiteral("Crema %1").arg(i));
                c.fieldByName(QStringLiteral("Indicaciones")).setAsString(QString(500, QLatin1Char('x')));
                c.post();
            }
        }
        const QString path = dir + QStringLiteral("/Cosmetic.DB");
        QFile::remove(path + QStringLiteral("-wal"));
        QFile::remove(path + QStringLiteral("-shm"));
        QFile f(path);
        QVERIFY(f.resize(f.size() / 2));
        const QByteArray before = hashOf(path);
        QString msg;
        try {
            TableCursor c(cursorDecl(QStringLiteral("Cosmetic"), QStringLiteral("Table1")));
            c.open();
            c.last();
        } catch (const Error& e) {
            msg = e.message();
        }
        QVERIFY2(msg.contains(QStringLiteral("Cosmetic.DB")), qPrintable(msg));
        QCOMPARE(hashOf(path), before);
        QVERIFY(!adminCheck(dir).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestRobustness)
#include "test_robustness.moc"
