#pragma once
// A shown chart set up for mouse tests: area x 50..270, y 16..168 (280 x 200, rims 50, 10, 16,
// 32, no scales drawn), layer ranges chosen so that one pixel is one data unit, and counters of
// repaints and zoom events.

#include "chart/layerchart.h"

#include <QPoint>

#include <memory>

namespace charttest {

struct MouseChart {
    std::unique_ptr<chart::TLayerChart> Chart;
    int Repaints = 0; // chart-area renderings (Paint and Redraw)
    int ZoomPans = 0;
};

// Layer n gets X 0..220 and Y 0..152, so data x = px - 50 and data y = 168 - py.
std::unique_ptr<MouseChart> MakeMouseChart(chart::TMouseActMode mode);

inline constexpr int AreaLeft = 50, AreaRight = 270, AreaTop = 16, AreaBottom = 168;
inline constexpr int AreaRimRight = 280 - AreaRight;

// Qt Test input on the chart (moves carry the buttons pressed before).
void Press(chart::TLayerChart& c, QPoint p, Qt::MouseButton b = Qt::LeftButton);
void Move(chart::TLayerChart& c, QPoint p);
void Release(chart::TLayerChart& c, QPoint p, Qt::MouseButton b = Qt::LeftButton);

} // namespace charttest
