// Reading old Paradox tables: real sample tables, tables made by the tests'
// own writer, damaged files; the CSV view; the migration of the fourteen
// tables into a database, all or nothing.

#include "ParadoxWriter.h"
#include "paradox/CodePages.h"
#include "paradox/ParadoxTable.h"
#include "store/Database.h"
#include "store/Errors.h"
#include "tools/Paradox.h"
#include "tools/TableTransfer.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace yb;
using namespace yb::paradox;
using yb::paradox::testing::ParadoxWriter;
using yb::paradox::testing::WField;
using yb::paradox::testing::WOptions;

namespace {

const QString kSamples = QStringLiteral(PARADOX_SAMPLES);

QString sample(const char* name) { return kSamples + QLatin1Char('/') + QLatin1String(name); }

QList<Record> readAll(Table& t)
{
    QList<Record> all;
    Record r;
    while (t.next(r))
        all << r;
    return all;
}

QList<Record> readAll(const QString& path, int codePage = 0)
{
    Table t(path, codePage);
    return readAll(t);
}

QStringList fieldNames(const Table& t)
{
    QStringList names;
    for (const Field& f : t.fields())
        names << f.name;
    return names;
}

// The message of the error that reading all of `path` raises; empty when it reads.
QString readError(const QString& path)
{
    try {
        readAll(path);
    } catch (const ParadoxError& e) {
        return e.message();
    }
    return {};
}

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

QByteArray exportCsv(const QString& dir, const QString& table)
{
    QBuffer b;
    b.open(QIODevice::WriteOnly);
    admin::exportTable(dir, admin::tableNamed(table), &b);
    return b.data();
}

// A hash of the table files under `dir` with their names: what "nothing was
// written" means. Opening a table may leave the engine's empty log and its
// shared-memory index beside it; a log that holds anything counts. An import
// into an empty table switches its journal for the time it writes, which
// counts one change in the file's header (the change counter and the number
// it is valid for): every other byte, every page, must stay.
QByteArray treeHash(const QString& dir)
{
    QCryptographicHash h(QCryptographicHash::Sha256);
    QDirIterator it(dir, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    QStringList files;
    while (it.hasNext())
        files << it.next();
    files.sort();
    for (const QString& f : files) {
        if (f.endsWith(QLatin1String("-shm")))
            continue;
        if (f.endsWith(QLatin1String("-wal")) && QFileInfo(f).size() == 0)
            continue;
        h.addData(f.toUtf8());
        QByteArray bytes = fileBytes(f);
        if (bytes.startsWith("SQLite format 3") && bytes.size() >= 100) {
            bytes.replace(24, 4, QByteArray(4, '\0'));
            bytes.replace(92, 4, QByteArray(4, '\0'));
        }
        h.addData(bytes);
    }
    return h.result();
}

constexpr quint8 A = 0x01, D = 0x02, S = 0x03, I = 0x04, MONEY = 0x05, N = 0x06, L = 0x09, M = 0x0C, T = 0x14,
                 TS = 0x15, AUTO = 0x16;

} // namespace

class TestParadox : public QObject {
    Q_OBJECT

private slots:
    void samplesReadAsTheirBytesSay();
    void samplesOfOtherVersionsAndCodePages();
    void codePagesDecodeAccents();
    void writerRoundTripOfEveryType();
    void manyBlocksAndLargeMemos();
    void damagedFilesAreRefusedWithTheirName();
    void csvViewOfATable();
    void migrationBringsTheFourteenTables();
    void migrationIsAllOrNothing();
    void migrationRefusesADatabaseWithData();
    void dryRunWritesNothing();
    void commandLine();
    void readingSpeed();
};

void TestParadox::samplesReadAsTheirBytesSay()
{
    if (!QFileInfo::exists(sample("CUSTOMER.DB")))
        QSKIP(qPrintable(QStringLiteral("the sample tables are not in %1").arg(kSamples)));

    Table customer(sample("CUSTOMER.DB"));
    QCOMPARE(customer.versionByte(), 12);
    QCOMPARE(customer.versionName(), QStringLiteral("7"));
    QCOMPARE(customer.codePage(), 1252);
    QCOMPARE(customer.recordCount(), 20);
    QCOMPARE(fieldNames(customer),
             QStringList({"CustNo", "FirstName", "LastName", "EMail", "Street", "City", "State/Prov", "Zip/Postal Code",
                          "Comments", "DateEntered"}));
    QCOMPARE(customer.fields()[0].type, paradox::FieldType::AutoIncrement);
    QCOMPARE(customer.fields()[1].type, paradox::FieldType::Alpha);
    QCOMPARE(customer.fields()[1].size, 51);
    QCOMPARE(customer.fields()[2].size, 50);
    QCOMPARE(customer.fields()[8].type, paradox::FieldType::Memo);
    QCOMPARE(customer.fields()[9].type, paradox::FieldType::Date);
    const QList<Record> c = readAll(customer);
    QCOMPARE(c.size(), 20);
    QCOMPARE(c[0][0].toLongLong(), 1);
    QCOMPARE(c[0][1].toString(), QStringLiteral("Luke"));
    QCOMPARE(c[0][3].toString(), QStringLiteral("luke@fun.com"));
    QCOMPARE(c[0][8].toString(), QStringLiteral("Small comment (less 100 symbols)"));
    QCOMPARE(c[0][9].toDate(), QDate(1996, 2, 2));
    // A memo longer than its in-record part: the whole text comes from the .MB file.
    const QString memo = c[1][8].toString();
    QVERIFY2(memo.size() > 500, qPrintable(memo));
    QVERIFY(memo.startsWith(QStringLiteral("\tThe length of the leader may be zero")));
    QVERIFY(memo.endsWith(QStringLiteral("The MB file is described later in this document.")));
    QCOMPARE(memo.count(u'\n'), 2);
    QCOMPARE(c[1][9].toDate(), QDate(1996, 2, 16));

    Table memoTable(sample("memo.db"));
    QCOMPARE(memoTable.versionByte(), 11);
    QCOMPARE(memoTable.codePage(), 850);
    QCOMPARE(fieldNames(memoTable), QStringList({"Id", "MEMO"}));
    QCOMPARE(memoTable.fields()[1].size, 250);
    const QList<Record> m = readAll(memoTable);
    QCOMPARE(m.size(), 2);
    QCOMPARE(m[0][1].toString().size(), 555); // 240 in the record, all 555 in the .MB
    QCOMPARE(m[0][1].toString().count(u'\n'), 5);
    QVERIFY(m[0][1].toString().startsWith(QStringLiteral("01234567890012345678900123")));
    QCOMPARE(m[1][1].toString(), QStringLiteral("01234567890\n")); // held in the record alone

    const QList<Record> f = readAll(sample("fmemo.db"));
    QCOMPARE(f.size(), 2);
    QCOMPARE(f[0][1].toString(), QStringLiteral("123"));
    QCOMPARE(f[1][1].toString().size(), 560);
    QCOMPARE(f[1][1].toString().count(QStringLiteral("\r\n")), 5);

    const QList<Record> longs = readAll(sample("long.db"));
    QCOMPARE(longs.size(), 3);
    QCOMPARE(longs[1][1].toLongLong(), 2);
    QVERIFY(longs[2][1].isNull());

    const QList<Record> dates = readAll(sample("date7.db"));
    QCOMPARE(dates.size(), 5);
    QCOMPARE(dates[0][0].toDate(), QDate(2018, 1, 1));
    QCOMPARE(dates[1][0].toDate(), QDate(2018, 2, 1));
    QCOMPARE(dates[1][1].toTime(), QTime(10, 30));
    QCOMPARE(dates[2][1].toTime(), QTime(9, 25, 25));
    QVERIFY(dates[3][0].isNull());
    QVERIFY(dates[4][1].isNull());

    const QList<Record> times = readAll(sample("time.db"));
    QCOMPARE(times.size(), 3);
    QCOMPARE(times[0][0].toTime(), QTime(1, 0, 1));
    QVERIFY(times[1][0].isNull());
    QCOMPARE(times[2][0].toTime(), QTime(3, 0, 3));

    const QList<Record> stamps = readAll(sample("timestamp.db"));
    QCOMPARE(stamps.size(), 2);
    QVERIFY(stamps[0][0].isNull());
    QCOMPARE(stamps[1][0].toDateTime(), QDateTime(QDate(2020, 2, 1), QTime(1, 0, 1)));

    const QList<Record> logical = readAll(sample("logical.db"));
    QCOMPARE(logical.size(), 4);
    QCOMPARE(logical[0][0].toBool(), true);
    QCOMPARE(logical[1][0].toBool(), false);

    Table bcd(sample("bcd.db"));
    QCOMPARE(bcd.fields()[0].type, paradox::FieldType::Bcd);
    QCOMPARE(bcd.fields()[0].decimals, 2);
    const QList<Record> b = readAll(bcd);
    QCOMPARE(b.size(), 3);
    QCOMPARE(b[0][0].toString(), QStringLiteral("1.23"));
    QCOMPARE(b[0][1].toString(), QStringLiteral("1"));
    QCOMPARE(b[1][0].toString(), QStringLiteral("-1.23"));
    QCOMPARE(b[1][1].toString(), QStringLiteral("-1"));
    QVERIFY(b[1][2].toString().startsWith(QStringLiteral("-0.12299999")));
    QCOMPARE(b[2][0].toString(), QStringLiteral("0"));
    QVERIFY(b[2][1].isNull());
}

void TestParadox::samplesOfOtherVersionsAndCodePages()
{
    if (!QFileInfo::exists(sample("STATES.DB")))
        QSKIP(qPrintable(QStringLiteral("the sample tables are not in %1").arg(kSamples)));
    // Version 3: a header without code page, a header size that is no multiple of the block size.
    Table states(sample("STATES.DB"));
    QCOMPARE(states.versionByte(), 3);
    QCOMPARE(states.codePage(), 0);
    QCOMPARE(states.recordCount(), 53);
    QCOMPARE(fieldNames(states), QStringList({"Abv", "State", "Zip From", "Zip To"}));
    const QList<Record> s = readAll(states);
    QCOMPARE(s.size(), 53);
    QCOMPARE(s[0][0].toString(), QStringLiteral("AK"));
    QCOMPARE(s[0][1].toString(), QStringLiteral("Alaska"));
    QCOMPARE(s[0][2].toString(), QStringLiteral("995"));
    QCOMPARE(s[7][1].toString(), QStringLiteral("Dist. of Col."));
    // Records of the second block come after those of the first.
    QCOMPARE(s[24][0].toString().size(), 2);
    QVERIFY(s[52][0].toString() > s[24][0].toString());

    Table contacts(sample("CONTACTS.DB"));
    QCOMPARE(contacts.versionByte(), 12);
    QCOMPARE(contacts.codePage(), 437);
    QCOMPARE(contacts.recordCount(), 55);
    QCOMPARE(fieldNames(contacts), QStringList({"Last Name", "First Name", "Company", "Phone"}));
    const QList<Record> c = readAll(contacts);
    QCOMPARE(c.size(), 55);
    QCOMPARE(c[0][0].toString(), QStringLiteral("Pan"));
    QCOMPARE(c[3][2].toString(), QStringLiteral("Cayman Divers World Unlimited"));
    QCOMPARE(c[2][3].toString(), QStringLiteral("357-6-876708"));

    // No code page in the header: the table's language driver names the character set.
    Table roman(sample("ROMAN8.db"));
    QCOMPARE(roman.versionByte(), 9);
    QCOMPARE(roman.codePage(), 0);
    QCOMPARE(roman.textEncoding(), QStringLiteral("HP-ROMAN8"));
    QCOMPARE(readAll(roman)[0][0].toString(), QString::fromUtf8("Š½ƒ¶"));
    // … unless the user names one.
    QCOMPARE(readAll(sample("ROMAN8.db"), 850)[0][0].toString(), QString::fromUtf8("Ù°¥¶"));
}

void TestParadox::codePagesDecodeAccents()
{
    const char bytes850[] = "\xA4\xA5\xA0\x82\xA1\xA2\xA3\x81";
    QCOMPARE(TextDecoder::forCodePage(850).decode(bytes850, 8), QString::fromUtf8("ñÑáéíóúü"));
    const char bytes437[] = "\xA4\xA5\x87\x80";
    QCOMPARE(TextDecoder::forCodePage(437).decode(bytes437, 4), QString::fromUtf8("ñÑçÇ"));
    const char bytes1252[] = "\xF1\xD1\xE1\xC9\x80\x93";
    QCOMPARE(TextDecoder::forCodePage(1252).decode(bytes1252, 6), QString::fromUtf8("ñÑáÉ€“"));
    // Others through iconv: one byte per character (1250) and several (932).
    const char bytes1250[] = "\x8A\xE8";
    QCOMPARE(TextDecoder::forCodePage(1250).decode(bytes1250, 2), QString::fromUtf8("Šč"));
    const char bytes932[] = "A\x82\xA0\xFF";
    QCOMPARE(TextDecoder::forCodePage(932).decode(bytes932, 4), QString::fromUtf8("Aあ\uFFFD"));
    QVERIFY_THROWS_EXCEPTION(Error, TextDecoder::forCodePage(61234));
}

void TestParadox::writerRoundTripOfEveryType()
{
    QTemporaryDir tmp;
    const QList<WField> fields = {{"Código", A, 20},    {"Corto", S, 2},  {"Largo", I, 4}, {"Número", N, 8},
                                  {"Precio", MONEY, 8}, {"Día", D, 4},    {"Hora", T, 4},  {"Momento", TS, 8},
                                  {"Sí", L, 1},         {"Notas", M, 30}, {"Id", AUTO, 4}};
    for (int codePage : {1252, 850}) {
        ParadoxWriter w(fields, WOptions{12, codePage, 2, 0});
        const QString longMemo =
            QString::fromUtf8("Línea uno con acentos: áéíóú ñ Ñ ü\r\nLínea dos, más larga que la parte "
                              "que cabe en el registro.");
        // The smallest short and long are not storable: their bytes are those of an empty field.
        w.add({QString::fromUtf8("Añil"), -32767, -2147483647, -0.5, 12.0, QDate(1999, 12, 31), QTime(23, 59, 59, 999),
               QDateTime(QDate(2001, 2, 3), QTime(4, 5, 6, 7)), true, longMemo, 1});
        w.add({QString::fromUtf8("Ñu"), 32767, 2147483647, 1e300, -3.25, QDate(1, 1, 1), QTime(0, 0),
               QDateTime(QDate(2026, 12, 9), QTime(0, 0)), false, QString::fromUtf8("corta, ñ"), 2});
        w.add({QVariant(), 0, 0, 0.0, QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), 3});
        const QString path = tmp.filePath(QStringLiteral("t%1.db").arg(codePage));
        w.write(path);

        Table t(path);
        QCOMPARE(t.codePage(), codePage);
        QCOMPARE(t.fields()[0].name, QString::fromUtf8("Código"));
        QCOMPARE(t.fields()[3].name, QString::fromUtf8("Número"));
        const QList<Record> r = readAll(t);
        QCOMPARE(r.size(), 3);
        QCOMPARE(r[0][0].toString(), QString::fromUtf8("Añil"));
        QCOMPARE(r[0][1].toLongLong(), -32767);
        QCOMPARE(r[0][2].toLongLong(), -2147483647);
        QCOMPARE(r[0][3].toDouble(), -0.5);
        QCOMPARE(r[0][4].toDouble(), 12.0);
        QCOMPARE(r[0][5].toDate(), QDate(1999, 12, 31));
        QCOMPARE(r[0][6].toTime(), QTime(23, 59, 59, 999));
        QCOMPARE(r[0][7].toDateTime(), QDateTime(QDate(2001, 2, 3), QTime(4, 5, 6, 7)));
        QCOMPARE(r[0][8].toBool(), true);
        QCOMPARE(r[0][9].toString(), longMemo);
        QCOMPARE(r[1][0].toString(), QString::fromUtf8("Ñu"));
        QCOMPARE(r[1][1].toLongLong(), 32767);
        QCOMPARE(r[1][2].toLongLong(), 2147483647);
        QCOMPARE(r[1][3].toDouble(), 1e300);
        QCOMPARE(r[1][5].toDate(), QDate(1, 1, 1));
        QCOMPARE(r[1][6].toTime(), QTime(0, 0)); // midnight is a value, not an empty field
        QCOMPARE(r[1][8].toBool(), false);
        QCOMPARE(r[1][9].toString(), QString::fromUtf8("corta, ñ"));
        // Zero is a value; empty fields read as null.
        QCOMPARE(r[2][1].toLongLong(), 0);
        QVERIFY(!r[2][1].isNull());
        QCOMPARE(r[2][3].toDouble(), 0.0);
        QVERIFY(!r[2][3].isNull());
        for (int i : {0, 4, 5, 6, 7, 8, 9})
            QVERIFY2(r[2][i].isNull(), qPrintable(t.fields()[i].name));
    }
    // Version 3: no code page in the header, read as 437.
    ParadoxWriter old({{"Nombre", A, 10}, {"Cantidad", S, 2}}, WOptions{3, 0, 1, 0});
    old.add({QString::fromUtf8("Peña"), 7});
    old.write(tmp.filePath(QStringLiteral("old.db")));
    Table t3(tmp.filePath(QStringLiteral("old.db")));
    QCOMPARE(t3.versionByte(), 3);
    const QList<Record> r3 = readAll(t3);
    QCOMPARE(r3[0][0].toString(), QString::fromUtf8("Peña"));
    QCOMPARE(r3[0][1].toLongLong(), 7);
}

void TestParadox::manyBlocksAndLargeMemos()
{
    QTemporaryDir tmp;
    ParadoxWriter w({{"N", I, 4}, {"Texto", M, 20}}, WOptions{11, 850, 1, 0});
    QList<QString> texts;
    for (int i = 0; i < 500; ++i) {
        // In the record, in shared blocks and in blocks of their own (up to 20 KB).
        const QString t = i % 50 == 0 ? QString(20000 + i, QLatin1Char('x')) + QString::number(i)
                                      : QStringLiteral("texto %1 ").arg(i).repeated(i % 7 + 1);
        texts << t;
        w.add({i, t});
    }
    w.write(tmp.filePath(QStringLiteral("big.DB")), QStringLiteral("big.mb")); // the .MB found without regard to case
    Table t(tmp.filePath(QStringLiteral("big.DB")));
    QCOMPARE(t.blockSize(), 1024);
    const QList<Record> r = readAll(t);
    QCOMPARE(r.size(), 500);
    for (int i = 0; i < 500; ++i) {
        QCOMPARE(r[i][0].toLongLong(), i);
        QCOMPARE(r[i][1].toString(), texts[i]);
    }
}

void TestParadox::damagedFilesAreRefusedWithTheirName()
{
    QTemporaryDir tmp;
    ParadoxWriter w({{"N", I, 4}, {"Texto", M, 15}}, WOptions{12, 1252, 1, 0});
    for (int i = 0; i < 200; ++i)
        w.add({i, QStringLiteral("un texto de más de cinco letras %1").arg(i)});
    const QString good = tmp.filePath(QStringLiteral("good.db"));
    w.write(good);
    const QByteArray db = fileBytes(good);
    const QByteArray mb = fileBytes(tmp.filePath(QStringLiteral("good.MB")));
    QVERIFY(readError(good).isEmpty());

    auto variant = [&](const char* name, QByteArray bytes, bool withMb = true) {
        const QString path = tmp.filePath(QLatin1String(name) + QStringLiteral(".db"));
        writeBytes(path, bytes);
        if (withMb)
            writeBytes(tmp.filePath(QLatin1String(name) + QStringLiteral(".mb")), mb);
        return path;
    };
    auto refused = [&](const QString& path, const char* words) {
        const QString message = readError(path);
        // The table or, for a damaged memo, its memo file.
        QVERIFY2(message.contains(QDir::toNativeSeparators(tmp.filePath(QFileInfo(path).completeBaseName()) + u'.')),
                 qPrintable(message));
        QVERIFY2(message.contains(QLatin1String(words)), qPrintable(message));
    };

    // The last block (41 records of 19 bytes after its head) may end after its last record, not inside it.
    const int unused = 1024 - (6 + 41 * 19);
    QVERIFY(readError(variant("complete", db.left(db.size() - unused))).isEmpty());
    refused(variant("truncated", db.left(db.size() - unused - 1)), "truncated: it ends inside record 41 of block 4");
    refused(variant("tiny", db.left(40)), "shorter");
    refused(variant("foreign", QByteArray("Nombre,Precio\r\nAnís,12\r\n").repeated(200)),
            "not a readable Paradox table");
    QByteArray count = db;
    count[6] = char(199);
    refused(variant("count", count), "the 199 its header counts");
    QByteArray loop = db;
    loop[2048] = char(1); // the first block's next block: itself
    loop[2049] = 0;
    refused(variant("loop", loop), "returns to block 1");
    QByteArray version = db;
    version[0x39] = 2;
    refused(variant("version", version), "version byte");
    QByteArray sizes = db;
    sizes[0x78] = 0x04;
    sizes[0x79] = 5; // a long integer of 5 bytes
    refused(variant("sizes", sizes), "5 bytes instead of 4");
    QByteArray encrypted = db;
    encrypted[0x5C] = 0x11;
    refused(variant("encrypted", encrypted), "encrypted");
    refused(variant("nomemo", db, false), "missing");
    // A memo pointing outside its memo file.
    QByteArray pointer = db;
    const int firstMemo = 2048 + 6 + 4 + 5;
    pointer[firstMemo + 2] = char(0x7F);
    refused(variant("pointer", pointer), "memo");
    // A damaged entry of a shared memo block.
    writeBytes(tmp.filePath(QStringLiteral("entry.db")), db);
    QByteArray badMb = mb;
    badMb[4096 + 12 + 1] = char(0xF0); // the first entry claims 3840 bytes
    writeBytes(tmp.filePath(QStringLiteral("entry.mb")), badMb);
    refused(tmp.filePath(QStringLiteral("entry.db")), "entry.mb");
    const QString cwd = QDir::currentPath();
    QDir::setCurrent(tmp.path()); // the memo file named as the table was: relative here
    QVERIFY2(readError(QStringLiteral("entry.db")).startsWith(QStringLiteral("entry.mb is damaged")), "relative");
    QDir::setCurrent(cwd);

    // A BCD digit that is not decimal (past the number's precision): read up to it, with a note.
    ParadoxWriter bcd({{"Cantidad", 0x17, 2}}, WOptions{});
    QByteArray digits(17, '\0');
    digits[0] = char(0x82), digits[16] = char(0x2C); // 0.2, then a digit of 12
    bcd.add({digits});
    bcd.write(tmp.filePath(QStringLiteral("bcd.db")));
    Table cut(tmp.filePath(QStringLiteral("bcd.db")));
    QCOMPARE(readAll(cut).value(0).value(0).toString(), QStringLiteral("0.2"));
    QVERIFY(cut.notes().value(0).contains(
        QStringLiteral("1 value held a digit that is not decimal (the first in record 1)")));

    // Reading never changes either file.
    QCOMPARE(fileBytes(good), db);
}

void TestParadox::csvViewOfATable()
{
    QTemporaryDir tmp;
    ParadoxWriter w({{"Nombre", A, 20}, {"Alta", D, 4}, {"Visita", TS, 8}, {"Precio", MONEY, 8}, {"Notas", M, 12}},
                    WOptions{12, 1252, 2, 0});
    w.add({QString::fromUtf8("Añil, \"el bueno\""), QDate(2001, 5, 6), QDateTime(QDate(2001, 5, 6), QTime(17, 8, 9)),
           12.5, QString::fromUtf8("línea 1\r\nlínea 2, más")});
    w.add({QStringLiteral("B"), QVariant(), QDateTime(QDate(2001, 5, 6), QTime(17, 8, 9, 250)), 3.0, QVariant()});
    const QString path = tmp.filePath(QStringLiteral("t.db"));
    w.write(path);
    QBuffer b;
    b.open(QIODevice::WriteOnly);
    QCOMPARE(admin::paradoxToCsv(path, &b), 2);
    QCOMPARE(QString::fromUtf8(b.data()),
             QString::fromUtf8(
                 "Nombre,Alta,Visita,Precio,Notas\r\n"
                 "\"Añil, \"\"el bueno\"\"\",2001-05-06,2001-05-06 17:08:09,12.5,\"línea 1\r\nlínea 2, más\"\r\n"
                 "B,,2001-05-06 17:08:09.250,3,\r\n"));

    // Whole numbers as their digits; a record of one empty field is not a blank line.
    ParadoxWriter numbers({{"Importe", MONEY, 8}}, WOptions{});
    numbers.add({100000.0}), numbers.add({QVariant()}), numbers.add({1e15}), numbers.add({0.25});
    numbers.write(path);
    QBuffer n;
    n.open(QIODevice::WriteOnly);
    admin::paradoxToCsv(path, &n);
    QCOMPARE(n.data(), QByteArray("Importe\r\n100000\r\n\"\"\r\n1000000000000000\r\n0.25\r\n"));

    // Texts that look like formulas are guarded as the export guards them; numbers are not.
    ParadoxWriter formulas({{"Nombre", A, 20}, {"Precio", MONEY, 8}, {"Notas", M, 12}}, WOptions{});
    formulas.add({QStringLiteral("=1+1"), -5.0, QStringLiteral("@SUM(A1)")});
    formulas.write(path);
    QBuffer f;
    f.open(QIODevice::WriteOnly);
    admin::paradoxToCsv(path, &f);
    QCOMPARE(f.data(), QByteArray("Nombre,Precio,Notas\r\n'=1+1,-5,'@SUM(A1)\r\n"));
}

namespace {

// The old database of a shop: file names and field names in other cases,
// accents in code pages 1252 and 850, memos longer than their in-record part.
struct OldShop {
    QString memo = QString::fromUtf8("Aplicar con suavidad.\r\nNo usar en niños menores de tres años; consultar al "
                                     "médico si la irritación continúa después de una semana de uso diario.");
    int secondCode = 8;

    void write(const QString& dir, const QString& producto = QStringLiteral("Champú de ortiga"), double price = 12.0)
    {
        QDir().mkpath(dir);
        ParadoxWriter cos({{"PRODUCTO COSMETICO", A, 75}, {"indicaciones", M, 50}, {"Modo Empleo", M, 50}},
                          WOptions{12, 1252, 2, 0});
        cos.add({QString::fromUtf8("Crema de caléndula"), memo, QStringLiteral("Dos veces al día.")});
        cos.add({QString::fromUtf8("Aceite de árnica"), QVariant(), QVariant()});
        cos.write(dir + QStringLiteral("/cosmetic.db"), QStringLiteral("COSMETIC.MB"));

        ParadoxWriter glos({{"Término médico", A, 75}, {"Definición:", M, 20}}, WOptions{11, 850, 4, 0});
        glos.add({QString::fromUtf8("Cefalea"),
                  QString::fromUtf8("Dolor de cabeza, según el diccionario médico de la "
                                    "época; puede ser tensional o vascular.")});
        glos.write(dir + QStringLiteral("/GLOSARIO.DB"));

        ParadoxWriter ventas(
            {{"Caja", S, 2}, {"Fecha y Hora", TS, 8}, {"Codigo", I, 4}, {"Importe", I, 4}, {"Producto", A, 45}},
            WOptions{12, 1252, 2, 0});
        ventas.add({1, QDateTime(QDate(2003, 4, 5), QTime(10, 11, 12)), 7, 12, QString::fromUtf8("Champú")});
        ventas.add({2, QDateTime(QDate(2003, 4, 5), QTime(0, 0)), 8, 3, QVariant()});
        ventas.write(dir + QStringLiteral("/VENTAS.DB"));

        ParadoxWriter prod({{"Codigo", I, 4}, {"Descripcion", A, 40}, {"Precio", MONEY, 8}}, WOptions{12, 1252, 2, 0});
        prod.add({7, producto, price});
        prod.add({secondCode, QString::fromUtf8("Té verde"), 100000.0});
        prod.write(dir + QStringLiteral("/producto.DB"));

        ParadoxWriter datos(
            {{"Nombre/Apellidos", A, 44}, {"Telefono", A, 38}, {"Patologia", M, 30}, {"Foto", 0x10, 10}},
            WOptions{12, 850, 2, 0});
        datos.add({QString::fromUtf8("Núñez Peña, María"), QStringLiteral("900 000 000"), memo, QVariant()});
        datos.write(dir + QStringLiteral("/Datos.db"));
    }
};

} // namespace

void TestParadox::migrationBringsTheFourteenTables()
{
    QTemporaryDir tmp;
    const QString old = tmp.filePath(QStringLiteral("YERBA1"));
    OldShop shop;
    shop.write(old);
    const QString dir = tmp.filePath(QStringLiteral("nueva/datos"));
    const admin::MigrationResult r = admin::migrateDatabase(old, dir, false);
    QVERIFY(r.createdDirectory);
    QCOMPARE(r.tables.size(), 14);
    QVERIFY(Database::check(dir).isEmpty());

    auto entry = [&](const char* name) {
        for (const admin::MigratedTable& t : r.tables)
            if (t.table == QLatin1String(name))
                return t;
        return admin::MigratedTable{};
    };
    QCOMPARE(entry("Cosmetic.DB").read, 2);
    QCOMPARE(entry("Cosmetic.DB").written, 2);
    QCOMPARE(QFileInfo(entry("Cosmetic.DB").oldFile).fileName(), QStringLiteral("cosmetic.db"));
    QVERIFY(entry("Abuela.DB").oldFile.isEmpty());
    QCOMPARE(entry("Abuela.DB").written, 0);
    QVERIFY(entry("DATOS.DB").notes.join(u'\n').contains(QStringLiteral("'Foto'")));
    QVERIFY(entry("DATOS.DB").notes.join(u'\n').contains(QStringLiteral("'Domicilio' is not in the old table")));

    // Key order, accents, the whole memo with its line breaks.
    const QString csvMemo = QStringLiteral("\"%1\"").arg(shop.memo);
    QCOMPARE(QString::fromUtf8(exportCsv(dir, QStringLiteral("Cosmetic"))),
             QString::fromUtf8("Producto Cosmetico,Indicaciones,Modo Empleo\r\n"
                               "Aceite de árnica,,\r\n"
                               "Crema de caléndula,%1,Dos veces al día.\r\n")
                 .arg(csvMemo));
    QCOMPARE(QString::fromUtf8(exportCsv(dir, QStringLiteral("GLOSARIO"))),
             QString::fromUtf8("Definición:,Término médico\r\n\"Dolor de cabeza, según el diccionario médico de la "
                               "época; puede ser tensional o vascular.\",Cefalea\r\n"));
    QCOMPARE(QString::fromUtf8(exportCsv(dir, QStringLiteral("Ventas"))),
             QString::fromUtf8("Caja,Fecha y Hora,Codigo,Importe,Producto\r\n"
                               "1,2003-04-05 10:11:12,7,12,Champú\r\n"
                               "2,2003-04-05 00:00:00,8,3,\r\n"));
    QCOMPARE(QString::fromUtf8(exportCsv(dir, QStringLiteral("Producto"))),
             QString::fromUtf8("Codigo,Descripcion,Precio\r\n7,Champú de ortiga,12\r\n8,Té verde,100000\r\n"));
    QCOMPARE(QString::fromUtf8(exportCsv(dir, QStringLiteral("DATOS"))).section(QStringLiteral("\r\n"), 1),
             QString::fromUtf8("\"Núñez Peña, María\",,,,,900 000 000,,,%1,,\r\n").arg(csvMemo));
    QCOMPARE(exportCsv(dir, QStringLiteral("Abuela")), QByteArray("Sintomas,Indicaciones\r\n"));
    // Nothing of the work is left beside the new database.
    QCOMPARE(
        QDir(tmp.filePath(QStringLiteral("nueva"))).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
        QStringList{QStringLiteral("datos")});

    // Into a database of empty tables, as 'create' makes them.
    const QString created = tmp.filePath(QStringLiteral("creada"));
    Database::createTables(created);
    const admin::MigrationResult r2 = admin::migrateDatabase(old, created, false);
    QVERIFY(!r2.createdDirectory);
    QCOMPARE(exportCsv(created, QStringLiteral("Producto")), exportCsv(dir, QStringLiteral("Producto")));
    QCOMPARE(exportCsv(created, QStringLiteral("DATOS")), exportCsv(dir, QStringLiteral("DATOS")));
}

void TestParadox::migrationIsAllOrNothing()
{
    QTemporaryDir tmp;
    const QString old = tmp.filePath(QStringLiteral("old"));
    // A description of 35 characters: more than the 30 of the product table.
    OldShop().write(old, QStringLiteral("Champú de ortiga y romero, 250 ml.."));
    const QString dir = tmp.filePath(QStringLiteral("new"));
    try {
        admin::migrateDatabase(old, dir, false);
        QFAIL("a description longer than its field was migrated");
    } catch (const Error& e) {
        QVERIFY2(e.message().contains(QStringLiteral("Producto.db")), qPrintable(e.message()));
        QVERIFY2(e.message().contains(QStringLiteral("record 1, field 'Descripcion'")), qPrintable(e.message()));
        QVERIFY2(e.message().contains(QStringLiteral("35 characters")), qPrintable(e.message()));
    }
    // The tables before it in the catalogue were not written either.
    QVERIFY(!QFileInfo::exists(dir));
    QCOMPARE(QDir(tmp.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList{"old"});

    // Into empty tables: they stay empty, byte for byte.
    const QString empty = tmp.filePath(QStringLiteral("empty"));
    Database::createTables(empty);
    const QByteArray before = treeHash(empty);
    QVERIFY_THROWS_EXCEPTION(Error, admin::migrateDatabase(old, empty, false));
    QCOMPARE(treeHash(empty), before);

    // A price with cents does not fit a whole-number price.
    OldShop().write(old, QStringLiteral("Champú"), 12.5);
    try {
        admin::migrateDatabase(old, dir, false);
        QFAIL("a price with cents was migrated");
    } catch (const Error& e) {
        QVERIFY2(e.message().contains(QStringLiteral("record 1, field 'Precio': '12.5' is not a valid integer value")),
                 qPrintable(e.message()));
    }
    QVERIFY(!QFileInfo::exists(dir));

    // A required field the old table lacks.
    ParadoxWriter noCode({{"Descripcion", A, 30}, {"Precio", I, 4}}, WOptions{});
    noCode.add({QStringLiteral("Miel"), 4});
    noCode.write(old + QStringLiteral("/PRODUCTO.DB"));
    QFile::remove(old + QStringLiteral("/producto.DB"));
    try {
        admin::migrateDatabase(old, dir, false);
        QFAIL("a product table without codes was migrated");
    } catch (const Error& e) {
        QVERIFY2(e.message().contains(QStringLiteral("no field 'Codigo'")), qPrintable(e.message()));
    }
    // A damaged old table is named.
    QFile::remove(old + QStringLiteral("/PRODUCTO.DB"));
    writeBytes(old + QStringLiteral("/Producto.db"), QByteArray(3000, 'x'));
    try {
        admin::migrateDatabase(old, dir, false);
        QFAIL("a damaged table was migrated");
    } catch (const Error& e) {
        QVERIFY2(e.message().contains(QStringLiteral("Producto.db is not a readable Paradox table")),
                 qPrintable(e.message()));
    }
    QVERIFY(!QFileInfo::exists(dir));
}

void TestParadox::migrationRefusesADatabaseWithData()
{
    QTemporaryDir tmp;
    const QString old = tmp.filePath(QStringLiteral("old"));
    OldShop().write(old);
    const QString dir = tmp.filePath(QStringLiteral("db"));
    Database::createTables(dir);
    {
        QBuffer csv;
        csv.setData("Codigo,Descripcion,Precio\r\n1,Miel,5\r\n");
        csv.open(QIODevice::ReadOnly);
        admin::importTable(dir, admin::tableNamed(QStringLiteral("producto")), &csv, false);
    }
    const QByteArray before = treeHash(dir);
    try {
        admin::migrateDatabase(old, dir, false);
        QFAIL("a database with data was filled");
    } catch (const Error& e) {
        QVERIFY2(e.message().contains(QStringLiteral("already holds data: Producto.db (1 record)")),
                 qPrintable(e.message()));
    }
    QCOMPARE(treeHash(dir), before);
    // A directory with other files is not a database either.
    const QString other = tmp.filePath(QStringLiteral("other"));
    QDir().mkpath(other);
    writeBytes(other + QStringLiteral("/carta.txt"), "hola");
    QVERIFY_THROWS_EXCEPTION(Error, admin::migrateDatabase(old, other, false));
    QCOMPARE(QDir(other).entryList(QDir::Files), QStringList{"carta.txt"});
    // An empty directory is filled.
    const QString emptyDir = tmp.filePath(QStringLiteral("vacia"));
    QDir().mkpath(emptyDir);
    admin::migrateDatabase(old, emptyDir, false);
    QVERIFY(Database::check(emptyDir).isEmpty());
    QCOMPARE(exportCsv(emptyDir, QStringLiteral("Ventas")).count('\n'), 3);
}

void TestParadox::dryRunWritesNothing()
{
    QTemporaryDir tmp;
    const QString old = tmp.filePath(QStringLiteral("old"));
    OldShop().write(old);
    const QString dir = tmp.filePath(QStringLiteral("new"));
    const admin::MigrationResult r = admin::migrateDatabase(old, dir, true);
    QVERIFY(!QFileInfo::exists(dir));
    qint64 read = 0, written = 0;
    for (const admin::MigratedTable& t : r.tables)
        read += t.read, written += t.written;
    QCOMPARE(read, 2 + 1 + 2 + 2 + 1);
    QCOMPARE(written, 0);
    // And it finds the same faults as the real run.
    OldShop().write(old, QStringLiteral("Champú de ortiga y romero, 250 ml.."));
    QVERIFY_THROWS_EXCEPTION(Error, admin::migrateDatabase(old, dir, true));
    const QString empty = tmp.filePath(QStringLiteral("empty"));
    Database::createTables(empty);
    const QByteArray before = treeHash(empty);
    OldShop().write(old);
    admin::migrateDatabase(old, empty, true);
    QCOMPARE(treeHash(empty), before);

    // Met only as the records are written: a product code twice, and two files for one table.
    auto refusal = [&](const QString& into, bool dryRun) {
        try {
            admin::migrateDatabase(old, into, dryRun);
        } catch (const Error& e) {
            return e.message();
        }
        return QString();
    };
    OldShop twice;
    twice.secondCode = 7;
    twice.write(old);
    for (bool dryRun : {true, false}) {
        for (const QString& into : {dir, empty})
            QCOMPARE(refusal(into, dryRun),
                     QStringLiteral("cannot migrate Producto.db from %1/producto.DB: record 2, "
                                    "field 'Codigo': another record already has the value 7")
                         .arg(QDir::toNativeSeparators(old)));
        QCOMPARE(treeHash(empty), before); // the tables before it not left grown either
    }
    QFile::copy(old + QStringLiteral("/producto.DB"), old + QStringLiteral("/PRODUCTO.DB"));
    const QString two = refusal(dir, true);
    QVERIFY2(two.contains(QStringLiteral("Producto.db: the old directory holds 2 files for it")) &&
                 two.contains(QStringLiteral("/PRODUCTO.DB")) && two.contains(QStringLiteral("/producto.DB")),
             qPrintable(two));
    QVERIFY(!QFileInfo::exists(dir));
}

void TestParadox::commandLine()
{
    QTemporaryDir tmp;
    const QString old = tmp.filePath(QStringLiteral("YERBA1"));
    OldShop().write(old);
    const QString dir = tmp.filePath(QStringLiteral("db"));
    auto run = [](const QStringList& args, QByteArray* out, QByteArray* err) {
        QProcess p;
        // The tool's English messages, whatever locale the tests run in.
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
        env.remove(QStringLiteral("LANGUAGE"));
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(YERBALIS_ADMIN), args);
        p.waitForFinished(60000);
        *out = p.readAllStandardOutput();
        *err = p.readAllStandardError();
        return p.exitCode();
    };
    QByteArray out, err;
    QCOMPARE(run({QStringLiteral("migrate"), old, dir, QStringLiteral("--dry-run")}, &out, &err), 1);
    QVERIFY2(err.contains("no file for DIAGNOST.DB") && err.contains("Nothing was written"), err.constData());
    QCOMPARE(run({QStringLiteral("migrate"), old, dir, QStringLiteral("--allow-missing")}, &out, &err), 0);
    const QString text = QString::fromUtf8(out);
    static const QRegularExpression cosmetic(QStringLiteral("^Cosmetic.DB +read +2  written +2  from cosmetic.db$"),
                                             QRegularExpression::MultilineOption);
    QVERIFY2(cosmetic.match(text).hasMatch(), qPrintable(text));
    static const QRegularExpression abuela(
        QStringLiteral("^Abuela.DB +read +0  written +0  \\(missing in .*: left empty\\)$"),
        QRegularExpression::MultilineOption);
    QVERIFY2(abuela.match(text).hasMatch(), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("8 records read, 8 written into")), qPrintable(text));
    static const QRegularExpression tableLine(QStringLiteral("^\\S+ +read +\\d+  written +\\d+"),
                                              QRegularExpression::MultilineOption);
    int tableLines = 0;
    for (auto it = tableLine.globalMatch(text); it.hasNext(); it.next())
        ++tableLines;
    QCOMPARE(tableLines, 14);

    // A second run meets a database with data: refused, exit code 1, nothing changed.
    const QByteArray before = treeHash(dir);
    QCOMPARE(run({QStringLiteral("migrate"), old, dir, QStringLiteral("--allow-missing")}, &out, &err), 1);
    QVERIFY2(err.contains("already holds data") && err.contains("Nothing was written"), err.constData());
    QCOMPARE(treeHash(dir), before);

    // A damaged table shown as CSV: exit code 1, not a byte on standard output.
    writeBytes(tmp.filePath(QStringLiteral("roto.db")), fileBytes(old + QStringLiteral("/VENTAS.DB")).left(2048 + 100));
    QCOMPARE(run({QStringLiteral("paradox"), tmp.filePath(QStringLiteral("roto.db"))}, &out, &err), 1);
    QCOMPARE(out, QByteArray());
    QVERIFY2(err.contains("roto.db is not a readable Paradox table"), err.constData());
    QCOMPARE(run({QStringLiteral("paradox"), old + QStringLiteral("/VENTAS.DB")}, &out, &err), 0);
    QVERIFY2(out.startsWith("Caja,Fecha y Hora,Codigo,Importe,Producto\r\n1,2003-04-05 10:11:12,7,12,Champ"),
             out.constData());
    QCOMPARE(run({QStringLiteral("migrate"), old}, &out, &err), 2);
}

void TestParadox::readingSpeed()
{
    QTemporaryDir tmp;
    const int count = qEnvironmentVariableIntValue("YERBALIS_PARADOX_RECORDS") > 0
        ? qEnvironmentVariableIntValue("YERBALIS_PARADOX_RECORDS")
        : 20000;
    ParadoxWriter w({{"Sintomas", A, 75}, {"Indicaciones", M, 50}, {"N", I, 4}, {"Fecha", TS, 8}},
                    WOptions{12, 1252, 4, 0});
    for (int i = 0; i < count; ++i)
        w.add({QString::fromUtf8("Síntoma número %1").arg(i),
               QString::fromUtf8("Indicación %1, bastante más larga que la parte del registro. ").arg(i).repeated(2), i,
               QDateTime(QDate(2000, 1, 1).addDays(i % 3000), QTime(12, 0))});
    // The table of grandmother's remedies, with two fields more.
    QDir().mkpath(tmp.filePath(QStringLiteral("old")));
    const QString path = tmp.filePath(QStringLiteral("old/ABUELA.DB"));
    w.write(path);
    QElapsedTimer timer;
    timer.start();
    Table t(path);
    Record r;
    qint64 n = 0;
    while (t.next(r))
        ++n;
    const qint64 ms = qMax<qint64>(1, timer.elapsed());
    QCOMPARE(n, count);
    qInfo("read %lld records (%lld KiB with their memos) in %lld ms: %lld records/s", n,
          (QFileInfo(path).size() + QFileInfo(tmp.filePath(QStringLiteral("old/ABUELA.MB"))).size()) / 1024, ms,
          n * 1000 / ms);
    timer.restart();
    const admin::MigrationResult m =
        admin::migrateDatabase(tmp.filePath(QStringLiteral("old")), tmp.filePath(QStringLiteral("new")), false);
    const qint64 migrateMs = qMax<qint64>(1, timer.elapsed());
    QCOMPARE(m.tables[11].table, QStringLiteral("Abuela.DB"));
    QCOMPARE(m.tables[11].written, count);
    qInfo("migrated them into Abuela.DB in %lld ms: %lld records/s", migrateMs, count * 1000 / migrateMs);
    if (QFileInfo::exists(sample("CUSTOMER.DB"))) {
        timer.restart();
        qint64 m = 0;
        for (int k = 0; k < 200; ++k)
            m += readAll(sample("CUSTOMER.DB")).size();
        qInfo("CUSTOMER.DB read 200 times, %lld records in %lld ms", m, qint64(timer.elapsed()));
    }
}

QTEST_GUILESS_MAIN(TestParadox)
#include "test_paradox.moc"
