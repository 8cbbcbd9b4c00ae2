#pragma once
// A window of consecutive records around a cursor's current record, read for
// a lookup list or a grid without moving the cursor. Only the rows shown (and
// as many again on each side, to know where the window may go) are read, so
// the cost does not depend on the size of the table.

#include "store/TableCursor.h"

#include <QList>
#include <QStringList>

class QScrollBar;

class RecordWindow {
public:
    void setFields(const QStringList& fields) { fields_ = fields; }
    const QStringList& fields() const { return fields_; }
    void setRowCount(int rows) { rowCount_ = std::max(1, rows); }
    int rowCount() const { return rowCount_; }

    // Re-reads the window so that it holds the cursor's current record. The
    // window keeps its first record when it can; when the current record has
    // moved above it the record becomes the first row, below it the last row.
    void refresh(yb::TableCursor* cursor);
    void clear();

    const QList<yb::RecordRow>& rows() const { return rows_; }
    int activeRow() const { return active_; } // -1 when there is no record
    bool allRecordsFit() const { return fits_; }
    // The new record of an insert, shown with the edited values.
    bool isNewRow(int row) const { return row == active_ && newRow_; }

    // The three-position vertical scroll bar of a list or grid: top at the
    // beginning of the table, bottom at its end, middle in between; no range
    // when every record fits or there is no open cursor (nullptr).
    static int scrollPosition(const yb::TableCursor* cursor);
    void showScrollPosition(QScrollBar* bar, const yb::TableCursor* cursor) const;
    // Moves the cursor for an action of that scroll bar (QAbstractSlider's
    // SliderAction): a line step moves one record, or with pastEdge to the
    // record just beyond the window's edge; a page step a window's worth; the
    // ends to the first or last record. False for actions that move nothing.
    bool scroll(yb::TableCursor* cursor, int action, bool pastEdge) const;
    // Moves the cursor for the place where the thumb was let go.
    void thumbReleased(yb::TableCursor* cursor, int position) const;

private:
    QStringList fields_;
    int rowCount_ = 1;
    QList<yb::RecordRow> rows_;
    int active_ = -1;
    bool fits_ = true;
    bool newRow_ = false;
    yb::Bookmark top_;
};

// Order of two places of one cursor.
bool bookmarkBefore(const yb::Bookmark& a, const yb::Bookmark& b);
