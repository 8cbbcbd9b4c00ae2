#include "tools/TableTransfer.h"

#include "tools/Csv.h"
#include "tools/Progress.h"

#include "store/Conversions.h"
#include "store/Database.h"
#include "store/Errors.h"
#include "store/FieldRules.h"
#include "store/SortKey.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace yb::admin {

namespace {

struct Text {
    Q_DECLARE_TR_FUNCTIONS(TableTransfer)
};

QString fieldList(const TableDef& table)
{
    QStringList names;
    for (const FieldDef& f : table.fields)
        names << f.name;
    return names.join(QStringLiteral(", "));
}

// What to do about a file that is not UTF-8.
QString encodingHint()
{
    return Text::tr("if the file was saved in another encoding, name it with --encoding "
                    "(for example --encoding windows-1252)");
}

QString shown(const std::string& v)
{
    QString s = QString::fromUtf8(v.data(), qsizetype(v.size()));
    if (s.size() > 40)
        s = s.left(40) + QStringLiteral("…");
    return s;
}

} // namespace

// The nouns that counted() is given, for their translation.
[[maybe_unused]] const char* const kCountedNouns[] = {
    QT_TRANSLATE_NOOP("Counted", "record"),  QT_TRANSLATE_NOOP("Counted", "records"),
    QT_TRANSLATE_NOOP("Counted", "table"),   QT_TRANSLATE_NOOP("Counted", "tables"),
    QT_TRANSLATE_NOOP("Counted", "field"),   QT_TRANSLATE_NOOP("Counted", "fields"),
    QT_TRANSLATE_NOOP("Counted", "problem"), QT_TRANSLATE_NOOP("Counted", "problems"),
};

QString counted(qint64 n, const char* singular, const char* plural)
{
    return QStringLiteral("%1 %2").arg(n).arg(QCoreApplication::translate("Counted", n == 1 ? singular : plural));
}

const TableDef& tableNamed(const QString& name)
{
    if (const TableDef* t = findTable(name))
        return *t;
    for (const TableDef& t : tables())
        if (QFileInfo(t.fileName).completeBaseName().compare(name, Qt::CaseInsensitive) == 0)
            return t;
    QStringList names;
    for (const TableDef& t : tables())
        names << t.fileName;
    throw Error(Text::tr("there is no table '%1'; the tables are %2").arg(name, names.join(QStringLiteral(", "))));
}

QString dateTimeCsv(const QDateTime& dt)
{
    if (!dt.isValid())
        return {};
    return dt.toString(dt.time().msec() ? QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")
                                        : QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QDateTime parseCsvDateTime(const QString& text) { return parseFileDateTime(text); }

// ---------------------------------------------------------------- export

qint64 exportTable(const QString& dir, const TableDef& table, QIODevice* out, Progress* progress, char separator,
                   CsvEncoding encoding, bool guardFormulas)
{
    if (!isServerLocation(dir) && !QFileInfo(dir).isDir())
        throw Error(Text::tr("the database directory %1 does not exist").arg(Database::shownLocation(dir)));
    const std::unique_ptr<Engine> engine = Database::open(dir);
    const std::unique_ptr<EngineTable> store = engine->openTable(table, true);
    auto readError = [&](const EngineError& e) {
        return EngineError(Text::tr("cannot read table %1: %2").arg(table.fileName, e.message()), e.code());
    };
    // One transaction: the export shows one consistent state of the table,
    // even while the program writes to it.
    try {
        store->begin();
        if (progress && Progress::wanted())
            progress->setTotal(store->count());
    } catch (const EngineError& e) {
        throw readError(e);
    }

    CsvWriter csv(out, separator, encoding);
    csv.setFormulaGuard(guardFormulas);
    for (const FieldDef& f : table.fields)
        csv.field(f.name.toUtf8());
    csv.endRecord();

    Columns columns;
    for (int i = 0; i < table.fields.size(); ++i)
        columns << i;
    qint64 rows = 0;
    char buf[64];
    auto write = [&](const StoredRecord& r) {
        for (int i = 0; i < columns.size(); ++i) {
            const QVariant& v = r.values[i];
            if (v.isNull()) {
                csv.field("", 0);
                continue;
            }
            switch (table.fields[i].type) {
            case FieldType::Integer:
            case FieldType::SmallInt: {
                const auto c = std::to_chars(buf, buf + sizeof buf, v.toLongLong());
                csv.field(buf, c.ptr - buf);
                break;
            }
            case FieldType::DateTime: csv.field(dateTimeCsv(v.toDateTime()).toUtf8()); break;
            case FieldType::Text:
            case FieldType::Memo: {
                const QByteArray text = v.toString().toUtf8();
                csv.text(text.constData(), text.size());
                break;
            }
            }
        }
        csv.endRecord();
        ++rows;
        if (progress)
            progress->update(rows);
        return true;
    };
    try {
        store->scan(columns, table.hasKey() ? RecordOrder::Key : RecordOrder::Table, write);
        store->commit();
    } catch (const EngineError& e) {
        throw readError(e);
    }
    csv.flush();
    return rows;
}

// ---------------------------------------------------------------- import

RecordWriter::RecordWriter(const QString& dir, const TableDef& table, const QStringList& columns, bool replace,
                           ExistingKeys existing)
    : table_(table), existingKeys_(existing), columnCount_(columns.size())
{
    columnOf_.assign(size_t(table.fields.size()), -1);
    for (int c = 0; c < columns.size(); ++c) {
        const FieldDef* f = table.field(columns[c]);
        if (!f)
            throw Error(Text::tr("line 1: the header names a field '%1' that %2 does not have (its fields are %3)")
                            .arg(columns[c], table.fileName, fieldList(table)));
        const int i = int(f - table.fields.constData());
        if (columnOf_[size_t(i)] >= 0)
            throw Error(Text::tr("line 1: the header names the field '%1' twice").arg(f->name));
        columnOf_[size_t(i)] = c;
    }
    for (int i = 0; i < table.fields.size(); ++i) {
        if (table.fields[i].required && columnOf_[size_t(i)] < 0)
            throw Error(Text::tr("line 1: the header lacks the required field '%1'").arg(table.fields[i].name));
        if (table.hasKey() && table.fields[i].name == table.keyField)
            keyIndex_ = i;
    }
    if (!table.hasKey() && hasIdentity(table))
        uniqueIndex_ = int(table.field(table.lookupIndexes.first()) - table.fields.constData());

    if (!isServerLocation(dir) && !QFileInfo(dir).isDir())
        throw Error(Text::tr("the database directory %1 does not exist").arg(Database::shownLocation(dir)));
    engine_ = Database::open(dir);
    store_ = engine_->openTable(table);
    try {
        if (uniqueIndex_ >= 0 && !replace)
            store_->scan(Columns{uniqueIndex_}, RecordOrder::Table, [this](const StoredRecord& r) {
                uniqueBefore_.insert(r.values[0].toString());
                return true;
            });
    } catch (const EngineError& e) {
        throw EngineError(Text::tr("cannot read table %1: %2").arg(table.fileName, e.message()), e.code());
    }
    try {
        bulk_ = store_->bulkInsert(replace);
    } catch (const EngineError& e) {
        throw EngineError(Text::tr("cannot write to table %1: %2").arg(table.fileName, e.message()), e.code());
    }
    lines_.assign(kLines, 0);
}

RecordWriter::~RecordWriter() = default;

void RecordWriter::rollback()
{
    if (bulk_)
        bulk_->rollback();
    bulk_.reset();
}

void RecordWriter::refuse(qint64 row, qint64 line, const QString& field, const QString& problem)
{
    rollback();
    // The migration recognises this place to name the old table's record instead.
    const QString place = Text::tr("row %1 (line %2)").arg(row).arg(line);
    if (field.isEmpty())
        throw Error(QStringLiteral("%1: %2").arg(place, problem));
    throw Error(Text::tr("%1, field '%2': %3").arg(place, field, problem));
}

void RecordWriter::refused(const BulkRefusal& r)
{
    // The engine names the record by its row; its line is among the last ones kept.
    const qint64 row = r.tag();
    const qint64 line = lines_[size_t(row % kLines)];
    const FieldDef* f = table_.field(r.field());
    if (f && columnOf_[size_t(f - table_.fields.constData())] >= 0) {
        const QVariant& v = r.value();
        const QByteArray text = v.typeId() == QMetaType::QByteArray ? v.toByteArray() : v.toString().toUtf8();
        refuse(row, line, f->name, Text::tr("another record already has the value %1").arg(shown(text.toStdString())));
    }
    refuse(row, line, {}, Text::tr("the table refuses the record: %1").arg(r.message()));
}

void RecordWriter::flushPending()
{
    try {
        bulk_->flush();
    } catch (const BulkRefusal& r) {
        refused(r);
    }
}

void RecordWriter::add(const std::vector<std::string>& values, qint64 row, qint64 line)
{
    if (!bulk_)
        throw Error(Text::tr("the import has already ended"));
    if (qsizetype(values.size()) != columnCount_) {
        flushPending();
        refuse(row, line, {},
               Text::tr("it has %1 where the header names %2")
                   .arg(counted(qint64(values.size()), "field", "fields"), counted(columnCount_, "field", "fields")));
    }
    lines_[size_t(row % kLines)] = line;
    // Every value checked by the table's rules; texts stay UTF-8 bytes.
    QVariantList record(table_.fields.size());
    for (int i = 0; i < table_.fields.size(); ++i) {
        const FieldDef& f = table_.fields[i];
        const int col = columnOf_[size_t(i)];
        const std::string_view v = col >= 0 ? std::string_view(values[size_t(col)]) : std::string_view();
        try {
            record[i] = importedValue(f, v, encodingHint());
        } catch (const ImportProblem& p) {
            // An earlier record not yet written may break a rule first.
            flushPending();
            refuse(row, line, f.name, p.problem);
        }
    }
    key_.clear();
    if (keyIndex_ >= 0 && !record[keyIndex_].isNull()) {
        const QVariant& k = record[keyIndex_];
        if (k.typeId() == QMetaType::QByteArray) {
            const QByteArray& utf8 = *static_cast<const QByteArray*>(k.constData());
            key_ = sortKeyUtf8(utf8.constData(), utf8.size());
        } else {
            key_ = sortKey(k.toString());
        }
    }
    try {
        const int identity = keyIndex_ >= 0 ? keyIndex_ : uniqueIndex_;
        const bool existed = !key_.isEmpty()
            ? bulk_->keyExistedBefore(key_)
            : uniqueIndex_ >= 0 && !uniqueBefore_.isEmpty() && uniqueBefore_.contains(record[uniqueIndex_].toString());
        if (existed) {
            if (existing_++ == 0) {
                firstExistingRow_ = row;
                firstExistingKey_ = QStringLiteral("%1 '%2'").arg(table_.fields[identity].name,
                                                                  shown(values[size_t(columnOf_[size_t(identity)])]));
            }
            return;
        }
        bulk_->add(record, key_, row);
    } catch (const BulkRefusal& r) {
        refused(r);
    } catch (const EngineError& e) {
        rollback();
        throw EngineError(Text::tr("cannot write to table %1: %2").arg(table_.fileName, e.message()), e.code());
    }
}

qint64 RecordWriter::commit()
{
    if (!bulk_)
        throw Error(Text::tr("the import has already ended"));
    flushPending();
    if (existing_ > 0 && existingKeys_ == ExistingKeys::Refuse) {
        rollback();
        throw Error(Text::tr("%1 of the file %2 already in the table (the first: %3, row %4). "
                             "Run the import again with --skip-existing to keep "
                             "the table's records and add only the others, or with --replace to replace "
                             "all the records of the table by those of the file")
                        .arg(counted(existing_, "record", "records"),
                             existing_ == 1 ? Text::tr("has a key that is") : Text::tr("have keys that are"),
                             firstExistingKey_)
                        .arg(firstExistingRow_));
    }
    qint64 written = 0;
    try {
        written = bulk_->commit();
    } catch (const BulkRefusal& r) {
        refused(r);
    } catch (const Error& e) {
        rollback();
        throw EngineError(Text::tr("cannot write to table %1: %2").arg(table_.fileName, e.message()));
    }
    bulk_.reset();
    return written;
}

bool RecordWriter::hasIdentity(const TableDef& table)
{
    return table.hasKey() || (!table.lookupIndexes.isEmpty() && table.field(table.lookupIndexes.first()));
}

ImportResult importTable(const QString& dir, const TableDef& table, QIODevice* in, const ImportOptions& options,
                         Progress* progress)
{
    if (options.existing == ExistingKeys::Skip && !RecordWriter::hasIdentity(table))
        throw Error(Text::tr("%1 has no key field, so there are no existing keys to skip").arg(table.fileName));
    CsvReader reader(in, options.separator, options.encoding);
    std::vector<std::string> record;
    if (!reader.next(record))
        throw Error(Text::tr("the file is empty: its first line must name the fields"));
    QStringList columns;
    for (const std::string& c : record) {
        if (utf8Chars(c) < 0)
            throw Error(Text::tr("line 1: the header is not valid UTF-8; %1").arg(encodingHint()));
        columns << QString::fromUtf8(c.data(), qsizetype(c.size()));
    }
    RecordWriter writer(dir, table, columns, options.replace, options.existing);
    // The columns of texts and memos: their apostrophe before a formula goes.
    std::vector<size_t> texts;
    for (int c = 0; options.guardFormulas && c < columns.size(); ++c)
        if (const FieldDef* f = table.field(columns[c]);
            f && (f->type == FieldType::Text || f->type == FieldType::Memo))
            texts.push_back(size_t(c));
    qint64 row = 0;
    for (;;) {
        bool more;
        try {
            more = reader.next(record);
        } catch (const Error& e) {
            throw Error(Text::tr("row %1, %2").arg(row + 1).arg(e.message()));
        }
        if (!more)
            break;
        for (const size_t c : texts)
            if (c < record.size() && !record[c].empty() && record[c][0] == '\'')
                removeFormulaGuard(record[c]);
        writer.add(record, ++row, reader.line());
        if (progress)
            progress->update(reader.position());
    }
    ImportResult result;
    if (progress) {
        progress->setLabel(Text::tr("Writing %1").arg(table.fileName));
        result.imported = progress->during(reader.position(), [&writer] { return writer.commit(); });
    } else {
        result.imported = writer.commit();
    }
    result.skipped = writer.existing();
    return result;
}

qint64 importTable(const QString& dir, const TableDef& table, QIODevice* in, bool replace, Progress* progress)
{
    ImportOptions options;
    options.replace = replace;
    return importTable(dir, table, in, options, progress).imported;
}

} // namespace yb::admin
