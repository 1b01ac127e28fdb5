#pragma once
// The paint engine behind WmfDevice: turns what a QPainter draws into standard metafile records.
// One logical unit is one device pixel. Pen, brush, font and the small DC attributes are only
// written when the next primitive needs a different value.
//
// Mapped: lines, polylines, polygons (odd-even and winding), rectangles, ellipses, points,
// paths (flattened; closed subpaths filled), text (baseline-aligned, with per-character
// advances, rotated by the transform), images and pixmaps (24-bit DIBs), rectangular clips,
// opaque or transparent background, XOR and the other raster operations GDI knows.
// Not kept: alpha (colours are opaque; images are flattened onto white), gradients and
// textures (filled with one colour), antialiasing, non-rectangular clips (their bounding box).

#include "chart/wmfwriter.h"

#include <QFont>
#include <QPaintEngine>
#include <QTransform>
#include <optional>

namespace chart {

class WmfPaintEngine : public QPaintEngine {
public:
    // dpi: the device's logical resolution, which gives point-sized fonts their pixel height.
    explicit WmfPaintEngine(qreal dpi);

    bool begin(QPaintDevice* device) override;
    bool end() override;
    void updateState(const QPaintEngineState& state) override;
    Type type() const override { return User; }

    void drawRects(const QRect* rects, int count) override;
    void drawRects(const QRectF* rects, int count) override;
    void drawLines(const QLine* lines, int count) override;
    void drawLines(const QLineF* lines, int count) override;
    void drawEllipse(const QRectF& r) override;
    void drawEllipse(const QRect& r) override;
    void drawPath(const QPainterPath& path) override;
    void drawPoints(const QPointF* points, int count) override;
    void drawPoints(const QPoint* points, int count) override;
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override;
    void drawPolygon(const QPoint* points, int count, PolygonDrawMode mode) override;
    void drawPixmap(const QRectF& r, const QPixmap& pm, const QRectF& sr) override;
    void drawImage(const QRectF& r, const QImage& image, const QRectF& sr,
                   Qt::ImageConversionFlags flags = Qt::AutoColor) override;
    void drawTextItem(const QPointF& p, const QTextItem& textItem) override;

    // The logical rectangle that everything drawn so far covers (clipped), from its smallest to
    // its largest coordinate; the device rectangle when nothing was drawn.
    QRect LogicalFrame() const;
    const WmfWriter& Writer() const { return writer_; }

private:
    struct PenKey {
        uint16_t style = 0;
        int width = 0;
        TColor color = 0;
        bool operator==(const PenKey&) const = default;
    };
    struct BrushKey {
        uint16_t style = 0;
        TColor color = 0;
        uint16_t hatch = 0;
        bool operator==(const BrushKey&) const = default;
    };
    // What the recorded device context holds; empty = not known, write before use.
    struct DcState {
        int pen = -1;
        PenKey penKey;
        int brush = -1;
        BrushKey brushKey;
        int font = -1;
        WmfLogFont fontKey;
        std::optional<TColor> textColor, bkColor;
        std::optional<uint16_t> bkMode, textAlign, polyFill, rop2;
        std::optional<QPoint> position;
    };

    static QPoint Round(const QPointF& p);
    static QVector<QPoint> Round(const QPolygonF& poly);
    QPoint Dev(const QPointF& p) const;
    QVector<QPoint> Dev(const QPointF* points, int count) const;
    bool AxisAligned() const;
    qreal Scale() const;

    PenKey KeyOf(const QPen& pen) const;
    static BrushKey KeyOf(const QBrush& brush);
    static PenKey NullPen();
    static BrushKey NullBrush();
    int PenWidth() const; // current pen's device width in pixels, at least 1

    void UsePen(const PenKey& key);
    void UseBrush(const BrushKey& key);
    void UseFont(const WmfLogFont& key);
    void UseShapeState(const PenKey& pen, const BrushKey& brush);
    void UseLineState();
    void UseBackground(bool forceTransparent);
    void UseRop();
    void UseTextColor(TColor c);
    void UseTextAlign(uint16_t align);
    void UsePolyFill(uint16_t mode);

    void UpdateClip();
    void SaveDc();
    void RestoreDc();
    void DeleteUnlessSaved(int handle, int savedHandle);

    void AddBounds(int left, int top, int right, int bottom); // inclusive
    void AddBounds(const QVector<QPoint>& points, int grow);

    void Polyline(const QVector<QPoint>& points);
    void FillRect(const QRect& inclusive, const QBrush& brush); // pixels left..right, top..bottom
    void Shape(uint16_t function, int l, int t, int r, int b); // Rectangle or Ellipse
    void ImageAt(const QRect& dest, const QImage& image);
    WmfLogFont LogFontFor(const QFont& font) const;

    qreal dpi_;
    QSize deviceSize_;
    WmfWriter writer_;
    DcState dc_;
    DcState saved_; // the state at the SaveDC that opened the current clip
    std::optional<QRect> clip_;
    bool hasBounds_ = false;
    int minX_ = 0, minY_ = 0, maxX_ = 0, maxY_ = 0;

    QPen pen_;
    QBrush brush_;
    QFont font_;
    QBrush background_;
    Qt::BGMode bgMode_ = Qt::TransparentMode;
    QTransform xf_;
    QPainter::CompositionMode composition_ = QPainter::CompositionMode_SourceOver;
};

} // namespace chart
