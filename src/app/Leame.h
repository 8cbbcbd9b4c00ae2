#pragma once
// Preliminary notes.

#include <QWidget>
#include <memory>

namespace Ui {
class TForm19;
}

class TForm19 : public QWidget {
    Q_OBJECT
public:
    explicit TForm19(QWidget* parent = nullptr);
    ~TForm19() override;


public slots:
    void BitBtn1Click();

private:
    std::unique_ptr<Ui::TForm19> ui;
};

extern TForm19* Form19;
