#pragma once
// Medical glossary.

#include <QWidget>
#include <memory>

namespace Ui {
class TForm21;
}
namespace yb {
class TableCursor;
}

class TForm21 : public QWidget {
    Q_OBJECT
public:
    explicit TForm21(QWidget* parent = nullptr);
    ~TForm21() override;

    yb::TableCursor* Table1 = nullptr;

public slots:
    void BitBtn1Click();

private:
    std::unique_ptr<Ui::TForm21> ui;
};

extern TForm21* Form21;
