#pragma once
// Grid: rows of consecutive records of a data source's table, one column per
// field, with a title row and an indicator column. It reads only the rows it
// shows. No cell is edited in place.

#include "controls/ControlAccessibility.h"
#include "controls/DataSource.h"
#include "controls/RecordWindow.h"

#include <QAbstractScrollArea>
#include <QList>
#include <QStringList>

class DBGrid : public QAbstractScrollArea, public DataLink {
    Q_OBJECT
    Q_PROPERTY(QString dataSource READ dataSourceName WRITE setDataSource)
    Q_PROPERTY(QStringList columns READ columns WRITE setColumns)
    Q_PROPERTY(Options options READ options WRITE setOptions)
    Q_PROPERTY(bool readOnly READ isReadOnly WRITE setReadOnly)

public:
    enum Option {
        Titles = 0x1,
        Indicator = 0x2,
        ColumnResize = 0x4,
        ColLines = 0x8,
        RowLines = 0x10,
        Tabs = 0x20,
        Editing = 0x40, // accepted for completeness: cells are never edited in place
        ConfirmDelete = 0x80,
        CancelOnExit = 0x100,
    };
    Q_DECLARE_FLAGS(Options, Option)
    Q_FLAG(Options)

    explicit DBGrid(QWidget* parent = nullptr);

    void setDataSource(const QString& name) { setDataSourceName(name); }
    void setDataSource(DataSource* source) { setDataSourceObject(source); }
    // Field names; empty: every field of the cursor.
    QStringList columns() const { return columns_; }
    void setColumns(const QStringList& fields);
    Options options() const { return options_; }
    void setOptions(Options o);
    bool isReadOnly() const { return readOnly_; }
    void setReadOnly(bool on) { readOnly_ = on; }

    int currentColumn() const { return col_; }
    void setCurrentColumn(int col);
    int columnCount() const { return int(shownFields().size()); }
    int columnWidth(int col) const;
    void setColumnWidth(int col, int width);
    int rowHeight() const;
    int titleHeight() const;    // 0 without the title row
    int indicatorWidth() const; // 0 without the indicator column
    int visibleRowCount() const;
    const RecordWindow& window() const { return window_; }
    QString cellText(int row, int col) const;
    QStringList titles() const { return shownFields(); }
    // Row under a point of the viewport (-1: title row or beyond the records).
    int rowAt(int y) const;
    // Where a cell of a shown row is drawn in the viewport; row -1: its title.
    QRect cellRect(int row, int col) const;
    // Moves the cursor to a shown row, as a click on it does. False when
    // there is no such row or the cursor did not move.
    bool moveToRow(int row);

    QSize sizeHint() const override;

protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void scrollContentsBy(int dx, int dy) override;

    void recordChanged() override;
    void fieldChanged(const QString& field) override;
    void stateChanged() override;
    void linkChanged() override;

private:
    QStringList shownFields() const;
    yb::FieldType fieldType(int col) const;
    void setupColumns();
    void refreshWindow();
    void updateScrollBars();
    void scrollAction(int action);
    void thumbReleased();
    int columnX(int col) const; // left edge in viewport coordinates
    int resizeHandleAt(const QPoint& p) const;
    void ensureColumnVisible(int col);
    void deleteRecord();
    void tab(bool forward);
    int scrollPosition() const;

    QStringList columns_;
    Options options_ = Options(0x1bf); // everything but editing in place
    bool readOnly_ = false;
    QList<int> widths_;
    int col_ = 0;
    RecordWindow window_;
    bool dirty_ = true;
    int resizing_ = -1;
    int resizeStartX_ = 0;
    int resizeStartWidth_ = 0;
    yb::ShownRows told_;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(DBGrid::Options)
