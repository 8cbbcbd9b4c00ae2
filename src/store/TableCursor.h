#pragma once
// The table cursor: an open table with a current record, its states and the
// operations that screens and data-bound controls perform on it.
//
// Positions are kept as (sort key, row id), so every move is one indexed
// query against the file; nothing of the table is held in memory beyond the
// current record. Every move reads the file anew, so records written by
// another cursor or another process show at the next read.

#include "store/Catalogue.h"
#include "store/Engine.h"
#include "store/Errors.h"

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QObject>
#include <QStringList>
#include <QVariant>
#include <memory>

namespace yb {

class TableCursor;

enum class CursorState { Inactive, Browse, Edit, Insert, SetKey };

enum LocateOption { LocateNone = 0, PartialKey = 1, CaseInsensitive = 2 };
Q_DECLARE_FLAGS(LocateOptions, LocateOption)

// A place in the cursor's order (Bookmark, in store/Engine.h) names a record
// by (sort key, id).

// One record read for display by lists and grids, without moving the cursor.
struct RecordRow {
    Bookmark bookmark;
    QVariantList values; // in the order of the requested fields
};

// What a data source hears from its cursor.
class CursorObserver {
public:
    virtual ~CursorObserver() = default;
    virtual void recordChanged() {} // moved, re-read, posted, cancelled, deleted
    virtual void fieldChanged(const QString& /*field*/) {}
    virtual void stateChanged() {}
    virtual void updateRecord() {}                       // write pending typed text now (may raise)
    virtual void focusField(const QString& /*field*/) {} // a required field is empty: focus its control
};

class Field {
public:
    Field(TableCursor* cursor, int index, FieldDef def) : cursor_(cursor), index_(index), def_(std::move(def)) {}
    const QString& name() const { return def_.name; }
    FieldType type() const { return def_.type; }
    int size() const { return def_.size; }
    bool required() const { return def_.required; }
    int index() const { return index_; }
    const FieldDef& def() const { return def_; }
    bool isInteger() const { return isIntegerType(def_.type); }
    bool isText() const { return def_.type == FieldType::Text || def_.type == FieldType::Memo; }
    TableCursor& cursor() const { return *cursor_; }

    // Value of the current record, or of the edited copy while editing.
    QVariant value() const;
    bool isNull() const;
    QString asString() const; // the text form (dates in the regional formats)
    qint64 asInteger() const; // 0 when empty
    QDateTime asDateTime() const;

    // Only in edit or insert state (else "Dataset not in edit or insert mode").
    void setAsString(const QString& text);
    void setAsInteger(qint64 v);
    void setAsDateTime(const QDateTime& v);
    void setValue(const QVariant& v); // QString, integer or QDateTime; null clears
    void clear();

private:
    TableCursor* cursor_;
    int index_;
    FieldDef def_;
};

class TableCursor : public QObject {
    Q_OBJECT
public:
    // A cursor as a screen declares it; opened by open().
    explicit TableCursor(const CursorDecl& decl, QObject* parent = nullptr);
    TableCursor(const QString& directoryAsWritten, const QString& tableFile, const QString& indexField = {},
                const QStringList& fields = {}, QObject* parent = nullptr);
    ~TableCursor() override;

    TableCursor(const TableCursor&) = delete;
    TableCursor& operator=(const TableCursor&) = delete;

    // ---- open and close
    void open();
    void close();
    bool isActive() const { return state_ != CursorState::Inactive; }
    QString filePath() const { return path_; } // where its table is (Engine::tableLocation)
    QString tableFile() const { return tableFile_; }
    QString indexField() const { return indexField_; }
    const TableDef& tableDef() const { return *def_; }

    // ---- state
    CursorState state() const { return state_; }
    bool isEditing() const { return state_ == CursorState::Edit || state_ == CursorState::Insert; }
    bool bof() const { return bof_; }
    bool eof() const { return eof_; }
    bool isEmpty() const; // true when the table has no record (reads the file)
    bool modified() const { return modified_; }
    bool canModify() const { return isActive(); }
    bool hasRecord() const { return current_.isValid(); }
    Bookmark bookmark() const { return current_; }

    // ---- moves (each ends editing first)
    void first();
    void last();
    void next();
    void prior();
    int moveBy(int distance); // returns the distance actually moved
    void refresh();
    bool gotoBookmark(const Bookmark& b); // false when the record is gone (cursor unchanged)

    // ---- editing
    void insert();
    void append();
    void edit();
    void post();
    void cancel();
    void remove(); // delete
    void setKey();
    void checkBrowseMode(); // ends editing

    // The insert being edited carries `token`, an id made by the caller (a
    // sale's), so that on a server its post is stored once even when an
    // answer is lost and the post is repeated (EngineTable::insertOnce).
    // Cleared by the next insert, cancel and a post that succeeds.
    void setInsertToken(const QString& token) { insertToken_ = token; }
    // True when the last post that succeeded found its write already on the
    // server (stored by an earlier try whose answer was lost).
    bool lastPostAlreadyStored() const { return alreadyStored_; }

    bool locate(const QStringList& fields, const QVariantList& values, LocateOptions options);
    bool locate(const QString& field, const QVariant& value, LocateOptions options);

    // ---- fields
    int fieldCount() const { return int(fields_.size()); }
    Field& field(int i) { return *fields_[i]; }
    const Field& field(int i) const { return *fields_[i]; }
    Field& fieldByName(const QString& name); // "Field '%s' not found"
    Field* findField(const QString& name);
    QStringList fieldNames() const;

    // ---- reading rows for lists and grids (the cursor does not move)
    // Up to `count` records after (forward) or before (backward) `from`, in the
    // cursor's order; from an invalid bookmark: from the start or the end.
    QList<RecordRow> readRows(const Bookmark& from, int count, bool forward, const QStringList& fields) const;
    // Up to `before` records before `place` (nearest first) and up to `after`
    // after it, read together (one round trip on a server).
    std::pair<QList<RecordRow>, QList<RecordRow>> readRowsAround(const Bookmark& place, int before, int after,
                                                                 const QStringList& fields) const;

    // ---- notifications
    void addObserver(CursorObserver* o);
    void removeObserver(CursorObserver* o);

    // Low-level, used by Field.
    QVariant fieldValue(int i) const;
    void setFieldValue(int i, const QVariant& v);

private:
    void requireActive() const;
    Columns columnsOf(const QStringList& fields) const; // "Field '%s' not found"
    void endEditing();
    void loadRecord(const StoredRecord& r);
    bool fetchEnd(bool forward);                       // the first or the last record
    bool fetchBeside(const Bookmark& b, bool forward); // the record after or before a place
    bool fetchId(qint64 id);
    void readCurrent(); // re-reads the current record; when gone, the next, else the prior, else none
    void setEmptyPosition();
    void writeRecord();
    void notifyRecord();
    void notifyState();
    void notifyField(int i);
    void notifyUpdate();
    // Runs an engine call; an engine error gets "<what> table <name>: " in front.
    // `what` is the untranslated message, "... table %1: %2", for the table and the engine's message.
    template <typename F> auto engineCall(const char* what, F&& f) const -> decltype(f());

    QString directoryAsWritten_;
    QString tableFile_;
    QString indexField_;
    QStringList declaredFields_;
    const TableDef* def_ = nullptr;
    QString path_;
    std::shared_ptr<Engine> engine_;
    std::unique_ptr<EngineTable> table_;
    Columns columns_; // each field's place in the table
    RecordOrder order_ = RecordOrder::Table;

    QList<Field*> fields_;
    CursorState state_ = CursorState::Inactive;
    bool bof_ = true;
    bool eof_ = true;
    bool modified_ = false;
    bool appending_ = false;
    bool savedBof_ = true; // flags before an insert or append
    bool savedEof_ = true;

    Bookmark current_;        // the current record's place
    QVariantList values_;     // the current record's values
    qint64 revision_ = 0;     // revision of the current record when read
    QVariantList editValues_; // the record being edited or inserted
    qint64 editRevision_ = 0;
    Bookmark beforeInsert_;  // current record before an insert or append
    QVariantList keyBuffer_; // set-key buffer
    QString insertToken_;
    bool alreadyStored_ = false;
    QList<CursorObserver*> observers_;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(LocateOptions)

} // namespace yb
