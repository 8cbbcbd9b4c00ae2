#include "controls/DBNavigator.h"

#include "controls/ControlSupport.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionButton>
#include <QTimer>

// One button of the bar. It clicks when the mouse button is released over
// it; Prior and Next also repeat while held down.
class NavButton : public QWidget {
    Q_OBJECT
public:
    NavButton(DBNavigator* bar, DBNavigator::NavigateButton id) : QWidget(bar), bar_(bar), id_(id)
    {
        setFocusPolicy(Qt::NoFocus);
        // A child by name, so that what drives the repeat's ticks can find it.
        repeat_.setParent(this);
        repeat_.setObjectName(QStringLiteral("repeatTimer"));
        repeat_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&repeat_, &QTimer::timeout, this, [this] { repeatTick(); });
        static const char* const names[] = {"nbFirst",  "nbPrior", "nbNext", "nbLast",   "nbInsert",
                                            "nbDelete", "nbEdit",  "nbPost", "nbCancel", "nbRefresh"};
        setObjectName(QLatin1String(names[DBNavigator::indexOf(id)]));
    }

    bool hasFocusMark = false;
    DBNavigator* bar() const { return bar_; }
    DBNavigator::NavigateButton id() const { return id_; }

protected:
    void mousePressEvent(QMouseEvent* e) override
    {
        if (e->button() != Qt::LeftButton)
            return;
        pressed_ = true;
        over_ = true;
        update();
        if (id_ == DBNavigator::Prior || id_ == DBNavigator::Next)
            repeat_.start(400);
    }
    void mouseMoveEvent(QMouseEvent* e) override
    {
        if (!pressed_)
            return;
        const bool over = rect().contains(e->position().toPoint());
        if (over != over_) {
            over_ = over;
            update();
        }
    }
    void mouseReleaseEvent(QMouseEvent* e) override
    {
        if (e->button() != Qt::LeftButton || !pressed_)
            return;
        repeat_.stop();
        pressed_ = false;
        const bool over = rect().contains(e->position().toPoint());
        update();
        if (over && isEnabled())
            yb::guard([this] { bar_->click(id_); });
    }
    void changeEvent(QEvent* e) override
    {
        // A disabled button gets no release: it is up again, and repeats stop.
        if (e->type() == QEvent::EnabledChange && !isEnabled()) {
            repeat_.stop();
            pressed_ = false;
        }
        QWidget::changeEvent(e);
    }
    void paintEvent(QPaintEvent*) override;

private:
    void repeatTick()
    {
        repeat_.setInterval(100);
        if (!pressed_ || !over_ || !isEnabled())
            return;
        try {
            bar_->click(id_);
        } catch (...) {
            repeat_.stop();
            yb::passOn(std::current_exception());
        }
    }

    DBNavigator* bar_;
    DBNavigator::NavigateButton id_;
    QTimer repeat_;
    bool pressed_ = false;
    bool over_ = false;
};

namespace {
// What assistive technology sees of a button of the bar: a push button
// named by the button's hint, pressed through the bar like a mouse click,
// and focused while the bar has the focus on it.
class NavButtonAccessible : public QAccessibleWidget {
public:
    explicit NavButtonAccessible(NavButton* b) : QAccessibleWidget(b, QAccessible::Button) {}
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        auto* b = static_cast<NavButton*>(widget());
        s.focusable = b->bar()->focusPolicy() != Qt::NoFocus;
        s.focused = b->hasFocusMark && b->bar()->hasFocus();
        return s;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override
    {
        auto* b = static_cast<NavButton*>(widget());
        if (action == pressAction() && b->isEnabled())
            yb::guard([b] { b->bar()->click(b->id()); });
    }
};

QAccessibleInterface* navButtonAccessible(const QString& className, QObject* object)
{
    if (className == QLatin1String("NavButton"))
        return new NavButtonAccessible(static_cast<NavButton*>(object));
    return nullptr;
}
} // namespace

namespace {

void drawGlyph(QPainter& p, DBNavigator::NavigateButton id, const QRectF& box, const QColor& color)
{
    const qreal s = std::min(box.width(), box.height());
    const QPointF c = box.center();
    const qreal h = s * 0.5;  // glyph height
    const qreal w = h * 0.55; // triangle width
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    auto triangle = [&](qreal x, bool right) {
        QPolygonF t;
        if (right)
            t << QPointF(x, c.y() - h / 2) << QPointF(x + w, c.y()) << QPointF(x, c.y() + h / 2);
        else
            t << QPointF(x + w, c.y() - h / 2) << QPointF(x, c.y()) << QPointF(x + w, c.y() + h / 2);
        p.drawPolygon(t);
    };
    const qreal bar = std::max<qreal>(1.5, h * 0.14);
    switch (id) {
    case DBNavigator::First:
        p.drawRect(QRectF(c.x() - (w + bar) / 2, c.y() - h / 2, bar, h));
        triangle(c.x() - (w + bar) / 2 + bar, false);
        break;
    case DBNavigator::Prior: triangle(c.x() - w / 2, false); break;
    case DBNavigator::Next: triangle(c.x() - w / 2, true); break;
    case DBNavigator::Last:
        triangle(c.x() - (w + bar) / 2, true);
        p.drawRect(QRectF(c.x() + (w + bar) / 2 - bar, c.y() - h / 2, bar, h));
        break;
    case DBNavigator::Insert:
        p.drawRect(QRectF(c.x() - h / 2, c.y() - bar / 2, h, bar));
        p.drawRect(QRectF(c.x() - bar / 2, c.y() - h / 2, bar, h));
        break;
    case DBNavigator::Delete: p.drawRect(QRectF(c.x() - h / 2, c.y() - bar / 2, h, bar)); break;
    case DBNavigator::Edit: {
        QPolygonF t;
        t << QPointF(c.x() - h / 2, c.y() + w / 2) << QPointF(c.x(), c.y() - w / 2)
          << QPointF(c.x() + h / 2, c.y() + w / 2);
        p.drawPolygon(t);
        break;
    }
    case DBNavigator::Post: {
        QPen pen(color, bar * 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        QPolygonF v;
        v << QPointF(c.x() - h / 2, c.y()) << QPointF(c.x() - h / 8, c.y() + h * 0.35)
          << QPointF(c.x() + h / 2, c.y() - h * 0.4);
        p.drawPolyline(v);
        break;
    }
    case DBNavigator::Cancel: {
        QPen pen(color, bar * 1.3, Qt::SolidLine, Qt::RoundCap);
        p.setPen(pen);
        const qreal r = h * 0.4;
        p.drawLine(QPointF(c.x() - r, c.y() - r), QPointF(c.x() + r, c.y() + r));
        p.drawLine(QPointF(c.x() + r, c.y() - r), QPointF(c.x() - r, c.y() + r));
        break;
    }
    case DBNavigator::Refresh: {
        QPen pen(color, bar * 1.2, Qt::SolidLine, Qt::FlatCap);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        const qreal r = h * 0.42;
        const QRectF arc(c.x() - r, c.y() - r, 2 * r, 2 * r);
        p.drawArc(arc, 100 * 16, 290 * 16);
        // arrow head at the arc's start (top)
        p.setPen(Qt::NoPen);
        p.setBrush(color);
        const QPointF tip(c.x() - r * 0.17 + r * 0.6, c.y() - r);
        QPolygonF a;
        a << QPointF(tip.x() - r * 0.7, tip.y() - r * 0.45) << QPointF(tip.x(), tip.y())
          << QPointF(tip.x() - r * 0.7, tip.y() + r * 0.45);
        p.drawPolygon(a);
        break;
    }
    }
}

} // namespace

void NavButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    QStyleOptionButton opt;
    opt.initFrom(this);
    const bool down = pressed_ && over_;
    opt.state |= down ? QStyle::State_Sunken : QStyle::State_Raised;
    style()->drawControl(QStyle::CE_PushButtonBevel, &opt, &p, this);
    QRectF box = rect().adjusted(2, 2, -2, -2);
    if (down)
        box.translate(1, 1);
    const QColor color = isEnabled() ? palette().color(QPalette::Active, QPalette::ButtonText)
                                     : palette().color(QPalette::Disabled, QPalette::ButtonText);
    drawGlyph(p, id_, box, color);
    if (hasFocusMark) {
        QStyleOptionFocusRect f;
        f.initFrom(this);
        f.rect = rect().adjusted(3, 3, -3, -3);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &f, &p, this);
    }
}

// ------------------------------------------------------------- DBNavigator

int DBNavigator::indexOf(NavigateButton b)
{
    for (int i = 0; i < ButtonCount; ++i)
        if (buttonAt(i) == b)
            return i;
    return -1;
}

QString DBNavigator::defaultHint(NavigateButton b)
{
    switch (b) {
    case First: return QStringLiteral("First record");
    case Prior: return QStringLiteral("Prior record");
    case Next: return QStringLiteral("Next record");
    case Last: return QStringLiteral("Last record");
    case Insert: return QStringLiteral("Insert record");
    case Delete: return QStringLiteral("Delete record");
    case Edit: return QStringLiteral("Edit record");
    case Post: return QStringLiteral("Post edit");
    case Cancel: return QStringLiteral("Cancel edit");
    case Refresh: return QStringLiteral("Refresh data");
    }
    return {};
}

DBNavigator::DBNavigator(QWidget* parent) : QWidget(parent), DataLink(this)
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(&navButtonAccessible);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
    setFocusPolicy(Qt::NoFocus);
    for (int i = 0; i < ButtonCount; ++i)
        buttons_[i] = new NavButton(this, buttonAt(i));
    layoutButtons();
    updateButtons();
    updateHints();
}

DBNavigator::~DBNavigator() = default;

void DBNavigator::setVisibleButtons(NavigateButtons buttons)
{
    visible_ = buttons;
    layoutButtons();
}

void DBNavigator::setShowHint(bool on)
{
    showHint_ = on;
    updateHints();
}

void DBNavigator::setHints(const QStringList& hints)
{
    hints_ = hints;
    updateHints();
}

QString DBNavigator::hint(NavigateButton b) const
{
    const int i = indexOf(b);
    if (i >= 0 && i < hints_.size() && !hints_.at(i).isEmpty())
        return hints_.at(i);
    return defaultHint(b);
}

void DBNavigator::updateHints()
{
    for (int i = 0; i < ButtonCount; ++i) {
        buttons_[i]->setToolTip(showHint_ ? hint(buttonAt(i)) : QString());
        // Named by its hint whether or not the hint shows as a tooltip.
        buttons_[i]->setAccessibleName(hint(buttonAt(i)));
    }
}

bool DBNavigator::isButtonEnabled(NavigateButton b) const
{
    const int i = indexOf(b);
    return i >= 0 && buttons_[i]->isEnabled();
}

QWidget* DBNavigator::button(NavigateButton b) const
{
    const int i = indexOf(b);
    return i >= 0 ? buttons_[i] : nullptr;
}

void DBNavigator::updateButtons()
{
    const bool active = isActive();
    yb::TableCursor* c = tableCursor();
    const bool bof = active && c->bof();
    const bool eof = active && c->eof();
    const bool modifiable = active && c->canModify();
    const bool editing = active && c->isEditing();
    const bool on[ButtonCount] = {
        active && !bof,              // First
        active && !bof,              // Prior
        active && !eof,              // Next
        active && !eof,              // Last
        modifiable,                  // Insert
        modifiable && !(bof && eof), // Delete
        modifiable && !editing,      // Edit
        modifiable && editing,       // Post
        modifiable && editing,       // Cancel
        active,                      // Refresh
    };
    for (int i = 0; i < ButtonCount; ++i)
        buttons_[i]->setEnabled(on[i]);
}

void DBNavigator::layoutButtons()
{
    QList<NavButton*> shown;
    for (int i = 0; i < ButtonCount; ++i) {
        const bool v = visible_.testFlag(buttonAt(i));
        buttons_[i]->setVisible(v);
        if (v)
            shown.append(buttons_[i]);
    }
    const int n = int(shown.size());
    for (int k = 0; k < n; ++k) {
        const int x0 = k * width() / n;
        const int x1 = (k + 1) * width() / n;
        shown[k]->setGeometry(x0, 0, x1 - x0, height());
    }
    if (!visible_.testFlag(buttonAt(focusIndex_)))
        moveFocusButton(1);
    updateGeometry();
}

QSize DBNavigator::sizeHint() const
{
    int n = 0;
    for (int i = 0; i < ButtonCount; ++i)
        n += visible_.testFlag(buttonAt(i)) ? 1 : 0;
    return QSize(std::max(1, n) * 24 + 1, 25);
}

QSize DBNavigator::minimumSizeHint() const { return QSize(0, 0); }

void DBNavigator::click(NavigateButton b)
{
    const int i = indexOf(b);
    if (i < 0 || !buttons_[i]->isEnabled())
        return;
    if (isActive()) {
        yb::TableCursor* c = tableCursor();
        switch (b) {
        case First: c->first(); break;
        case Prior: c->prior(); break;
        case Next: c->next(); break;
        case Last: c->last(); break;
        case Insert: c->insert(); break;
        case Delete:
            if (!confirmDelete_ || yb::confirmDelete(this))
                c->remove();
            break;
        case Edit: c->edit(); break;
        case Post: c->post(); break;
        case Cancel: c->cancel(); break;
        case Refresh: c->refresh(); break;
        }
    }
    emit clicked(b);
}

void DBNavigator::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    layoutButtons();
}

void DBNavigator::moveFocusButton(int step)
{
    buttons_[focusIndex_]->hasFocusMark = false;
    buttons_[focusIndex_]->update();
    for (int k = 0; k < ButtonCount; ++k) {
        focusIndex_ = (focusIndex_ + step + ButtonCount) % ButtonCount;
        if (visible_.testFlag(buttonAt(focusIndex_)))
            break;
    }
    buttons_[focusIndex_]->hasFocusMark = hasFocus();
    buttons_[focusIndex_]->update();
    if (hasFocus())
        announceFocusButton();
}

void DBNavigator::announceFocusButton()
{
    // A screen reader follows the marked button, not the bar.
    if (!QAccessible::isActive())
        return;
    QAccessibleEvent ev(buttons_[focusIndex_], QAccessible::Focus);
    QAccessible::updateAccessibility(&ev);
}

void DBNavigator::keyPressEvent(QKeyEvent* e)
{
    yb::guard([&] {
        switch (e->key()) {
        case Qt::Key_Left: moveFocusButton(-1); break;
        case Qt::Key_Right: moveFocusButton(1); break;
        case Qt::Key_Space:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (!e->isAutoRepeat())
                click(buttonAt(focusIndex_));
            break;
        default: QWidget::keyPressEvent(e); return;
        }
        e->accept();
    });
}

void DBNavigator::focusInEvent(QFocusEvent* e)
{
    buttons_[focusIndex_]->hasFocusMark = true;
    buttons_[focusIndex_]->update();
    QWidget::focusInEvent(e);
    announceFocusButton();
}

void DBNavigator::focusOutEvent(QFocusEvent* e)
{
    buttons_[focusIndex_]->hasFocusMark = false;
    buttons_[focusIndex_]->update();
    QWidget::focusOutEvent(e);
}

void DBNavigator::showEvent(QShowEvent* e)
{
    if (!dataSourceObject())
        resolveDataSource();
    QWidget::showEvent(e);
}

void DBNavigator::recordChanged() { updateButtons(); }

void DBNavigator::stateChanged() { updateButtons(); }

void DBNavigator::linkChanged() { updateButtons(); }

#include "DBNavigator.moc"
