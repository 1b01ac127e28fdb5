#pragma once
// Drawing a TScale onto a recording canvas and reading back what it drew.

#include "chart/scale.h"
#include "support_recordingdevice.h"

#include <QString>
#include <memory>
#include <ostream>
#include <vector>

// Readable QString values in test failure messages.
void PrintTo(const QString& s, std::ostream* os);

namespace testsupport {

struct ScaleDrawing {
    std::vector<QString> Labels;       // texts in drawing order (labels, then the caption)
    std::vector<RecordedText> Texts;   // the same with fonts and positions
    std::vector<QLineF> Lines;         // tick marks and the base line
    std::vector<double> Recorded;      // GetTickPos(1 … NumTicks)
    std::vector<double> EventTicks;    // CurrentTickPos of each OnScaleTickDrawn
    std::vector<QPoint> EventPoints;   // ChartX, ChartY of each OnScaleTickDrawn
};

// A scale set up the way the chart uses it: suspended, transparent, direct, with this range.
std::unique_ptr<chart::TScale> MakeScale(chart::TScaleType type, double low, double high);

// Paints the scale once onto a recording canvas of its size at the given offsets.
ScaleDrawing DrawScale(chart::TScale& scale, int offsetX = 0, int offsetY = 0);

} // namespace testsupport
