#pragma once
// The presentation screen: the title page shown once over the main menu.

#include <QWidget>
#include <memory>

namespace Ui {
class TForm400;
}

class TForm400 : public QWidget {
    Q_OBJECT
public:
    explicit TForm400(QWidget* parent = nullptr);
    ~TForm400() override;

public slots:
    void Button1Click();

private:
    std::unique_ptr<Ui::TForm400> ui;
};

extern TForm400* Form400;
