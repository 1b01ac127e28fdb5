#pragma once
// Helpers for the layer chart tests: a chart shown off-screen, pixel access, and a paint device
// that records what a QPainter is asked to draw (to see polylines as drawn calls).

#include "chart/layerchart.h"

#include <QColor>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPoint>
#include <QRect>

#include <memory>
#include <vector>

namespace charttest {

// A chart of the given size with its scales hidden, shown (so its painting is no longer
// suspended).
std::unique_ptr<chart::TLayerChart> MakeBareChart(int width, int height);
// A chart of the given size, shown (so its painting is no longer suspended).
std::unique_ptr<chart::TLayerChart> MakeShownChart(int width, int height);

// Pixel of the picture the chart's window shows.
QRgb WindowPixel(const chart::TCustomLayerChart& c, int x, int y);
QRgb AreaPixel(const chart::TCustomLayerChart& c, int x, int y);

inline QRgb Rgb(chart::TColor c) { return chart::ToQColor(c).rgb(); }

struct RecordedPolyline {
    QColor Color;
    int Width = 0;
    Qt::PenStyle Style = Qt::SolidLine;
    std::vector<QPoint> Points;
};
struct RecordedLine {
    QColor Color;
    Qt::PenStyle Style = Qt::SolidLine;
    QLine Line;
};

class RecordingEngine : public QPaintEngine {
public:
    RecordingEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState& state) override;
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawImage(const QRectF&, const QImage&, const QRectF&, Qt::ImageConversionFlags) override { ++Images; }
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override;
    void drawPolygon(const QPoint* points, int count, PolygonDrawMode mode) override;
    void drawLines(const QLine* lines, int count) override;
    void drawLines(const QLineF* lines, int count) override;
    Type type() const override { return QPaintEngine::User; }

    std::vector<RecordedPolyline> Polylines;
    std::vector<RecordedLine> Lines;
    int Images = 0;

private:
    QPen FPen;
};

class RecordingDevice : public QPaintDevice {
public:
    RecordingDevice(int w, int h) : FW(w), FH(h) {}
    QPaintEngine* paintEngine() const override { return &FEngine; }
    RecordingEngine& Engine() const { return FEngine; }

protected:
    int metric(PaintDeviceMetric m) const override;

private:
    int FW, FH;
    mutable RecordingEngine FEngine;
};

// Runs Redraw with the chart-area drawing replaced by a recording device.
struct RecordedRedraw {
    std::vector<RecordedPolyline> Polylines;
    std::vector<RecordedLine> Lines;
};
RecordedRedraw RecordRedraw(chart::TLayerChart& c);
// Polylines drawn in the given colour.
std::vector<RecordedPolyline> PolylinesOf(const RecordedRedraw& r, chart::TColor color);

} // namespace charttest

namespace charttest {

// The chart settings the program's main window stores (681 x 281, navy width-2 line, dotted
// grey grid, flying shadow, caption "Sync [us]", scales 1X and 1Y).
void ApplyProgramChartSettingsForTest(chart::TLayerChart& c);

// Fits the view as the measurement does: extent of all data, 5 % vertical margin.
void FitLikeMeasurement(chart::TLayerChart& c);

// Appends samples 0 .. count-1 of a seeded random walk as the measurement does, dropping the
// oldest item from sample 3600 on.
void AppendRandomWalk(chart::TLayerChart& c, int count, unsigned seed);

} // namespace charttest
