#include "store/postgres/PgConnection.h"

#include "store/Database.h"

#include <QStringList>
#include <QTimeZone>
#include <cstring>
#include <libpq-fe.h>
#include <poll.h>
#include <vector>

namespace yb::pg {

namespace {

// Multi-line libpq messages on one line, without the trailing newline.
QString oneLine(const char* s)
{
    QStringList lines = QString::fromUtf8(s ? s : "").split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (QString& l : lines)
        l = l.simplified();
    lines.removeAll(QString());
    QString m = lines.join(QLatin1String("; "));
    while (m.endsWith(QLatin1Char('.')))
        m.chop(1);
    return m;
}

qint64 bigEndian(const char* p, int len)
{
    qint64 v = (len > 0 && (p[0] & 0x80)) ? -1 : 0;
    for (int i = 0; i < len; ++i)
        v = qint64((quint64(v) << 8) | quint8(p[i]));
    return v;
}

void quiet(void*, const char*) {}

constexpr unsigned kOidBool = 16, kOidInt8 = 20, kOidInt2 = 21, kOidInt4 = 23, kOidTimestamp = 1114;

} // namespace

Param Param::dateTime(const QDateTime& dt)
{
    return {dt.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")).toUtf8(), false, false};
}

int ServerError::sqlStateCode(const QByteArray& s)
{
    int code = 0;
    for (char c : s.left(5))
        code = code * 36 + (c >= 'A' ? c - 'A' + 10 : c - '0');
    return code;
}

// ------------------------------------------------------------------ Result

Result::~Result() { PQclear(r_); }

Result& Result::operator=(Result&& o) noexcept
{
    if (this != &o) {
        PQclear(r_);
        r_ = o.r_;
        o.r_ = nullptr;
    }
    return *this;
}

int Result::rows() const { return r_ ? PQntuples(r_) : 0; }
int Result::columns() const { return r_ ? PQnfields(r_) : 0; }
bool Result::isNull(int row, int col) const { return PQgetisnull(r_, row, col) != 0; }

QByteArray Result::bytes(int row, int col) const
{
    return QByteArray(PQgetvalue(r_, row, col), PQgetlength(r_, row, col));
}

QString Result::text(int row, int col) const
{
    return QString::fromUtf8(PQgetvalue(r_, row, col), PQgetlength(r_, row, col));
}

qint64 Result::integer(int row, int col) const
{
    if (isNull(row, col))
        return 0;
    const char* p = PQgetvalue(r_, row, col);
    const int len = PQgetlength(r_, row, col);
    switch (PQftype(r_, col)) {
    case kOidBool: return len > 0 && p[0] ? 1 : 0;
    case kOidInt2:
    case kOidInt4:
    case kOidInt8: return bigEndian(p, len);
    default: throw EngineError(QStringLiteral("column %1 of a result is not an integer").arg(col + 1));
    }
}

QDateTime Result::dateTime(int row, int col) const
{
    if (isNull(row, col))
        return {};
    if (PQftype(r_, col) != kOidTimestamp || PQgetlength(r_, row, col) != 8)
        throw EngineError(QStringLiteral("column %1 of a result is not a date-time").arg(col + 1));
    // Microseconds since 2000-01-01 00:00, a wall-clock time without zone:
    // counted in UTC, where every day has the same length, then read as local.
    const qint64 us = bigEndian(PQgetvalue(r_, row, col), 8);
    const qint64 ms = us >= 0 ? us / 1000 : -((-us + 999) / 1000);
    const QDateTime utc = QDateTime(QDate(2000, 1, 1), QTime(0, 0), QTimeZone::utc()).addMSecs(ms);
    return QDateTime(utc.date(), utc.time());
}

qint64 Result::affected() const
{
    const char* n = r_ ? PQcmdTuples(r_) : "";
    return n && *n ? std::atoll(n) : 0;
}

// ------------------------------------------------------------------ Connection

Connection::Connection(QString uri) : uri_(std::move(uri)), location_(publicLocation(uri_)) {}

Connection::~Connection()
{
    if (conn_)
        PQfinish(conn_);
}

QString Connection::publicLocation(const QString& uri) { return Database::shownLocation(uri); }

bool Connection::isOpen() const { return conn_ && PQstatus(conn_) == CONNECTION_OK; }

void Connection::open()
{
    if (isOpen())
        return;
    if (conn_) {
        PQfinish(conn_);
        conn_ = nullptr;
    }
    prepared_.clear();
    const QByteArray info = uri_.toUtf8();
    const char* keys[] = {"dbname", "fallback_application_name", "client_encoding", nullptr};
    const char* values[] = {info.constData(), "yerbalis", "UTF8", nullptr};
    conn_ = PQconnectdbParams(keys, values, 1);
    if (!conn_)
        throw EngineError(QStringLiteral("Cannot connect to the PostgreSQL server %1: out of memory").arg(location_));
    if (PQstatus(conn_) != CONNECTION_OK) {
        const QString msg = oneLine(PQerrorMessage(conn_));
        PQfinish(conn_);
        conn_ = nullptr;
        throw EngineError(QStringLiteral("Cannot connect to the PostgreSQL server %1: %2").arg(location_, msg));
    }
    PQsetNoticeProcessor(conn_, quiet, nullptr);
    // Every commit waits until the server has written it to disk, whatever the
    // server's default; dates travel in one form.
    PGresult* r = PQexec(conn_,
                         "SET synchronous_commit TO on; SET DateStyle TO 'ISO, YMD'; "
                         "SET TimeZone TO 'UTC'; SET standard_conforming_strings TO on");
    const bool ok = PQresultStatus(r) == PGRES_COMMAND_OK;
    if (!ok) {
        const QString msg = oneLine(PQresultErrorMessage(r));
        PQclear(r);
        PQfinish(conn_);
        conn_ = nullptr;
        throw EngineError(QStringLiteral("Cannot connect to the PostgreSQL server %1: %2").arg(location_, msg));
    }
    PQclear(r);
    // Texts of any language must go in and come out as they are.
    if (const char* enc = PQparameterStatus(conn_, "server_encoding"); enc && std::strcmp(enc, "UTF8") != 0) {
        const QString e = QString::fromUtf8(enc);
        PQfinish(conn_);
        conn_ = nullptr;
        throw EngineError(
            QStringLiteral("Cannot use the PostgreSQL database %1: its encoding is %2, not UTF8").arg(location_, e));
    }
    if (const char* dt = PQparameterStatus(conn_, "integer_datetimes"); dt && std::strcmp(dt, "on") != 0) {
        PQfinish(conn_);
        conn_ = nullptr;
        throw EngineError(
            QStringLiteral("Cannot use the PostgreSQL server %1: it keeps dates as floating point").arg(location_));
    }
}

void Connection::dropped()
{
    // The server's side of an open transaction is gone with the connection.
    if (depth_ > 0)
        aborted_ = true;
    prepared_.clear();
}

void Connection::checkAlive()
{
    if (conn_ && PQstatus(conn_) == CONNECTION_OK) {
        // A server that went away while we were idle has closed the socket (or
        // sent its farewell): read that now, so that we reconnect before the
        // statement rather than lose it.
        // The farewell message and the end of the stream may come in two reads.
        for (int i = 0; i < 4 && PQstatus(conn_) == CONNECTION_OK; ++i) {
            pollfd p{PQsocket(conn_), POLLIN, 0};
            if (p.fd < 0 || ::poll(&p, 1, 0) <= 0)
                break;
            if (!PQconsumeInput(conn_))
                break;
            while (PGnotify* n = PQnotifies(conn_))
                PQfreemem(n);
        }
    }
    if (!isOpen()) {
        dropped();
        open();
    }
}

void Connection::raise(PGresult* r, bool lostBefore)
{
    const bool lost = lostBefore || !conn_ || PQstatus(conn_) != CONNECTION_OK;
    QString msg;
    QByteArray state;
    QString constraint, column;
    if (r) {
        const char* primary = PQresultErrorField(r, PG_DIAG_MESSAGE_PRIMARY);
        msg = oneLine(primary ? primary : PQresultErrorMessage(r));
        if (const char* detail = PQresultErrorField(r, PG_DIAG_MESSAGE_DETAIL))
            msg += QStringLiteral(" (%1)").arg(oneLine(detail));
        state = QByteArray(PQresultErrorField(r, PG_DIAG_SQLSTATE));
        constraint = QString::fromUtf8(PQresultErrorField(r, PG_DIAG_CONSTRAINT_NAME));
        column = QString::fromUtf8(PQresultErrorField(r, PG_DIAG_COLUMN_NAME));
        PQclear(r);
    }
    if (msg.isEmpty() && conn_)
        msg = oneLine(PQerrorMessage(conn_));
    if (lost) {
        dropped();
        throw ServerError(QStringLiteral("The connection to the PostgreSQL server %1 was lost: %2").arg(location_, msg),
                          state.isEmpty() ? QByteArray("08006") : state);
    }
    if (depth_ > 0 && savepoints_ == 0)
        aborted_ = true; // the server refuses everything but a rollback now
    throw ServerError(msg, state, constraint, column);
}

Result Connection::exec(const QByteArray& sql, const Params& params, bool read)
{
    for (int attempt = 0;; ++attempt) {
        if (depth_ == 0) {
            checkAlive();
        } else if (!isOpen()) {
            dropped();
            raise(nullptr, true);
        }
        if (aborted_)
            throw EngineError(QStringLiteral("the transaction was rolled back"));
        const bool retry = read && depth_ == 0 && attempt == 0;
        auto it = prepared_.constFind(sql);
        QByteArray name;
        if (it == prepared_.constEnd()) {
            name = "yb" + QByteArray::number(prepared_.size() + 1);
            PGresult* p = PQprepare(conn_, name.constData(), sql.constData(), int(params.size()), nullptr);
            if (PQresultStatus(p) != PGRES_COMMAND_OK) {
                if (retry && PQstatus(conn_) != CONNECTION_OK) {
                    PQclear(p);
                    dropped();
                    continue;
                }
                raise(p, false);
            }
            PQclear(p);
            prepared_.insert(sql, name);
        } else {
            name = *it;
        }
        const int n = int(params.size());
        std::vector<const char*> values(static_cast<size_t>(n));
        std::vector<int> lengths(static_cast<size_t>(n)), formats(static_cast<size_t>(n));
        for (int i = 0; i < n; ++i) {
            const Param& p = params[i];
            values[size_t(i)] = p.null ? nullptr : p.value.constData();
            lengths[size_t(i)] = int(p.value.size());
            formats[size_t(i)] = p.binary ? 1 : 0;
        }
        PGresult* r = PQexecPrepared(conn_, name.constData(), n, values.data(), lengths.data(), formats.data(), 1);
        const ExecStatusType st = PQresultStatus(r);
        if (st == PGRES_TUPLES_OK || st == PGRES_COMMAND_OK)
            return Result(r);
        if (retry && PQstatus(conn_) != CONNECTION_OK) {
            PQclear(r);
            dropped();
            continue;
        }
        raise(r, false);
    }
}

void Connection::command(const char* sql)
{
    if (depth_ == 0)
        checkAlive();
    else if (!isOpen())
        raise(nullptr, true);
    PGresult* r = PQexec(conn_, sql);
    if (PQresultStatus(r) != PGRES_COMMAND_OK)
        raise(r, false);
    PQclear(r);
}

void Connection::begin(const char* how)
{
    if (depth_ == 0) {
        aborted_ = false;
        savepoints_ = 0;
        command(how);
    }
    ++depth_;
}

void Connection::commit()
{
    if (depth_ == 0)
        throw EngineError(QStringLiteral("no transaction is open"));
    if (--depth_ > 0)
        return;
    if (aborted_) {
        aborted_ = false;
        if (isOpen() && PQtransactionStatus(conn_) != PQTRANS_IDLE) {
            PGresult* r = PQexec(conn_, "ROLLBACK");
            PQclear(r);
        }
        throw EngineError(QStringLiteral("the transaction was rolled back"));
    }
    // A commit whose answer is lost may or may not have happened: say so.
    if (!isOpen())
        raise(nullptr, true);
    PGresult* r = PQexec(conn_, "COMMIT");
    if (PQresultStatus(r) != PGRES_COMMAND_OK)
        raise(r, false);
    // COMMIT of a transaction the server had already aborted answers ROLLBACK.
    const bool rolledBack = std::strcmp(PQcmdStatus(r), "ROLLBACK") == 0;
    PQclear(r);
    if (rolledBack)
        throw EngineError(QStringLiteral("the transaction was rolled back"));
}

void Connection::rollback() noexcept
{
    if (depth_ == 0)
        return;
    if (isOpen() && PQtransactionStatus(conn_) != PQTRANS_IDLE) {
        PGresult* r = PQexec(conn_, "ROLLBACK");
        PQclear(r);
    }
    aborted_ = true;
    if (--depth_ == 0) {
        aborted_ = false;
        savepoints_ = 0;
    }
}

} // namespace yb::pg
