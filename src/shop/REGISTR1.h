#pragma once
// Product table editor.

#include <QWidget>
#include <memory>

namespace Ui {
class TEDITORTABLA;
}
namespace yb {
class TableCursor;
}

class TEDITORTABLA : public QWidget {
    Q_OBJECT
public:
    explicit TEDITORTABLA(QWidget* parent = nullptr);
    ~TEDITORTABLA() override;

    yb::TableCursor* Table1 = nullptr;

public slots:
    void BitBtnFRANClick();

private:
    std::unique_ptr<Ui::TEDITORTABLA> ui;
};

extern TEDITORTABLA* EDITORTABLA;
