#include "shell/FocusStyle.h"

#include <QApplication>
#include <QPainter>
#include <QPushButton>
#include <QStyleFactory>
#include <QStyleOptionButton>

namespace yb {

namespace {

bool isFocusedPushButton(const QStyleOption* option, const QWidget* widget)
{
    return option && (option->state & QStyle::State_HasFocus) && qobject_cast<const QPushButton*>(widget);
}

// The focused button drawn as if the focus had come by the keyboard (some
// styles show it only then) and as the default button.
QStyleOptionButton focusedButton(const QStyleOptionButton& option)
{
    QStyleOptionButton o(option);
    o.state |= QStyle::State_KeyboardFocusChange;
    o.features |= QStyleOptionButton::DefaultButton;
    return o;
}

// A frame in the selection colour just inside the button's edge, over its
// panel and under its caption: plain enough to be seen from the till.
void drawFocusFrame(const QStyleOptionButton& o, QPainter* painter)
{
    painter->save();
    painter->setPen(QPen(o.palette.color(QPalette::Active, QPalette::Highlight), 2));
    painter->setBrush(Qt::NoBrush);
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->drawRect(QRectF(o.rect).adjusted(2, 2, -2, -2));
    painter->restore();
}

} // namespace

FocusStyle::FocusStyle(QStyle* base) : QProxyStyle(base) {}

void FocusStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                               const QWidget* widget) const
{
    if (isFocusedPushButton(option, widget)) {
        if (auto* button = qstyleoption_cast<const QStyleOptionButton*>(option)) {
            const QStyleOptionButton o = focusedButton(*button);
            QProxyStyle::drawPrimitive(element, &o, painter, widget);
            if (element == PE_PanelButtonCommand)
                drawFocusFrame(o, painter);
            return;
        }
        if (element == PE_FrameFocusRect) {
            if (auto* frame = qstyleoption_cast<const QStyleOptionFocusRect*>(option)) {
                QStyleOptionFocusRect o(*frame);
                o.state |= State_KeyboardFocusChange;
                QProxyStyle::drawPrimitive(element, &o, painter, widget);
                return;
            }
        }
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void FocusStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                             const QWidget* widget) const
{
    auto* button = qstyleoption_cast<const QStyleOptionButton*>(option);
    if (!button || !isFocusedPushButton(option, widget)) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    const QStyleOptionButton o = focusedButton(*button);
    QProxyStyle::drawControl(element, &o, painter, widget);
}

void installFocusStyle()
{
    if (qobject_cast<FocusStyle*>(QApplication::style()))
        return;
    QApplication::setStyle(new FocusStyle(QStyleFactory::create(QApplication::style()->name())));
}

} // namespace yb
