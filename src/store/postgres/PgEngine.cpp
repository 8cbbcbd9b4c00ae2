#include "store/postgres/PgEngine.h"

#include "store/FieldRules.h"
#include "store/postgres/PgConnection.h"

#include <QCoreApplication>
#include <QUrl>
#include <libpq-fe.h>

namespace yb::pg {

namespace {
// The messages of this unit, in the catalogue's context yb::Postgres.
struct Text {
    Q_DECLARE_TR_FUNCTIONS(yb::Postgres)
};
} // namespace

namespace {

QString quote(const QString& identifier)
{
    QString q = identifier;
    q.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

QByteArray utf8(const QString& s) { return s.toUtf8(); }

QString columnType(const FieldDef& f)
{
    switch (f.type) {
    case FieldType::Text: return QStringLiteral("varchar(%1)").arg(f.size);
    case FieldType::Memo: return QStringLiteral("text");
    case FieldType::Integer: return QStringLiteral("integer");
    case FieldType::SmallInt: return QStringLiteral("smallint");
    case FieldType::DateTime: return QStringLiteral("timestamp(3) without time zone");
    }
    return {};
}

Param toParam(const QVariant& v, FieldType t)
{
    if (!v.isValid() || v.isNull())
        return Param::none();
    switch (t) {
    case FieldType::Integer:
    case FieldType::SmallInt: return Param::integer(v.toLongLong());
    case FieldType::DateTime: return Param::dateTime(v.toDateTime());
    case FieldType::Text:
    case FieldType::Memo: break;
    }
    if (v.typeId() == QMetaType::QByteArray)
        return Param::utf8(v.toByteArray());
    return Param::text(v.toString());
}

QVariant fromResult(const Result& r, int row, int col, FieldType t)
{
    if (r.isNull(row, col))
        return {};
    switch (t) {
    case FieldType::Integer:
    case FieldType::SmallInt: return QVariant(int(r.integer(row, col)));
    case FieldType::DateTime: return QVariant(r.dateTime(row, col));
    case FieldType::Text:
    case FieldType::Memo: break;
    }
    return QVariant(r.text(row, col));
}

QString indexName(const TableDef& t, const QString& what) { return t.fileName + QLatin1Char(' ') + what; }

// The field of the unique index a constraint names, if it is one of ours.
QString uniqueField(const TableDef& t, const QString& constraint)
{
    for (int i = 0; i < t.lookupIndexes.size(); ++i)
        if (constraint == indexName(t, QStringLiteral("lookup%1").arg(i + 1)))
            return t.lookupIndexes[i];
    return t.lookupIndexes.isEmpty() ? QString() : t.lookupIndexes.first();
}

// The URI of another database on the same server.
QString withDatabase(const QString& uri, const QString& name)
{
    QUrl url(uri);
    url.setPath(QLatin1Char('/') + name);
    return url.toString(QUrl::FullyEncoded);
}

PGconn* maintenance(const QString& uri)
{
    const QByteArray info = uri.toUtf8();
    // The same bounds as the engine's own connections (the URI's values win).
    const char* keys[] = {"connect_timeout", "tcp_user_timeout",          "dbname",
                          "dbname",          "fallback_application_name", nullptr};
    const char* values[] = {"10", "10000", info.constData(), "postgres", "yerbalis", nullptr};
    return PQconnectdbParams(keys, values, 1);
}

QString databaseName(const QString& uri);

// Whether the database of `uri` is missing from its server, as far as the
// server's maintenance database tells: 1 missing, 0 there, -1 unknown.
int databaseMissing(const QString& uri)
{
    const QByteArray name = databaseName(uri).toUtf8();
    if (name.isEmpty())
        return -1;
    PGconn* c = maintenance(uri);
    int missing = -1;
    if (PQstatus(c) == CONNECTION_OK) {
        const char* values[] = {name.constData()};
        PGresult* r = PQexecParams(c, "SELECT count(*) FROM pg_database WHERE datname = $1", 1, nullptr, values,
                                   nullptr, nullptr, 0);
        if (PQresultStatus(r) == PGRES_TUPLES_OK && PQntuples(r) == 1)
            missing = qstrcmp(PQgetvalue(r, 0, 0), "0") == 0 ? 1 : 0;
        PQclear(r);
    }
    PQfinish(c);
    return missing;
}

// Runs `sql` (no parameters) on the maintenance database of the server of `uri`.
void onServer(const QString& uri, const QString& sql)
{
    PGconn* c = maintenance(uri);
    const QString where = Connection::publicLocation(uri);
    if (PQstatus(c) != CONNECTION_OK) {
        const QString msg = QString::fromUtf8(PQerrorMessage(c)).trimmed();
        PQfinish(c);
        throw EngineError(Text::tr("Cannot connect to the PostgreSQL server %1: %2").arg(where, msg));
    }
    PQsetNoticeProcessor(
        c, [](void*, const char*) {}, nullptr);
    PGresult* r = PQexec(c, sql.toUtf8().constData());
    const bool ok = PQresultStatus(r) == PGRES_COMMAND_OK;
    const QString msg = QString::fromUtf8(PQresultErrorMessage(r)).trimmed();
    PQclear(r);
    PQfinish(c);
    if (!ok)
        throw EngineError(Text::tr("PostgreSQL server %1: %2").arg(where, msg));
}

QString databaseName(const QString& uri)
{
    PQconninfoOption* opts = PQconninfoParse(uri.toUtf8().constData(), nullptr);
    QString name;
    for (PQconninfoOption* o = opts; o && o->keyword; ++o)
        if (qstrcmp(o->keyword, "dbname") == 0 && o->val)
            name = QString::fromUtf8(o->val);
    PQconninfoFree(opts);
    return name;
}

// ---------------------------------------------------------------- table

class PgTable;

class PgBulk : public BulkInsert {
public:
    PgBulk(std::shared_ptr<Connection> conn, const TableDef& def, const QByteArray& table, bool replace);
    ~PgBulk() override { rollback(); }
    void add(const QVariantList& values, const QByteArray& sortKey, qint64 tag) override;
    bool keyExistedBefore(const QByteArray& sortKey) override;
    void flush() override;
    qint64 commit() override;
    void rollback() override;

private:
    struct Pending {
        QVariantList values;
        QByteArray key;
        qint64 tag = 0;
    };
    QByteArray insertSql(int rows) const;
    void addParams(Params& ps, const Pending& p) const;
    [[noreturn]] void refuse(const ServerError& e, const Pending& p);

    static constexpr int kBatch = 64;
    std::shared_ptr<Connection> keep_; // the connection outlives a bulk left open by mistake
    Connection& conn_;
    TableDef def_;
    QByteArray table_;
    std::vector<Pending> pending_;
    qint64 lastIdBefore_ = 0;
    qint64 written_ = 0;
    bool active_ = false;
};

class PgTable : public EngineTable {
public:
    PgTable(std::shared_ptr<Connection> conn, TableDef def, QList<FieldDef> stored, bool readOnly,
            bool hasToken = false)
        : conn_(std::move(conn)), def_(std::move(def)), stored_(std::move(stored)), readOnly_(readOnly),
          hasToken_(hasToken), table_(utf8(quote(def_.fileName)))
    {
    }

    const TableDef& def() const override { return def_; }
    QList<FieldDef> storedFields() const override { return stored_; }

    QList<StoredRecord> read(const Columns& columns, RecordOrder order, const Bookmark& from, bool forward,
                             int limit) override
    {
        const bool byKey = order == RecordOrder::Key && def_.hasKey();
        QByteArray sql = select(columns);
        Params ps;
        if (from.isValid()) {
            if (byKey) {
                sql += forward ? " WHERE (yb_sortkey, yb_id) > ($1::bytea, $2::bigint)"
                               : " WHERE (yb_sortkey, yb_id) < ($1::bytea, $2::bigint)";
                ps << Param::bytes(from.sortKey) << Param::integer(from.rowId);
            } else {
                sql += forward ? " WHERE yb_id > $1::bigint" : " WHERE yb_id < $1::bigint";
                ps << Param::integer(from.rowId);
            }
        }
        // The limit is bound, so that one prepared statement serves every
        // window size.
        ps << Param::integer(std::max(limit, 0));
        sql += orderBy(byKey, forward) + " LIMIT $" + QByteArray::number(ps.size()) + "::bigint";
        return records(conn_->exec(sql, ps, true), columns);
    }

    std::pair<QList<StoredRecord>, QList<StoredRecord>>
    readAround(const Columns& columns, RecordOrder order, const Bookmark& place, int before, int after) override
    {
        if (!place.isValid())
            return EngineTable::readAround(columns, order, place, before, after);
        // Both sides in one statement, each an index range of its own; the
        // side of each row is its last column.
        const bool byKey = order == RecordOrder::Key && def_.hasKey();
        Params ps;
        QByteArray below, above;
        if (byKey) {
            ps << Param::bytes(place.sortKey) << Param::integer(place.rowId);
            below = " WHERE (yb_sortkey, yb_id) < ($1::bytea, $2::bigint)";
            above = " WHERE (yb_sortkey, yb_id) > ($1::bytea, $2::bigint)";
        } else {
            ps << Param::integer(place.rowId);
            below = " WHERE yb_id < $1::bigint";
            above = " WHERE yb_id > $1::bigint";
        }
        ps << Param::integer(std::max(before, 0)) << Param::integer(std::max(after, 0));
        const QByteArray n = QByteArray::number(ps.size());
        const QByteArray m = QByteArray::number(ps.size() - 1);
        const QByteArray sql = "SELECT * FROM ((" + selectSide(columns, 0) + below + orderBy(byKey, false) +
            " LIMIT $" + m + "::bigint) UNION ALL (" + selectSide(columns, 1) + above + orderBy(byKey, true) +
            " LIMIT $" + n + "::bigint)) w ORDER BY yb_side" + (byKey ? ", yb_sortkey, yb_id" : ", yb_id");
        const Result r = conn_->exec(sql, ps, true);
        const QList<StoredRecord> all = records(r, columns);
        const int sideColumn = int(columns.size()) + 3;
        std::pair<QList<StoredRecord>, QList<StoredRecord>> rows;
        for (int i = 0; i < all.size(); ++i) {
            if (r.integer(i, sideColumn) == 0)
                rows.first.prepend(all[i]); // nearest first
            else
                rows.second << all[i];
        }
        return rows;
    }

    std::optional<StoredRecord> readById(const Columns& columns, qint64 id) override
    {
        QList<StoredRecord> r =
            records(conn_->exec(select(columns) + " WHERE yb_id = $1::bigint", {Param::integer(id)}, true), columns);
        if (r.isEmpty())
            return std::nullopt;
        return r.first();
    }

    void find(const Columns& columns, const RecordFilter& filter, RecordOrder order,
              const RecordVisitor& visit) override
    {
        const bool byKey = order == RecordOrder::Key && def_.hasKey();
        QByteArrayList conds;
        Params base;
        auto param = [&](Param p) {
            base << p;
            return "$" + QByteArray::number(base.size());
        };
        if (filter.hasKeyRange) {
            if (filter.keyEquals) {
                conds << "yb_sortkey = " + param(Param::bytes(filter.keyLo)) + "::bytea";
            } else {
                if (!filter.keyLo.isEmpty())
                    conds << "yb_sortkey >= " + param(Param::bytes(filter.keyLo)) + "::bytea";
                if (!filter.keyHi.isEmpty())
                    conds << "yb_sortkey < " + param(Param::bytes(filter.keyHi)) + "::bytea";
            }
        }
        for (const RecordFilter::Equal& e : filter.equals) {
            const FieldDef& f = field(e.column);
            if (e.value.isNull() || !e.value.isValid()) {
                conds << utf8(quote(f.name)) + " IS NULL";
                continue;
            }
            // A number the column cannot hold matches nothing (the server
            // would refuse it as out of range).
            bool ok = true;
            if (isIntegerType(f.type) && (!inRange(f.type, e.value.toLongLong(&ok)) || !ok))
                return;
            conds << utf8(quote(f.name)) + " = " + param(toParam(e.value, f.type));
        }
        // Pages of records, each read whole before it is visited, so that the
        // visitor may use the connection itself. A search usually stops at
        // its first record: the first page is small, later ones grow.
        int page = 16;
        Bookmark place;
        for (;;) {
            QByteArrayList all = conds;
            Params ps = base;
            if (place.isValid()) {
                if (byKey) {
                    ps << Param::bytes(place.sortKey) << Param::integer(place.rowId);
                    all << "(yb_sortkey, yb_id) > ($" + QByteArray::number(ps.size() - 1) + "::bytea, $" +
                            QByteArray::number(ps.size()) + "::bigint)";
                } else {
                    ps << Param::integer(place.rowId);
                    all << "yb_id > $" + QByteArray::number(ps.size()) + "::bigint";
                }
            }
            QByteArray sql = select(columns);
            if (!all.isEmpty())
                sql += " WHERE " + all.join(" AND ");
            ps << Param::integer(page);
            sql += orderBy(byKey, true) + " LIMIT $" + QByteArray::number(ps.size()) + "::bigint";
            const QList<StoredRecord> rows = records(conn_->exec(sql, ps, true), columns);
            for (const StoredRecord& r : rows)
                if (!visit(r))
                    return;
            if (rows.size() < page)
                return;
            place = rows.last().place();
            page = std::min(page * 4, 1024);
        }
    }

    qint64 count() override { return conn_->exec("SELECT count(*) FROM " + table_, {}, true).integer(0, 0); }

    bool isEmpty() override
    {
        return conn_->exec("SELECT NOT EXISTS(SELECT 1 FROM " + table_ + ")", {}, true).integer(0, 0) != 0;
    }

    WriteResult insert(const Columns& columns, const QVariantList& values, const QByteArray& sortKey) override
    {
        return insertWith(columns, values, sortKey, QString());
    }

    WriteResult insertOnce(const Columns& columns, const QVariantList& values, const QByteArray& sortKey,
                           const QString& token) override
    {
        if (!hasToken_ || token.isEmpty() || conn_->inTransaction())
            return insertWith(columns, values, sortKey, hasToken_ ? token : QString());
        try {
            return insertWith(columns, values, sortKey, token);
        } catch (const ServerError& e) {
            if (!e.isLostConnection())
                throw;
            // The answer was lost: the record is stored if the server holds its token.
            std::optional<WriteResult> held;
            if (!e.timedOut()) {
                try {
                    held = byToken(token);
                } catch (const EngineError&) {
                    throw EngineError(Text::tr("%1; whether the record was written is not known").arg(e.message()),
                                      kWriteUnknown);
                }
                if (!held)
                    throw EngineError(Text::tr("%1; the record was not written").arg(e.message()), kWriteNotStored);
                return *held;
            }
            throw EngineError(Text::tr("%1; whether the record was written is not known").arg(e.message()),
                              kWriteUnknown);
        }
    }

    WriteResult update(qint64 id, qint64 revision, const Columns& columns, const QVariantList& values,
                       const std::optional<QByteArray>& sortKey) override
    {
        if (conn_->inTransaction())
            return updateOnce(id, revision, columns, values, sortKey);
        WriteResult w;
        try {
            w = updateOnce(id, revision, columns, values, sortKey);
        } catch (const ServerError& e) {
            if (!e.isLostConnection())
                throw;
            // The answer was lost: the server holds the edit or it does not.
            // Asked at once unless the server went silent; else at the next try.
            lost_ = LostUpdate{id, revision, columns, values};
            if (e.timedOut())
                throw EngineError(Text::tr("%1; whether the edit was written is not known").arg(e.message()),
                                  kWriteUnknown);
            std::optional<StoredRecord> now;
            try {
                now = readById(columns, id);
            } catch (const EngineError&) {
                throw EngineError(Text::tr("%1; whether the edit was written is not known").arg(e.message()),
                                  kWriteUnknown);
            }
            lost_.reset();
            if (now && now->revision == revision + 1 && holds(*now, columns, values)) {
                w.id = id;
                w.revision = now->revision;
                w.alreadyStored = true;
                return w;
            }
            if (now && now->revision == revision)
                throw EngineError(Text::tr("%1; the edit was not written").arg(e.message()), kWriteNotStored);
            w.id = id;
            w.outcome = now ? WriteResult::Changed : WriteResult::Deleted;
            w.revision = now ? now->revision : 0;
            return w;
        }
        // Refused as changed since `revision`, by the write of ours whose
        // answer was lost? Then the record holds exactly what that wrote.
        if (w.outcome == WriteResult::Changed && lost_ && lost_->id == id && lost_->revision == revision) {
            const LostUpdate mine = *lost_;
            lost_.reset();
            const std::optional<StoredRecord> now = readById(mine.columns, id);
            if (now && now->revision == revision + 1 && holds(*now, mine.columns, mine.values)) {
                WriteResult again = updateOnce(id, revision + 1, columns, values, sortKey);
                again.alreadyStored = again.outcome == WriteResult::Written;
                return again;
            }
        }
        if (lost_ && lost_->id == id)
            lost_.reset();
        return w;
    }

    bool remove(qint64 id) override
    {
        writable();
        return conn_->exec("DELETE FROM " + table_ + " WHERE yb_id = $1::bigint", {Param::integer(id)}).affected() > 0;
    }

    void clear() override
    {
        writable();
        conn_->exec("DELETE FROM " + table_);
    }

    void begin() override { conn_->begin(); }
    void commit() override { conn_->commit(); }
    void rollback() noexcept override { conn_->rollback(); }

    std::unique_ptr<BulkInsert> bulkInsert(bool replace) override
    {
        writable();
        return std::make_unique<PgBulk>(conn_, def_, table_, replace);
    }

private:
    WriteResult insertWith(const Columns& columns, const QVariantList& values, const QByteArray& sortKey,
                           const QString& token)
    {
        writable();
        QByteArray sql = "INSERT INTO " + table_ + "(yb_sortkey";
        QByteArray vals = "$1::bytea";
        Params ps{Param::bytes(def_.hasKey() ? sortKey : QByteArray())};
        for (int i = 0; i < columns.size(); ++i) {
            const FieldDef& f = field(columns[i]);
            sql += ", " + utf8(quote(f.name));
            ps << toParam(values.value(i), f.type);
            vals += ", $" + QByteArray::number(ps.size());
        }
        if (!token.isEmpty()) {
            sql += ", yb_token";
            ps << Param::text(token);
            vals += ", $" + QByteArray::number(ps.size());
        }
        sql += ") VALUES(" + vals + ") RETURNING " + returning(columns);
        try {
            return conn_->guarded([&] {
                const Result r = conn_->exec(sql, ps);
                WriteResult w;
                w.id = r.integer(0, 0);
                w.revision = r.integer(0, 1);
                w.record = records(r, columns).value(0);
                return w;
            });
        } catch (const ServerError& e) {
            if (!e.isUniqueViolation())
                throw;
            // The same write again (a retry after a lost answer): the one stored.
            if (!token.isEmpty() && e.constraint() == indexName(def_, QStringLiteral("token")))
                if (std::optional<WriteResult> held = byToken(token))
                    return *held;
            return duplicate(e);
        }
    }

    WriteResult updateOnce(qint64 id, qint64 revision, const Columns& columns, const QVariantList& values,
                           const std::optional<QByteArray>& sortKey)
    {
        writable();
        QByteArray sql = "UPDATE " + table_ + " SET yb_rev = yb_rev + 1";
        Params ps{Param::integer(id), Param::integer(revision)};
        if (sortKey && def_.hasKey()) {
            ps << Param::bytes(*sortKey);
            sql += ", yb_sortkey = $" + QByteArray::number(ps.size()) + "::bytea";
        }
        for (int i = 0; i < columns.size(); ++i) {
            const FieldDef& f = field(columns[i]);
            ps << toParam(values.value(i), f.type);
            sql += ", " + utf8(quote(f.name)) + " = $" + QByteArray::number(ps.size());
        }
        sql += " WHERE yb_id = $1::bigint AND yb_rev = $2::bigint RETURNING " + returning(columns);
        try {
            return conn_->guarded([&] {
                const Result r = conn_->exec(sql, ps);
                WriteResult w;
                w.id = id;
                if (r.rows() == 1) {
                    w.revision = r.integer(0, 1);
                    w.record = records(r, columns).value(0);
                    return w;
                }
                // Refused: the record is gone, or someone else wrote it since.
                const Result now =
                    conn_->exec("SELECT yb_rev FROM " + table_ + " WHERE yb_id = $1::bigint", {Param::integer(id)});
                w.outcome = now.rows() ? WriteResult::Changed : WriteResult::Deleted;
                w.revision = now.rows() ? now.integer(0, 0) : 0;
                return w;
            });
        } catch (const ServerError& e) {
            if (!e.isUniqueViolation())
                throw;
            WriteResult w = duplicate(e);
            w.id = id;
            return w;
        }
    }

    // The record that holds `token`, as an insert's outcome already stored.
    std::optional<WriteResult> byToken(const QString& token)
    {
        const Result r =
            conn_->exec("SELECT yb_id, yb_rev FROM " + table_ + " WHERE yb_token = $1", {Param::text(token)}, true);
        if (r.rows() != 1)
            return std::nullopt;
        WriteResult w;
        w.id = r.integer(0, 0);
        w.revision = r.integer(0, 1);
        w.alreadyStored = true;
        return w;
    }

    // Whether `r` holds exactly `values` in `columns`.
    bool holds(const StoredRecord& r, const Columns& columns, const QVariantList& values) const
    {
        for (int i = 0; i < columns.size(); ++i) {
            const QVariant& a = r.values.value(i);
            const QVariant& b = values.value(i);
            const bool an = !a.isValid() || a.isNull(), bn = !b.isValid() || b.isNull();
            if (an || bn) {
                if (an != bn)
                    return false;
                continue;
            }
            switch (field(columns[i]).type) {
            case FieldType::Integer:
            case FieldType::SmallInt:
                if (a.toLongLong() != b.toLongLong())
                    return false;
                break;
            case FieldType::DateTime:
                if (a.toDateTime() != b.toDateTime())
                    return false;
                break;
            case FieldType::Text:
            case FieldType::Memo:
                if (a.toString() !=
                    (b.typeId() == QMetaType::QByteArray ? QString::fromUtf8(b.toByteArray()) : b.toString()))
                    return false;
                break;
            }
        }
        return true;
    }

    const FieldDef& field(int column) const
    {
        if (column < 0 || column >= def_.fields.size())
            throw EngineError(Text::tr("no field number %1 in %2").arg(column + 1).arg(def_.fileName));
        return def_.fields[column];
    }

    // The columns of a record as records() reads them: id, revision, sort
    // key, then `columns`.
    QByteArray returning(const Columns& columns) const
    {
        QByteArray sql = "yb_id, yb_rev, yb_sortkey";
        for (int c : columns)
            sql += ", " + utf8(quote(field(c).name));
        return sql;
    }

    QByteArray select(const Columns& columns) const { return "SELECT " + returning(columns) + " FROM " + table_; }

    QByteArray selectSide(const Columns& columns, int side) const
    {
        return "SELECT " + returning(columns) + ", " + QByteArray::number(side) + " AS yb_side FROM " + table_;
    }

    static QByteArray orderBy(bool byKey, bool forward)
    {
        if (byKey)
            return forward ? " ORDER BY yb_sortkey, yb_id" : " ORDER BY yb_sortkey DESC, yb_id DESC";
        return forward ? " ORDER BY yb_id" : " ORDER BY yb_id DESC";
    }

    QList<StoredRecord> records(const Result& r, const Columns& columns) const
    {
        QList<StoredRecord> list;
        list.reserve(r.rows());
        for (int row = 0; row < r.rows(); ++row) {
            StoredRecord s;
            s.id = r.integer(row, 0);
            s.revision = r.integer(row, 1);
            s.sortKey = r.bytes(row, 2);
            s.values.reserve(columns.size());
            for (int i = 0; i < columns.size(); ++i)
                s.values << fromResult(r, row, i + 3, field(columns[i]).type);
            list << s;
        }
        return list;
    }

    WriteResult duplicate(const ServerError& e) const
    {
        WriteResult w;
        w.outcome = WriteResult::DuplicateKey;
        w.field = uniqueField(def_, e.constraint());
        w.message = e.message();
        return w;
    }

    void writable() const
    {
        if (readOnly_)
            throw EngineError(Text::tr("the table %1 is open for reading only").arg(def_.fileName));
    }

    // An update whose answer was lost and that the server could not be asked about.
    struct LostUpdate {
        qint64 id = 0;
        qint64 revision = 0;
        Columns columns;
        QVariantList values;
    };

    std::shared_ptr<Connection> conn_;
    TableDef def_;
    QList<FieldDef> stored_;
    bool readOnly_;
    bool hasToken_;
    QByteArray table_;
    std::optional<LostUpdate> lost_;
};

PgBulk::PgBulk(std::shared_ptr<Connection> conn, const TableDef& def, const QByteArray& table, bool replace)
    : keep_(std::move(conn)), conn_(*keep_), def_(def), table_(table)
{
    conn_.begin();
    active_ = true;
    try {
        if (replace)
            conn_.exec("DELETE FROM " + table_);
        lastIdBefore_ = conn_.exec("SELECT coalesce(max(yb_id), 0) FROM " + table_).integer(0, 0);
    } catch (...) {
        rollback();
        throw;
    }
    pending_.reserve(kBatch);
}

QByteArray PgBulk::insertSql(int rows) const
{
    QByteArray sql = "INSERT INTO " + table_ + "(yb_sortkey";
    for (const FieldDef& f : def_.fields)
        sql += ", " + utf8(quote(f.name));
    sql += ") VALUES ";
    const int stride = int(def_.fields.size()) + 1;
    for (int k = 0; k < rows; ++k) {
        sql += k ? ", ($" : "($";
        sql += QByteArray::number(k * stride + 1) + "::bytea";
        for (int i = 2; i <= stride; ++i)
            sql += ", $" + QByteArray::number(k * stride + i);
        sql += ')';
    }
    return sql;
}

void PgBulk::addParams(Params& ps, const Pending& p) const
{
    ps << Param::bytes(p.key);
    for (int i = 0; i < def_.fields.size(); ++i)
        ps << toParam(p.values[i], def_.fields[i].type);
}

void PgBulk::add(const QVariantList& values, const QByteArray& sortKey, qint64 tag)
{
    if (!active_)
        throw EngineError(Text::tr("the bulk insert has already ended"));
    if (values.size() != def_.fields.size())
        throw EngineError(Text::tr("a record of %1 values for %2 fields").arg(values.size()).arg(def_.fields.size()));
    pending_.push_back({values, def_.hasKey() ? sortKey : QByteArray(), tag});
    if (int(pending_.size()) >= kBatch)
        flush();
}

bool PgBulk::keyExistedBefore(const QByteArray& sortKey)
{
    if (lastIdBefore_ == 0)
        return false;
    return conn_
               .exec("SELECT EXISTS(SELECT 1 FROM " + table_ + " WHERE yb_sortkey = $1::bytea AND yb_id <= $2::bigint)",
                     {Param::bytes(sortKey), Param::integer(lastIdBefore_)})
               .integer(0, 0) != 0;
}

void PgBulk::refuse(const ServerError& e, const Pending& p)
{
    QString field;
    QVariant value;
    if (e.isUniqueViolation()) {
        field = uniqueField(def_, e.constraint());
        if (const FieldDef* f = def_.field(field))
            value = p.values[int(f - def_.fields.constData())];
    }
    const qint64 tag = p.tag;
    rollback();
    throw BulkRefusal(e.message(), tag, field, value, e.code());
}

void PgBulk::flush()
{
    if (!active_)
        throw EngineError(Text::tr("the bulk insert has already ended"));
    if (pending_.empty())
        return;
    Params ps;
    ps.reserve(qsizetype(pending_.size()) * (def_.fields.size() + 1));
    for (const Pending& p : pending_)
        addParams(ps, p);
    try {
        conn_.guarded([&] { return conn_.exec(insertSql(int(pending_.size())), ps); });
    } catch (const ServerError& batchError) {
        if (!conn_.isOpen()) {
            rollback();
            throw;
        }
        // Record by record, so that the refusal names its record.
        for (const Pending& p : pending_) {
            Params one;
            addParams(one, p);
            try {
                conn_.guarded([&] { return conn_.exec(insertSql(1), one); });
            } catch (const ServerError& e) {
                refuse(e, p);
            }
        }
        // The batch failed but no record alone does: report the batch's error.
        refuse(batchError, pending_.front());
    } catch (...) {
        rollback();
        throw;
    }
    written_ += qint64(pending_.size());
    pending_.clear();
}

qint64 PgBulk::commit()
{
    flush();
    active_ = false;
    conn_.commit();
    return written_;
}

void PgBulk::rollback()
{
    pending_.clear();
    if (active_)
        conn_.rollback();
    active_ = false;
}

// ---------------------------------------------------------------- engine

class PgSnapshot : public Snapshot {
public:
    explicit PgSnapshot(std::shared_ptr<Connection> conn) : conn_(std::move(conn))
    {
        conn_->begin("BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY");
    }
    ~PgSnapshot() override
    {
        tables.clear();
        conn_->rollback();
    }

private:
    std::shared_ptr<Connection> conn_;
};

class PgEngine : public Engine {
public:
    explicit PgEngine(const QString& uri) : uri_(uri), conn_(std::make_shared<Connection>(uri)) {}

    QString location() const override { return conn_->location(); }
    void connect() { conn_->open(); }
    bool reachedServer() const { return conn_->reachedServer(); }
    PGconn* native()
    {
        conn_->open();
        return conn_->raw();
    }
    QString name() const override { return QStringLiteral("PostgreSQL"); }

    bool exists() const override
    {
        try {
            conn_->open();
            return true;
        } catch (const EngineError&) {
            return false;
        }
    }

    QString tableLocation(const QString& tableAsWritten) const override
    {
        const TableDef* t = findTable(tableAsWritten);
        return location() + QLatin1Char('/') + (t ? t->fileName : tableAsWritten);
    }

    bool hasTable(const TableDef& table) const override
    {
        // A database not made yet has no tables (createTable() makes it).
        if (!exists() && databaseMissing(uri_) == 1)
            return false;
        return conn_->exec("SELECT to_regclass($1) IS NOT NULL", {Param::text(quote(table.fileName))}, true)
                   .integer(0, 0) != 0;
    }

    void createTables() override
    {
        ensureDatabase();
        for (const TableDef& t : tables())
            createTable(t);
    }

    void createTable(const TableDef& table) override
    {
        schema_.reset();
        ensureDatabase();
        Connection& c = *conn_;
        c.begin();
        try {
            // One creator at a time, so that two tills starting together do not collide.
            c.exec("SELECT pg_advisory_xact_lock(1497715778)");
            c.command("CREATE TABLE IF NOT EXISTS yerbalis_tables(name text PRIMARY KEY, key_field text NOT NULL, "
                      "format_version integer NOT NULL)");
            const QString tokenIndex =
                QStringLiteral("CREATE UNIQUE INDEX IF NOT EXISTS %1 ON %2(yb_token)")
                    .arg(quote(indexName(table, QStringLiteral("token"))), quote(table.fileName));
            if (c.exec("SELECT to_regclass($1) IS NOT NULL", {Param::text(quote(table.fileName))}).integer(0, 0)) {
                // A table of format 1 gets the column of write tokens (format 2).
                if (c.exec("SELECT format_version FROM yerbalis_tables WHERE name = $1", {Param::text(table.fileName)})
                        .integer(0, 0) < 2) {
                    c.command(utf8(QStringLiteral("ALTER TABLE %1 ADD COLUMN IF NOT EXISTS yb_token text")
                                       .arg(quote(table.fileName)))
                                  .constData());
                    c.command(utf8(tokenIndex).constData());
                    c.exec("UPDATE yerbalis_tables SET format_version = $2 WHERE name = $1",
                           {Param::text(table.fileName), Param::integer(kFormatVersion)});
                }
                c.commit();
                return;
            }
            QString cols = QStringLiteral("yb_id bigint GENERATED ALWAYS AS IDENTITY PRIMARY KEY, "
                                          "yb_rev bigint NOT NULL DEFAULT 1, "
                                          "yb_sortkey bytea NOT NULL DEFAULT '\\x'::bytea, "
                                          "yb_token text");
            for (const FieldDef& f : table.fields)
                cols += QStringLiteral(", %1 %2%3")
                            .arg(quote(f.name), columnType(f), f.required ? QStringLiteral(" NOT NULL") : QString());
            c.command(utf8(QStringLiteral("CREATE TABLE %1(%2)").arg(quote(table.fileName), cols)).constData());
            if (table.hasKey())
                c.command(utf8(QStringLiteral("CREATE INDEX %1 ON %2(yb_sortkey, yb_id)")
                                   .arg(quote(indexName(table, QStringLiteral("order"))), quote(table.fileName)))
                              .constData());
            c.command(utf8(tokenIndex).constData());
            for (int i = 0; i < table.lookupIndexes.size(); ++i)
                c.command(utf8(QStringLiteral("CREATE UNIQUE INDEX %1 ON %2(%3)")
                                   .arg(quote(indexName(table, QStringLiteral("lookup%1").arg(i + 1))),
                                        quote(table.fileName), quote(table.lookupIndexes[i])))
                              .constData());
            c.exec("INSERT INTO yerbalis_tables(name, key_field, format_version) VALUES($1, $2, $3) "
                   "ON CONFLICT (name) DO UPDATE SET key_field = excluded.key_field, "
                   "format_version = excluded.format_version",
                   {Param::text(table.fileName), Param::text(table.keyField), Param::integer(kFormatVersion)});
            c.commit();
        } catch (const EngineError& e) {
            c.rollback();
            throw EngineError(Text::tr("Cannot create table %1 in the PostgreSQL database %2: %3")
                                  .arg(table.fileName, location(), e.message()),
                              e.code());
        }
    }

    void forgetSchema() override { schema_.reset(); }

    std::unique_ptr<EngineTable> openTable(const TableDef& table, bool readOnly) override
    {
        QList<FieldDef> stored;
        bool hasToken = false;
        const QString problem = schemaProblem(table, &stored, &hasToken);
        if (!problem.isEmpty())
            throw EngineError(Text::tr("Cannot open table %1: %2").arg(table.fileName, problem));
        return std::make_unique<PgTable>(conn_, table, stored, readOnly, hasToken);
    }

    std::unique_ptr<Snapshot> snapshot() override
    {
        // One repeatable-read transaction on the connection every table shares.
        auto s = std::make_unique<PgSnapshot>(conn_);
        for (const TableDef& t : tables())
            s->tables.push_back(openTable(t, true));
        return s;
    }

private:
    // Creates the database on its server when it is not there yet.
    void ensureDatabase()
    {
        try {
            conn_->open();
            return;
        } catch (const EngineError& e) {
            if (databaseMissing(uri_) != 1)
                throw;
        }
        onServer(
            uri_,
            QStringLiteral("CREATE DATABASE %1 ENCODING 'UTF8' TEMPLATE template0").arg(quote(databaseName(uri_))));
        conn_->open();
    }

    // What the server says of the catalogue's tables: their columns and
    // their descriptions in yerbalis_tables, read for all at once.
    struct Column {
        QString name, type;
        int size = 0;
        bool required = false;
    };
    struct TableSchema {
        QList<Column> columns; // empty: no such table
        bool described = false;
        QString keyField;
        qint64 format = 0;
    };

    void loadSchema()
    {
        QStringList names;
        for (const TableDef& t : tables()) {
            QString n = t.fileName;
            n.replace(QLatin1Char('\\'), QLatin1String("\\\\")).replace(QLatin1Char('"'), QLatin1String("\\\""));
            names << QLatin1Char('"') + n + QLatin1Char('"');
        }
        // The descriptions' table may be missing (a database without tables):
        // its read is then refused, the columns' read is not.
        const std::vector<std::optional<Result>> r = conn_->readTogether(
            {{"SELECT table_name::text, column_name::text, data_type::text, "
              "coalesce(character_maximum_length, 0)::int, (is_nullable = 'NO') FROM information_schema.columns "
              "WHERE table_schema = current_schema() AND table_name = ANY($1::text[]) "
              "ORDER BY table_name, ordinal_position",
              {Param::text(QLatin1Char('{') + names.join(QLatin1Char(',')) + QLatin1Char('}'))}},
             {"SELECT name, key_field, format_version FROM yerbalis_tables", {}}});
        QHash<QString, TableSchema> schema;
        if (r.size() == 2 && r[0]) {
            const Result& cols = *r[0];
            for (int i = 0; i < cols.rows(); ++i)
                schema[cols.text(i, 0)].columns
                    << Column{cols.text(i, 1), cols.text(i, 2), int(cols.integer(i, 3)), cols.integer(i, 4) != 0};
        }
        if (r.size() == 2 && r[1]) {
            const Result& meta = *r[1];
            for (int i = 0; i < meta.rows(); ++i) {
                TableSchema& t = schema[meta.text(i, 0)];
                t.described = true;
                t.keyField = meta.text(i, 1);
                t.format = meta.integer(i, 2);
            }
        }
        schema_ = std::move(schema);
    }

    // What keeps `table` from being the catalogue's table on the server; the
    // stored fields when nothing does. The schema is read once for every
    // table; a table found wanting is read again at its next opening.
    QString schemaProblem(const TableDef& table, QList<FieldDef>* stored, bool* hasToken = nullptr)
    {
        const QString where = Text::tr("the PostgreSQL database %1").arg(location());
        // A database not made yet has no tables (createTable() makes it).
        if (!exists()) {
            if (databaseMissing(uri_) == 1)
                schema_.reset();
            else
                conn_->open(); // raises the reason
        } else if (!schema_) {
            loadSchema();
        }
        const TableSchema s = schema_ ? schema_->value(table.fileName) : TableSchema{};
        const QString problem = schemaProblem(table, s, where, stored, hasToken);
        if (!problem.isEmpty())
            schema_.reset();
        return problem;
    }

    QString schemaProblem(const TableDef& table, const TableSchema& s, const QString& where, QList<FieldDef>* stored,
                          bool* hasToken)
    {
        if (s.columns.isEmpty())
            return Text::tr("the table %1 is missing from %2 ('yerbalis-admin create' with the same URI makes "
                            "the missing tables)")
                .arg(table.fileName, where);
        if (!s.described)
            return Text::tr("the description of the table %1 is missing from %2").arg(table.fileName, where);
        if (s.keyField != table.keyField)
            return Text::tr("the index field of the table %1 is '%2', not '%3'")
                .arg(table.fileName, s.keyField, table.keyField);
        if (s.format > kFormatVersion)
            return Text::tr("the table %1 has a newer format (%2) than this program knows")
                .arg(table.fileName)
                .arg(s.format);
        QStringList hidden{QStringLiteral("yb_id"), QStringLiteral("yb_rev"), QStringLiteral("yb_sortkey")};
        QList<FieldDef> fields;
        for (const Column& col : s.columns) {
            const QString& name = col.name;
            if (hidden.removeOne(name))
                continue;
            // Optional: a table of format 1 has no write tokens.
            if (name == QLatin1String("yb_token")) {
                if (hasToken)
                    *hasToken = true;
                continue;
            }
            const QString& type = col.type;
            FieldDef f;
            f.name = name;
            f.size = col.size;
            f.required = col.required;
            if (type == QLatin1String("character varying"))
                f.type = FieldType::Text;
            else if (type == QLatin1String("text"))
                f.type = FieldType::Memo;
            else if (type == QLatin1String("integer"))
                f.type = FieldType::Integer;
            else if (type == QLatin1String("smallint"))
                f.type = FieldType::SmallInt;
            else if (type == QLatin1String("timestamp without time zone"))
                f.type = FieldType::DateTime;
            else
                return Text::tr("the column '%1' of the table %2 has the type %3").arg(name, table.fileName, type);
            fields << f;
        }
        if (!hidden.isEmpty())
            return Text::tr("the column %1 of the table %2 is missing from %3")
                .arg(hidden.first(), table.fileName, where);
        for (const FieldDef& c : table.fields) {
            auto it = std::find_if(fields.begin(), fields.end(), [&](const FieldDef& f) { return f.name == c.name; });
            if (it == fields.end())
                return Text::tr("the column '%1' of the table %2 is missing from %3")
                    .arg(c.name, table.fileName, where);
            if (it->type != c.type || (c.type == FieldType::Text && it->size != c.size) || it->required != c.required)
                return Text::tr("the column '%1' of the table %2 is not %3%4%5")
                    .arg(c.name, table.fileName, fieldTypeText(c.type),
                         c.type == FieldType::Text ? QStringLiteral("(%1)").arg(c.size) : QString(),
                         c.required ? Text::tr(", required") : QString());
        }
        for (const FieldDef& f : fields)
            if (!table.field(f.name) || table.field(f.name)->name != f.name)
                return Text::tr("the table %1 has an unknown column '%2'").arg(table.fileName, f.name);
        for (FieldDef& f : fields)
            if (f.type != FieldType::Text)
                f.size = 0;
        *stored = fields;
        return {};
    }

    QString uri_;
    std::shared_ptr<Connection> conn_;
    std::optional<QHash<QString, TableSchema>> schema_;
};

} // namespace

PGconn* nativeConnection(Engine& engine)
{
    auto* e = dynamic_cast<PgEngine*>(&engine);
    return e ? e->native() : nullptr;
}

std::unique_ptr<Engine> openEngine(const QString& uri)
{
    auto e = std::make_unique<PgEngine>(uri);
    // A server that cannot be reached is reported now; a database not made
    // yet is not (createTables() makes it, exists() says so).
    // A server that did not answer at all is not asked again.
    try {
        e->connect();
    } catch (const EngineError&) {
        if (!e->reachedServer() || databaseMissing(uri) != 1)
            throw;
    }
    return e;
}

QString connectionOption(const QString& uri, const char* key)
{
    PQconninfoOption* opts = PQconninfoParse(uri.toUtf8().constData(), nullptr);
    QString v;
    for (PQconninfoOption* o = opts; o && o->keyword; ++o)
        if (qstrcmp(o->keyword, key) == 0 && o->val)
            v = QString::fromUtf8(o->val);
    PQconninfoFree(opts);
    return v;
}

QString createDatabase(const QString& uri, const QString& name)
{
    onServer(uri, QStringLiteral("CREATE DATABASE %1 ENCODING 'UTF8' TEMPLATE template0").arg(quote(name)));
    return withDatabase(uri, name);
}

void dropDatabase(const QString& uri, const QString& name)
{
    onServer(uri, QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(quote(name)));
}

} // namespace yb::pg
