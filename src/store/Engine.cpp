#include "store/Engine.h"

#include "store/Conversions.h"
#include "store/FieldRules.h"
#include "store/SortKey.h"

#include "store/Database.h"
#include <QCoreApplication>
#include <QHash>

namespace yb {

namespace {
// The messages of this unit, in the catalogue's context yb::Store.
struct Text {
    Q_DECLARE_TR_FUNCTIONS(yb::Store)
};
} // namespace

namespace {

struct Registry {
    EngineOpener directory = nullptr;
    QHash<QString, EngineOpener> servers; // by scheme, in lower case
};

Registry& registry()
{
    static Registry r;
    return r;
}

// The scheme of a URI location in lower case; empty for a directory. A
// single letter before ":" is a drive ("C:\YERBA1", "c://yerba1").
QString schemeOf(const QString& location)
{
    const qsizetype colon = location.indexOf(QLatin1String("://"));
    if (colon < 2)
        return {};
    for (qsizetype i = 0; i < colon; ++i) {
        const QChar c = location[i];
        const bool letter = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
        if (!letter && (i == 0 || !((c >= u'0' && c <= u'9') || c == u'+' || c == u'-' || c == u'.')))
            return {};
    }
    return location.left(colon).toLower();
}

} // namespace

bool isServerLocation(const QString& location) { return !schemeOf(location).isEmpty(); }

void registerDirectoryEngine(EngineOpener opener) { registry().directory = opener; }

void registerServerEngine(const QString& scheme, EngineOpener opener)
{
    if (opener)
        registry().servers.insert(scheme.toLower(), opener);
    else
        registry().servers.remove(scheme.toLower());
}

std::unique_ptr<Engine> openEngine(const QString& location)
{
    const QString scheme = schemeOf(location);
    const EngineOpener opener = scheme.isEmpty() ? registry().directory : registry().servers.value(scheme);
    if (!opener)
        throw EngineError(Text::tr("Cannot open the database %1: this build of the program has no engine for %2")
                              .arg(Database::shownLocation(location),
                                   scheme.isEmpty() ? Text::tr("directories of table files")
                                                    : Text::tr("%1:// locations").arg(scheme)));
    return opener(location);
}

QStringList Engine::checkTable(const TableDef& table)
{
    std::unique_ptr<EngineTable> open;
    forgetSchema();
    try {
        // Open for writing, though nothing is written: a table file opened
        // only for reading leaves its log files behind when it closes.
        open = openTable(table);
    } catch (const Error& e) {
        return {e.message()};
    }
    QStringList problems;
    auto failed = [&](const Error& e) { problems << QStringLiteral("%1: %2").arg(table.fileName, e.message()); };
    try {
        for (const QString& p : open->checkStorage())
            problems << QStringLiteral("%1: %2").arg(table.fileName, p);
    } catch (const Error& e) {
        failed(e);
    }
    // Every record, as the engine reads it back.
    int reported = 0;
    auto report = [&](const QString& p) {
        if (++reported <= 20)
            problems << p;
    };
    Columns all;
    int keyIndex = -1;
    for (int i = 0; i < table.fields.size(); ++i) {
        all << i;
        if (table.hasKey() && table.fields[i].name == table.keyField)
            keyIndex = i;
    }
    try {
        open->scan(all, RecordOrder::Table, [&](const StoredRecord& r) {
            for (int i = 0; i < table.fields.size(); ++i) {
                const FieldDef& f = table.fields[i];
                const QVariant& v = r.values[i];
                if (f.required && v.isNull())
                    report(Text::tr("%1: record %2 has no value in the required field '%3'")
                               .arg(table.fileName)
                               .arg(r.id)
                               .arg(f.name));
                if (f.type == FieldType::Text && !v.isNull() && charCount(v.toString()) > f.size)
                    report(Text::tr("%1: record %2 has more than %3 characters in field '%4'")
                               .arg(table.fileName)
                               .arg(r.id)
                               .arg(f.size)
                               .arg(f.name));
                if (isIntegerType(f.type) && !v.isNull() && !inRange(f.type, v.toLongLong()))
                    report(Text::tr("%1: record %2 has a value out of range in field '%3'")
                               .arg(table.fileName)
                               .arg(r.id)
                               .arg(f.name));
            }
            if (keyIndex >= 0) {
                const QVariant& k = r.values[keyIndex];
                if (r.sortKey != sortKey(k.isNull() ? QString() : k.toString()))
                    report(Text::tr("%1: record %2 is out of its place in key order").arg(table.fileName).arg(r.id));
            }
            return true;
        });
    } catch (const Error& e) {
        failed(e);
    }
    if (reported > 20)
        problems << Text::tr("%1: %2 more problems").arg(table.fileName).arg(reported - 20);
    return problems;
}

} // namespace yb
