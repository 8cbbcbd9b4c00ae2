// The table store on real temporary database directories, without any window;
// with YERBALIS_TEST_DATABASE naming a PostgreSQL server, on databases there.

#include "TestDatabase.h"
#include "store/Catalogue.h"
#include "store/Conversions.h"
#include "store/Database.h"
#include "store/Errors.h"
#include "store/SortKey.h"
#include "store/TableCursor.h"

#include <QCryptographicHash>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>
#include <clocale>
#include <sqlite3.h>
#include <string>

using namespace yb;
using namespace yb::test;

namespace {

// Records what a data source would hear, and can play a control that writes
// typed text when asked to update the record.
struct Listener : CursorObserver {
    TableCursor* cursor = nullptr;
    QStringList events;
    QString pendingField, pendingText;
    void recordChanged() override { events << QStringLiteral("record"); }
    void stateChanged() override { events << QStringLiteral("state"); }
    void fieldChanged(const QString& f) override { events << QStringLiteral("field:") + f; }
    void focusField(const QString& f) override { events << QStringLiteral("focus:") + f; }
    void updateRecord() override
    {
        events << QStringLiteral("update");
        if (!pendingField.isEmpty()) {
            const QString f = pendingField;
            pendingField.clear();
            cursor->fieldByName(f).setAsString(pendingText);
        }
    }
};

QByteArray fileHash(const QString& path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

} // namespace

class TestStore : public QObject {
    Q_OBJECT
    QTemporaryDir tmp_;
    QString dir_; // the database location: a directory, or a database on the test server
    int n_ = 0;
    test::FreshDatabases databases_;

    std::unique_ptr<TableCursor> cursor(const char* unit, const char* name = "Table1")
    {
        auto c = std::make_unique<TableCursor>(cursorDecl(QString::fromUtf8(unit), QString::fromUtf8(name)));
        c->open();
        return c;
    }
    void addKeys(TableCursor& c, const QStringList& keys)
    {
        for (const QString& k : keys) {
            c.append();
            c.fieldByName(c.indexField()).setAsString(k);
            c.post();
        }
    }
    QStringList walk(TableCursor& c)
    {
        QStringList seen;
        c.first();
        while (!c.eof()) {
            seen << c.fieldByName(c.indexField()).asString();
            c.next();
        }
        return seen;
    }

private slots:
    void init()
    {
        // A fresh database directory for every test.
        YB_REACH_TEST_SERVER(dir_ = databases_.make(tmp_.path() + QStringLiteral("/db%1").arg(++n_)));
    }

    void catalogueListsEveryTableAndCursor()
    {
        QCOMPARE(tables().size(), 14);
        QCOMPARE(cursorDecls().size(), 17);
        const TableDef* ventas = findTable(QStringLiteral("ventas.db"));
        QVERIFY(ventas);
        QCOMPARE(ventas->fields.size(), 5);
        QCOMPARE(ventas->fields[0].type, FieldType::SmallInt);
        QCOMPARE(ventas->fields[4].size, 45);
        const TableDef* glos = findTable(QStringLiteral("GLOSARIO.DB"));
        QCOMPARE(glos->fields[0].name, QStringLiteral("Definición:"));
        QCOMPARE(glos->keyField, QStringLiteral("Término médico"));
        QCOMPARE(findTable(QStringLiteral("DATOS.DB"))->fields.size(), 11);
        QCOMPARE(findTable(QStringLiteral("Informac.DB"))->fields.size(), 6);
        const CursorDecl& help = cursorDecl(QStringLiteral("Ayuda"), QStringLiteral("Table1"));
        QCOMPARE(help.tableFile, QStringLiteral("Tnatural.DB"));
        QCOMPARE(help.directory, QStringLiteral("c:\\yerba1"));
        QCOMPARE(cursorDecls()[0].fields, (QStringList{"Fecha y Hora", "Producto", "Importe"}));
        // Every cursor opens on a fresh database.
        for (const CursorDecl& d : cursorDecls()) {
            TableCursor c(d);
            c.open();
            QCOMPARE(c.state(), CursorState::Browse);
            QCOMPARE(c.fieldCount(), d.fields.isEmpty() ? int(c.tableDef().fields.size()) : int(d.fields.size()));
        }
    }

    void integerConversionOfText()
    {
        QCOMPARE(textToInt(QStringLiteral("  42")), 42);
        QCOMPARE(textToInt(QStringLiteral("-17")), -17);
        QCOMPARE(textToInt(QStringLiteral("+8")), 8);
        QCOMPARE(textToInt(QStringLiteral("$1F")), 31);
        QCOMPARE(textToInt(QStringLiteral("-2147483648")), INT32_MIN);
        QCOMPARE(textToInt(QStringLiteral("2147483647")), INT32_MAX);
        for (const char* bad :
             {"", "  ", "2147483648", "12 ", "1-2", "$", "12a", "-", "$G", "1.5", "99999999999999999999"})
            QVERIFY2(!tryTextToInt(QString::fromLatin1(bad)), bad);
        QCOMPARE(errorOf([] { textToInt(QStringLiteral("12x")); }),
                 QStringLiteral("'12x' is not a valid integer value"));
        QCOMPARE(intToText(-5), QStringLiteral("-5"));
        QCOMPARE(formatG(-32768), QStringLiteral("-32768"));
        QCOMPARE(formatG(40000000), QStringLiteral("4e+07"));
        // A decimal point whatever the process's numeric locale says.
        const std::string numeric = std::setlocale(LC_NUMERIC, nullptr);
        const bool spanish = std::setlocale(LC_NUMERIC, "es_ES.UTF-8") != nullptr;
        const QString big = formatG(-2147483648.0), half = formatG(0.5);
        std::setlocale(LC_NUMERIC, numeric.c_str());
        QCOMPARE(big, QStringLiteral("-2.14748e+09"));
        QCOMPARE(half, QStringLiteral("0.5"));
        if (!spanish)
            qWarning("es_ES.UTF-8 is not installed: formatG checked in the current locale only");
    }

    void dateTimeTextOmitsMidnight()
    {
        const QDate d(2026, 3, 7);
        QCOMPARE(dateTimeText(QDateTime(d, QTime(0, 0))), dateText(d));
        const QString withTime = dateTimeText(QDateTime(d, QTime(9, 5, 3)));
        QVERIFY(withTime.startsWith(dateText(d) + QLatin1Char(' ')));
        QVERIFY(withTime.contains(QStringLiteral("05")));
        QVERIFY(!longTimeFormat().contains(QLatin1Char('t')));
        QCOMPARE(textToDateTime(withTime), QDateTime(d, QTime(9, 5, 3)));
    }

    void timeFormatsLoseTheirZoneOnly()
    {
        // What a user of each locale sees for the same moment.
        const QDateTime moment(QDate(2026, 12, 5), QTime(13, 21, 55));
        const struct {
            const char* locale;
            const char* format;
            const char* text;
        } known[] = {{"es_ES", "H:mm:ss", "5/12/26 13:21:55"},
                     {"C", "HH:mm:ss", "5 Dec 2026 13:21:55"},
                     {"en_US", "h:mm:ss AP", "12/5/26 1:21:55 PM"},
                     {"de_DE", "HH:mm:ss", "05.12.26 13:21:55"},
                     {"fr_FR", "HH:mm:ss", "05/12/2026 13:21:55"}};
        for (const auto& k : known) {
            const QLocale loc(QString::fromLatin1(k.locale));
            QCOMPARE(longTimeFormat(loc), QString::fromUtf8(k.format));
            QCOMPARE(dateTimeText(moment, loc), QString::fromUtf8(k.text));
        }

        // Every locale Qt knows: the time shown is the whole long form minus the
        // zone, with no bracket, comma or blank left over from it.
        const QTime t(13, 21, 55);
        const QRegularExpression leftover(QStringLiteral("\\(\\s*\\)|\\[\\s*\\]|^[\\s,(\\[]|[\\s,)\\]]$"));
        const auto all = QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory);
        QVERIFY(all.size() > 100);
        for (const QLocale& loc : all) {
            const QString full = loc.toString(t, QLocale::LongFormat);
            const QString shown = timeText(t, loc);
            const QString why = loc.name() + QStringLiteral(": ") + full + QStringLiteral(" -> ") + shown;
            QVERIFY2(!shown.isEmpty() && full.contains(shown), qPrintable(why));
            QVERIFY2(!shown.contains(leftover), qPrintable(why));
            QVERIFY2(!shown.contains(loc.toString(t, QStringLiteral("t"))), qPrintable(why));
        }
    }

    void zonePartsOfOddFormats()
    {
        const struct {
            const char* format;
            const char* expected;
        } cases[] = {
            {"HH:mm:ss t", "HH:mm:ss"},
            {"H:mm:ss (t)", "H:mm:ss"},
            {"APh:mm:ss [t]", "APh:mm:ss"},
            {"HH:mm:ss ( tttt )", "HH:mm:ss"},
            {"t HH:mm:ss", "HH:mm:ss"},
            {"t APh:mm:ss", "APh:mm:ss"},
            {"h:mm:ss AP, t", "h:mm:ss AP"},
            {"H:mm:ss 'ч'. t", "H:mm:ss 'ч'."},         // the period ends the abbreviation
            {"'Klock' H.mm:ss (t)", "'Klock' H.mm:ss"}, // quoted text stays
            {"HH:mm 'at' ss", "HH:mm 'at' ss"},         // a quoted t is no zone
            {"HH:mm 'it''s' ss tt", "HH:mm 'it''s' ss"},
            {"(HH:mm:ss t)", "(HH:mm:ss)"}, // brackets around more than the zone stay
            {"AP t h:mm:ss", "AP h:mm:ss"}, // one blank still separates what stays
            {"HH:mm:ss", "HH:mm:ss"},
            {"t", ""},
        };
        for (const auto& c : cases)
            QCOMPARE(withoutTimeZone(QString::fromUtf8(c.format)), QString::fromUtf8(c.expected));
    }

    void twoDigitYearsComeInTheNearestCentury()
    {
        QCOMPARE(fullYear(26, 2026), 2026);
        QCOMPARE(fullYear(75, 2026), 2075);
        QCOMPARE(fullYear(76, 2026), 1976);
        QCOMPARE(fullYear(0, 2026), 2000);
        QCOMPARE(fullYear(99, 2026), 1999);
        QCOMPARE(fullYear(98, 2003), 1998);
        QCOMPARE(fullYear(10, 2080), 2110);
        QCOMPARE(fullYear(29, 2080), 2129);
        QCOMPARE(fullYear(31, 2080), 2031);

        const int now = QDate::currentDate().year();
        const QLocale es(QStringLiteral("es_ES"));
        QCOMPARE(textToDate(QStringLiteral("7/3/%1").arg(now % 100, 2, 10, QLatin1Char('0')), es), QDate(now, 3, 7));
        // Every year of the window reads back as written, in every form that writes
        // two-digit years, with and without the time.
        for (const char* name : {"es_ES", "en_US", "de_DE", "C", "fr_FR"}) {
            const QLocale loc(QString::fromLatin1(name));
            for (int y = now - 50; y <= now + 49; ++y) {
                const QDateTime dt(QDate(y, 3, 7), QTime(9, 5, 3));
                QCOMPARE(textToDateTime(dateTimeText(dt, loc), loc), dt);
                QCOMPARE(textToDateTime(dateText(dt.date(), loc), loc), QDateTime(dt.date(), QTime(0, 0)));
                QCOMPARE(textToDate(dateText(dt.date(), loc), loc), dt.date());
            }
        }
        // The day only leap years have, in a year ending in 00.
        const QString leap = QStringLiteral("29/2/00");
        QCOMPARE(textToDate(leap, es), QDate(fullYear(0, now), 2, 29));
        QCOMPARE(textToDateTime(leap + QStringLiteral(" 8:00:00"), es),
                 QDateTime(QDate(fullYear(0, now), 2, 29), QTime(8, 0)));
        // A four-digit year typed where the form has two is taken as typed; ISO
        // texts still read; nonsense does not.
        QCOMPARE(textToDateTime(QStringLiteral("7/3/1931 10:00:00"), es), QDateTime(QDate(1931, 3, 7), QTime(10, 0)));
        QCOMPARE(textToDate(QStringLiteral("2026-03-07"), es), QDate(2026, 3, 7));
        QCOMPARE(textToDateTime(QStringLiteral("2026-03-07T09:05:03"), es),
                 QDateTime(QDate(2026, 3, 7), QTime(9, 5, 3)));
        QVERIFY(!textToDateTime(QStringLiteral("31/2/26"), es).isValid());
        QVERIFY(!textToDate(QStringLiteral("ayer"), es).isValid());
        QVERIFY(!textToDateTime(QString(), es).isValid());
    }

    void spanishKeyOrder()
    {
        auto c = cursor("Cosmetic");
        const QStringList keys = {"oso",  "Ñame",   "nube",      "árbol", "Abeto", "abeto",     "Nórdico", "ábaco",
                                  "zeta", "aceite", "Aloe vera", "Aloe",  "ñu",    "10 flores", "Casa",    "casa"};
        addKeys(*c, keys);
        const QStringList expected = {"10 flores", "ábaco", "abeto",   "Abeto", "aceite", "Aloe", "Aloe vera", "árbol",
                                      "casa",      "Casa",  "Nórdico", "nube",  "Ñame",   "ñu",   "oso",       "zeta"};
        QCOMPARE(walk(*c), expected);
        // Sort keys alone give the same order.
        QStringList bySortKey = keys;
        std::sort(bySortKey.begin(), bySortKey.end(),
                  [](const QString& a, const QString& b) { return sortKey(a) < sortKey(b); });
        QCOMPARE(bySortKey, expected);
        // Tables without an index field keep insertion order.
        auto p = cursor("REGISTR1");
        for (int code : {30, 10, 20}) {
            p->append();
            p->fieldByName(QStringLiteral("Codigo")).setAsInteger(code);
            p->fieldByName(QStringLiteral("Descripcion")).setAsString(QStringLiteral("x"));
            p->fieldByName(QStringLiteral("Precio")).setAsInteger(1);
            p->post();
        }
        QList<int> codes;
        for (p->first(); !p->eof(); p->next())
            codes << int(p->fieldByName(QStringLiteral("codigo")).asInteger());
        QCOMPARE(codes, (QList<int>{30, 10, 20}));
    }

    // The compact keys of table files order every pair of texts as the full
    // keys do, give the full key back, and keep a prefix's range.
    void compactKeysKeepTheOrder()
    {
        const QStringList texts = {"",     "a", "a ",        "a\t",       "a\u00A0b", "ab",  "aB",     "Ab", "abc", "á",
                                   "à",    "ä", "a\u0301",   "å",         "ā",        "ǻ",   "n",      "nz", "ñ",   "Ñ",
                                   "ña",   "o", "k",         "K",         "\u212A",   "1",   "\u0661", "10", "9",   "-",
                                   "/",    "«", "€",         "x y",       "xy",       "x-y", "ß",      "ÿ",  "Ω",   "ω",
                                   "日本", "😀", "Aloe vera", "10 flores", "Nórdico",  "Ñame"};
        auto sign = [](const QByteArray& a, const QByteArray& b) { return a < b ? -1 : b < a ? 1 : 0; };
        QList<QByteArray> full, compact;
        for (const QString& t : texts) {
            full << sortKey(t);
            const QByteArray utf8 = t.toUtf8();
            compact << compactSortKeyUtf8(utf8.constData(), utf8.size());
            QCOMPARE(compactSortKey(full.last()), compact.last());
            QCOMPARE(sortKeyFromCompact(compact.last()), full.last());
        }
        for (int i = 0; i < texts.size(); ++i)
            for (int j = 0; j < texts.size(); ++j)
                QVERIFY2(sign(full[i], full[j]) == sign(compact[i], compact[j]),
                         qPrintable(texts[i] + QLatin1String(" / ") + texts[j]));
        for (const QString& p : {QString(), QStringLiteral("a"), QStringLiteral("N"), QStringLiteral("ñ"),
                                 QStringLiteral("x "), QStringLiteral("1")}) {
            const QByteArray lo = sortKeyPrefix(p), clo = compactSortKey(lo);
            QCOMPARE(compactSortKey(lo + char(0xFF)), clo + char(0xFF));
            for (int i = 0; i < texts.size(); ++i)
                QVERIFY2(full[i].startsWith(lo) == compact[i].startsWith(clo),
                         qPrintable(p + QLatin1String(" / ") + texts[i]));
        }
        QCOMPARE(sortKeyFromCompact(QByteArray()), QByteArray());
    }

    void emptyTableFlagsAndErrors()
    {
        auto c = cursor("Cosmetic");
        QVERIFY(c->bof() && c->eof());
        QVERIFY(c->isEmpty());
        c->first();
        QVERIFY(c->bof() && c->eof());
        QCOMPARE(errorOf([&] { c->remove(); }), QStringLiteral("Cannot perform this operation on an empty dataset"));
        QCOMPARE(errorOf([&] { c->post(); }), QStringLiteral("Dataset not in edit or insert mode"));
        QCOMPARE(errorOf([&] { c->fieldByName(QStringLiteral("Indicaciones")).setAsString(QStringLiteral("x")); }),
                 QStringLiteral("Dataset not in edit or insert mode"));
        QCOMPARE(errorOf([&] { c->fieldByName(QStringLiteral("Nada")); }), QStringLiteral("Field 'Nada' not found"));
        c->edit(); // acts as insert on an empty table
        QCOMPARE(c->state(), CursorState::Insert);
        c->cancel();
        QCOMPARE(c->state(), CursorState::Browse);
        c->close();
        QCOMPARE(errorOf([&] { c->next(); }), QStringLiteral("Cannot perform this operation on a closed dataset"));
        QCOMPARE(errorOf([&] { c->remove(); }), QStringLiteral("Cannot perform this operation on a closed dataset"));
        QCOMPARE(errorOf([&] { c->refresh(); }), QStringLiteral("Cannot perform this operation on a closed dataset"));
    }

    void movesAndFlags()
    {
        auto c = cursor("Abuela");
        addKeys(*c, {"a", "b", "c", "d"});
        c->first();
        QVERIFY(c->bof() && !c->eof());
        c->prior(); // already at the beginning: nothing happens
        QCOMPARE(c->fieldByName(QStringLiteral("Sintomas")).asString(), QStringLiteral("a"));
        QCOMPARE(c->moveBy(2), 2);
        QVERIFY(!c->bof() && !c->eof());
        QCOMPARE(c->fieldByName(QStringLiteral("Sintomas")).asString(), QStringLiteral("c"));
        c->next();
        QVERIFY(!c->eof());
        c->next(); // past the last record: stays on it, at end
        QVERIFY(c->eof());
        QCOMPARE(c->fieldByName(QStringLiteral("Sintomas")).asString(), QStringLiteral("d"));
        QCOMPARE(c->moveBy(-10), -3);
        QVERIFY(c->bof());
        QCOMPARE(c->fieldByName(QStringLiteral("Sintomas")).asString(), QStringLiteral("a"));
        c->last();
        QVERIFY(c->eof() && !c->bof());
    }

    void insertEditPostCancelDelete()
    {
        auto c = cursor("Abuela");
        Listener l;
        l.cursor = c.get();
        c->addObserver(&l);
        addKeys(*c, {"b", "d"});
        c->first();
        // Insert with nothing typed, then move: dropped without a word.
        c->insert();
        QCOMPARE(c->state(), CursorState::Insert);
        c->next();
        QCOMPARE(c->state(), CursorState::Browse);
        QCOMPARE(walk(*c), (QStringList{"b", "d"}));
        // Cancel of an insert: the record current before is current again.
        c->last();
        c->insert();
        c->fieldByName(QStringLiteral("Sintomas")).setAsString(QStringLiteral("zz"));
        c->cancel();
        QCOMPARE(c->fieldByName(QStringLiteral("Sintomas")).asString(), QStringLiteral("d"));
        // A changed record is posted when the cursor moves away.
        c->first();
        c->edit();
        c->fieldByName(QStringLiteral("Indicaciones")).setAsString(QStringLiteral("tila"));
        QVERIFY(c->modified());
        c->next();
        c->first();
        QCOMPARE(c->fieldByName(QStringLiteral("Indicaciones")).asString(), QStringLiteral("tila"));
        // The posted record takes its place in key order.
        c->insert();
        c->fieldByName(QStringLiteral("Sintomas")).setAsString(QStringLiteral("c"));
        c->post();
        QCOMPARE(c->fieldByName(QStringLiteral("Sintomas")).asString(), QStringLiteral("c"));
        c->next();
        QCOMPARE(c->fieldByName(QStringLiteral("Sintomas")).asString(), QStringLiteral("d"));
        // Delete: the following record becomes current; the last one: the new last.
        c->first();
        c->remove();
        QCOMPARE(c->fieldByName(QStringLiteral("Sintomas")).asString(), QStringLiteral("c"));
        c->last();
        c->remove();
        QCOMPARE(c->fieldByName(QStringLiteral("Sintomas")).asString(), QStringLiteral("c"));
        // Delete during an insert drops the new record only.
        c->insert();
        c->fieldByName(QStringLiteral("Sintomas")).setAsString(QStringLiteral("nuevo"));
        c->remove();
        QCOMPARE(walk(*c), (QStringList{"c"}));
        // Delete during an edit drops the edit and the record.
        c->edit();
        c->fieldByName(QStringLiteral("Indicaciones")).setAsString(QStringLiteral("x"));
        c->remove();
        QCOMPARE(c->state(), CursorState::Browse);
        QVERIFY(c->isEmpty() && c->bof() && c->eof());
        c->removeObserver(&l);
    }

    void requiredFieldAndPendingText()
    {
        auto c = cursor("Cosmetic");
        Listener l;
        l.cursor = c.get();
        c->addObserver(&l);
        c->insert();
        c->fieldByName(QStringLiteral("Indicaciones")).setAsString(QStringLiteral("solo memo"));
        l.events.clear();
        QCOMPARE(errorOf([&] { c->post(); }), QStringLiteral("Field 'Producto Cosmetico' must have a value"));
        QVERIFY(l.events.contains(QStringLiteral("focus:Producto Cosmetico")));
        // The failed post keeps the state and the typed values.
        QCOMPARE(c->state(), CursorState::Insert);
        QCOMPARE(c->fieldByName(QStringLiteral("Indicaciones")).asString(), QStringLiteral("solo memo"));
        // A move that must post fails the same way and does not move.
        QCOMPARE(errorOf([&] { c->first(); }), QStringLiteral("Field 'Producto Cosmetico' must have a value"));
        QCOMPARE(c->state(), CursorState::Insert);
        // Text typed into a control and not yet written is written before the post.
        l.pendingField = QStringLiteral("Producto Cosmetico");
        l.pendingText = QStringLiteral("Crema de caléndula");
        l.events.clear();
        c->post();
        QCOMPARE(l.events.first(), QStringLiteral("update"));
        QCOMPARE(c->state(), CursorState::Browse);
        QCOMPARE(c->fieldByName(QStringLiteral("producto cosmetico")).asString(), QStringLiteral("Crema de caléndula"));
        // ... and before a move: an edit with only pending text is posted, not cancelled.
        c->edit();
        l.pendingField = QStringLiteral("Modo Empleo");
        l.pendingText = QStringLiteral("por la noche");
        c->refresh();
        QCOMPARE(c->fieldByName(QStringLiteral("Modo Empleo")).asString(), QStringLiteral("por la noche"));
        c->removeObserver(&l);
    }

    void fieldValuesAndMessages()
    {
        auto p = cursor("REGISTR1");
        p->append();
        // 40 characters into a text(30) field keep the first 30, never half a character.
        const QString forty = QStringLiteral("Infusión de manzanilla y tila con miel.");
        QCOMPARE(charCount(forty + QLatin1Char('!')), 40);
        p->fieldByName(QStringLiteral("Descripcion")).setAsString(forty + QLatin1Char('!'));
        QCOMPARE(p->fieldByName(QStringLiteral("Descripcion")).asString(), forty.left(30));
        const QString emoji = QString(29, QLatin1Char('a')) + QString::fromUtf8("🌿🌿");
        p->fieldByName(QStringLiteral("Descripcion")).setAsString(emoji);
        QCOMPARE(p->fieldByName(QStringLiteral("Descripcion")).asString(),
                 QString(29, QLatin1Char('a')) + QString::fromUtf8("🌿"));
        QCOMPARE(errorOf([&] { p->fieldByName(QStringLiteral("Precio")).setAsString(QStringLiteral("1-2")); }),
                 QStringLiteral("'1-2' is not a valid integer value for field 'Precio'"));
        p->fieldByName(QStringLiteral("Precio")).setAsString(QStringLiteral("-15"));
        QCOMPARE(p->fieldByName(QStringLiteral("Precio")).asString(), QStringLiteral("-15"));
        p->fieldByName(QStringLiteral("Precio")).setAsString(QString());
        QVERIFY(p->fieldByName(QStringLiteral("Precio")).isNull());
        p->cancel();

        auto v = cursor("REGISTR2", "tblVentas");
        v->append();
        QCOMPARE(errorOf([&] { v->fieldByName(QStringLiteral("Caja")).setAsString(QStringLiteral("40000")); }),
                 QStringLiteral("40000 is not a valid value for field 'Caja'. The allowed range is -32768 to 32767"));
        QCOMPARE(
            errorOf([&] { v->fieldByName(QStringLiteral("Importe")).setAsInteger(3000000000LL); }),
            QStringLiteral(
                "3e+09 is not a valid value for field 'Importe'. The allowed range is -2.14748e+09 to 2.14748e+09"));
        v->fieldByName(QStringLiteral("Caja")).setAsInteger(-32768);
        const QDateTime when(QDate(2026, 12, 8), QTime(17, 30, 5));
        v->fieldByName(QStringLiteral("Fecha y Hora")).setAsDateTime(when);
        v->fieldByName(QStringLiteral("Codigo")).setAsInteger(7);
        v->fieldByName(QStringLiteral("Importe")).setAsInteger(250);
        v->post();
        auto balance = cursor("VENTAS");
        QCOMPARE(balance->fieldByName(QStringLiteral("Fecha y Hora")).asDateTime(), when);
        QCOMPARE(balance->fieldByName(QStringLiteral("Fecha y Hora")).asString(), dateTimeText(when));
        QCOMPARE(balance->fieldByName(QStringLiteral("Importe")).asString(), QStringLiteral("250"));
        QVERIFY(!balance->findField(QStringLiteral("Caja"))); // not among the fields it sees
    }

    void locateThroughTheIndex()
    {
        auto c = cursor("Tnatural");
        addKeys(*c, {"Acné juvenil", "acidez", "Artritis", "Asma", "Ácido úrico", "Ansiedad"});
        c->first();
        c->setKey();
        QCOMPARE(c->state(), CursorState::SetKey);
        QVERIFY(c->locate(QStringLiteral("Dolencia/Enfermedad"), QStringLiteral("A"), PartialKey));
        QCOMPARE(c->state(), CursorState::Browse);
        QCOMPARE(c->fieldByName(QStringLiteral("Dolencia/Enfermedad")).asString(), QStringLiteral("Acné juvenil"));
        // Partial key is case-sensitive: "as" does not find "Asma".
        c->first();
        QVERIFY(!c->locate(QStringLiteral("Dolencia/Enfermedad"), QStringLiteral("as"), PartialKey));
        QCOMPARE(c->fieldByName(QStringLiteral("Dolencia/Enfermedad")).asString(), QStringLiteral("acidez"));
        QVERIFY(c->locate(QStringLiteral("Dolencia/Enfermedad"), QStringLiteral("As"), PartialKey));
        QCOMPARE(c->fieldByName(QStringLiteral("Dolencia/Enfermedad")).asString(), QStringLiteral("Asma"));
        // Case-insensitive partial key, as the lookup lists search.
        QVERIFY(c->locate(QStringLiteral("dolencia/enfermedad"), QStringLiteral("ART"), PartialKey | CaseInsensitive));
        QCOMPARE(c->fieldByName(QStringLiteral("Dolencia/Enfermedad")).asString(), QStringLiteral("Artritis"));
        QVERIFY(c->locate(QStringLiteral("Dolencia/Enfermedad"), QStringLiteral("Ácido"), PartialKey));
        QCOMPARE(c->fieldByName(QStringLiteral("Dolencia/Enfermedad")).asString(), QStringLiteral("Ácido úrico"));
        QVERIFY(!c->locate(QStringLiteral("Dolencia/Enfermedad"), QStringLiteral("Asm"), LocateNone));
        QVERIFY(c->locate(QStringLiteral("Dolencia/Enfermedad"), QStringLiteral("Asma"), LocateNone));
        // A miss leaves the current record and tells nobody.
        Listener l;
        c->addObserver(&l);
        QVERIFY(!c->locate(QStringLiteral("Dolencia/Enfermedad"), QStringLiteral("Zz"), PartialKey));
        QVERIFY(!l.events.contains(QStringLiteral("record")));
        QCOMPARE(c->fieldByName(QStringLiteral("Dolencia/Enfermedad")).asString(), QStringLiteral("Asma"));
        c->removeObserver(&l);
        QCOMPARE(errorOf([&] { c->locate(QStringLiteral("Nada"), QStringLiteral("x"), LocateNone); }),
                 QStringLiteral("Field 'Nada' not found"));
        // A product is found by its code.
        auto p = cursor("REGISTR2", "tblProductos");
        for (int code : {5, 9, 12}) {
            p->append();
            p->fieldByName(QStringLiteral("Codigo")).setAsInteger(code);
            p->fieldByName(QStringLiteral("Descripcion")).setAsString(QStringLiteral("Producto %1").arg(code));
            p->fieldByName(QStringLiteral("Precio")).setAsInteger(code * 10);
            p->post();
        }
        p->first();
        QVERIFY(p->locate(QStringLiteral("Codigo"), 9, LocateNone));
        QCOMPARE(p->fieldByName(QStringLiteral("Precio")).asInteger(), 90);
        QVERIFY(!p->locate(QStringLiteral("Codigo"), 10, LocateNone));
        QCOMPARE(p->fieldByName(QStringLiteral("Codigo")).asInteger(), 9);
    }

    void namesMatchWithoutRegardToCase()
    {
        TableCursor upper(QStringLiteral("C:\\YERBA1"), QStringLiteral("TNATURAL.DB"),
                          QStringLiteral("Dolencia/Enfermedad"));
        TableCursor lower(QStringLiteral("c:\\yerba1"), QStringLiteral("Tnatural.db"),
                          QStringLiteral("dolencia/enfermedad"));
        upper.open();
        lower.open();
        QCOMPARE(upper.filePath(), lower.filePath());
        if (!test::onServer())
            QCOMPARE(upper.filePath(), dir_ + QStringLiteral("/TNATURAL.DB"));
        auto d = cursor("Datos");
        QCOMPARE(d->fieldByName(QStringLiteral("patologia")).name(), QStringLiteral("Patologia"));
        QCOMPARE(d->fieldByName(QStringLiteral("NOMBRE/APELLIDOS")).size(), 44);
    }

    void twoCursorsOnOneTable()
    {
        auto editor = cursor("REGISTR1");
        auto terminal = cursor("REGISTR2", "tblProductos");
        editor->append();
        editor->fieldByName(QStringLiteral("Codigo")).setAsInteger(1);
        editor->fieldByName(QStringLiteral("Descripcion")).setAsString(QStringLiteral("Miel"));
        editor->fieldByName(QStringLiteral("Precio")).setAsInteger(300);
        editor->post();
        QVERIFY(terminal->eof()); // opened on an empty table and not read since
        terminal->first();
        QVERIFY(terminal->locate(QStringLiteral("Codigo"), QStringLiteral("1"), LocateNone));
        QCOMPARE(terminal->fieldByName(QStringLiteral("Descripcion")).asString(), QStringLiteral("Miel"));

        // An edit posted over a record that someone else changed is refused, keeping the typed values.
        editor->first();
        editor->edit();
        editor->fieldByName(QStringLiteral("Precio")).setAsInteger(350);
        terminal->edit();
        terminal->fieldByName(QStringLiteral("Precio")).setAsInteger(320);
        terminal->post();
        QCOMPARE(errorOf([&] { editor->post(); }),
                 QStringLiteral("Couldn't perform the edit because another user changed the record"));
        QCOMPARE(editor->state(), CursorState::Edit);
        QCOMPARE(editor->fieldByName(QStringLiteral("Precio")).asInteger(), 350);
        editor->cancel();
        editor->refresh();
        QCOMPARE(editor->fieldByName(QStringLiteral("Precio")).asInteger(), 320);
        // ... or deleted.
        editor->edit();
        editor->fieldByName(QStringLiteral("Precio")).setAsInteger(400);
        terminal->remove();
        QCOMPARE(errorOf([&] { editor->post(); }),
                 QStringLiteral("Couldn't perform the edit because another user deleted the record"));
        editor->cancel();
        editor->refresh();
        QVERIFY(editor->isEmpty() && editor->bof() && editor->eof());

        // A second product with an existing code is refused and stays in editing.
        for (int i = 0; i < 2; ++i) {
            editor->append();
            editor->fieldByName(QStringLiteral("Codigo")).setAsInteger(77);
            editor->fieldByName(QStringLiteral("Descripcion")).setAsString(QStringLiteral("Té verde"));
            editor->fieldByName(QStringLiteral("Precio")).setAsInteger(5);
            if (i == 0)
                editor->post();
        }
        QVERIFY(errorOf([&] { editor->post(); }).contains(QStringLiteral("already has 77 in field 'Codigo'")));
        QCOMPARE(editor->state(), CursorState::Insert);
    }

    void readRowsWithoutMoving()
    {
        auto c = cursor("Abuela");
        addKeys(*c, {"a", "b", "c", "d", "e"});
        c->first();
        c->moveBy(2);
        const Bookmark here = c->bookmark();
        const auto after = c->readRows(here, 10, true, {QStringLiteral("Sintomas")});
        const auto before = c->readRows(here, 10, false, {QStringLiteral("sintomas")});
        QCOMPARE(after.size(), 2);
        QCOMPARE(after[0].values[0].toString(), QStringLiteral("d"));
        QCOMPARE(before.size(), 2);
        QCOMPARE(before[0].values[0].toString(), QStringLiteral("b"));
        QCOMPARE(c->bookmark(), here);
        QVERIFY(c->gotoBookmark(before[1].bookmark));
        QCOMPARE(c->fieldByName(QStringLiteral("Sintomas")).asString(), QStringLiteral("a"));
        QCOMPARE(c->readRows(Bookmark{}, 2, false, {QStringLiteral("Sintomas")})[0].values[0].toString(),
                 QStringLiteral("e"));
    }

    void openingFailsClearly()
    {
        if (test::onServer())
            QSKIP("table files only");
        // Missing table.
        QVERIFY(QFile::remove(dir_ + QStringLiteral("/Abuela.DB")));
        QString msg = errorOf([&] { cursor("Abuela"); });
        QVERIFY2(msg.contains(QStringLiteral("Abuela.DB")) && msg.contains(QStringLiteral("does not exist")),
                 qPrintable(msg));
        // A file that is not a database is reported and left untouched.
        const QString bad = dir_ + QStringLiteral("/DIETAS.DB");
        QFile::remove(bad + QStringLiteral("-wal"));
        QFile::remove(bad + QStringLiteral("-shm"));
        {
            QFile f(bad);
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            QRandomGenerator rng(3);
            QByteArray junk(8192, '\0');
            for (char& ch : junk)
                ch = char(rng.bounded(256));
            f.write(junk);
        }
        const QByteArray before = fileHash(bad);
        msg = errorOf([&] { cursor("Dietas"); });
        QVERIFY2(msg.contains(QStringLiteral("DIETAS.DB")), qPrintable(msg));
        QCOMPARE(fileHash(bad), before);
        // Another program's SQLite database is not a table of ours.
        const QString foreign = dir_ + QStringLiteral("/EDITOR.DB");
        QFile::remove(foreign);
        sqlite3* db = nullptr;
        sqlite3_open(QFile::encodeName(foreign).constData(), &db);
        sqlite3_exec(db, "CREATE TABLE t(x)", nullptr, nullptr, nullptr);
        sqlite3_close(db);
        msg = errorOf([&] { cursor("Editor"); });
        QVERIFY2(msg.contains(QStringLiteral("not a table of this program")), qPrintable(msg));
        // The check names all three.
        const QStringList problems = Database::check(dir_);
        QCOMPARE(problems.size(), 3);
        // A table whose field was changed by hand is refused.
        const QString glos = dir_ + QStringLiteral("/GLOSARIO.DB");
        sqlite3_open(QFile::encodeName(glos).constData(), &db);
        sqlite3_exec(db, "UPDATE yerbalis_fields SET size = 10 WHERE name = 'Término médico'", nullptr, nullptr,
                     nullptr);
        sqlite3_close(db);
        msg = errorOf([&] { cursor("Glosario"); });
        QVERIFY2(msg.contains(QStringLiteral("Término médico")), qPrintable(msg));
        // An existing directory is never filled in silently.
        QVERIFY(!Database::prepare(dir_));
    }

    void twoProcessesAndKilledWriter()
    {
        // Another process's posted records show at this cursor's next read.
        auto balance = cursor("VENTAS");
        QProcess writer;
        writer.start(QStringLiteral(STORE_WRITER), {QStringLiteral("sell"), dir_, QStringLiteral("3")});
        QVERIFY(writer.waitForFinished(20000));
        QCOMPARE(writer.exitCode(), 0);
        QVERIFY(balance->eof());
        balance->refresh();
        int count = 0;
        for (balance->first(); !balance->eof(); balance->next())
            ++count;
        QCOMPARE(count, 3);

        // A writer killed at random moments loses no posted sale and leaves no damaged file.
        QRandomGenerator rng(11);
        int expected = 3;
        for (int round = 0; round < 8; ++round) {
            QProcess p;
            p.start(QStringLiteral(STORE_WRITER), {QStringLiteral("sell"), dir_, QStringLiteral("100000")});
            QVERIFY(p.waitForStarted());
            QTest::qWait(int(30 + rng.bounded(120)));
            p.kill();
            p.waitForFinished();
            test::settle(dir_);
            int posted = 0;
            for (const QByteArray& line : p.readAllStandardOutput().split('\n'))
                if (line.startsWith("posted "))
                    posted = line.mid(7).toInt();
            balance->refresh();
            int rows = 0;
            for (balance->first(); !balance->eof(); balance->next())
                ++rows;
            // Every post that returned is there; at most the one in flight more.
            QVERIFY2(rows >= expected + posted && rows <= expected + posted + 1,
                     qPrintable(QStringLiteral("rows %1, expected %2 + %3").arg(rows).arg(expected).arg(posted)));
            expected = rows;
        }
        QVERIFY(Database::check(dir_).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestStore)
#include "test_store.moc"
