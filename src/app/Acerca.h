#pragma once
// About screen.

#include <QWidget>
#include <memory>

namespace Ui {
class TForm2;
}

class TForm2 : public QWidget {
    Q_OBJECT
public:
    explicit TForm2(QWidget* parent = nullptr);
    ~TForm2() override;


public slots:
    void BitBtn3Click();

private:
    std::unique_ptr<Ui::TForm2> ui;
};

extern TForm2* Form2;
