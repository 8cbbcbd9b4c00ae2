#pragma once
// Daily sales balance: lists, deletes and prints the recorded sales.

#include <QImage>
#include <QWidget>
#include <functional>
#include <memory>

namespace Ui {
class TForm44315;
}
namespace yb {
class TableCursor;
}
class DataSource;
class QPagedPaintDevice;

class TForm44315 : public QWidget {
    Q_OBJECT
public:
    explicit TForm44315(QWidget* parent = nullptr);
    ~TForm44315() override;

    static constexpr int DesignClientWidth = 640; // of the restored window

    yb::TableCursor* Table1 = nullptr;
    DataSource* DataSource1 = nullptr;

    // Where the screen's image goes: by default a job on the default printer
    // ("There is no default printer currently selected" when there is none).
    // Replaceable, so that a PDF writer can take the job.
    using PrinterFactory = std::function<std::unique_ptr<QPagedPaintDevice>()>;
    static void setPrinterFactory(PrinterFactory factory);

    // Prints `picture` at the top-left corner of one page, each direction
    // scaled by the printer's dots per inch over the screen's (so that it
    // keeps its size on screen).
    static void printPicture(const QImage& picture, QPagedPaintDevice& printer, double screenDpiX, double screenDpiY);

public slots:
    void FormActivate();
    void IMPRIMIRClick();
    void SpeedButton2Click();
    void BotonOCULTARClick();
    void SALIDAClick();

private:
    void setCoveredByHelp(bool covered);

    std::unique_ptr<Ui::TForm44315> ui;
};

extern TForm44315* Form44315;
