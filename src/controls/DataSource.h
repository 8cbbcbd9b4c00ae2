#pragma once
// The data source: the one road between a table cursor and the data-bound
// controls of a screen. It listens to its cursor and passes every
// notification on to the controls attached to it.
//
// Controls name their data source by objectName (the `dataSource` property
// of a .ui file); the name is looked up among the objects of the control's
// window, whichever of the two is created first.

#include "store/TableCursor.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

class QWidget;
class DataSource;

// The attachment of one control to a data source. Every data-bound control
// derives from it and overrides the notifications it needs.
class DataLink {
public:
    explicit DataLink(QWidget* owner);
    virtual ~DataLink();
    DataLink(const DataLink&) = delete;
    DataLink& operator=(const DataLink&) = delete;

    DataSource* dataSourceObject() const { return source_; }
    QString dataSourceName() const { return sourceName_; }
    // Binds by name; resolved now if the data source exists in the control's window, else later.
    void setDataSourceName(const QString& name);
    void setDataSourceObject(DataSource* source);
    // Tries to resolve a pending name (called again on show and when data sources appear).
    bool resolveDataSource();

    yb::TableCursor* tableCursor() const;
    bool isActive() const;         // attached to an enabled data source with an open cursor
    yb::CursorState state() const; // Inactive when not active
    QWidget* owner() const { return owner_; }

    // Notifications, passed on by the data source.
    virtual void recordChanged() {}
    virtual void fieldChanged(const QString& /*field*/) {}
    virtual void stateChanged() {}
    virtual void updateRecord() {}
    virtual bool focusField(const QString& /*field*/) { return false; }
    // The attachment itself changed (other data source, cursor set, enabled switched).
    virtual void linkChanged()
    {
        stateChanged();
        recordChanged();
    }

private:
    friend class DataSource;
    QWidget* owner_;
    QString sourceName_;
    QPointer<DataSource> source_;
};

class DataSource : public QObject, public yb::CursorObserver {
    Q_OBJECT
    Q_PROPERTY(bool enabled READ isEnabled WRITE setEnabled)
    Q_PROPERTY(bool autoEdit READ autoEdit WRITE setAutoEdit)

public:
    explicit DataSource(QObject* parent = nullptr);
    DataSource(yb::TableCursor* cursor, const QString& name, QObject* parent);
    ~DataSource() override;

    yb::TableCursor* cursor() const { return cursor_; }
    void setCursor(yb::TableCursor* cursor);

    bool isEnabled() const { return enabled_; }
    void setEnabled(bool on);
    bool autoEdit() const { return autoEdit_; }
    void setAutoEdit(bool on) { autoEdit_ = on; }

    bool isActive() const { return enabled_ && cursor_ && cursor_->isActive(); }
    yb::CursorState state() const { return isActive() ? cursor_->state() : yb::CursorState::Inactive; }

    // A control asks to edit: with auto-edit on, a cursor in browse state
    // enters edit state (insert on an empty table). True when the cursor is
    // then editing or inserting.
    bool edit();

    void attach(DataLink* link);
    void detach(DataLink* link);
    const QList<DataLink*>& links() const { return links_; }

    // Attaches every control of this data source's window that names it.
    void attachWaitingControls();

    // yb::CursorObserver
    void recordChanged() override;
    void fieldChanged(const QString& field) override;
    void stateChanged() override;
    void updateRecord() override;
    void focusField(const QString& field) override;

signals:
    void dataChange();
    void stateChange();
    void updateData();

private:
    QObject* rootObject() const;
    template <class F> void forEachLink(F f);

    QPointer<yb::TableCursor> cursor_;
    bool enabled_ = true;
    bool autoEdit_ = true;
    QList<DataLink*> links_;
};
