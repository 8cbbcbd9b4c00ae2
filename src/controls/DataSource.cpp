#include "controls/DataSource.h"

#include <QWidget>

namespace {

// Every attachment that exists, so that a data source created after its
// controls can find the ones that name it.
QList<DataLink*>& allLinks()
{
    static QList<DataLink*> links;
    return links;
}

QObject* windowOf(QObject* o)
{
    QObject* top = o;
    for (QObject* p = o; p; p = p->parent()) {
        if (p->isWidgetType())
            return static_cast<QWidget*>(p)->window();
        top = p;
    }
    return top;
}

} // namespace

// ---------------------------------------------------------------- DataLink

DataLink::DataLink(QWidget* owner) : owner_(owner) { allLinks().append(this); }

DataLink::~DataLink()
{
    allLinks().removeAll(this);
    if (source_)
        source_->detach(this);
}

void DataLink::setDataSourceName(const QString& name)
{
    if (source_ && source_->objectName() == name)
        return;
    if (source_)
        setDataSourceObject(nullptr);
    sourceName_ = name;
    resolveDataSource();
}

void DataLink::setDataSourceObject(DataSource* source)
{
    if (source == source_)
        return;
    if (source_)
        source_->detach(this);
    source_ = nullptr;
    if (source) {
        sourceName_ = source->objectName();
        source->attach(this); // calls linkChanged()
    } else {
        sourceName_.clear();
        linkChanged();
    }
}

bool DataLink::resolveDataSource()
{
    if (source_)
        return true;
    if (sourceName_.isEmpty() || !owner_)
        return false;
    QWidget* win = owner_->window();
    auto* found = win->objectName() == sourceName_ ? qobject_cast<DataSource*>(win) : nullptr;
    if (!found)
        found = win->findChild<DataSource*>(sourceName_);
    if (!found)
        return false;
    setDataSourceObject(found);
    return true;
}

yb::TableCursor* DataLink::tableCursor() const { return source_ ? source_->cursor() : nullptr; }

bool DataLink::isActive() const { return source_ && source_->isActive(); }

yb::CursorState DataLink::state() const { return source_ ? source_->state() : yb::CursorState::Inactive; }

// -------------------------------------------------------------- DataSource

DataSource::DataSource(QObject* parent) : QObject(parent)
{
    connect(this, &QObject::objectNameChanged, this, &DataSource::attachWaitingControls);
}

DataSource::DataSource(yb::TableCursor* cursor, const QString& name, QObject* parent) : DataSource(parent)
{
    setObjectName(name);
    setCursor(cursor);
}

DataSource::~DataSource()
{
    if (cursor_)
        cursor_->removeObserver(this);
    const auto links = links_;
    links_.clear();
    for (DataLink* l : links) {
        l->source_ = nullptr;
        l->linkChanged();
    }
}

void DataSource::setCursor(yb::TableCursor* cursor)
{
    if (cursor == cursor_)
        return;
    if (cursor_)
        cursor_->removeObserver(this);
    cursor_ = cursor;
    if (cursor_)
        cursor_->addObserver(this);
    forEachLink([](DataLink* l) { l->linkChanged(); });
    attachWaitingControls();
}

void DataSource::setEnabled(bool on)
{
    if (on == enabled_)
        return;
    enabled_ = on;
    forEachLink([](DataLink* l) { l->linkChanged(); });
}

bool DataSource::edit()
{
    if (!isActive())
        return false;
    if (autoEdit_ && cursor_->state() == yb::CursorState::Browse)
        cursor_->edit();
    return cursor_->isEditing();
}

void DataSource::attach(DataLink* link)
{
    if (link->source_ && link->source_ != this)
        link->source_->detach(link);
    if (!links_.contains(link))
        links_.append(link);
    link->source_ = this;
    link->linkChanged();
}

void DataSource::detach(DataLink* link)
{
    links_.removeAll(link);
    if (link->source_ == this)
        link->source_ = nullptr;
}

QObject* DataSource::rootObject() const { return windowOf(const_cast<DataSource*>(this)); }

void DataSource::attachWaitingControls()
{
    if (objectName().isEmpty())
        return;
    QObject* root = rootObject();
    const auto waiting = allLinks();
    for (DataLink* l : waiting) {
        if (l->source_ || l->sourceName_ != objectName() || !l->owner_)
            continue;
        if (l->owner_->window() == root)
            attach(l);
    }
}

template <class F> void DataSource::forEachLink(F f)
{
    // A control may detach (or be destroyed) while another one is notified.
    const auto links = links_;
    for (DataLink* l : links)
        if (links_.contains(l))
            f(l);
}

void DataSource::recordChanged()
{
    if (!enabled_)
        return;
    forEachLink([](DataLink* l) { l->recordChanged(); });
    emit dataChange();
}

void DataSource::fieldChanged(const QString& field)
{
    if (!enabled_)
        return;
    forEachLink([&](DataLink* l) { l->fieldChanged(field); });
    emit dataChange();
}

void DataSource::stateChanged()
{
    if (!enabled_)
        return;
    forEachLink([](DataLink* l) { l->stateChanged(); });
    emit stateChange();
}

void DataSource::updateRecord()
{
    if (!enabled_)
        return;
    forEachLink([](DataLink* l) { l->updateRecord(); });
    emit updateData();
}

void DataSource::focusField(const QString& field)
{
    if (!enabled_)
        return;
    const auto links = links_;
    for (DataLink* l : links)
        if (links_.contains(l) && l->focusField(field))
            return;
}
