#include "controls/DBLookupListBox.h"

#include "controls/ControlSupport.h"

#include <QElapsedTimer>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionFocusRect>

namespace {

// The clock of the incremental search, one for all lookup lists.
std::function<qint64()> searchClockOverride;
qint64 searchClock()
{
    if (searchClockOverride)
        return searchClockOverride();
    static QElapsedTimer timer;
    if (!timer.isValid())
        timer.start();
    return timer.elapsed();
}
qint64 lastSearchTick = std::numeric_limits<qint64>::min() / 2;

} // namespace

DBLookupListBox::DBLookupListBox(QWidget* parent) : QAbstractScrollArea(parent), DataLink(this)
{
    setFocusPolicy(Qt::StrongFocus);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    verticalScrollBar()->setRange(0, 0);
    verticalScrollBar()->setPageStep(1);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this, &DBLookupListBox::scrollAction);
    connect(verticalScrollBar(), &QScrollBar::sliderReleased, this, &DBLookupListBox::thumbReleased);
    // A child by name, so that what drives the drag's ticks can find it.
    scrollTimer_.setParent(this);
    scrollTimer_.setObjectName(QStringLiteral("scrollTimer"));
    scrollTimer_.setTimerType(Qt::PreciseTimer);
    connect(&scrollTimer_, &QTimer::timeout, this, &DBLookupListBox::timerScroll);
    yb::installControlAccessibility();
}

QSize DBLookupListBox::sizeHint() const { return QSize(121, 97); }

void DBLookupListBox::setKeyField(const QString& name)
{
    keyField_ = name;
    setupFields();
}

void DBLookupListBox::setListField(const QString& name)
{
    listField_ = name;
    setupFields();
}

void DBLookupListBox::setKeyValue(const QVariant& v)
{
    keyValue_ = v;
    viewport()->update();
    yb::accessibleRowsChanged(this, told_);
}

void DBLookupListBox::setupFields()
{
    QStringList fields;
    if (!keyField_.isEmpty())
        fields << keyField_;
    const QString list = listField_.isEmpty() ? keyField_ : listField_;
    if (!list.isEmpty() && list.compare(keyField_, Qt::CaseInsensitive) != 0)
        fields << list;
    window_.setFields(fields);
    dirty_ = true;
    refreshWindow();
}

int DBLookupListBox::listIndex() const { return window_.fields().size() > 1 ? 1 : 0; }

yb::FieldType DBLookupListBox::listType() const
{
    yb::TableCursor* c = tableCursor();
    const QString name = listField_.isEmpty() ? keyField_ : listField_;
    yb::Field* f = c && isActive() ? c->findField(name) : nullptr;
    return f ? f->type() : yb::FieldType::Memo;
}

int DBLookupListBox::rowHeight() const { return fontMetrics().height() + 2; }

int DBLookupListBox::rowCount() const { return std::max(1, viewport()->height() / rowHeight()); }

QString DBLookupListBox::rowText(int row) const
{
    const auto& rows = window_.rows();
    if (row < 0 || row >= rows.size())
        return {};
    return yb::displayText(listType(), rows[row].values.value(listIndex()));
}

int DBLookupListBox::selectedRow() const
{
    if (keyValue_.isNull())
        return -1;
    const auto& rows = window_.rows();
    for (int i = 0; i < rows.size(); ++i)
        if (rows[i].values.value(keyIndex()) == keyValue_)
            return i;
    return -1;
}

QRect DBLookupListBox::rowRect(int row) const { return QRect(0, row * rowHeight(), viewport()->width(), rowHeight()); }

int DBLookupListBox::focusRow() const
{
    if (!hasFocus())
        return -1;
    if (keyValue_.isNull())
        return isActive() && tableCursor()->bof() && !window_.rows().isEmpty() ? 0 : -1;
    return selectedRow();
}

void DBLookupListBox::refreshWindow()
{
    if (!isVisible()) {
        dirty_ = true;
        return;
    }
    dirty_ = false;
    window_.setRowCount(rowCount());
    if (isActive() && !window_.fields().isEmpty())
        window_.refresh(tableCursor());
    else
        window_.clear();
    updateScrollBar();
    viewport()->update();
    yb::accessibleRowsChanged(this, told_);
}

int DBLookupListBox::scrollPosition() const { return RecordWindow::scrollPosition(tableCursor()); }

void DBLookupListBox::updateScrollBar()
{
    window_.showScrollPosition(verticalScrollBar(), isActive() ? tableCursor() : nullptr);
}

void DBLookupListBox::scrollAction(int action)
{
    yb::guard([&] {
        if (!isActive() || action == QAbstractSlider::SliderMove || action == QAbstractSlider::SliderNoAction)
            return;
        searchText_.clear();
        window_.scroll(tableCursor(), action, true);
        if (isActive() && !window_.allRecordsFit())
            verticalScrollBar()->setSliderPosition(scrollPosition());
    });
}

void DBLookupListBox::thumbReleased()
{
    yb::guard([&] {
        if (!isActive())
            return;
        searchText_.clear();
        window_.thumbReleased(tableCursor(), verticalScrollBar()->sliderPosition());
        updateScrollBar();
    });
}

void DBLookupListBox::selectCurrent()
{
    if (!isActive())
        return;
    yb::Field* f = tableCursor()->findField(keyField_);
    if (!f || (!tableCursor()->hasRecord() && !tableCursor()->isEditing()))
        return;
    keyValue_ = f->value();
    viewport()->update();
    yb::accessibleRowsChanged(this, told_);
    emit clicked();
}

void DBLookupListBox::selectItemAt(int y)
{
    if (!isActive() || window_.activeRow() < 0)
        return;
    y = std::clamp(y, 0, std::max(0, viewport()->height() - 1));
    const int delta = y / rowHeight() - window_.activeRow();
    if (delta != 0)
        tableCursor()->moveBy(delta);
    selectCurrent();
}

void DBLookupListBox::mousePressEvent(QMouseEvent* e)
{
    yb::guard([&] {
        if (e->button() != Qt::LeftButton)
            return;
        setFocus(Qt::MouseFocusReason);
        if (!hasFocus())
            return; // the control that had the focus kept it
        searchText_.clear();
        tracking_ = true;
        mouseY_ = int(e->position().y());
        try {
            selectItemAt(mouseY_);
        } catch (...) {
            stopTracking(); // a failed move (a post refused) ends the drag
            throw;
        }
    });
}

void DBLookupListBox::stopTracking()
{
    tracking_ = false;
    scrollTimer_.stop();
}

void DBLookupListBox::mouseMoveEvent(QMouseEvent* e)
{
    yb::guard([&] {
        if (!tracking_)
            return;
        mouseY_ = int(e->position().y());
        try {
            selectItemAt(mouseY_);
            timerScroll();
        } catch (...) {
            stopTracking();
            throw;
        }
    });
}

void DBLookupListBox::mouseReleaseEvent(QMouseEvent* e)
{
    yb::guard([&] {
        if (!tracking_ || e->button() != Qt::LeftButton)
            return;
        stopTracking();
        selectItemAt(int(e->position().y()));
    });
}

// Above or below the list with the button held: one record at once, then
// one at every tick, faster the farther the mouse is from the edge.
void DBLookupListBox::timerScroll()
{
    yb::guard([&] {
        int delta = 0;
        int distance = 0;
        if (mouseY_ < 0) {
            delta = -1;
            distance = -mouseY_;
        }
        if (mouseY_ >= viewport()->height()) {
            delta = 1;
            distance = mouseY_ - viewport()->height() + 1;
        }
        if (delta == 0 || !tracking_ || !isActive()) {
            scrollTimer_.stop();
            return;
        }
        int moved;
        try {
            moved = tableCursor()->moveBy(delta);
        } catch (...) {
            stopTracking();
            throw;
        }
        if (moved != 0)
            selectCurrent();
        scrollTimer_.start(std::max(0, 200 - distance * 15));
    });
}

void DBLookupListBox::wheelEvent(QWheelEvent* e)
{
    yb::guard([&] {
        const int dy = e->angleDelta().y();
        if (dy != 0)
            scrollAction(dy > 0 ? QAbstractSlider::SliderSingleStepSub : QAbstractSlider::SliderSingleStepAdd);
        e->accept();
    });
}

void DBLookupListBox::keyPressEvent(QKeyEvent* e)
{
    yb::guard([&] {
        if (!isActive()) {
            QAbstractScrollArea::keyPressEvent(e);
            return;
        }
        yb::TableCursor* c = tableCursor();
        const bool plain = !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
        int delta = 0;
        enum { None, Move, ToFirst, ToLast } what = None;
        if (plain) {
            switch (e->key()) {
            case Qt::Key_Up:
            case Qt::Key_Left:
                what = Move;
                delta = -1;
                break;
            case Qt::Key_Down:
            case Qt::Key_Right:
                what = Move;
                delta = 1;
                break;
            case Qt::Key_PageUp:
                what = Move;
                delta = 1 - rowCount();
                break;
            case Qt::Key_PageDown:
                what = Move;
                delta = rowCount() - 1;
                break;
            case Qt::Key_Home: what = ToFirst; break;
            case Qt::Key_End: what = ToLast; break;
            default: break;
            }
        }
        if (what != None) {
            searchText_.clear();
            if (what == ToFirst)
                c->first();
            else if (what == ToLast)
                c->last();
            else if (delta != 0)
                c->moveBy(delta);
            selectCurrent();
            e->accept();
            return;
        }
        if (e->key() == Qt::Key_Backspace || e->key() == Qt::Key_Escape) {
            searchText_.clear();
            e->accept();
            return;
        }
        const QChar ch = yb::typedChar(e);
        if (!ch.isNull()) {
            processSearchKey(ch);
            e->accept();
            return;
        }
        QAbstractScrollArea::keyPressEvent(e);
    });
}

void DBLookupListBox::setSearchClock(std::function<qint64()> clock) { searchClockOverride = std::move(clock); }

void DBLookupListBox::processSearchKey(QChar ch)
{
    if (listType() != yb::FieldType::Text)
        return;
    const qint64 now = searchClock();
    if (now - lastSearchTick > SearchResetMs)
        searchText_.clear();
    lastSearchTick = now;
    if (searchText_.size() >= MaxSearchLength)
        return;
    const QString s = searchText_ + ch;
    const QString field = listField_.isEmpty() ? keyField_ : listField_;
    if (tableCursor()->locate(field, s, yb::PartialKey | yb::CaseInsensitive)) {
        selectCurrent();
        searchText_ = s;
    }
}

void DBLookupListBox::paintEvent(QPaintEvent*)
{
    QPainter p(viewport());
    const int rh = rowHeight();
    const int w = viewport()->width();
    const auto& rows = window_.rows();
    const int selected = selectedRow();
    const int focused = focusRow();
    for (int i = 0; i < rows.size(); ++i) {
        const QRect r(0, i * rh, w, rh);
        const bool sel = !keyValue_.isNull() && rows[i].values.value(keyIndex()) == keyValue_;
        if (sel) {
            p.fillRect(r, palette().color(QPalette::Highlight));
            p.setPen(palette().color(QPalette::HighlightedText));
        } else {
            p.setPen(palette().color(QPalette::Text));
        }
        p.drawText(r.adjusted(2, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, rowText(i));
        if (i == focused || (sel && hasFocus() && i != selected)) {
            QStyleOptionFocusRect o;
            o.initFrom(this);
            o.state |= QStyle::State_KeyboardFocusChange; // shown however the focus came
            o.rect = r;
            o.backgroundColor = sel ? palette().color(QPalette::Highlight) : palette().color(QPalette::Base);
            style()->drawPrimitive(QStyle::PE_FrameFocusRect, &o, &p, this);
        }
    }
}

void DBLookupListBox::resizeEvent(QResizeEvent* e)
{
    QAbstractScrollArea::resizeEvent(e);
    if (window_.rowCount() != rowCount())
        refreshWindow();
}

void DBLookupListBox::showEvent(QShowEvent* e)
{
    if (!dataSourceObject())
        resolveDataSource();
    QAbstractScrollArea::showEvent(e);
    if (dirty_ || window_.rowCount() != rowCount())
        refreshWindow();
}

void DBLookupListBox::focusInEvent(QFocusEvent* e)
{
    QAbstractScrollArea::focusInEvent(e);
    viewport()->update();
    yb::accessibleRowsChanged(this, told_, true);
}

void DBLookupListBox::focusOutEvent(QFocusEvent* e)
{
    QAbstractScrollArea::focusOutEvent(e);
    viewport()->update();
    yb::accessibleRowsChanged(this, told_);
}

void DBLookupListBox::recordChanged() { refreshWindow(); }

void DBLookupListBox::fieldChanged(const QString&) { refreshWindow(); }

void DBLookupListBox::stateChanged() { refreshWindow(); }

void DBLookupListBox::linkChanged()
{
    dirty_ = true;
    refreshWindow();
}
