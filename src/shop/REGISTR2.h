#pragma once
// Sales terminal.

#include <QWidget>
#include <memory>

namespace Ui {
class TTERMINAL;
}
namespace yb {
class TableCursor;
}

class TTERMINAL : public QWidget {
    Q_OBJECT
public:
    explicit TTERMINAL(QWidget* parent = nullptr);
    ~TTERMINAL() override;

    yb::TableCursor* tblProductos = nullptr;
    yb::TableCursor* tblVentas = nullptr;

public slots:
    void BitBtn1Click();

private:
    std::unique_ptr<Ui::TTERMINAL> ui;
};

extern TTERMINAL* TERMINAL;
