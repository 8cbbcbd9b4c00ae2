#pragma once
// Catalogue of the maker's programs.

#include <QWidget>
#include <memory>

namespace Ui {
class TForm5;
}

class TForm5 : public QWidget {
    Q_OBJECT
public:
    explicit TForm5(QWidget* parent = nullptr);
    ~TForm5() override;


public slots:
    void BitBtn1Click();

private:
    std::unique_ptr<Ui::TForm5> ui;
};

extern TForm5* Form5;
