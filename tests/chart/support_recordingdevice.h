#pragma once
// A paint device that records what a QPainter draws on it: every text with its font and
// top-left corner, every line, rectangle and image. Tests read texts and positions from what
// was really drawn, through the same QPainter calls that draw on screen.

#include <QFont>
#include <QImage>
#include <QLine>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QRect>
#include <QString>
#include <memory>
#include <vector>

namespace testsupport {

struct RecordedText {
    QString Text;
    QFont Font;
    QPointF Baseline; // where the painter put the baseline's start
    QColor Color;     // the pen colour the text was drawn with
    // Top-left corner and size as the toolkit measures the text.
    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
};

class RecordingEngine;

class RecordingDevice : public QPaintDevice {
public:
    RecordingDevice(int width, int height);
    ~RecordingDevice() override;

    QPaintEngine* paintEngine() const override;

    const std::vector<RecordedText>& Texts() const;
    const std::vector<QLineF>& Lines() const;
    const std::vector<QRectF>& Rects() const;
    const std::vector<QRectF>& Images() const; // target rectangles of drawn images
    std::vector<QString> TextStrings() const;
    void Clear();

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    int FWidth;
    int FHeight;
    std::unique_ptr<RecordingEngine> FEngine;
};

} // namespace testsupport
