#include "controls/RecordWindow.h"

#include <QScrollBar>
#include <tuple>

bool bookmarkBefore(const yb::Bookmark& a, const yb::Bookmark& b)
{
    if (a.sortKey != b.sortKey)
        return a.sortKey < b.sortKey;
    return a.rowId < b.rowId;
}

void RecordWindow::clear()
{
    rows_.clear();
    active_ = -1;
    fits_ = true;
    newRow_ = false;
}

void RecordWindow::refresh(yb::TableCursor* c)
{
    clear();
    if (!c || !c->isActive())
        return;
    const bool inserting = c->state() == yb::CursorState::Insert;
    if (!c->hasRecord() && !inserting)
        return;
    const int R = rowCount_;

    // The current record as the cursor holds it (the edited copy while editing).
    yb::RecordRow current;
    current.bookmark = c->bookmark();
    for (const QString& name : fields_) {
        yb::Field* f = c->findField(name);
        current.values << (f ? f->value() : QVariant());
    }

    // In insert state the new record stands just before the record that was
    // current (the cursor's place), or alone in an empty table.
    const yb::Bookmark place = current.bookmark;
    QList<yb::RecordRow> before, after;
    if (place.isValid() && inserting) {
        before = c->readRows(place, R, false, fields_);
        after = before.isEmpty() ? c->readRows({}, R, true, fields_)
                                 : c->readRows(before.first().bookmark, R, true, fields_);
        current.bookmark = {};
    } else if (place.isValid()) {
        std::tie(before, after) = c->readRowsAround(place, R, R, fields_);
    }
    newRow_ = inserting;
    fits_ = before.size() + 1 + after.size() <= R;

    // Row of the current record in the window.
    int row = 0;
    if (top_.isValid() && place.isValid() && !(top_ == place)) {
        int k = -1;
        for (int i = 0; i < before.size(); ++i)
            if (before[i].bookmark == top_)
                k = i;
        if (k >= 0)
            row = k + 1 < R ? k + 1 : R - 1; // inside the window, or just below it
        else
            row = bookmarkBefore(place, top_) ? 0 : R - 1;
    }
    row = std::min<int>(row, int(before.size()));
    // Fill the window downwards as far as the records go.
    const int below = std::min<int>(int(after.size()), R - 1 - row);
    if (below < R - 1 - row)
        row = std::max(row, std::min<int>(int(before.size()), R - 1 - below));

    for (int i = row - 1; i >= 0; --i)
        rows_ << before[i];
    active_ = int(rows_.size());
    rows_ << current;
    for (int i = 0; i < after.size() && rows_.size() < R; ++i)
        rows_ << after[i];
    top_ = rows_.first().bookmark.isValid() ? rows_.first().bookmark : place;
}

int RecordWindow::scrollPosition(const yb::TableCursor* cursor)
{
    if (cursor->bof())
        return 0;
    return cursor->eof() ? 4 : 2;
}

void RecordWindow::showScrollPosition(QScrollBar* bar, const yb::TableCursor* cursor) const
{
    // The scroll area shows or hides an as-needed bar when it hears of a
    // new range, so the range is set with the signals on.
    if (!cursor || fits_) {
        bar->setRange(0, 0);
        return;
    }
    bar->setRange(0, 4);
    bar->setValue(scrollPosition(cursor));
    bar->setSliderPosition(scrollPosition(cursor));
}

bool RecordWindow::scroll(yb::TableCursor* cursor, int action, bool pastEdge) const
{
    const int count = int(rows_.size());
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
        if (pastEdge)
            cursor->moveBy(-active_ - 1);
        else
            cursor->prior();
        return true;
    case QAbstractSlider::SliderSingleStepAdd:
        if (pastEdge)
            cursor->moveBy(count - active_);
        else
            cursor->next();
        return true;
    case QAbstractSlider::SliderPageStepSub: cursor->moveBy(-active_ - count + 1); return true;
    case QAbstractSlider::SliderPageStepAdd: cursor->moveBy(count - active_ + count - 2); return true;
    case QAbstractSlider::SliderToMinimum: cursor->first(); return true;
    case QAbstractSlider::SliderToMaximum: cursor->last(); return true;
    default: return false;
    }
}

void RecordWindow::thumbReleased(yb::TableCursor* cursor, int position) const
{
    const int count = int(rows_.size());
    switch (position) {
    case 0: cursor->first(); break;
    case 1: cursor->moveBy(-active_ - count + 1); break;
    case 3: cursor->moveBy(count - active_ + count - 2); break;
    case 4: cursor->last(); break;
    default: break;
    }
}
