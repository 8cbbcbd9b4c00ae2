#include "shell/Accessibility.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QAccessible>
#include <QBoxLayout>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRegularExpression>
#include <QTextEdit>
#include <QToolButton>

#include <QApplication>

namespace yb {

namespace {

// Picture buttons that show nothing but their picture: no caption, tooltip
// or status hint to take a name from.
struct PictureName {
    const char* screen;
    const char* button;
    const char* name;
};
const PictureName pictureNames[] = {
    {"Form2", "botondre3", "Distribuidor"},
    {"FORMABOX", "boton3876", "Quorvex"},
    {"EDITORTABLA", "Speed1", "Ayuda"},
};

// Labels whose text is a value that changes by itself: their name says what
// the value is.
struct RoleLabel {
    const char* screen;
    const char* label;
    const char* role;
};
const RoleLabel roleLabels[] = {
    {"Form1", "Label1", "Fecha"},
    {"Form1", "Label2", "Hora"},
    {"TERMINAL", "lbFechaHora", "Fecha y hora"},
    {"TERMINAL", "lbImporte", "Total"},
};

// A caption as a name: without the accelerator marks, the closing colon and
// surrounding blanks.
QString plainCaption(QString text)
{
    text.replace(QLatin1String("&&"), QLatin1String("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    text = text.simplified();
    while (text.endsWith(QLatin1Char(':')))
        text.chop(1);
    return text.trimmed();
}

// A status hint sentence as a name: "Haga clic para salir del programa."
// names the button "Salir del programa".
QString hintAsName(QString sentence)
{
    sentence = sentence.simplified();
    static const QRegularExpression lead(QStringLiteral("^Haga clic (para )+"),
                                         QRegularExpression::CaseInsensitiveOption);
    sentence.remove(lead);
    while (sentence.endsWith(QLatin1Char('.')) && !sentence.endsWith(QLatin1String("...")))
        sentence.chop(1);
    if (!sentence.isEmpty())
        sentence[0] = sentence[0].toUpper();
    return sentence;
}

bool hasAccelerator(const QString& text)
{
    static const QRegularExpression mark(QStringLiteral("(^|[^&])&([^&]|$)"));
    return mark.match(text).hasMatch();
}

bool isRoleLabel(const QWidget* w) { return w->property("yb_accessibleRole").isValid(); }

// A label that can name another control: it shows a caption, not a value.
QLabel* captionLabel(QWidget* w)
{
    auto* label = qobject_cast<QLabel*>(w);
    if (!label || isRoleLabel(label) || plainCaption(label->text()).isEmpty())
        return nullptr;
    return label;
}

// Controls named after the caption of a label beside them.
bool takesLabel(const QWidget* w)
{
    return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QPlainTextEdit*>(w) ||
        qobject_cast<const QTextEdit*>(w) || qobject_cast<const QAbstractScrollArea*>(w);
}

// Where `w` stands in a layout.
enum class Place { Absent, Named, First, Other };

// Finds `w` in `layout` (or a layout nested in it) and the label before it:
// above it in a grid (or to its left), the item before it in a box. A
// control that opens a row of its own without a label before it (a key
// memo followed by its buttons) takes the label before that row.
Place labelInLayout(QLayout* layout, QWidget* w, QLabel** found)
{
    if (!layout)
        return Place::Absent;
    auto* grid = qobject_cast<QGridLayout*>(layout);
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem* item = layout->itemAt(i);
        Place place = Place::Absent;
        if (item->widget() == w) {
            place = Place::First;
        } else if (QLayout* inner = item->layout()) {
            place = labelInLayout(inner, w, found);
            if (place == Place::Absent)
                continue;
        } else {
            continue;
        }
        if (place == Place::Named || place == Place::Other)
            return place;
        // `w` is this item or opens it; look before the item.
        if (grid) {
            int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
            grid->getItemPosition(i, &row, &column, &rowSpan, &columnSpan);
            for (const QPoint& at : {QPoint(column, row - 1), QPoint(column - 1, row)}) {
                if (at.x() < 0 || at.y() < 0)
                    continue;
                if (QLayoutItem* before = grid->itemAtPosition(at.y(), at.x()))
                    if ((*found = captionLabel(before->widget())))
                        return Place::Named;
            }
            return row == 0 && column == 0 ? Place::First : Place::Other;
        }
        if (i > 0) {
            QLayoutItem* before = layout->itemAt(i - 1);
            // A caption row (the caption followed by small buttons) counts
            // as its caption.
            auto* row = qobject_cast<QBoxLayout*>(before->layout());
            if (row && row->count() > 0 &&
                (row->direction() == QBoxLayout::LeftToRight || row->direction() == QBoxLayout::RightToLeft))
                before = row->itemAt(0);
            if ((*found = captionLabel(before->widget())))
                return Place::Named;
            return Place::Other;
        }
        return Place::First;
    }
    return Place::Absent;
}

QLabel* labelInLayout(QWidget* w)
{
    QLabel* label = nullptr;
    for (QWidget* p = w->parentWidget(); p; p = p->parentWidget()) {
        // Inside a container (a panel holding only this control), the
        // container's place counts.
        const Place place = labelInLayout(p->layout(), w, &label);
        if (place == Place::Named)
            return label;
        if (place != Place::First || p->isWindow() || p->layout()->count() != 1)
            return nullptr;
        // Alone in its container: the container's own place decides.
        w = p;
    }
    return nullptr;
}

// The label nearest above `w` (overlapping it horizontally) or to its left
// (on its line), by the positions the controls have on the screen.
QLabel* labelByPosition(QWidget* screen, QWidget* w)
{
    const QRect r(w->mapTo(screen, QPoint(0, 0)), w->size());
    QLabel* best = nullptr;
    int bestDistance = 40; // farther than this a caption belongs to something else
    for (QLabel* candidate : screen->findChildren<QLabel*>()) {
        if (!captionLabel(candidate) || !candidate->isVisibleTo(screen))
            continue;
        const QRect c(candidate->mapTo(screen, QPoint(0, 0)), candidate->size());
        int distance = -1;
        if (c.bottom() <= r.top() + 2 && c.right() > r.left() && c.left() < r.right())
            distance = r.top() - c.bottom();
        else if (c.right() <= r.left() + 2 && c.center().y() >= r.top() && c.center().y() <= r.bottom())
            distance = r.left() - c.right();
        if (distance >= 0 && distance < bestDistance) {
            best = candidate;
            bestDistance = distance;
        }
    }
    return best;
}

QLabel* labelFor(QWidget* screen, QWidget* w)
{
    // Named explicitly.
    const QString explicitName = w->property("accessibleLabel").toString();
    if (!explicitName.isEmpty())
        if (auto* label = screen->findChild<QLabel*>(explicitName))
            return label;
    // Already the buddy of a label.
    for (QLabel* label : screen->findChildren<QLabel*>())
        if (label->buddy() == w)
            return label;
    if (QLabel* label = labelInLayout(w))
        return label;
    return labelByPosition(screen, w);
}

// A name for a control that has no label and no tooltip.
QString kindName(const QWidget* w)
{
    if (w->inherits("DBGrid"))
        return QStringLiteral("Tabla");
    if (w->inherits("DBLookupListBox"))
        return QStringLiteral("Lista de registros");
    if (qobject_cast<const QAbstractItemView*>(w))
        return QStringLiteral("Lista");
    if (w->inherits("DBNavigator"))
        return QStringLiteral("Navegador");
    if (qobject_cast<const QPlainTextEdit*>(w) || qobject_cast<const QTextEdit*>(w))
        return QStringLiteral("Texto");
    if (qobject_cast<const QLineEdit*>(w))
        return QStringLiteral("Entrada");
    return {};
}

// A label that shows a changing value is named by its role; the value as it
// stands is its description. The label's text changes without telling
// anyone, but a changed text is repainted, and a hidden label is not read.
class RoleValueFilter : public QObject {
public:
    using QObject::QObject;
    static void sync(QLabel* label)
    {
        if (label->accessibleDescription() != label->text())
            label->setAccessibleDescription(label->text());
    }
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::Paint || e->type() == QEvent::Show)
            sync(static_cast<QLabel*>(o));
        return false;
    }
};

void nameRoleLabels(QWidget* screen)
{
    static RoleValueFilter* filter = nullptr;
    for (const RoleLabel& r : roleLabels) {
        if (screen->objectName() != QLatin1String(r.screen))
            continue;
        auto* label = screen->findChild<QLabel*>(QLatin1String(r.label));
        if (!label || isRoleLabel(label))
            continue;
        if (!filter)
            filter = new RoleValueFilter(qApp);
        label->setProperty("yb_accessibleRole", QString::fromUtf8(r.role));
        if (label->accessibleName().isEmpty())
            label->setAccessibleName(QString::fromUtf8(r.role));
        RoleValueFilter::sync(label);
        label->installEventFilter(filter);
    }
}

// Names the controls again each time the screen is shown, for controls
// that appeared since.
class ShowWatcher : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::Show)
            nameControls(static_cast<QWidget*>(o));
        return false;
    }
};

void nameControl(QWidget* screen, QWidget* w)
{
    // A button captioned with a mere sign ("?", "F") is named by its tooltip.
    if (auto* button = qobject_cast<QAbstractButton*>(w); button && w->accessibleName().isEmpty()) {
        const QString caption = plainCaption(button->text());
        const QString tip = plainCaption(button->toolTip());
        if (caption.size() == 1 && !tip.isEmpty())
            w->setAccessibleName(tip);
    }
    if (!accessibleNameOf(w).isEmpty())
        return;
    if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        // A captioned button is named by its caption already; a picture
        // button by its tooltip, else by its status hint, else by its arrow.
        QString name = plainCaption(button->toolTip());
        if (auto* tool = qobject_cast<QToolButton*>(w); tool && name.isEmpty()) {
            switch (tool->arrowType()) {
            case Qt::UpArrow: name = QStringLiteral("Arriba"); break;
            case Qt::DownArrow: name = QStringLiteral("Abajo"); break;
            case Qt::LeftArrow: name = QStringLiteral("Izquierda"); break;
            case Qt::RightArrow: name = QStringLiteral("Derecha"); break;
            case Qt::NoArrow: break;
            }
        }
        if (name.isEmpty())
            name = hintAsName(button->property("statusHint").toString());
        for (const PictureName& p : pictureNames)
            if (name.isEmpty() && screen->objectName() == QLatin1String(p.screen) &&
                w->objectName() == QLatin1String(p.button))
                name = QString::fromUtf8(p.name);
        if (!name.isEmpty())
            w->setAccessibleName(name);
        return;
    }
    if (takesLabel(w)) {
        if (QLabel* label = labelFor(screen, w)) {
            // Qt names a control after its buddy label only where the two
            // are siblings, and not an item view; a label that carries an
            // accelerator may not gain a new target.
            const bool sibling = label->parentWidget() == w->parentWidget();
            if (!label->buddy() && !hasAccelerator(label->text()) && sibling && !qobject_cast<QAbstractItemView*>(w))
                label->setBuddy(w);
            if (accessibleNameOf(w).isEmpty())
                w->setAccessibleName(plainCaption(label->text()));
            return;
        }
    }
    QString name = plainCaption(w->toolTip());
    // A text without a caption of its own is the text of the window.
    if (name.isEmpty() && (qobject_cast<QPlainTextEdit*>(w) || qobject_cast<QTextEdit*>(w)))
        name = plainCaption(screen->windowTitle());
    w->setAccessibleName(!name.isEmpty() ? name : kindName(w));
}

// The status hint sentence, which shows only while the mouse is over the
// control, describes it.
void describeControl(QWidget* w)
{
    const QString sentence = w->property("statusHint").toString().simplified();
    if (!sentence.isEmpty() && w->accessibleDescription().isEmpty())
        w->setAccessibleDescription(sentence);
}

} // namespace

bool isOperable(const QWidget* w) { return w->focusPolicy() != Qt::NoFocus || qobject_cast<const QAbstractButton*>(w); }

QString accessibleNameOf(QWidget* w)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
    return iface ? iface->text(QAccessible::Name).trimmed() : w->accessibleName();
}

void nameControls(QWidget* screen)
{
    if (!screen)
        return;
    if (!screen->property("yb_namesWatched").toBool()) {
        screen->setProperty("yb_namesWatched", true);
        screen->installEventFilter(new ShowWatcher(screen));
    }
    nameRoleLabels(screen);
    for (QWidget* w : screen->findChildren<QWidget*>()) {
        if (w->window() != screen)
            continue; // the controls of a dialog the screen owns are the dialog's own
        if (isOperable(w) || w->inherits("DBNavigator") || qobject_cast<QAbstractScrollArea*>(w)) {
            nameControl(screen, w);
            describeControl(w);
        }
    }
}

} // namespace yb
