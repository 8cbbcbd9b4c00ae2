#pragma once
// Sales terminal: the assistant types a product's code, sees its description
// and price, and registers one unit of it; every sale is written to the
// sales table. Esc starts the next customer.

#include "shop/Sale.h"

#include <QChar>
#include <QWidget>
#include <memory>

namespace Ui {
class TTERMINAL;
}
namespace yb {
class TableCursor;
}
class DataSource;
class QTimer;

class TTERMINAL : public QWidget {
    Q_OBJECT
public:
    explicit TTERMINAL(QWidget* parent = nullptr);
    ~TTERMINAL() override;

    yb::TableCursor* tblProductos = nullptr;
    yb::TableCursor* tblVentas = nullptr;
    DataSource* dsProductos = nullptr;
    QTimer* Reloj = nullptr;

public slots:
    void FormActivate();
    void btnAnotarClick();
    void BotonverClick();
    void CANCELARClick();
    void AyudaClick();
    void Ocultar2Click();
    void BitBtn1Click();
    void RelojTimer();

public:
    void edCodigoKeyPress(QChar& Key);
    void dbDescripcionKeyPress(QChar& Key);

private:
    void lookupProduct();
    void newCustomer();

    std::unique_ptr<Ui::TTERMINAL> ui;
    std::unique_ptr<yb::Till> till_;
};

extern TTERMINAL* TERMINAL;
