#pragma once
// Symptoms and diagnoses database.

#include <QWidget>
#include <memory>

namespace Ui {
class TForm13;
}
namespace yb {
class TableCursor;
}

class TForm13 : public QWidget {
    Q_OBJECT
public:
    explicit TForm13(QWidget* parent = nullptr);
    ~TForm13() override;

    yb::TableCursor* Table1 = nullptr;

public slots:
    void BitBtn1Click();

private:
    std::unique_ptr<Ui::TForm13> ui;
};

extern TForm13* Form13;
