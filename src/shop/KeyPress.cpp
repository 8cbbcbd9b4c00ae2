#include "shop/KeyPress.h"

#include "controls/ControlSupport.h"

#include <QEvent>
#include <QKeyEvent>
#include <QWidget>

namespace yb {

namespace {

class KeyPressFilter : public QObject {
public:
    KeyPressFilter(QWidget* control, KeyPressHandler handler) : QObject(control), handler_(std::move(handler)) {}

    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() != QEvent::KeyPress)
            return false;
        auto* k = static_cast<QKeyEvent*>(e);
        QChar key;
        const bool plain = !(k->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
        if (plain && (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter))
            key = QChar(13);
        else if (plain && k->key() == Qt::Key_Escape)
            key = QChar(27);
        else if (plain && k->key() == Qt::Key_Backspace)
            key = QChar(8);
        else
            key = yb::typedChar(k);
        if (key.isNull())
            return false;
        bool consumed = true;
        yb::guard([&] {
            handler_(key);
            consumed = key.isNull();
        });
        return consumed;
    }

private:
    KeyPressHandler handler_;
};

} // namespace

void onKeyPress(QWidget* control, KeyPressHandler handler)
{
    control->installEventFilter(new KeyPressFilter(control, std::move(handler)));
}

} // namespace yb
