#pragma once
// Daily sales balance: lists, deletes and prints the recorded sales.

#include <QWidget>
#include <memory>

namespace Ui {
class TForm44315;
}
namespace yb {
class TableCursor;
}

class TForm44315 : public QWidget {
    Q_OBJECT
public:
    explicit TForm44315(QWidget* parent = nullptr);
    ~TForm44315() override;

    yb::TableCursor* Table1 = nullptr;

public slots:
    void SALIDAClick();

private:
    std::unique_ptr<Ui::TForm44315> ui;
};

extern TForm44315* Form44315;
