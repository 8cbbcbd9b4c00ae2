#pragma once
// One connection to a PostgreSQL server through libpq. Statements go to the
// server with their values as bound parameters only; each statement text is
// prepared once per connection and reused. Results come back in binary form.
//
// A connection that the server dropped (a restart, a network fault) is noticed
// before the next statement outside a transaction and opened again; a read
// that fails because the connection was lost outside a transaction is run once
// more on the new connection. A write is never repeated: its error is raised,
// and the next operation reconnects.

#include "store/Errors.h"

#include <QByteArray>
#include <QDateTime>
#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QString>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

typedef struct pg_conn PGconn;
typedef struct pg_result PGresult;

namespace yb::pg {

// A bound value: text form (the server parses it for the column's type), or
// raw bytes for a bytea parameter, or SQL null.
struct Param {
    QByteArray value;
    bool null = false;
    bool binary = false;

    static Param text(const QString& s) { return {s.toUtf8(), false, false}; }
    static Param utf8(QByteArray s) { return {std::move(s), false, false}; }
    static Param integer(qint64 n) { return {QByteArray::number(n), false, false}; }
    static Param bytes(QByteArray b) { return {std::move(b), false, true}; }
    static Param none() { return {{}, true, false}; }
    static Param dateTime(const QDateTime& dt);
};
using Params = QList<Param>;

// An error raised by the server or by libpq, with the server's SQLSTATE and,
// for constraint violations, the constraint and column it names.
class ServerError : public EngineError {
public:
    ServerError(QString message, QByteArray sqlState, QString constraint = {}, QString column = {})
        : EngineError(std::move(message), sqlState.isEmpty() ? 0 : sqlStateCode(sqlState)),
          sqlState_(std::move(sqlState)), constraint_(std::move(constraint)), column_(std::move(column))
    {
    }
    const QByteArray& sqlState() const { return sqlState_; }
    const QString& constraint() const { return constraint_; }
    const QString& column() const { return column_; }
    bool isUniqueViolation() const { return sqlState_ == "23505"; }
    // The connection broke or went silent: whatever was sent may or may not have happened.
    bool isLostConnection() const { return sqlState_.startsWith("08"); }
    // The server did not answer within the bound (the network is likely gone).
    bool timedOut() const { return timedOut_; }
    ServerError& setTimedOut()
    {
        timedOut_ = true;
        return *this;
    }
    // SQLSTATE's five characters packed in an int, as the error code.
    static int sqlStateCode(const QByteArray& s);

private:
    QByteArray sqlState_;
    QString constraint_;
    QString column_;
    bool timedOut_ = false;
};

// The rows of a statement's result, read in binary form.
class Result {
public:
    Result() = default;
    explicit Result(PGresult* r) : r_(r) {}
    ~Result();
    Result(Result&& o) noexcept : r_(o.r_) { o.r_ = nullptr; }
    Result& operator=(Result&& o) noexcept;
    Result(const Result&) = delete;
    Result& operator=(const Result&) = delete;

    int rows() const;
    int columns() const;
    bool isNull(int row, int col) const;
    // The column's bytes as sent by the server (text and bytea as they are).
    QByteArray bytes(int row, int col) const;
    QString text(int row, int col) const;
    // int2, int4, int8 and bool columns; 0 when null.
    qint64 integer(int row, int col) const;
    // timestamp without time zone, as the local date and time it names.
    QDateTime dateTime(int row, int col) const;
    // Rows that an INSERT, UPDATE or DELETE touched.
    qint64 affected() const;

private:
    PGresult* r_ = nullptr;
};

class Connection {
public:
    // `uri`: any libpq connection string or URI. Nothing is opened yet.
    explicit Connection(QString uri);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // The URI without its password, for messages.
    const QString& location() const { return location_; }
    static QString publicLocation(const QString& uri);

    // Opens the connection when it is not open, or when the server dropped it.
    // Raises EngineError naming the server with libpq's message.
    void open();
    bool isOpen() const;

    // Runs a statement with bound parameters. `read`: a statement that changes
    // nothing, which may be repeated after a lost connection.
    Result exec(const QByteArray& sql, const Params& params = {}, bool read = false);
    // Reads that change nothing, sent together in one round trip: the result
    // of each, or none for one the server refused (a missing table). Raises
    // a lost connection.
    std::vector<std::optional<Result>> readTogether(const std::vector<std::pair<QByteArray, Params>>& reads);
    // A statement without parameters and without rows (BEGIN, SET ...).
    void command(const char* sql);

    // Transactions nest: only the outermost begin and commit reach the server.
    // A rollback at any depth rolls back the whole; the outer commit then fails.
    // A write transaction learns its transaction id as it begins (in the same
    // round trip), so that a commit whose answer is lost is settled by asking
    // the server, once connected again, whether that transaction committed:
    // committed, commit() returns; not, it raises kWriteNotStored; the server
    // cannot be asked, kWriteUnknown.
    void begin(const char* how = "BEGIN");
    void commit();
    void rollback() noexcept;
    bool inTransaction() const { return depth_ > 0; }
    // True when the last open() reached the server (it answered, even with a
    // refusal), false when nothing answered.
    bool reachedServer() const { return reached_; }
    // The bound of a wait for an answer, in ms (0: none).
    int answerBoundMs() const { return answerBoundMs_; }

    // Runs `write` inside a savepoint when a transaction is open, so that a
    // refused statement does not end that transaction.
    template <typename F> auto guarded(F&& write) -> decltype(write());

    PGconn* raw() { return conn_; }

    // Round trips to a server made by every connection of this process so far
    // (a connection opened counts its start-up exchange as one), so that a
    // benchmark or a test can count what an action costs on a network.
    static qint64 roundTrips();
    static void countRoundTrip();

private:
    [[noreturn]] void raise(PGresult* r, bool lostBefore);
    void checkAlive();
    void readyForStatement();
    void dropped();
    // Sends with `send` (a PQsend... call) and awaits the whole answer within
    // the bound; returns the last result (an error result wins). Raises a lost
    // connection when the connection broke or the bound ran out.
    template <typename Send> PGresult* roundTrip(Send&& send);
    // The same for `syncs` > 0: `send` queues statements in pipeline mode,
    // with `syncs` synchronisation points, all sent at once; the results of
    // each statement in order (fewer when the connection broke).
    std::vector<PGresult*> exchange(const std::function<bool()>& send, int syncs);
    // Waits until the socket is readable (or writable), within `deadlineMs`
    // of the clock `since`; false when the time ran out.
    bool awaitSocket(bool write, qint64 deadlineMs, const QElapsedTimer& since, bool& hooked);
    PGresult* simple(const char* sql);
    void closeBroken();

    QString uri_;
    QString location_;
    PGconn* conn_ = nullptr;
    QHash<QByteArray, QByteArray> prepared_; // statement text -> prepared name
    int depth_ = 0;
    bool aborted_ = false;
    int savepoints_ = 0;
    QByteArray xid_; // the open write transaction's id, when known
    bool reached_ = false;
    bool busy_ = false;
    int answerBoundMs_ = 10000;
    int connectBoundMs_ = 10000;
};

template <typename F> auto Connection::guarded(F&& write) -> decltype(write())
{
    if (!inTransaction())
        return write();
    const QByteArray name = "yb_sp" + QByteArray::number(++savepoints_);
    command(("SAVEPOINT " + name).constData());
    try {
        auto r = write();
        command(("RELEASE SAVEPOINT " + name).constData());
        --savepoints_;
        return r;
    } catch (...) {
        --savepoints_;
        if (isOpen()) {
            try {
                command(("ROLLBACK TO SAVEPOINT " + name).constData());
                command(("RELEASE SAVEPOINT " + name).constData());
            } catch (...) {
            }
        }
        throw;
    }
}

} // namespace yb::pg
