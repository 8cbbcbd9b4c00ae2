#include "controls/ControlAccessibility.h"

#include "controls/ControlSupport.h"
#include "controls/DBGrid.h"
#include "controls/DBLookupListBox.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>
#include <QScrollBar>

namespace yb {

namespace {

// The scroll bars a control shows, after its rows among its children.
QList<QWidget*> shownScrollBars(const QAbstractScrollArea* area)
{
    QList<QWidget*> out;
    for (QScrollBar* bar : {area->verticalScrollBar(), area->horizontalScrollBar()})
        if (bar->isVisible())
            out << bar;
    return out;
}

// Base of the two controls' interfaces: children made on demand and kept
// under a registered id, so that a reader holds the same child for the same
// place; the scroll bars follow the items.
class RowsAccessible : public QAccessibleWidget {
public:
    RowsAccessible(QWidget* w, QAccessible::Role role) : QAccessibleWidget(w, role) {}
    ~RowsAccessible() override
    {
        for (QAccessible::Id id : std::as_const(children_))
            QAccessible::deleteAccessibleInterface(id);
    }

    QAbstractScrollArea* area() const { return static_cast<QAbstractScrollArea*>(widget()); }
    virtual int itemCount() const = 0;
    virtual QAccessibleInterface* makeItem(int index) const = 0;
    virtual int currentItem() const = 0; // -1: none

    int childCount() const override { return itemCount() + int(shownScrollBars(area()).size()); }
    QAccessibleInterface* child(int index) const override
    {
        if (index < 0)
            return nullptr;
        if (index >= itemCount()) {
            const QList<QWidget*> bars = shownScrollBars(area());
            index -= itemCount();
            return index < bars.size() ? QAccessible::queryAccessibleInterface(bars[index]) : nullptr;
        }
        if (auto it = children_.constFind(index); it != children_.constEnd())
            return QAccessible::accessibleInterface(*it);
        QAccessibleInterface* item = makeItem(index);
        children_.insert(index, QAccessible::registerAccessibleInterface(item));
        return item;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        if (!child)
            return -1;
        for (auto it = children_.constBegin(); it != children_.constEnd(); ++it)
            if (QAccessible::accessibleInterface(it.value()) == child)
                return it.key() < itemCount() ? it.key() : -1;
        const QList<QWidget*> bars = shownScrollBars(area());
        for (int i = 0; i < bars.size(); ++i)
            if (child->object() == bars[i])
                return itemCount() + i;
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override
    {
        for (int i = 0; i < childCount(); ++i)
            if (QAccessibleInterface* c = child(i); c && c->rect().contains(x, y))
                return c;
        return nullptr;
    }
    QAccessibleInterface* focusChild() const override
    {
        if (!widget()->hasFocus())
            return nullptr;
        const int i = currentItem();
        return i >= 0 ? child(i) : nullptr;
    }

private:
    mutable QHash<int, QAccessible::Id> children_;
};

// One shown place of a control: a grid cell or column title, or a list row.
class ItemAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    enum Kind { Title, Cell, ListRow };
    ItemAccessible(QWidget* control, Kind kind, int row, int column)
        : control_(control), kind_(kind), row_(row), column_(column)
    {
    }

    DBGrid* grid() const { return qobject_cast<DBGrid*>(control_.data()); }
    DBLookupListBox* list() const { return qobject_cast<DBLookupListBox*>(control_.data()); }

    bool isValid() const override
    {
        if (kind_ == ListRow)
            return list() && row_ < list()->window().rows().size();
        DBGrid* g = grid();
        if (!g || column_ >= g->columnCount())
            return false;
        return kind_ == Title ? g->titleHeight() > 0 : row_ < g->window().rows().size();
    }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return control_ ? control_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(control_.data()); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    QString text(QAccessible::Text t) const override
    {
        if (!isValid())
            return {};
        if (kind_ == ListRow)
            return t == QAccessible::Name ? list()->rowText(row_) : QString();
        const QString title = grid()->titles().value(column_);
        if (kind_ == Title)
            return t == QAccessible::Name ? title : QString();
        if (t == QAccessible::Name)
            return grid()->cellText(row_, column_);
        if (t == QAccessible::Description)
            return title;
        return {};
    }
    void setText(QAccessible::Text, const QString&) override {}

    QRect rect() const override
    {
        if (!isValid())
            return {};
        QRect r;
        QWidget* vp = static_cast<QAbstractScrollArea*>(control_.data())->viewport();
        if (kind_ == ListRow)
            r = list()->rowRect(row_);
        else
            r = grid()->cellRect(kind_ == Title ? -1 : row_, column_);
        return QRect(vp->mapToGlobal(r.topLeft()), r.size());
    }
    QAccessible::Role role() const override
    {
        switch (kind_) {
        case Title: return QAccessible::ColumnHeader;
        case Cell: return QAccessible::Cell;
        case ListRow: break;
        }
        return QAccessible::ListItem;
    }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        if (!isValid()) {
            s.invalid = true;
            return s;
        }
        s.readOnly = true;
        if (kind_ == Title)
            return s;
        s.selectable = true;
        s.focusable = true;
        s.selected = isSelected();
        if (control_->hasFocus()) {
            if (kind_ == ListRow)
                s.focused = list()->focusRow() == row_;
            else
                s.focused = s.selected && grid()->currentColumn() == column_;
        }
        QWidget* vp = static_cast<QAbstractScrollArea*>(control_.data())->viewport();
        const QRect r = kind_ == ListRow ? list()->rowRect(row_) : grid()->cellRect(row_, column_);
        if (!r.intersects(vp->rect()) || !control_->isVisible())
            s.invisible = s.offscreen = true;
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::TableCellInterface && kind_ != ListRow)
            return static_cast<QAccessibleTableCellInterface*>(this);
        return nullptr;
    }

    // ---- as a table cell
    bool isSelected() const override
    {
        if (!isValid() || kind_ == Title)
            return false;
        if (kind_ == ListRow)
            return list()->selectedRow() == row_;
        return grid()->window().activeRow() == row_;
    }
    QList<QAccessibleInterface*> columnHeaderCells() const override
    {
        QAccessibleInterface* t = table();
        if (kind_ != Cell || !t || !grid() || grid()->titleHeight() == 0)
            return {};
        return {t->child(column_)};
    }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return column_; }
    int rowIndex() const override { return row_; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

private:
    QPointer<QWidget> control_;
    Kind kind_;
    int row_;
    int column_;
};

// The grid: a table of its shown records. Children: the column titles (with
// the title row), then the cells row by row.
class GridAccessible : public RowsAccessible, public QAccessibleTableInterface {
public:
    explicit GridAccessible(DBGrid* grid) : RowsAccessible(grid, QAccessible::Table) {}
    DBGrid* grid() const { return static_cast<DBGrid*>(widget()); }
    int titles() const { return grid()->titleHeight() > 0 ? grid()->columnCount() : 0; }

    int itemCount() const override { return titles() + rowCount() * columnCount(); }
    QAccessibleInterface* makeItem(int index) const override
    {
        if (index < titles())
            return new ItemAccessible(grid(), ItemAccessible::Title, -1, index);
        index -= titles();
        // Cells are kept by their place: the index of a cell does not depend
        // on how many rows are shown now.
        const int cols = std::max(1, columnCount());
        return new ItemAccessible(grid(), ItemAccessible::Cell, index / cols, index % cols);
    }
    int currentItem() const override
    {
        const int row = grid()->window().activeRow();
        return row < 0 || columnCount() == 0 ? -1 : titles() + row * columnCount() + grid()->currentColumn();
    }
    void* interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface*>(this);
        return RowsAccessible::interface_cast(t);
    }

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override
    {
        if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
            return nullptr;
        return child(titles() + row * columnCount() + column);
    }
    int selectedCellCount() const override { return currentItem() >= 0 ? 1 : 0; }
    QList<QAccessibleInterface*> selectedCells() const override
    {
        const int i = currentItem();
        return i >= 0 ? QList<QAccessibleInterface*>{child(i)} : QList<QAccessibleInterface*>{};
    }
    QString columnDescription(int column) const override { return grid()->titles().value(column); }
    QString rowDescription(int) const override { return {}; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return grid()->window().activeRow() >= 0 ? 1 : 0; }
    int columnCount() const override { return grid()->columnCount(); }
    int rowCount() const override { return int(grid()->window().rows().size()); }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override
    {
        const int row = grid()->window().activeRow();
        return row >= 0 ? QList<int>{row} : QList<int>{};
    }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int row) const override { return row >= 0 && row == grid()->window().activeRow(); }
    // A reader that selects a row moves the grid's cursor there, as a click does.
    bool selectRow(int row) override
    {
        if (row < 0 || row >= rowCount() || !grid()->isEnabled())
            return false;
        bool moved = false;
        guard([&] { moved = grid()->moveToRow(row); });
        return moved;
    }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}
};

// The lookup list: a list of its shown rows.
class ListAccessible : public RowsAccessible {
public:
    explicit ListAccessible(DBLookupListBox* list) : RowsAccessible(list, QAccessible::List) {}
    DBLookupListBox* list() const { return static_cast<DBLookupListBox*>(widget()); }
    int itemCount() const override { return int(list()->window().rows().size()); }
    QAccessibleInterface* makeItem(int index) const override
    {
        return new ItemAccessible(list(), ItemAccessible::ListRow, index, 0);
    }
    int currentItem() const override
    {
        const int focus = list()->focusRow();
        return focus >= 0 ? focus : list()->selectedRow();
    }
};

QAccessibleInterface* controlFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("DBGrid"))
        if (auto* grid = qobject_cast<DBGrid*>(object))
            return new GridAccessible(grid);
    if (className == QLatin1String("DBLookupListBox"))
        if (auto* list = qobject_cast<DBLookupListBox*>(object))
            return new ListAccessible(list);
    return nullptr;
}

std::function<void(QAccessibleEvent*)>& listener()
{
    static std::function<void(QAccessibleEvent*)> l;
    return l;
}

void tell(QWidget* control, QAccessible::Event type, int child)
{
    QAccessibleEvent e(control, type);
    if (child >= 0)
        e.setChild(child);
    if (listener())
        listener()(&e);
    QAccessible::updateAccessibility(&e);
}

} // namespace

void installControlAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(controlFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

void setAccessibleRowsListener(std::function<void(QAccessibleEvent*)> l) { listener() = std::move(l); }

void accessibleRowsChanged(QWidget* control, ShownRows& told, bool focusIn)
{
    ShownRows now;
    int currentChild = -1;
    int focusChild = -1;
    const QList<yb::RecordRow>* rows = nullptr;
    if (auto* grid = qobject_cast<DBGrid*>(control)) {
        rows = &grid->window().rows();
        now.current = grid->window().activeRow();
        now.column = grid->currentColumn();
        const int titles = grid->titleHeight() > 0 ? grid->columnCount() : 0;
        if (now.current >= 0 && grid->columnCount() > 0)
            currentChild = focusChild = titles + now.current * grid->columnCount() + now.column;
    } else if (auto* list = qobject_cast<DBLookupListBox*>(control)) {
        rows = &list->window().rows();
        now.current = list->selectedRow();
        now.focus = list->focusRow();
        currentChild = now.current;
        focusChild = now.focus;
    } else {
        return;
    }
    now.count = int(rows->size());
    now.first = rows->isEmpty() ? -1 : rows->first().bookmark.rowId;

    const bool shownChanged = now.first != told.first || now.count != told.count;
    const bool currentChanged = now.current != told.current || now.column != told.column;
    const bool focusChanged = focusIn || currentChanged || now.focus != told.focus;
    told = now;
    if (shownChanged)
        tell(control, QAccessible::VisibleDataChanged, -1);
    if (currentChanged && currentChild >= 0)
        tell(control, QAccessible::Selection, currentChild);
    if ((focusChanged || shownChanged) && focusChild >= 0 && control->hasFocus())
        tell(control, QAccessible::Focus, focusChild);
}

} // namespace yb
