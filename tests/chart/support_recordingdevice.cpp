#include "support_recordingdevice.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPixmap>
#include <cmath>

namespace testsupport {

namespace {
constexpr int RecordingDpi = 96;
}

int RecordedText::Left() const { return int(std::lround(Baseline.x())); }
int RecordedText::Top() const { return int(std::lround(Baseline.y())) - QFontMetrics(Font).ascent(); }
int RecordedText::Width() const { return QFontMetrics(Font).horizontalAdvance(Text); }
int RecordedText::Height() const { return QFontMetrics(Font).height(); }

class RecordingEngine : public QPaintEngine {
public:
    RecordingEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState& state) override
    {
        if (state.state() & QPaintEngine::DirtyPen)
            FPen = state.pen();
    }
    Type type() const override { return QPaintEngine::User; }

    void drawTextItem(const QPointF& p, const QTextItem& item) override
    {
        Texts.push_back({item.text(), item.font(), p, FPen.color()});
    }
    void drawLines(const QLineF* lines, int count) override
    {
        for (int i = 0; i < count; ++i)
            Lines.push_back(lines[i]);
    }
    void drawLines(const QLine* lines, int count) override
    {
        for (int i = 0; i < count; ++i)
            Lines.push_back(QLineF(lines[i]));
    }
    void drawRects(const QRectF* rects, int count) override
    {
        for (int i = 0; i < count; ++i)
            Rects.push_back(rects[i]);
    }
    void drawRects(const QRect* rects, int count) override
    {
        for (int i = 0; i < count; ++i)
            Rects.push_back(QRectF(rects[i]));
    }
    void drawPixmap(const QRectF& r, const QPixmap&, const QRectF&) override { Images.push_back(r); }
    void drawImage(const QRectF& r, const QImage&, const QRectF&, Qt::ImageConversionFlags) override
    {
        Images.push_back(r);
    }
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    void drawPath(const QPainterPath&) override {}

    std::vector<RecordedText> Texts;
    std::vector<QLineF> Lines;
    std::vector<QRectF> Rects;
    std::vector<QRectF> Images;

private:
    QPen FPen;
};

RecordingDevice::RecordingDevice(int width, int height)
    : FWidth(width), FHeight(height), FEngine(std::make_unique<RecordingEngine>())
{
}

RecordingDevice::~RecordingDevice() = default;

QPaintEngine* RecordingDevice::paintEngine() const { return FEngine.get(); }

const std::vector<RecordedText>& RecordingDevice::Texts() const { return FEngine->Texts; }
const std::vector<QLineF>& RecordingDevice::Lines() const { return FEngine->Lines; }
const std::vector<QRectF>& RecordingDevice::Rects() const { return FEngine->Rects; }
const std::vector<QRectF>& RecordingDevice::Images() const { return FEngine->Images; }

std::vector<QString> RecordingDevice::TextStrings() const
{
    std::vector<QString> out;
    for (const RecordedText& t : FEngine->Texts)
        out.push_back(t.Text);
    return out;
}

void RecordingDevice::Clear()
{
    FEngine->Texts.clear();
    FEngine->Lines.clear();
    FEngine->Rects.clear();
    FEngine->Images.clear();
}

int RecordingDevice::metric(PaintDeviceMetric metric) const
{
    switch (metric) {
    case PdmWidth: return FWidth;
    case PdmHeight: return FHeight;
    case PdmWidthMM: return FWidth * 254 / (RecordingDpi * 10);
    case PdmHeightMM: return FHeight * 254 / (RecordingDpi * 10);
    case PdmNumColors: return 0;
    case PdmDepth: return 32;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY: return RecordingDpi;
    case PdmDevicePixelRatio: return 1;
    case PdmDevicePixelRatioScaled: return int(devicePixelRatioFScale());
    }
    return 0;
}

} // namespace testsupport
