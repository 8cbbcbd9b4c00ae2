#include "store/TableCursor.h"

#include "store/Conversions.h"
#include "store/Database.h"
#include "store/FieldRules.h"
#include "store/SortKey.h"

#include <QCoreApplication>
#include <QDir>

namespace yb {

namespace {
// The messages of this unit, in the catalogue's context yb::Store.
struct Text {
    Q_DECLARE_TR_FUNCTIONS(yb::Store)
};

// What failed in the engine, before the table and the engine's message.
const char* const readFailure = QT_TRANSLATE_NOOP("yb::Store", "Cannot read table %1: %2");
const char* const writeFailure = QT_TRANSLATE_NOOP("yb::Store", "Cannot write to table %1: %2");
const char* const deleteFailure = QT_TRANSLATE_NOOP("yb::Store", "Cannot delete from table %1: %2");

QString closedMessage() { return QStringLiteral("Cannot perform this operation on a closed dataset"); }

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
    case FieldType::SmallInt: return intToText(v.toLongLong());
    case FieldType::DateTime: return dateTimeText(v.toDateTime());
    case FieldType::Text:
    case FieldType::Memo: break;
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
void Field::setAsDateTime(const QDateTime& v)
{
    cursor_->setFieldValue(index_, v.isValid() ? QVariant(v) : QVariant());
}
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

template <typename F> auto TableCursor::engineCall(const char* what, F&& f) const -> decltype(f())
{
    try {
        return f();
    } catch (const EngineError& e) {
        throw EngineError(Text::tr(what).arg(tableFile_, e.message()), e.code());
    }
}

void TableCursor::open()
{
    if (isActive())
        return;
    if (!def_)
        throw EngineError(Text::tr("Cannot open table %1: no such table in the database").arg(tableFile_));
    if (!indexField_.isEmpty() && indexField_.compare(def_->keyField, Qt::CaseInsensitive) != 0)
        throw DatabaseError(Text::tr("Index field '%1' not found in table %2").arg(indexField_, tableFile_));
    // The database's own directory as a screen writes it reaches the shared
    // database; any other directory is a directory of table files of its own.
    std::shared_ptr<Engine> engine = Database::namesDatabase(directoryAsWritten_)
        ? Database::engine()
        : std::shared_ptr<Engine>(Database::open(directoryAsWritten_));
    path_ = engine->tableLocation(tableFile_);
    std::unique_ptr<EngineTable> table = engine->openTable(*def_);
    const QList<FieldDef> fileFields = table->storedFields();

    QList<Field*> fields;
    Columns columns;
    auto columnOf = [&](const QString& name) {
        const FieldDef* f = def_->field(name);
        return f ? int(f - def_->fields.constData()) : -1;
    };
    if (declaredFields_.isEmpty()) {
        for (const FieldDef& f : fileFields) {
            fields << new Field(this, int(fields.size()), f);
            columns << columnOf(f.name);
        }
    } else {
        for (const QString& name : declaredFields_) {
            const FieldDef* f = def_->field(name);
            if (!f) {
                qDeleteAll(fields);
                qDeleteAll(fields_);
                fields_.clear();
                throw DatabaseError(QStringLiteral("Field '%1' not found").arg(name));
            }
            fields << new Field(this, int(fields.size()), *f);
            columns << columnOf(f->name);
        }
    }
    qDeleteAll(fields_);
    fields_ = fields;
    columns_ = columns;
    engine_ = std::move(engine);
    table_ = std::move(table);
    order_ = indexField_.isEmpty() ? RecordOrder::Table : RecordOrder::Key;
    values_ = QVariantList(fields_.size());
    state_ = CursorState::Browse;
    modified_ = false;
    const bool found = fetchEnd(true);
    if (!found)
        setEmptyPosition();
    bof_ = true;
    eof_ = !found;
    notifyState();
    notifyRecord();
}

void TableCursor::close()
{
    if (!table_ && state_ == CursorState::Inactive)
        return;
    table_.reset();
    engine_.reset();
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
    return engineCall(readFailure, [&] { return table_->isEmpty(); });
}

// ---- reading

void TableCursor::loadRecord(const StoredRecord& r)
{
    current_ = r.place();
    revision_ = r.revision;
    values_ = r.values;
}

bool TableCursor::fetchEnd(bool forward)
{
    const QList<StoredRecord> rows =
        engineCall(readFailure, [&] { return table_->read(columns_, order_, Bookmark{}, forward, 1); });
    if (rows.isEmpty())
        return false;
    loadRecord(rows.first());
    return true;
}

bool TableCursor::fetchBeside(const Bookmark& b, bool forward)
{
    const QList<StoredRecord> rows =
        engineCall(readFailure, [&] { return table_->read(columns_, order_, b, forward, 1); });
    if (rows.isEmpty())
        return false;
    loadRecord(rows.first());
    return true;
}

bool TableCursor::fetchId(qint64 id)
{
    const std::optional<StoredRecord> r = engineCall(readFailure, [&] { return table_->readById(columns_, id); });
    if (!r)
        return false;
    loadRecord(*r);
    return true;
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
    case CursorState::Inactive: return;
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
    const bool found = fetchEnd(true);
    if (!found)
        setEmptyPosition();
    bof_ = true;
    eof_ = !found;
    notifyRecord();
}

void TableCursor::last()
{
    endEditing();
    const bool found = fetchEnd(false);
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
    const int steps = forward ? distance : -distance;
    // The records on the way are read in one go, the last of them becomes
    // current. No current record (the table was empty when last read):
    // the move starts at the end it moves from.
    // (Long moves go in windows of at most 1,024 records.)
    int moved = 0;
    while (moved < steps) {
        const int window = std::min(steps - moved, 1024);
        const QList<StoredRecord> rows =
            engineCall("Cannot read", [&] { return table_->read(columns_, order_, current_, forward, window); });
        moved += int(rows.size());
        if (!rows.isEmpty())
            loadRecord(rows.last());
        if (rows.size() < window) {
            if (moved == 0 && !current_.isValid())
                bof_ = eof_ = true;
            else
                (forward ? eof_ : bof_) = true;
            break;
        }
    }
    notifyRecord();
    return forward ? moved : -moved;
}

void TableCursor::readCurrent()
{
    const Bookmark old = current_;
    if (old.isValid() && fetchId(old.rowId))
        return;
    // The record is gone: the one that followed it, else the one before, else none.
    if (old.isValid() && fetchBeside(old, true))
        return;
    if (old.isValid() && fetchBeside(old, false)) {
        eof_ = true;
        return;
    }
    if (fetchEnd(true)) {
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
    if (!fetchId(b.rowId))
        return false;
    bof_ = eof_ = false;
    notifyRecord();
    return true;
}

// ---- editing

void TableCursor::insert()
{
    endEditing();
    insertToken_.clear();
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
    if (!fetchId(current_.rowId))
        throw EngineError(Text::tr("Cannot edit the record: another user deleted it"));
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
            throw DatabaseError(requiredMessage(f->name()));
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
                throw EngineError(requiredMessage(f.name));
    }
    QVariant keyValue;
    const Field* keyField = def_->hasKey() ? findField(def_->keyField) : nullptr;
    if (keyField)
        keyValue = editValues_[keyField->index()];
    const QByteArray key = def_->hasKey() ? sortKey(keyValue.isNull() ? QString() : keyValue.toString()) : QByteArray();

    const WriteResult result = engineCall(writeFailure, [&] {
        if (inserting && !insertToken_.isEmpty())
            return table_->insertOnce(columns_, editValues_, key, insertToken_);
        if (inserting)
            return table_->insert(columns_, editValues_, key);
        return table_->update(current_.rowId, editRevision_, columns_, editValues_,
                              keyField ? std::optional<QByteArray>(key) : std::nullopt);
    });
    switch (result.outcome) {
    case WriteResult::Written: break;
    case WriteResult::DuplicateKey: {
        QString msg = result.message;
        for (const QString& ix : def_->lookupIndexes)
            if (Field* f = findField(ix))
                msg = Text::tr("Key violation: another record already has %1 in field '%2'")
                          .arg(f->isInteger() ? intToText(editValues_[f->index()].toLongLong())
                                              : editValues_[f->index()].toString(),
                               f->name());
        throw EngineError(Text::tr(writeFailure).arg(tableFile_, msg));
    }
    case WriteResult::Changed:
        throw EngineError(Text::tr("Couldn't perform the edit because another user changed the record"));
    case WriteResult::Deleted:
        throw EngineError(Text::tr("Couldn't perform the edit because another user deleted the record"));
    }
    insertToken_.clear();
    alreadyStored_ = result.alreadyStored;
    if (result.record) {
        loadRecord(*result.record);
        return;
    }
    // The write is done: a re-read that fails now (the connection broke just
    // after) must not report the write as failed. The record is then what
    // was written.
    bool reread = false;
    try {
        reread = fetchId(result.id);
    } catch (const EngineError&) {
        current_ = Bookmark{key, result.id};
        revision_ = result.revision;
        values_ = editValues_;
        return;
    }
    if (!reread)
        throw EngineError(Text::tr("Cannot read table %1: the record just written is not there").arg(tableFile_));
}

void TableCursor::cancel()
{
    requireActive();
    insertToken_.clear();
    switch (state_) {
    case CursorState::Browse:
    case CursorState::Inactive: return;
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
        // Nothing was written: the record current before the insert is
        // current again as it was read, without asking the table, which may
        // be out of reach just now (a post that failed on a broken connection
        // is cancelled at once, and must not wait for the server again).
        current_ = beforeInsert_;
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
    engineCall(deleteFailure, [&] { return table_->remove(current_.rowId); });
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
        throw DatabaseError(Text::tr("Locate needs one value per field"));

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

    RecordFilter filter;
    for (int i = 0; i < fs.size(); ++i) {
        const Field* f = fs[i];
        const int column = columns_[f->index()];
        if (wanted[i].isNull()) {
            if (!options.testFlag(PartialKey))
                filter.equals << RecordFilter::Equal{column, QVariant()};
            continue;
        }
        const bool isKey = !indexField_.isEmpty() && f->name().compare(indexField_, Qt::CaseInsensitive) == 0;
        if (f->isInteger()) {
            filter.equals << RecordFilter::Equal{column, wanted[i]};
        } else if (isKey && !options.testFlag(PartialKey) && !options.testFlag(CaseInsensitive)) {
            filter.hasKeyRange = true;
            filter.keyEquals = true;
            filter.keyLo = sortKey(wanted[i].toString());
        } else if (isKey) {
            // Every text that begins with the value, in any case or accent, has a
            // sort key in this range; the exact test follows row by row.
            filter.hasKeyRange = true;
            filter.keyEquals = false;
            filter.keyLo = sortKeyPrefix(wanted[i].toString());
            filter.keyHi = filter.keyLo;
            filter.keyHi.append(char(0xFF));
        } else if (f->type() != FieldType::DateTime && !options.testFlag(PartialKey) &&
                   !options.testFlag(CaseInsensitive)) {
            filter.equals << RecordFilter::Equal{column, wanted[i]};
        }
    }
    std::optional<StoredRecord> match;
    engineCall(readFailure, [&] {
        table_->find(columns_, filter, order_, [&](const StoredRecord& r) {
            for (int i = 0; i < fs.size(); ++i) {
                const QVariant& stored = r.values[fs[i]->index()];
                bool ok;
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
                if (!ok)
                    return true;
            }
            match = r;
            return false;
        });
    });
    if (!match)
        return false;
    loadRecord(*match);
    bof_ = eof_ = false;
    notifyRecord();
    return true;
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
    const QVariant stored = enteredValue(fields_[i]->def(), v);
    if (state_ == CursorState::SetKey) {
        keyBuffer_[i] = stored;
        return;
    }
    editValues_[i] = stored;
    modified_ = true;
    notifyField(i);
}

// ---- rows for lists and grids

Columns TableCursor::columnsOf(const QStringList& fields) const
{
    Columns cols;
    for (const QString& n : fields) {
        const Field* f = nullptr;
        for (const Field* c : fields_)
            if (c->name().compare(n, Qt::CaseInsensitive) == 0)
                f = c;
        if (!f)
            throw DatabaseError(QStringLiteral("Field '%1' not found").arg(n));
        cols << columns_[f->index()];
    }
    return cols;
}

QList<RecordRow> TableCursor::readRows(const Bookmark& from, int count, bool forward, const QStringList& fields) const
{
    requireActive();
    QList<RecordRow> rows;
    if (count <= 0)
        return rows;
    const Columns cols = columnsOf(fields);
    const QList<StoredRecord> read =
        engineCall(readFailure, [&] { return table_->read(cols, order_, from, forward, count); });
    rows.reserve(read.size());
    for (const StoredRecord& r : read)
        rows << RecordRow{r.place(), r.values};
    return rows;
}

std::pair<QList<RecordRow>, QList<RecordRow>> TableCursor::readRowsAround(const Bookmark& place, int before, int after,
                                                                          const QStringList& fields) const
{
    requireActive();
    const Columns cols = columnsOf(fields);
    const auto read = engineCall("Cannot read", [&] {
        return table_->readAround(cols, order_, place, std::max(before, 0), std::max(after, 0));
    });
    std::pair<QList<RecordRow>, QList<RecordRow>> rows;
    for (const StoredRecord& r : read.first)
        rows.first << RecordRow{r.place(), r.values};
    for (const StoredRecord& r : read.second)
        rows.second << RecordRow{r.place(), r.values};
    return rows;
}

} // namespace yb
