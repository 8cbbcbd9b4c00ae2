#include "store/TableCursor.h"

#include "store/Conversions.h"
#include "store/Database.h"
#include "store/SortKey.h"
#include "store/TableFile.h"

#include <QDir>
#include <sqlite3.h>

namespace yb {

namespace {

QString closedMessage() { return QStringLiteral("Cannot perform this operation on a closed dataset"); }

// Leading columns of every row read: id, revision, sort key; the fields follow.
constexpr int kFirstField = 3;

class StmtReset {
public:
    explicit StmtReset(sqlite3_stmt* st) : st_(st) {}
    ~StmtReset()
    {
        sqlite3_reset(st_);
        sqlite3_clear_bindings(st_);
    }

private:
    sqlite3_stmt* st_;
};

} // namespace

// ---------------------------------------------------------------- Field

QVariant Field::value() const { return cursor_->fieldValue(index_); }
bool Field::isNull() const { return value().isNull(); }

QString Field::asString() const
{
    const QVariant v = value();
    if (v.isNull())
        return {};
    switch (def_.type) {
    case FieldType::Integer:
    case FieldType::SmallInt:
        return intToText(v.toLongLong());
    case FieldType::DateTime:
        return dateTimeText(v.toDateTime());
    case FieldType::Text:
    case FieldType::Memo:
        break;
    }
    return v.toString();
}

qint64 Field::asInteger() const
{
    const QVariant v = value();
    if (v.isNull())
        return 0;
    if (isInteger())
        return v.toLongLong();
    if (auto i = tryTextToInt(v.toString()))
        return *i;
    throw ConversionError(QStringLiteral("'%1' is not a valid integer value").arg(v.toString()));
}

QDateTime Field::asDateTime() const
{
    const QVariant v = value();
    if (v.isNull())
        return {};
    if (def_.type == FieldType::DateTime)
        return v.toDateTime();
    return textToDateTime(v.toString());
}

void Field::setAsString(const QString& text) { cursor_->setFieldValue(index_, text); }
void Field::setAsInteger(qint64 v) { cursor_->setFieldValue(index_, QVariant(v)); }
void Field::setAsDateTime(const QDateTime& v) { cursor_->setFieldValue(index_, v.isValid() ? QVariant(v) : QVariant()); }
void Field::setValue(const QVariant& v) { cursor_->setFieldValue(index_, v); }
void Field::clear() { cursor_->setFieldValue(index_, QVariant()); }

// ---------------------------------------------------------------- TableCursor

TableCursor::TableCursor(const CursorDecl& decl, QObject* parent)
    : TableCursor(decl.directory, decl.tableFile, decl.indexField, decl.fields, parent)
{
    setObjectName(decl.cursor);
}

TableCursor::TableCursor(const QString& directoryAsWritten, const QString& tableFile, const QString& indexField,
                         const QStringList& fields, QObject* parent)
    : QObject(parent), directoryAsWritten_(directoryAsWritten), tableFile_(tableFile), indexField_(indexField),
      declaredFields_(fields)
{
    def_ = findTable(tableFile);
}

TableCursor::~TableCursor()
{
    observers_.clear();
    close();
    qDeleteAll(fields_);
}

void TableCursor::requireActive() const
{
    if (state_ == CursorState::Inactive)
        throw DatabaseError(closedMessage());
}

[[noreturn]] void TableCursor::engineFail(const QString& what) const
{
    throw EngineError(QStringLiteral("%1: %2").arg(what, file::lastError(db_)), sqlite3_extended_errcode(db_));
}

sqlite3_stmt* TableCursor::prepare(const QString& sql) const
{
    auto it = stmts_.constFind(sql);
    if (it != stmts_.constEnd())
        return it.value();
    sqlite3_stmt* st = nullptr;
    const QByteArray utf8 = sql.toUtf8();
    if (sqlite3_prepare_v3(db_, utf8.constData(), int(utf8.size()), SQLITE_PREPARE_PERSISTENT, &st, nullptr) !=
        SQLITE_OK)
        engineFail(QStringLiteral("Cannot read table %1").arg(tableFile_));
    stmts_.insert(sql, st);
    return st;
}

void TableCursor::open()
{
    if (isActive())
        return;
    if (!def_)
        throw EngineError(QStringLiteral("Cannot open table %1: no such table in the database").arg(tableFile_));
    if (!indexField_.isEmpty() && indexField_.compare(def_->keyField, Qt::CaseInsensitive) != 0)
        throw DatabaseError(QStringLiteral("Index field '%1' not found in table %2").arg(indexField_, tableFile_));
    path_ = Database::resolveTablePath(directoryAsWritten_, tableFile_);
    QList<FieldDef> fileFields;
    db_ = file::open(path_, *def_, false, &fileFields);

    qDeleteAll(fields_);
    fields_.clear();
    if (declaredFields_.isEmpty()) {
        for (const FieldDef& f : fileFields)
            fields_ << new Field(this, int(fields_.size()), f);
    } else {
        for (const QString& name : declaredFields_) {
            const FieldDef* f = def_->field(name);
            if (!f) {
                file::close(db_);
                db_ = nullptr;
                qDeleteAll(fields_);
                fields_.clear();
                throw DatabaseError(QStringLiteral("Field '%1' not found").arg(name));
            }
            fields_ << new Field(this, int(fields_.size()), *f);
        }
    }
    values_ = QVariantList(fields_.size());
    selectAll_.clear();
    selectAll_ = selectList({});
    nextSql_ = selectAll_ + afterClause(true) + orderBy(true) + QStringLiteral(" LIMIT 1");
    priorSql_ = selectAll_ + afterClause(false) + orderBy(false) + QStringLiteral(" LIMIT 1");
    state_ = CursorState::Browse;
    modified_ = false;
    const bool found = fetchOne(selectList({}) + orderBy(true) + QStringLiteral(" LIMIT 1"), {});
    if (!found)
        setEmptyPosition();
    bof_ = true;
    eof_ = !found;
    notifyState();
    notifyRecord();
}

void TableCursor::close()
{
    if (!db_ && state_ == CursorState::Inactive)
        return;
    for (sqlite3_stmt* st : std::as_const(stmts_))
        sqlite3_finalize(st);
    stmts_.clear();
    file::close(db_);
    db_ = nullptr;
    state_ = CursorState::Inactive;
    current_ = {};
    values_ = QVariantList(fields_.size());
    editValues_.clear();
    modified_ = false;
    bof_ = eof_ = true;
    notifyState();
    notifyRecord();
}

bool TableCursor::isEmpty() const
{
    if (!isActive())
        return true;
    sqlite3_stmt* st = prepare(QStringLiteral("SELECT 1 FROM records LIMIT 1"));
    StmtReset r(st);
    const int rc = sqlite3_step(st);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        engineFail(QStringLiteral("Cannot read table %1").arg(tableFile_));
    return rc == SQLITE_DONE;
}

// ---- SQL building

QString TableCursor::selectList(const QStringList& fields) const
{
    if (fields.isEmpty() && !selectAll_.isEmpty())
        return selectAll_;
    QString sql = QStringLiteral("SELECT yb_id, yb_rev, yb_sortkey");
    if (fields.isEmpty()) {
        for (const Field* f : fields_)
            sql += QStringLiteral(", ") + file::quote(f->name());
    } else {
        for (const QString& f : fields)
            sql += QStringLiteral(", ") + file::quote(f);
    }
    return sql + QStringLiteral(" FROM records");
}

QString TableCursor::orderBy(bool forward) const
{
    const bool keyed = !indexField_.isEmpty();
    if (forward)
        return keyed ? QStringLiteral(" ORDER BY yb_sortkey, yb_id") : QStringLiteral(" ORDER BY yb_id");
    return keyed ? QStringLiteral(" ORDER BY yb_sortkey DESC, yb_id DESC") : QStringLiteral(" ORDER BY yb_id DESC");
}

// Condition for the rows after (or before) a place; binds ?1 = sort key, ?2 = id.
QString TableCursor::afterClause(bool forward) const
{
    if (!indexField_.isEmpty())
        return forward ? QStringLiteral(" WHERE (yb_sortkey, yb_id) > (?1, ?2)")
                       : QStringLiteral(" WHERE (yb_sortkey, yb_id) < (?1, ?2)");
    return forward ? QStringLiteral(" WHERE yb_id > ?2 AND ?1 IS NOT NULL") : QStringLiteral(" WHERE yb_id < ?2 AND ?1 IS NOT NULL");
}

namespace {

void bindValue(sqlite3_stmt* st, int i, const QVariant& v)
{
    if (v.isNull()) {
        sqlite3_bind_null(st, i);
    } else if (v.typeId() == QMetaType::QByteArray) {
        const QByteArray b = v.toByteArray();
        sqlite3_bind_blob(st, i, b.constData(), int(b.size()), SQLITE_TRANSIENT);
    } else if (v.typeId() == QMetaType::LongLong || v.typeId() == QMetaType::Int) {
        sqlite3_bind_int64(st, i, v.toLongLong());
    } else {
        const QByteArray s = v.toString().toUtf8();
        sqlite3_bind_text(st, i, s.constData(), int(s.size()), SQLITE_TRANSIENT);
    }
}

QVariantList placeBinds(const Bookmark& b) { return {QVariant(b.sortKey.isNull() ? QByteArray("") : b.sortKey), QVariant(b.rowId)}; }

} // namespace

void TableCursor::loadRow(sqlite3_stmt* st)
{
    current_.rowId = sqlite3_column_int64(st, 0);
    revision_ = sqlite3_column_int64(st, 1);
    current_.sortKey = QByteArray(reinterpret_cast<const char*>(sqlite3_column_blob(st, 2)), sqlite3_column_bytes(st, 2));
    for (int i = 0; i < fields_.size(); ++i)
        values_[i] = file::column(st, kFirstField + i, fields_[i]->type());
}

bool TableCursor::fetchOne(const QString& sql, const QList<QVariant>& binds)
{
    sqlite3_stmt* st = prepare(sql);
    StmtReset r(st);
    for (int i = 0; i < binds.size(); ++i)
        bindValue(st, i + 1, binds[i]);
    const int rc = sqlite3_step(st);
    if (rc == SQLITE_ROW) {
        loadRow(st);
        return true;
    }
    if (rc != SQLITE_DONE)
        engineFail(QStringLiteral("Cannot read table %1").arg(tableFile_));
    return false;
}

void TableCursor::setEmptyPosition()
{
    current_ = {};
    revision_ = 0;
    values_ = QVariantList(fields_.size());
}

// ---- notifications

void TableCursor::addObserver(CursorObserver* o)
{
    if (!observers_.contains(o))
        observers_ << o;
}

void TableCursor::removeObserver(CursorObserver* o) { observers_.removeAll(o); }

void TableCursor::notifyRecord()
{
    const auto list = observers_;
    for (CursorObserver* o : list)
        o->recordChanged();
}

void TableCursor::notifyState()
{
    const auto list = observers_;
    for (CursorObserver* o : list)
        o->stateChanged();
}

void TableCursor::notifyField(int i)
{
    const QString name = fields_[i]->name();
    const auto list = observers_;
    for (CursorObserver* o : list)
        o->fieldChanged(name);
}

void TableCursor::notifyUpdate()
{
    const auto list = observers_;
    for (CursorObserver* o : list)
        o->updateRecord();
}

// ---- ending editing

void TableCursor::endEditing()
{
    requireActive();
    switch (state_) {
    case CursorState::Browse:
    case CursorState::Inactive:
        return;
    case CursorState::SetKey:
        state_ = CursorState::Browse;
        notifyState();
        return;
    case CursorState::Edit:
    case CursorState::Insert:
        notifyUpdate();
        if (modified_)
            post();
        else
            cancel();
        return;
    }
}

void TableCursor::checkBrowseMode() { endEditing(); }

// ---- moves

void TableCursor::first()
{
    endEditing();
    const bool found = fetchOne(selectList({}) + orderBy(true) + QStringLiteral(" LIMIT 1"), {});
    if (!found)
        setEmptyPosition();
    bof_ = true;
    eof_ = !found;
    notifyRecord();
}

void TableCursor::last()
{
    endEditing();
    const bool found = fetchOne(selectList({}) + orderBy(false) + QStringLiteral(" LIMIT 1"), {});
    if (!found)
        setEmptyPosition();
    eof_ = true;
    bof_ = !found;
    notifyRecord();
}

void TableCursor::next() { moveBy(1); }
void TableCursor::prior() { moveBy(-1); }

int TableCursor::moveBy(int distance)
{
    endEditing();
    if (distance == 0 || (distance > 0 && eof_) || (distance < 0 && bof_))
        return 0;
    const bool forward = distance > 0;
    bof_ = eof_ = false;
    int moved = 0;
    const int steps = forward ? distance : -distance;
    if (!current_.isValid()) {
        // No current record (the table was empty when last read): start at the end it moves from.
        if (!fetchOne(selectList({}) + orderBy(forward) + QStringLiteral(" LIMIT 1"), {})) {
            bof_ = eof_ = true;
            notifyRecord();
            return 0;
        }
        ++moved;
    }
    const QString& sql = forward ? nextSql_ : priorSql_;
    while (moved < steps) {
        if (!fetchOne(sql, placeBinds(current_))) {
            (forward ? eof_ : bof_) = true;
            break;
        }
        ++moved;
    }
    notifyRecord();
    return forward ? moved : -moved;
}

void TableCursor::readCurrent()
{
    const Bookmark old = current_;
    if (old.isValid() && fetchOne(selectList({}) + QStringLiteral(" WHERE yb_id = ?1"), {QVariant(old.rowId)}))
        return;
    // The record is gone: the one that followed it, else the one before, else none.
    if (old.isValid() && fetchOne(nextSql_, placeBinds(old)))
        return;
    if (old.isValid() && fetchOne(priorSql_, placeBinds(old))) {
        eof_ = true;
        return;
    }
    if (fetchOne(selectList({}) + orderBy(true) + QStringLiteral(" LIMIT 1"), {})) {
        bof_ = true;
        eof_ = false;
        return;
    }
    setEmptyPosition();
    bof_ = eof_ = true;
}

void TableCursor::refresh()
{
    endEditing();
    readCurrent();
    notifyRecord();
}

bool TableCursor::gotoBookmark(const Bookmark& b)
{
    endEditing();
    if (!b.isValid())
        return false;
    if (!fetchOne(selectList({}) + QStringLiteral(" WHERE yb_id = ?1"), {QVariant(b.rowId)}))
        return false;
    bof_ = eof_ = false;
    notifyRecord();
    return true;
}

// ---- editing

void TableCursor::insert()
{
    endEditing();
    beforeInsert_ = current_;
    appending_ = false;
    editValues_ = QVariantList(fields_.size());
    editRevision_ = 0;
    modified_ = false;
    savedBof_ = bof_;
    savedEof_ = eof_;
    bof_ = eof_ = false;
    state_ = CursorState::Insert;
    notifyState();
    notifyRecord();
}

void TableCursor::append()
{
    insert();
    appending_ = true;
}

void TableCursor::edit()
{
    requireActive();
    if (isEditing())
        return;
    if (!current_.isValid()) {
        insert();
        return;
    }
    endEditing();
    // Edit what is in the file now, not what was read at the last move.
    const QVariantList shown = values_;
    if (!fetchOne(selectList({}) + QStringLiteral(" WHERE yb_id = ?1"), {QVariant(current_.rowId)}))
        throw EngineError(QStringLiteral("Cannot edit the record: another user deleted it"));
    editValues_ = values_;
    editRevision_ = revision_;
    modified_ = false;
    state_ = CursorState::Edit;
    notifyState();
    if (shown != values_)
        notifyRecord();
}

void TableCursor::post()
{
    if (state_ == CursorState::SetKey) {
        state_ = CursorState::Browse;
        notifyState();
        return;
    }
    if (!isEditing())
        throw DatabaseError(QStringLiteral("Dataset not in edit or insert mode"));
    notifyUpdate();
    for (const Field* f : fields_) {
        if (f->required() && editValues_[f->index()].isNull()) {
            const auto list = observers_;
            for (CursorObserver* o : list)
                o->focusField(f->name());
            throw DatabaseError(QStringLiteral("Field '%1' must have a value").arg(f->name()));
        }
    }
    writeRecord();
    state_ = CursorState::Browse;
    modified_ = false;
    editValues_.clear();
    notifyState();
    notifyRecord();
}

void TableCursor::writeRecord()
{
    // Fields of the table that this cursor does not see keep their stored value;
    // a new record cannot leave a required one empty.
    const bool inserting = state_ == CursorState::Insert;
    if (inserting) {
        for (const FieldDef& f : def_->fields)
            if (f.required && !findField(f.name))
                throw EngineError(QStringLiteral("Field '%1' must have a value").arg(f.name));
    }
    QVariant keyValue;
    const Field* keyField = def_->hasKey() ? findField(def_->keyField) : nullptr;
    if (keyField)
        keyValue = editValues_[keyField->index()];

    QString sql;
    if (inserting) {
        QString cols = QStringLiteral("yb_rev, yb_sortkey");
        QString params = QStringLiteral("1, ?1");
        for (int i = 0; i < fields_.size(); ++i) {
            cols += QStringLiteral(", ") + file::quote(fields_[i]->name());
            params += QStringLiteral(", ?%1").arg(i + 2);
        }
        sql = QStringLiteral("INSERT INTO records(%1) VALUES(%2)").arg(cols, params);
    } else {
        sql = QStringLiteral("UPDATE records SET yb_rev = yb_rev + 1");
        if (keyField)
            sql += QStringLiteral(", yb_sortkey = ?1");
        for (int i = 0; i < fields_.size(); ++i)
            sql += QStringLiteral(", %1 = ?%2").arg(file::quote(fields_[i]->name())).arg(i + 2);
        sql += QStringLiteral(" WHERE yb_id = ?%1 AND yb_rev = ?%2").arg(fields_.size() + 2).arg(fields_.size() + 3);
    }
    sqlite3_stmt* st = prepare(sql);
    if (sqlite3_exec(db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK)
        engineFail(QStringLiteral("Cannot write to table %1").arg(tableFile_));
    qint64 newId = current_.rowId;
    int rc;
    {
        StmtReset r(st);
        if (inserting || keyField) {
            const QByteArray key = def_->hasKey() ? file::keyFor(keyValue) : QByteArray("");
            sqlite3_bind_blob(st, 1, key.constData(), int(key.size()), SQLITE_TRANSIENT);
        }
        for (int i = 0; i < fields_.size(); ++i)
            file::bind(st, i + 2, editValues_[i], fields_[i]->type());
        if (!inserting) {
            sqlite3_bind_int64(st, int(fields_.size()) + 2, current_.rowId);
            sqlite3_bind_int64(st, int(fields_.size()) + 3, editRevision_);
        }
        rc = sqlite3_step(st);
        if (rc == SQLITE_DONE && inserting)
            newId = sqlite3_last_insert_rowid(db_);
    }
    if (rc != SQLITE_DONE) {
        const int code = sqlite3_extended_errcode(db_);
        QString msg = file::lastError(db_);
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        if (code == SQLITE_CONSTRAINT_UNIQUE) {
            for (const QString& ix : def_->lookupIndexes)
                if (Field* f = findField(ix))
                    msg = QStringLiteral("Key violation: another record already has %1 in field '%2'")
                              .arg(f->isInteger() ? intToText(editValues_[f->index()].toLongLong())
                                                  : editValues_[f->index()].toString(),
                                   f->name());
        }
        throw EngineError(QStringLiteral("Cannot write to table %1: %2").arg(tableFile_, msg), code);
    }
    if (!inserting && sqlite3_changes(db_) == 0) {
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        const bool exists = [&] {
            sqlite3_stmt* q = prepare(QStringLiteral("SELECT 1 FROM records WHERE yb_id = ?1"));
            StmtReset r(q);
            sqlite3_bind_int64(q, 1, current_.rowId);
            return sqlite3_step(q) == SQLITE_ROW;
        }();
        throw EngineError(exists ? QStringLiteral("Couldn't perform the edit because another user changed the record")
                                 : QStringLiteral("Couldn't perform the edit because another user deleted the record"));
    }
    if (sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) {
        const QString msg = file::lastError(db_);
        const int code = sqlite3_extended_errcode(db_);
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        throw EngineError(QStringLiteral("Cannot write to table %1: %2").arg(tableFile_, msg), code);
    }
    if (!fetchOne(selectList({}) + QStringLiteral(" WHERE yb_id = ?1"), {QVariant(newId)}))
        engineFail(QStringLiteral("Cannot read table %1").arg(tableFile_));
}

void TableCursor::cancel()
{
    requireActive();
    switch (state_) {
    case CursorState::Browse:
    case CursorState::Inactive:
        return;
    case CursorState::SetKey:
        state_ = CursorState::Browse;
        notifyState();
        return;
    case CursorState::Edit:
        state_ = CursorState::Browse;
        editValues_.clear();
        modified_ = false;
        notifyState();
        notifyRecord();
        return;
    case CursorState::Insert:
        state_ = CursorState::Browse;
        editValues_.clear();
        modified_ = false;
        bof_ = savedBof_;
        eof_ = savedEof_;
        current_ = beforeInsert_;
        readCurrent();
        notifyState();
        notifyRecord();
        return;
    }
}

void TableCursor::remove()
{
    requireActive();
    if (state_ == CursorState::Insert || state_ == CursorState::SetKey) {
        cancel();
        return;
    }
    if (!current_.isValid())
        throw DatabaseError(QStringLiteral("Cannot perform this operation on an empty dataset"));
    const bool wasEditing = state_ == CursorState::Edit;
    sqlite3_stmt* st = prepare(QStringLiteral("DELETE FROM records WHERE yb_id = ?1"));
    int rc;
    {
        StmtReset r(st);
        sqlite3_bind_int64(st, 1, current_.rowId);
        rc = sqlite3_step(st);
    }
    if (rc != SQLITE_DONE)
        engineFail(QStringLiteral("Cannot delete from table %1").arg(tableFile_));
    if (wasEditing) {
        state_ = CursorState::Browse;
        editValues_.clear();
        modified_ = false;
    }
    // The record is gone now: the following one becomes current, or the new last.
    bof_ = eof_ = false;
    readCurrent();
    if (wasEditing)
        notifyState();
    notifyRecord();
}

void TableCursor::setKey()
{
    endEditing();
    keyBuffer_ = QVariantList(fields_.size());
    state_ = CursorState::SetKey;
    notifyState();
}

// ---- locate

bool TableCursor::locate(const QString& field, const QVariant& value, LocateOptions options)
{
    return locate(QStringList{field}, QVariantList{value}, options);
}

namespace {

bool textMatches(const QString& stored, const QString& wanted, LocateOptions options)
{
    const Qt::CaseSensitivity cs = options.testFlag(CaseInsensitive) ? Qt::CaseInsensitive : Qt::CaseSensitive;
    if (options.testFlag(PartialKey))
        return stored.startsWith(wanted, cs);
    return stored.compare(wanted, cs) == 0;
}

} // namespace

bool TableCursor::locate(const QStringList& fieldNames, const QVariantList& values, LocateOptions options)
{
    endEditing();
    QList<Field*> fs;
    for (const QString& n : fieldNames)
        fs << &fieldByName(n);
    if (values.size() != fs.size())
        throw DatabaseError(QStringLiteral("Locate needs one value per field"));

    // What each field must hold: integers exactly, texts under the options.
    QVariantList wanted;
    for (int i = 0; i < fs.size(); ++i) {
        const QVariant& v = values[i];
        if (fs[i]->isInteger() && !v.isNull()) {
            if (v.typeId() == QMetaType::QString) {
                const QString t = v.toString();
                auto n = tryTextToInt(t);
                if (!n)
                    throw DatabaseError(
                        QStringLiteral("'%1' is not a valid integer value for field '%2'").arg(t, fs[i]->name()));
                wanted << QVariant(qint64(*n));
            } else {
                wanted << QVariant(v.toLongLong());
            }
        } else if (fs[i]->type() == FieldType::DateTime && !v.isNull()) {
            wanted << QVariant(v.typeId() == QMetaType::QDateTime ? v.toDateTime() : textToDateTime(v.toString()));
        } else {
            wanted << (v.isNull() ? QVariant() : QVariant(v.toString()));
        }
    }

    QString where;
    QVariantList binds;
    auto addCond = [&](const QString& cond, const QVariant& bind) {
        where += (where.isEmpty() ? QStringLiteral(" WHERE ") : QStringLiteral(" AND ")) + cond;
        binds << bind;
    };
    for (int i = 0; i < fs.size(); ++i) {
        const Field* f = fs[i];
        const QString col = file::quote(f->name());
        const int p = int(binds.size()) + 1;
        if (wanted[i].isNull()) {
            if (!options.testFlag(PartialKey))
                where += (where.isEmpty() ? QStringLiteral(" WHERE ") : QStringLiteral(" AND ")) + col +
                         QStringLiteral(" IS NULL");
            continue;
        }
        const bool isKey = !indexField_.isEmpty() && f->name().compare(indexField_, Qt::CaseInsensitive) == 0;
        if (f->isInteger()) {
            addCond(QStringLiteral("%1 = ?%2").arg(col).arg(p), wanted[i]);
        } else if (isKey && !options.testFlag(PartialKey) && !options.testFlag(CaseInsensitive)) {
            addCond(QStringLiteral("yb_sortkey = ?%1").arg(p), QVariant(file::keyFor(wanted[i])));
        } else if (isKey) {
            // Every text that begins with the value, in any case or accent, has a
            // sort key in this range; the exact test follows row by row.
            const QByteArray lo = sortKeyPrefix(wanted[i].toString());
            QByteArray hi = lo;
            hi.append(char(0xFF));
            addCond(QStringLiteral("yb_sortkey >= ?%1").arg(p), QVariant(lo));
            addCond(QStringLiteral("yb_sortkey < ?%1").arg(p + 1), QVariant(hi));
        } else if (f->type() != FieldType::DateTime && !options.testFlag(PartialKey) &&
                   !options.testFlag(CaseInsensitive)) {
            addCond(QStringLiteral("%1 = ?%2").arg(col).arg(p), wanted[i]);
        }
    }
    const QString sql = selectList({}) + where + orderBy(true);
    sqlite3_stmt* st = prepare(sql);
    StmtReset r(st);
    for (int i = 0; i < binds.size(); ++i)
        bindValue(st, i + 1, binds[i]);
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        bool ok = true;
        for (int i = 0; i < fs.size() && ok; ++i) {
            const QVariant stored = file::column(st, kFirstField + fs[i]->index(), fs[i]->type());
            if (wanted[i].isNull())
                ok = options.testFlag(PartialKey) || stored.isNull();
            else if (stored.isNull())
                ok = false;
            else if (fs[i]->isInteger())
                ok = stored.toLongLong() == wanted[i].toLongLong();
            else if (fs[i]->type() == FieldType::DateTime)
                ok = stored.toDateTime() == wanted[i].toDateTime();
            else
                ok = textMatches(stored.toString(), wanted[i].toString(), options);
        }
        if (ok) {
            loadRow(st);
            bof_ = eof_ = false;
            notifyRecord();
            return true;
        }
    }
    if (rc != SQLITE_DONE)
        engineFail(QStringLiteral("Cannot read table %1").arg(tableFile_));
    return false;
}

// ---- fields

Field* TableCursor::findField(const QString& name)
{
    for (Field* f : fields_)
        if (f->name().compare(name, Qt::CaseInsensitive) == 0)
            return f;
    return nullptr;
}

Field& TableCursor::fieldByName(const QString& name)
{
    if (Field* f = findField(name))
        return *f;
    throw DatabaseError(QStringLiteral("Field '%1' not found").arg(name));
}

QStringList TableCursor::fieldNames() const
{
    QStringList names;
    for (const Field* f : fields_)
        names << f->name();
    return names;
}

QVariant TableCursor::fieldValue(int i) const
{
    if (isEditing())
        return editValues_.value(i);
    if (state_ == CursorState::SetKey)
        return keyBuffer_.value(i);
    return values_.value(i);
}

void TableCursor::setFieldValue(int i, const QVariant& v)
{
    if (state_ != CursorState::SetKey && !isEditing())
        throw DatabaseError(QStringLiteral("Dataset not in edit or insert mode"));
    const Field& f = *fields_[i];
    QVariant stored;
    if (!v.isNull() && v.isValid()) {
        switch (f.type()) {
        case FieldType::Text: {
            const QString s = truncateChars(v.toString(), f.size());
            if (!s.isEmpty())
                stored = s;
            break;
        }
        case FieldType::Memo: {
            const QString s = v.toString();
            if (!s.isEmpty())
                stored = s;
            break;
        }
        case FieldType::Integer:
        case FieldType::SmallInt: {
            qint64 n;
            if (v.typeId() == QMetaType::QString) {
                const QString t = v.toString();
                if (t.isEmpty())
                    break;
                auto parsed = tryTextToInt(t);
                if (!parsed)
                    throw DatabaseError(
                        QStringLiteral("'%1' is not a valid integer value for field '%2'").arg(t, f.name()));
                n = *parsed;
            } else {
                n = v.toLongLong();
            }
            const double lo = f.type() == FieldType::SmallInt ? -32768.0 : -2147483648.0;
            const double hi = f.type() == FieldType::SmallInt ? 32767.0 : 2147483647.0;
            if (double(n) < lo || double(n) > hi)
                throw DatabaseError(QStringLiteral("%1 is not a valid value for field '%2'. The allowed range is %3 to %4")
                                        .arg(formatG(double(n)), f.name(), formatG(lo), formatG(hi)));
            stored = QVariant(int(n));
            break;
        }
        case FieldType::DateTime: {
            QDateTime dt;
            if (v.typeId() == QMetaType::QDateTime)
                dt = v.toDateTime();
            else if (v.typeId() == QMetaType::QDate)
                dt = QDateTime(v.toDate(), QTime(0, 0));
            else {
                const QString t = v.toString();
                if (t.trimmed().isEmpty())
                    break;
                dt = textToDateTime(t);
                if (!dt.isValid())
                    throw ConversionError(QStringLiteral("'%1' is not a valid date and time").arg(t));
            }
            stored = dt;
            break;
        }
        }
    }
    if (state_ == CursorState::SetKey) {
        keyBuffer_[i] = stored;
        return;
    }
    editValues_[i] = stored;
    modified_ = true;
    notifyField(i);
}

// ---- rows for lists and grids

QList<RecordRow> TableCursor::readRows(const Bookmark& from, int count, bool forward, const QStringList& fields) const
{
    requireActive();
    QList<RecordRow> rows;
    if (count <= 0)
        return rows;
    QStringList cols;
    QList<FieldType> types;
    for (const QString& n : fields) {
        const Field* f = nullptr;
        for (const Field* c : fields_)
            if (c->name().compare(n, Qt::CaseInsensitive) == 0)
                f = c;
        if (!f)
            throw DatabaseError(QStringLiteral("Field '%1' not found").arg(n));
        cols << f->name();
        types << f->type();
    }
    QString sql = selectList(cols.isEmpty() ? QStringList{QStringLiteral("yb_id")} : cols);
    if (from.isValid())
        sql += afterClause(forward);
    sql += orderBy(forward) + QStringLiteral(" LIMIT ?3");
    sqlite3_stmt* st = prepare(sql);
    StmtReset r(st);
    if (from.isValid()) {
        const QVariantList b = placeBinds(from);
        bindValue(st, 1, b[0]);
        bindValue(st, 2, b[1]);
    }
    sqlite3_bind_int(st, 3, count);
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        RecordRow row;
        row.bookmark.rowId = sqlite3_column_int64(st, 0);
        row.bookmark.sortKey =
            QByteArray(reinterpret_cast<const char*>(sqlite3_column_blob(st, 2)), sqlite3_column_bytes(st, 2));
        for (int i = 0; i < types.size(); ++i)
            row.values << file::column(st, kFirstField + i, types[i]);
        rows << row;
    }
    if (rc != SQLITE_DONE)
        engineFail(QStringLiteral("Cannot read table %1").arg(tableFile_));
    return rows;
}

} // namespace yb
