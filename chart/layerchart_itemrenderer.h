#pragma once
// The drawing state of one pass over the display list: remembered canvas attributes, the
// pending polyline of at most 200 points and the pen positions. Used by RenderItems only.

#include "chart/columnreducer.h"
#include "chart/displayitem.h"
#include "chart/layerchart_types.h"

#include <QFont>
#include <QPainter>
#include <QPalette>
#include <QPoint>

#include <array>

namespace chart {

inline constexpr int PolylineMax = 200;

// Settings of the chart that text items use.
struct TextItemSettings {
    QFont Font;           // family of the chart's font
    TFontStyles Style = 0;
    TTextBkStyle BkStyle = tbClear;
    TColor BkColor = clWhite;
    TAlignment Alignment = taCenter;
};

class ItemRenderer {
public:
    ItemRenderer(QPainter& canvas, const QPalette& palette, const TextItemSettings& text)
        : c(canvas), pal(palette), textSettings(text) {}

    // Pen and brush in `chartColor`, pen width `width`, pen position at `corner`.
    void Start(TColor chartColor, int width, QPoint corner);

    // Attributes reach the canvas only when they differ from the remembered value.
    void SetPenColor(TColor col);
    void SetPenStyle(TPenStyle style);
    void SetPenWidth(int w);
    void SetBrush(TColor col, bool clear);
    void SetFontColor(TColor col);

    TColor PenColor() const { return penColor; }
    TPenStyle PenStyle() const { return penStyle; }
    int PenWidth() const { return penWidth; }

    // Line path: ikMoveTo, ikLineTo.
    void MoveTo(QPoint p);
    void AddLinePoint(QPoint p);
    // Draws the pending polyline and moves the pen to its last point.
    void Flush();
    // For a line the caller draws itself: the pending points, or the pen position the next line
    // point would start from, go to `reducer`, and the pending polyline is emptied.
    void TakePendingLine(ColumnReducer& reducer);
    // The caller drew a line that ended at `last`: the pen stands there.
    void LineDrawnTo(QPoint last);

    // Every kind other than the line path; p1, p2 are the canvas pixels of the item's points,
    // boxCorner1/2 those of an ellipse's bounding box.
    void DrawShape(const DisplayItem& it, TColor col, TColor fill, QPoint p1, QPoint p2,
                   QPoint boxCorner1, QPoint boxCorner2);

private:
    void ApplyPen();
    void Segment(QPoint a, QPoint b); // a line leaving out b; the canvas pen ends at b
    bool SamePixel(QPoint a, QPoint b, TColor col);
    void DrawRect3D(const DisplayItem& it, QPoint a, QPoint b, TColor fill);
    void DrawBar3D(const DisplayItem& it, QPoint a, QPoint b);
    void DrawText(const DisplayItem& it, TColor col, QPoint p);
    void DrawArrow(const DisplayItem& it, TColor col, QPoint a, QPoint b);

    QPainter& c;
    const QPalette& pal;
    const TextItemSettings& textSettings;

    TColor penColor = 0;
    TPenStyle penStyle = psSolid;
    int penWidth = 1;
    TColor brushColor = 0;
    bool brushClear = false;
    TColor fontColor = 0;

    std::array<QPoint, PolylineMax> buffer;
    int count = 0;
    QPoint pen;             // PenX, PenY: where the next polyline starts
    QPoint canvasPen;       // the canvas's own pen position
    bool penPlaced = false; // the pen stands on a drawn point, not on the starting corner
};

} // namespace chart
