#pragma once
// Second about box, shown and hidden without a modal run by the about screen.

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


private:
    std::unique_ptr<Ui::TFORMABOX> ui;
};

extern TFORMABOX* FORMABOX;
