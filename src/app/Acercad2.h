#pragma once
// Second about box: the maker and its distributor. The about screen shows and
// hides it without a modal run; it floats above that screen.

#include <QWidget>
#include <memory>

namespace Ui {
class TFORMABOX;
}

class TFORMABOX : public QWidget {
    Q_OBJECT
public:
    explicit TFORMABOX(QWidget* parent = nullptr);
    ~TFORMABOX() override;

protected:
    bool event(QEvent* e) override;

private:
    // Each time the box becomes the active window: the default beep.
    void FormActivate();

    std::unique_ptr<Ui::TFORMABOX> ui;
};

extern TFORMABOX* FORMABOX;
