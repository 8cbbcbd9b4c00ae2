#include "controls/DBGrid.h"

#include "controls/ControlSupport.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionFocusRect>
#include <QStyleOptionHeader>

DBGrid::DBGrid(QWidget* parent) : QAbstractScrollArea(parent), DataLink(this)
{
    setFocusPolicy(Qt::StrongFocus);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    verticalScrollBar()->setRange(0, 0);
    verticalScrollBar()->setPageStep(1);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    viewport()->setMouseTracking(true);
    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this, &DBGrid::scrollAction);
    connect(verticalScrollBar(), &QScrollBar::sliderReleased, this, &DBGrid::thumbReleased);
    yb::installControlAccessibility();
}

QSize DBGrid::sizeHint() const { return QSize(320, 120); }

void DBGrid::setColumns(const QStringList& fields)
{
    columns_ = fields;
    setupColumns();
}

void DBGrid::setOptions(Options o)
{
    options_ = o;
    updateScrollBars();
    refreshWindow();
}

QStringList DBGrid::shownFields() const
{
    if (!columns_.isEmpty())
        return columns_;
    yb::TableCursor* c = tableCursor();
    return c && isActive() ? c->fieldNames() : QStringList();
}

yb::FieldType DBGrid::fieldType(int col) const
{
    yb::TableCursor* c = tableCursor();
    const QStringList fields = shownFields();
    yb::Field* f = c && isActive() && col >= 0 && col < fields.size() ? c->findField(fields[col]) : nullptr;
    return f ? f->type() : yb::FieldType::Text;
}

void DBGrid::setupColumns()
{
    const QStringList fields = shownFields();
    widths_.clear();
    const int digit = fontMetrics().horizontalAdvance(QLatin1Char('0'));
    yb::TableCursor* c = tableCursor();
    for (const QString& name : fields) {
        yb::Field* f = c && isActive() ? c->findField(name) : nullptr;
        int chars = 10;
        if (f) {
            switch (f->type()) {
            case yb::FieldType::Text: chars = std::clamp(f->size(), 1, 64); break;
            case yb::FieldType::Memo: chars = 10; break;
            case yb::FieldType::Integer: chars = 11; break;
            case yb::FieldType::SmallInt: chars = 6; break;
            case yb::FieldType::DateTime: chars = 20; break;
            }
        }
        int w = chars * digit + 4;
        if (options_.testFlag(Titles))
            w = std::max(w, fontMetrics().horizontalAdvance(name) + 6);
        widths_ << w;
    }
    col_ = std::clamp(col_, 0, std::max(0, int(fields.size()) - 1));
    window_.setFields(fields);
    dirty_ = true;
    refreshWindow();
}

int DBGrid::columnWidth(int col) const { return col >= 0 && col < widths_.size() ? widths_[col] : 0; }

void DBGrid::setColumnWidth(int col, int width)
{
    if (col < 0 || col >= widths_.size())
        return;
    widths_[col] = std::max(4, width);
    updateScrollBars();
    viewport()->update();
}

void DBGrid::setCurrentColumn(int col)
{
    if (columnCount() == 0)
        return;
    col_ = std::clamp(col, 0, columnCount() - 1);
    ensureColumnVisible(col_);
    viewport()->update();
    yb::accessibleRowsChanged(this, told_);
}

int DBGrid::rowHeight() const { return fontMetrics().height() + 4; }

int DBGrid::titleHeight() const { return options_.testFlag(Titles) ? rowHeight() : 0; }

int DBGrid::indicatorWidth() const { return options_.testFlag(Indicator) ? 12 : 0; }

int DBGrid::visibleRowCount() const { return std::max(1, (viewport()->height() - titleHeight()) / rowHeight()); }

int DBGrid::columnX(int col) const
{
    int x = indicatorWidth() - horizontalScrollBar()->value();
    for (int i = 0; i < col && i < widths_.size(); ++i)
        x += widths_[i];
    return x;
}

int DBGrid::rowAt(int y) const
{
    if (y < titleHeight())
        return -1;
    const int row = (y - titleHeight()) / rowHeight();
    return row < window_.rows().size() ? row : -1;
}

QRect DBGrid::cellRect(int row, int col) const
{
    if (row < 0)
        return QRect(columnX(col), 0, columnWidth(col), titleHeight());
    return QRect(columnX(col), titleHeight() + row * rowHeight(), columnWidth(col), rowHeight());
}

bool DBGrid::moveToRow(int row)
{
    if (!isActive() || row < 0 || row >= window_.rows().size() || window_.activeRow() < 0)
        return false;
    const int delta = row - window_.activeRow();
    return delta != 0 && tableCursor()->moveBy(delta) != 0;
}

QString DBGrid::cellText(int row, int col) const
{
    const auto& rows = window_.rows();
    if (row < 0 || row >= rows.size())
        return {};
    QString t = yb::displayText(fieldType(col), rows[row].values.value(col));
    if (fieldType(col) == yb::FieldType::Memo) {
        t.replace(QLatin1String("\r\n"), QLatin1String(" "));
        t.replace(u'\n', u' ');
    }
    return t;
}

void DBGrid::refreshWindow()
{
    if (!isVisible()) {
        dirty_ = true;
        return;
    }
    dirty_ = false;
    window_.setRowCount(visibleRowCount());
    if (isActive() && !window_.fields().isEmpty())
        window_.refresh(tableCursor());
    else
        window_.clear();
    updateScrollBars();
    viewport()->update();
    yb::accessibleRowsChanged(this, told_);
}

int DBGrid::scrollPosition() const { return RecordWindow::scrollPosition(tableCursor()); }

void DBGrid::updateScrollBars()
{
    window_.showScrollPosition(verticalScrollBar(), isActive() ? tableCursor() : nullptr);
    int total = 0;
    for (int w : widths_)
        total += w;
    const int room = viewport()->width() - indicatorWidth();
    QScrollBar* h = horizontalScrollBar();
    h->setRange(0, std::max(0, total - room));
    h->setPageStep(std::max(1, room));
    h->setSingleStep(std::max(1, fontMetrics().horizontalAdvance(QLatin1Char('0')) * 4));
}

void DBGrid::scrollAction(int action)
{
    yb::guard([&] {
        if (isActive() && window_.scroll(tableCursor(), action, false) && isActive() && !window_.allRecordsFit())
            verticalScrollBar()->setSliderPosition(scrollPosition());
    });
}

void DBGrid::thumbReleased()
{
    yb::guard([&] {
        if (!isActive())
            return;
        window_.thumbReleased(tableCursor(), verticalScrollBar()->sliderPosition());
        updateScrollBars();
    });
}

void DBGrid::scrollContentsBy(int, int) { viewport()->update(); }

void DBGrid::ensureColumnVisible(int col)
{
    if (col < 0 || col >= widths_.size())
        return;
    QScrollBar* h = horizontalScrollBar();
    int left = 0;
    for (int i = 0; i < col; ++i)
        left += widths_[i];
    const int room = viewport()->width() - indicatorWidth();
    if (left < h->value())
        h->setValue(left);
    else if (left + widths_[col] > h->value() + room)
        h->setValue(std::min(left, left + widths_[col] - room));
}

int DBGrid::resizeHandleAt(const QPoint& p) const
{
    if (!options_.testFlag(ColumnResize) || !options_.testFlag(Titles) || p.y() >= titleHeight())
        return -1;
    for (int i = 0; i < widths_.size(); ++i) {
        const int right = columnX(i) + widths_[i];
        if (std::abs(p.x() - right) <= 3)
            return i;
    }
    return -1;
}

void DBGrid::paintEvent(QPaintEvent*)
{
    QPainter p(viewport());
    const int rh = rowHeight();
    const int th = titleHeight();
    const int iw = indicatorWidth();
    const int vw = viewport()->width();
    const auto& rows = window_.rows();
    const QStringList fields = shownFields();
    const QColor lineColor = palette().color(QPalette::Mid);
    const QColor fixedColor = palette().color(QPalette::Button);
    const int bottom = th + int(rows.size()) * rh;

    // cells
    p.save();
    p.setClipRect(QRect(iw, th, vw - iw, viewport()->height() - th));
    for (int r = 0; r < rows.size(); ++r) {
        const int y = th + r * rh;
        for (int c = 0; c < fields.size(); ++c) {
            const int x = columnX(c);
            const int w = columnWidth(c);
            if (x > vw || x + w < iw)
                continue;
            const QRect cell(x, y, w, rh);
            const bool current = r == window_.activeRow() && c == col_ && hasFocus();
            if (current) {
                p.fillRect(cell, palette().color(QPalette::Highlight));
                p.setPen(palette().color(QPalette::HighlightedText));
            } else {
                p.setPen(palette().color(QPalette::Text));
            }
            const Qt::Alignment align =
                (yb::isIntegerType(fieldType(c)) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
            p.save();
            p.setClipRect(cell.intersected(QRect(iw, th, vw - iw, viewport()->height() - th)));
            p.drawText(cell.adjusted(2, 0, -3, 0), align | Qt::TextSingleLine, cellText(r, c));
            p.restore();
            if (current) {
                QStyleOptionFocusRect o;
                o.initFrom(this);
                o.state |= QStyle::State_KeyboardFocusChange; // shown however the focus came
                o.rect = cell.adjusted(0, 0, -1, -1);
                o.backgroundColor = palette().color(QPalette::Highlight);
                style()->drawPrimitive(QStyle::PE_FrameFocusRect, &o, &p, this);
            }
        }
    }
    p.setPen(lineColor);
    if (options_.testFlag(ColLines))
        for (int c = 0; c < fields.size(); ++c) {
            const int x = columnX(c) + columnWidth(c) - 1;
            p.drawLine(x, th, x, bottom - 1);
        }
    if (options_.testFlag(RowLines))
        for (int r = 0; r < rows.size(); ++r) {
            const int y = th + (r + 1) * rh - 1;
            p.drawLine(iw, y, columnX(int(fields.size())) - 1, y);
        }
    p.restore();

    // title row
    if (th > 0) {
        p.save();
        p.setClipRect(QRect(iw, 0, vw - iw, th));
        for (int c = 0; c < fields.size(); ++c) {
            QStyleOptionHeader h;
            h.initFrom(this);
            h.rect = QRect(columnX(c), 0, columnWidth(c), th);
            h.section = c;
            h.text = fields[c];
            h.textAlignment = Qt::AlignLeft | Qt::AlignVCenter;
            style()->drawControl(QStyle::CE_Header, &h, &p, this);
        }
        p.restore();
    }
    // indicator column
    if (iw > 0) {
        p.fillRect(QRect(0, 0, iw, bottom), fixedColor);
        p.setPen(lineColor);
        p.drawLine(iw - 1, 0, iw - 1, bottom - 1);
        if (th > 0)
            p.drawLine(0, th - 1, iw - 1, th - 1);
        const int r = window_.activeRow();
        if (r >= 0) {
            const QRect cell(0, th + r * rh, iw - 1, rh);
            const QPointF c = QRectF(cell).center();
            p.setRenderHint(QPainter::Antialiasing);
            p.setPen(palette().color(QPalette::ButtonText));
            p.setBrush(palette().color(QPalette::ButtonText));
            const yb::CursorState s = state();
            if (s == yb::CursorState::Insert) {
                p.drawText(cell, Qt::AlignCenter, QStringLiteral("*"));
            } else if (s == yb::CursorState::Edit) {
                p.drawLine(QPointF(c.x(), c.y() - 4), QPointF(c.x(), c.y() + 4));
                p.drawLine(QPointF(c.x() - 2, c.y() - 4), QPointF(c.x() + 2, c.y() - 4));
                p.drawLine(QPointF(c.x() - 2, c.y() + 4), QPointF(c.x() + 2, c.y() + 4));
            } else {
                QPolygonF t;
                t << QPointF(c.x() - 2, c.y() - 4) << QPointF(c.x() + 3, c.y()) << QPointF(c.x() - 2, c.y() + 4);
                p.drawPolygon(t);
            }
        }
    }
}

void DBGrid::resizeEvent(QResizeEvent* e)
{
    QAbstractScrollArea::resizeEvent(e);
    updateScrollBars();
    if (window_.rowCount() != visibleRowCount())
        refreshWindow();
}

void DBGrid::showEvent(QShowEvent* e)
{
    if (!dataSourceObject())
        resolveDataSource();
    QAbstractScrollArea::showEvent(e);
    if (dirty_ || window_.rowCount() != visibleRowCount())
        refreshWindow();
}

void DBGrid::mousePressEvent(QMouseEvent* e)
{
    yb::guard([&] {
        if (e->button() != Qt::LeftButton)
            return;
        const QPoint pos = e->position().toPoint();
        const int handle = resizeHandleAt(pos);
        if (handle >= 0) {
            resizing_ = handle;
            resizeStartX_ = pos.x();
            resizeStartWidth_ = widths_[handle];
            return;
        }
        setFocus(Qt::MouseFocusReason);
        if (!hasFocus())
            return;
        if (pos.y() < titleHeight() || !isActive())
            return;
        const int row = rowAt(pos.y());
        if (row < 0)
            return;
        for (int c = 0; c < columnCount(); ++c)
            if (pos.x() >= columnX(c) && pos.x() < columnX(c) + columnWidth(c) && pos.x() >= indicatorWidth())
                setCurrentColumn(c);
        moveToRow(row);
    });
}

void DBGrid::mouseMoveEvent(QMouseEvent* e)
{
    const QPoint pos = e->position().toPoint();
    if (resizing_ >= 0) {
        setColumnWidth(resizing_, resizeStartWidth_ + pos.x() - resizeStartX_);
        return;
    }
    viewport()->setCursor(resizeHandleAt(pos) >= 0 ? Qt::SplitHCursor : Qt::ArrowCursor);
}

void DBGrid::mouseReleaseEvent(QMouseEvent*) { resizing_ = -1; }

void DBGrid::wheelEvent(QWheelEvent* e)
{
    yb::guard([&] {
        const int dy = e->angleDelta().y();
        if (isActive() && dy != 0)
            tableCursor()->moveBy(dy > 0 ? -1 : 1);
        e->accept();
    });
}

bool DBGrid::event(QEvent* e)
{
    if (e->type() == QEvent::KeyPress && options_.testFlag(Tabs)) {
        auto* k = static_cast<QKeyEvent*>(e);
        if ((k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) &&
            !(k->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            yb::guard([&] { tab(k->key() == Qt::Key_Tab && !(k->modifiers() & Qt::ShiftModifier)); });
            return true;
        }
        // Tab stays among the cells; Ctrl+Tab leaves the grid, so that the
        // keyboard alone reaches the controls after it.
        if ((k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) &&
            (k->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) == Qt::ControlModifier) {
            focusNextPrevChild(k->key() == Qt::Key_Tab && !(k->modifiers() & Qt::ShiftModifier));
            return true;
        }
    }
    return QAbstractScrollArea::event(e);
}

void DBGrid::tab(bool forward)
{
    if (columnCount() == 0)
        return;
    int col = col_ + (forward ? 1 : -1);
    if (col >= columnCount()) {
        if (isActive())
            tableCursor()->next();
        col = 0;
    } else if (col < 0) {
        if (isActive())
            tableCursor()->prior();
        col = columnCount() - 1;
    }
    setCurrentColumn(col);
}

void DBGrid::deleteRecord()
{
    if (readOnly_ || !isActive() || !tableCursor()->canModify())
        return;
    if (options_.testFlag(ConfirmDelete) && !yb::confirmDelete(this))
        return;
    tableCursor()->remove();
}

void DBGrid::keyPressEvent(QKeyEvent* e)
{
    yb::guard([&] {
        const bool ctrl = e->modifiers() & Qt::ControlModifier;
        yb::TableCursor* c = isActive() ? tableCursor() : nullptr;
        switch (e->key()) {
        case Qt::Key_Up:
            if (c)
                c->prior();
            break;
        case Qt::Key_Down:
            if (c)
                c->next();
            break;
        case Qt::Key_PageUp:
            if (c)
                c->moveBy(-visibleRowCount());
            break;
        case Qt::Key_PageDown:
            if (c)
                c->moveBy(visibleRowCount());
            break;
        case Qt::Key_Home:
            if (ctrl) {
                if (c)
                    c->first();
            } else {
                setCurrentColumn(0);
            }
            break;
        case Qt::Key_End:
            if (ctrl) {
                if (c)
                    c->last();
            } else {
                setCurrentColumn(columnCount() - 1);
            }
            break;
        case Qt::Key_Left: setCurrentColumn(col_ - 1); break;
        case Qt::Key_Right: setCurrentColumn(col_ + 1); break;
        case Qt::Key_Delete:
            if (!ctrl) {
                QAbstractScrollArea::keyPressEvent(e);
                return;
            }
            deleteRecord();
            break;
        default: QAbstractScrollArea::keyPressEvent(e); return;
        }
        e->accept();
    });
}

void DBGrid::focusInEvent(QFocusEvent* e)
{
    QAbstractScrollArea::focusInEvent(e);
    viewport()->update();
    yb::accessibleRowsChanged(this, told_, true);
}

void DBGrid::focusOutEvent(QFocusEvent* e)
{
    yb::guard([&] {
        QAbstractScrollArea::focusOutEvent(e);
        viewport()->update();
        if (options_.testFlag(CancelOnExit) && yb::focusMovesWithinWindow(e) && isActive() &&
            tableCursor()->state() == yb::CursorState::Insert && !tableCursor()->modified())
            tableCursor()->cancel();
    });
}

void DBGrid::recordChanged()
{
    if (widths_.size() != shownFields().size())
        setupColumns(); // the cursor opened after the grid was attached
    else
        refreshWindow();
}

void DBGrid::fieldChanged(const QString&) { refreshWindow(); }

void DBGrid::stateChanged() { recordChanged(); }

void DBGrid::linkChanged() { setupColumns(); }
