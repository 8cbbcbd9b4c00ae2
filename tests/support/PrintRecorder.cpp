#include "PrintRecorder.h"

#include <QPaintEngine>
#include <QTextItem>

namespace yb::printing {

class PrintRecorder::Engine : public QPaintEngine {
public:
    explicit Engine(PrintRecorder* owner) : QPaintEngine(QPaintEngine::AllFeatures), owner_(owner) {}
    bool begin(QPaintDevice*) override
    {
        owner_->page_ = 1;
        return true;
    }
    bool end() override
    {
        ++owner_->documents_;
        return true;
    }
    void updateState(const QPaintEngineState& state) override
    {
        if (state.state() & QPaintEngine::DirtyPen)
            pen_ = state.pen();
    }
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawTextItem(const QPointF& p, const QTextItem& item) override
    {
        owner_->pieces_.append({owner_->page_, p, item.text(), item.font(), pen_.color()});
    }
    Type type() const override { return QPaintEngine::User; }

private:
    PrintRecorder* owner_;
    QPen pen_;
};

PrintRecorder::PrintRecorder(QSize pageSize, int dpi)
    : size_(pageSize), dpi_(dpi), engine_(std::make_unique<Engine>(this))
{
}

PrintRecorder::~PrintRecorder() = default;

void PrintRecorder::clear()
{
    pieces_.clear();
    page_ = 1;
    documents_ = 0;
}

void PrintRecorder::newPage()
{
    if (failNewPage_)
        throw PrinterError(QStringLiteral("Printer is not currently printing"));
    ++page_;
}

void PrintRecorder::checkError()
{
    if (failAfter_ >= 0 && pieces_.size() >= failAfter_)
        throw PrinterError(QStringLiteral("Printer error on 'recorder'"));
}

QPaintEngine* PrintRecorder::paintEngine() const { return engine_.get(); }

int PrintRecorder::metric(PaintDeviceMetric m) const
{
    switch (m) {
    case PdmWidth: return size_.width();
    case PdmHeight: return size_.height();
    case PdmWidthMM: return int(size_.width() * 25.4 / dpi_);
    case PdmHeightMM: return int(size_.height() * 25.4 / dpi_);
    case PdmNumColors: return INT_MAX;
    case PdmDepth: return 32;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY: return dpi_;
    case PdmDevicePixelRatio: return 1;
    case PdmDevicePixelRatioScaled: return int(QPaintDevice::devicePixelRatioFScale());
    default: return 0;
    }
}

} // namespace yb::printing
