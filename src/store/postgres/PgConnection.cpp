#include "store/postgres/PgConnection.h"

#include "store/Database.h"
#include "store/Engine.h"
#include "store/ServerWait.h"

#include <QCoreApplication>
#include <QStringList>
#include <QTimeZone>
#include <QUrl>
#include <QUrlQuery>
#include <atomic>
#include <cstring>
#include <functional>
#include <libpq-fe.h>
#include <poll.h>
#include <vector>

namespace yb::pg {

namespace {
// The messages of this unit, in the catalogue's context yb::Postgres.
struct Text {
    Q_DECLARE_TR_FUNCTIONS(yb::Postgres)
};
} // namespace

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

std::atomic<qint64> roundTripCount{0};

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
    default: throw EngineError(Text::tr("column %1 of a result is not an integer").arg(col + 1));
    }
}

QDateTime Result::dateTime(int row, int col) const
{
    if (isNull(row, col))
        return {};
    if (PQftype(r_, col) != kOidTimestamp || PQgetlength(r_, row, col) != 8)
        throw EngineError(Text::tr("column %1 of a result is not a date-time").arg(col + 1));
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

qint64 Connection::roundTrips() { return roundTripCount.load(); }
void Connection::countRoundTrip() { ++roundTripCount; }

Connection::Connection(QString uri) : uri_(std::move(uri)), location_(publicLocation(uri_)) {}

Connection::~Connection()
{
    if (conn_)
        PQfinish(conn_);
}

QString Connection::publicLocation(const QString& uri) { return Database::shownLocation(uri); }

bool Connection::isOpen() const { return conn_ && PQstatus(conn_) == CONNECTION_OK; }

void Connection::closeBroken()
{
    if (conn_)
        PQfinish(conn_);
    conn_ = nullptr;
    dropped();
}

bool Connection::awaitSocket(bool write, qint64 deadlineMs, const QElapsedTimer& since, bool& hooked)
{
    ServerWait* hook = serverWait();
    for (;;) {
        const qint64 elapsed = since.elapsed();
        if (deadlineMs > 0 && elapsed >= deadlineMs)
            return false;
        if (!hooked && hook && elapsed >= kWaitMomentMs) {
            hooked = true;
            hook->begin(location_);
        }
        // Short slices while the hook keeps the windows alive; until the
        // moment has passed, or without a hook, up to the end of the wait.
        qint64 slice = hooked ? 15 : (hook ? kWaitMomentMs - elapsed : 1000);
        if (deadlineMs > 0)
            slice = std::min(slice, deadlineMs - elapsed);
        pollfd p{PQsocket(conn_), short(write ? POLLOUT : POLLIN), 0};
        if (p.fd < 0)
            return true; // libpq reports the broken connection itself
        const int n = ::poll(&p, 1, int(std::max<qint64>(slice, 0)));
        if (n != 0)
            return true;
        if (hooked)
            hook->tick();
    }
}

template <typename Send> PGresult* Connection::roundTrip(Send&& send)
{
    std::vector<PGresult*> r = exchange(send, 0);
    return r.empty() ? nullptr : r.front();
}

std::vector<PGresult*> Connection::exchange(const std::function<bool()>& send, int syncs)
{
    if (busy_)
        throw EngineError(Text::tr("the PostgreSQL server %1 is still answering the previous request").arg(location_));
    busy_ = true;
    bool hooked = false;
    auto finish = [&] {
        busy_ = false;
        if (hooked)
            if (ServerWait* hook = serverWait())
                hook->end();
    };
    QElapsedTimer since;
    since.start();
    countRoundTrip();
    bool timedOut = false;
    std::vector<PGresult*> results;
    if (syncs > 0 && !PQenterPipelineMode(conn_)) {
        finish();
        return results;
    }
    if (!send()) {
        if (syncs > 0)
            PQexitPipelineMode(conn_);
        finish();
        return results;
    }
    // Everything queued leaves, then the answer is read as it comes.
    for (int f; (f = PQflush(conn_)) != 0;) {
        if (f < 0 || !awaitSocket(true, answerBoundMs_, since, hooked)) {
            timedOut = f > 0;
            break;
        }
    }
    // The results of one query end with a null result; in a pipeline the
    // answer ends with its last synchronisation point.
    PGresult* last = nullptr;
    auto endQuery = [&] {
        if (last)
            results.push_back(last);
        last = nullptr;
    };
    int synced = 0;
    while (!timedOut && PQstatus(conn_) == CONNECTION_OK) {
        if (!PQconsumeInput(conn_))
            break;
        if (PQisBusy(conn_)) {
            if (!awaitSocket(false, answerBoundMs_, since, hooked))
                timedOut = true;
            continue;
        }
        PGresult* r = PQgetResult(conn_);
        if (!r) {
            if (syncs == 0)
                break;
            endQuery();
            continue;
        }
        const ExecStatusType st = PQresultStatus(r);
        if (st == PGRES_PIPELINE_SYNC) {
            PQclear(r);
            endQuery();
            if (++synced == syncs)
                break;
            continue;
        }
        if (last && PQresultStatus(last) == PGRES_FATAL_ERROR && st != PGRES_FATAL_ERROR) {
            PQclear(r); // the first error is the one to report
        } else {
            PQclear(last);
            last = r;
        }
    }
    endQuery();
    if (syncs > 0 && PQpipelineStatus(conn_) != PQ_PIPELINE_OFF)
        PQexitPipelineMode(conn_);
    finish();
    if (timedOut) {
        for (PGresult* r : results)
            PQclear(r);
        closeBroken();
        throw ServerError(Text::tr("The connection to the PostgreSQL server %1 was lost: it did not answer "
                                   "within %2 s")
                              .arg(location_)
                              .arg((answerBoundMs_ + 999) / 1000),
                          "08006")
            .setTimedOut();
    }
    return results;
}

PGresult* Connection::simple(const char* sql)
{
    return roundTrip([&] { return PQsendQuery(conn_, sql); });
}

void Connection::open()
{
    if (isOpen())
        return;
    if (conn_) {
        PQfinish(conn_);
        conn_ = nullptr;
    }
    prepared_.clear();
    reached_ = false;
    // The defaults come first, so that the URI's own values win.
    const QByteArray info = uri_.toUtf8();
    const char* keys[] = {
        "connect_timeout",  "keepalives", "keepalives_idle",           "keepalives_interval", "keepalives_count",
        "tcp_user_timeout", "dbname",     "fallback_application_name", "client_encoding",     nullptr};
    const char* values[] = {"10", "1", "5", "2", "3", "10000", info.constData(), "yerbalis", "UTF8", nullptr};
    countRoundTrip();
    conn_ = PQconnectStartParams(keys, values, 1);
    if (!conn_)
        throw EngineError(Text::tr("Cannot connect to the PostgreSQL server %1: out of memory").arg(location_));
    connectBoundMs_ = 10000;
    if (PQconninfoOption* opts = PQconninfo(conn_)) {
        for (PQconninfoOption* o = opts; o->keyword; ++o)
            if (qstrcmp(o->keyword, "connect_timeout") == 0 && o->val)
                connectBoundMs_ = std::max(0, std::atoi(o->val)) * 1000;
        PQconninfoFree(opts);
    }
    auto fail = [&](const QString& msg) {
        PQfinish(conn_);
        conn_ = nullptr;
        throw EngineError(Text::tr("Cannot connect to the PostgreSQL server %1: %2").arg(location_, msg));
    };
    {
        QElapsedTimer since;
        since.start();
        bool hooked = false;
        busy_ = true;
        PostgresPollingStatusType st = PGRES_POLLING_WRITING;
        bool timedOut = false;
        while (PQstatus(conn_) != CONNECTION_BAD && st != PGRES_POLLING_OK && st != PGRES_POLLING_FAILED) {
            if (!awaitSocket(st == PGRES_POLLING_WRITING, connectBoundMs_, since, hooked)) {
                timedOut = true;
                break;
            }
            st = PQconnectPoll(conn_);
            const ConnStatusType cs = PQstatus(conn_);
            if (cs == CONNECTION_AUTH_OK || cs == CONNECTION_SETENV || cs == CONNECTION_CHECK_WRITABLE ||
                cs == CONNECTION_CONSUME || cs == CONNECTION_OK)
                reached_ = true;
        }
        busy_ = false;
        if (hooked)
            if (ServerWait* hook = serverWait())
                hook->end();
        if (timedOut)
            fail(Text::tr("no answer within %1 s").arg((connectBoundMs_ + 999) / 1000));
    }
    if (PQstatus(conn_) != CONNECTION_OK) {
        // A refusal in words comes from the server itself (a wrong password,
        // a database that does not exist).
        if (QByteArray(PQerrorMessage(conn_)).contains("FATAL"))
            reached_ = true;
        fail(oneLine(PQerrorMessage(conn_)));
    }
    PQsetNoticeProcessor(conn_, quiet, nullptr);
    PQsetnonblocking(conn_, 1);
    // Every commit waits until the server has written it to disk, whatever the
    // server's default; dates travel in one form. A session that has no
    // statement timeout of its own (from the URI's options, the role or the
    // server) gets one; the answer is awaited that long and 2 s more.
    PGresult* r = nullptr;
    try {
        r = simple("SET synchronous_commit TO on; SET DateStyle TO 'ISO, YMD'; "
                   "SET TimeZone TO 'UTC'; SET standard_conforming_strings TO on; "
                   "SELECT set_config('statement_timeout', '8s', false) "
                   "WHERE current_setting('statement_timeout') = '0'; "
                   "SELECT (extract(epoch FROM current_setting('statement_timeout')::interval) * 1000)::bigint");
    } catch (const EngineError& e) {
        throw EngineError(Text::tr("Cannot connect to the PostgreSQL server %1: %2").arg(location_, e.message()));
    }
    const bool ok = PQresultStatus(r) == PGRES_TUPLES_OK && PQntuples(r) == 1;
    if (!ok) {
        const QString msg = oneLine(PQresultErrorMessage(r));
        PQclear(r);
        fail(msg);
    }
    const qint64 timeout = QByteArray(PQgetvalue(r, 0, 0)).toLongLong();
    answerBoundMs_ = timeout > 0 ? int(std::min<qint64>(timeout + 2000, 24 * 3600 * 1000)) : 0;
    PQclear(r);
    // Texts of any language must go in and come out as they are.
    if (const char* enc = PQparameterStatus(conn_, "server_encoding"); enc && std::strcmp(enc, "UTF8") != 0) {
        const QString e = QString::fromUtf8(enc);
        PQfinish(conn_);
        conn_ = nullptr;
        throw EngineError(
            Text::tr("Cannot use the PostgreSQL database %1: its encoding is %2, not UTF8").arg(location_, e));
    }
    if (const char* dt = PQparameterStatus(conn_, "integer_datetimes"); dt && std::strcmp(dt, "on") != 0) {
        PQfinish(conn_);
        conn_ = nullptr;
        throw EngineError(
            Text::tr("Cannot use the PostgreSQL server %1: it keeps dates as floating point").arg(location_));
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
        throw ServerError(Text::tr("The connection to the PostgreSQL server %1 was lost: %2").arg(location_, msg),
                          state.isEmpty() ? QByteArray("08006") : state);
    }
    if (depth_ > 0 && savepoints_ == 0)
        aborted_ = true; // the server refuses everything but a rollback now
    throw ServerError(msg, state, constraint, column);
}

// Before a statement: outside a transaction a connection found dead is opened
// again; inside one, a lost connection or a refused statement ends it.
void Connection::readyForStatement()
{
    if (depth_ == 0) {
        checkAlive();
    } else if (!isOpen()) {
        dropped();
        raise(nullptr, true);
    }
    if (aborted_)
        throw EngineError(Text::tr("the transaction was rolled back"));
}

Result Connection::exec(const QByteArray& sql, const Params& params, bool read)
{
    for (int attempt = 0;; ++attempt) {
        readyForStatement();
        const bool retry = read && depth_ == 0 && attempt == 0;
        const int n = int(params.size());
        std::vector<const char*> values(static_cast<size_t>(n));
        std::vector<int> lengths(static_cast<size_t>(n)), formats(static_cast<size_t>(n));
        for (int i = 0; i < n; ++i) {
            const Param& p = params[i];
            values[size_t(i)] = p.null ? nullptr : p.value.constData();
            lengths[size_t(i)] = int(p.value.size());
            formats[size_t(i)] = p.binary ? 1 : 0;
        }
        auto run = [&](const QByteArray& name) {
            return PQsendQueryPrepared(conn_, name.constData(), n, values.data(), lengths.data(), formats.data(), 1);
        };
        auto it = prepared_.constFind(sql);
        PGresult* r = nullptr;
        if (it == prepared_.constEnd()) {
            // A statement new to this connection is prepared and run in the
            // same round trip (a pipeline with one synchronisation point).
            const QByteArray name = "yb" + QByteArray::number(prepared_.size() + 1);
            std::vector<PGresult*> both = exchange(
                [&] {
                    return PQsendPrepare(conn_, name.constData(), sql.constData(), n, nullptr) && run(name) &&
                        PQpipelineSync(conn_);
                },
                1);
            PGresult* p = both.empty() ? nullptr : both[0];
            r = both.size() > 1 ? both[1] : nullptr;
            for (size_t i = 2; i < both.size(); ++i)
                PQclear(both[i]);
            if (PQresultStatus(p) != PGRES_COMMAND_OK) {
                PQclear(r);
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
            r = roundTrip([&] { return run(*it); });
        }
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

std::vector<std::optional<Result>> Connection::readTogether(const std::vector<std::pair<QByteArray, Params>>& reads)
{
    for (int attempt = 0;; ++attempt) {
        readyForStatement();
        // Each statement unprepared, with a synchronisation point of its own,
        // so that one refused does not stop the others.
        std::vector<std::vector<const char*>> values(reads.size());
        std::vector<std::vector<int>> lengths(reads.size()), formats(reads.size());
        for (size_t k = 0; k < reads.size(); ++k) {
            for (const Param& p : reads[k].second) {
                values[k].push_back(p.null ? nullptr : p.value.constData());
                lengths[k].push_back(int(p.value.size()));
                formats[k].push_back(p.binary ? 1 : 0);
            }
        }
        std::vector<PGresult*> results = exchange(
            [&] {
                for (size_t k = 0; k < reads.size(); ++k)
                    if (!PQsendQueryParams(conn_, reads[k].first.constData(), int(values[k].size()), nullptr,
                                           values[k].data(), lengths[k].data(), formats[k].data(), 1) ||
                        !PQpipelineSync(conn_))
                        return false;
                return true;
            },
            int(reads.size()));
        if (results.size() != reads.size() || PQstatus(conn_) != CONNECTION_OK) {
            for (PGresult* r : results)
                PQclear(r);
            if (depth_ == 0 && attempt == 0 && PQstatus(conn_) != CONNECTION_OK) {
                dropped();
                continue;
            }
            raise(nullptr, true);
        }
        std::vector<std::optional<Result>> out;
        for (PGresult* r : results) {
            const ExecStatusType st = PQresultStatus(r);
            if (st == PGRES_TUPLES_OK || st == PGRES_COMMAND_OK) {
                out.emplace_back(Result(r));
            } else {
                PQclear(r);
                out.emplace_back(std::nullopt);
                if (depth_ > 0)
                    aborted_ = true; // the server refuses everything but a rollback now
            }
        }
        return out;
    }
}

void Connection::command(const char* sql)
{
    if (depth_ == 0)
        checkAlive();
    else if (!isOpen())
        raise(nullptr, true);
    PGresult* r = simple(sql);
    if (PQresultStatus(r) != PGRES_COMMAND_OK)
        raise(r, false);
    PQclear(r);
}

void Connection::begin(const char* how)
{
    if (depth_ == 0) {
        aborted_ = false;
        savepoints_ = 0;
        xid_.clear();
        if (std::strcmp(how, "BEGIN") == 0) {
            checkAlive();
            PGresult* r = simple("BEGIN; SELECT txid_current()::text");
            if (PQresultStatus(r) != PGRES_TUPLES_OK)
                raise(r, false);
            xid_ = QByteArray(PQgetvalue(r, 0, 0));
            PQclear(r);
        } else {
            command(how);
        }
    }
    ++depth_;
}

void Connection::commit()
{
    if (depth_ == 0)
        throw EngineError(Text::tr("no transaction is open"));
    if (--depth_ > 0)
        return;
    if (aborted_) {
        aborted_ = false;
        if (isOpen() && PQtransactionStatus(conn_) != PQTRANS_IDLE) {
            try {
                PQclear(simple("ROLLBACK"));
            } catch (const EngineError&) {
            }
        }
        throw EngineError(Text::tr("the transaction was rolled back"));
    }
    // The connection broke before the commit was sent: nothing was committed.
    if (!isOpen())
        raise(nullptr, true);
    const QByteArray xid = xid_;
    xid_.clear();
    PGresult* r = nullptr;
    try {
        r = simple("COMMIT");
        if (PQresultStatus(r) != PGRES_COMMAND_OK)
            raise(r, false);
    } catch (const ServerError& e) {
        if (!e.isLostConnection() || xid.isEmpty())
            throw;
        // The answer to the commit was lost: ask the server what became of it.
        QString status;
        try {
            status = exec("SELECT coalesce(txid_status($1::bigint), 'unknown')", {Param::utf8(xid)}, true).text(0, 0);
        } catch (const EngineError& check) {
            throw EngineError(Text::tr("%1; whether the transaction was committed is not known (%2)")
                                  .arg(e.message(), check.message()),
                              kWriteUnknown);
        }
        if (status == QLatin1String("committed"))
            return;
        throw EngineError(Text::tr("%1; the transaction was not committed").arg(e.message()), kWriteNotStored);
    }
    // COMMIT of a transaction the server had already aborted answers ROLLBACK.
    const bool rolledBack = std::strcmp(PQcmdStatus(r), "ROLLBACK") == 0;
    PQclear(r);
    if (rolledBack)
        throw EngineError(Text::tr("the transaction was rolled back"));
}

void Connection::rollback() noexcept
{
    if (depth_ == 0)
        return;
    if (isOpen() && !busy_ && PQtransactionStatus(conn_) != PQTRANS_IDLE) {
        try {
            PQclear(simple("ROLLBACK"));
        } catch (const EngineError&) {
        }
    }
    aborted_ = true;
    if (--depth_ == 0) {
        aborted_ = false;
        savepoints_ = 0;
    }
}

} // namespace yb::pg
