#pragma once
// TScale: one chart axis. It maps data values to pixels along its length, chooses the ticks,
// formats the labels and draws line, ticks, labels and caption onto a canvas.
//
// It works two ways. As a widget of its own it draws into a picture of its size that
// paintEvent shows. As the chart's drawing engine it draws through a QPainter that the owner
// hands it with SetTargetCanvas (the chart's off-screen picture, or a metafile device): every
// stroke goes through that painter, offset by the target offsets. Used that way the widget
// itself stays hidden (create it without a parent widget, or hide() it, so that it neither
// shows nor takes mouse input); Visible() is the scale's own flag, not the widget's visibility.

#include "chart/chartbase.h"
#include "chart/dtlabel.h"
#include "chart/scaleticks.h"
#include "chart/scaletypes.h"

#include <QImage>
#include <QString>
#include <QWidget>
#include <array>
#include <functional>

class QPainter;

namespace chart {

class TScale : public QWidget {
    Q_OBJECT
public:
    // Raised for each tick drawn; the handler may replace Canvas. ChartX, ChartY: the canvas
    // pixel where the tick meets the axis line.
    using TScaleTickDrawnEvent = std::function<void(TScale* Sender, QPainter*& Canvas, TScaleType ScaleType,
                                                    double CurrentTickPos, int ChartX, int ChartY)>;
    using TScaleRenderedEvent = std::function<void(TScale* Sender, QPainter* Canvas)>;

    // Initial size 400 × 400; range 0 … 100, linear, ScaleType sctXB, margins 20.
    explicit TScale(QWidget* owner = nullptr);
    ~TScale() override;

    // --- Published properties ------------------------------------------------------------
    const QString& Caption() const { return FCaption; }
    void SetCaption(const QString& v);
    int CaptionPosX() const { return FCaptionPosX; }
    void SetCaptionPosX(int v);
    int CaptionPosY() const { return FCaptionPosY; }
    void SetCaptionPosY(int v);
    TAlignment CaptionAlignment() const { return FCaptionAlignment; }
    void SetCaptionAlignment(TAlignment v);
    TScaleUnitAnchor CaptionAnchor() const { return FCaptionAnchor; }
    void SetCaptionAnchor(TScaleUnitAnchor v);
    TColor ColorBackGnd() const { return FColorBackGnd; }
    void SetColorBackGnd(TColor v);
    TColor ColorScale() const { return FColorScale; }
    void SetColorScale(TColor v);
    // csBWG: grey and white frame shades; csSystem: the palette's button shadow and highlight.
    TColorScheme ColorScheme() const { return FColorScheme; }
    void SetColorScheme(TColorScheme v);
    // The owned label format; changing one of its fields repaints the scale.
    TDTLabel& DateFormat() { return FDateFormat; }
    const TDTLabel& DateFormat() const { return FDateFormat; }
    void SetDateFormat(const TDTLabel& v); // copies the seven values
    // −3 … 12 (clamped): fixed decimals 0 … 12, −1 exponent form, −2 / −3 automatic.
    int DecPlaces() const { return FDecPlaces; }
    void SetDecPlaces(int v);
    const TFont& Font() const { return FFont; }
    void SetFont(const TFont& v);
    TFrameStyle FrameStyle() const { return FFrameStyle; }
    void SetFrameStyle(TFrameStyle v);
    // ftDateTime switches Logarithmic off; ftTime sets DecPlaces to 4.
    TFigType LabelType() const { return FLabelType; }
    void SetLabelType(TFigType v);
    // True is accepted while LoadingFlag is set, or when both range ends are ≥ 1e-100 and the
    // labels are not date-time; otherwise ignored.
    bool Logarithmic() const { return FLogarithmic; }
    void SetLogarithmic(bool v);
    // Negative margins become 0.
    int MarginTop() const { return FMarginTop; }
    void SetMarginTop(int v);
    int MarginBottom() const { return FMarginBottom; }
    void SetMarginBottom(int v);
    int MarginLeft() const { return FMarginLeft; }
    void SetMarginLeft(int v);
    int MarginRight() const { return FMarginRight; }
    void SetMarginRight(int v);
    // 2 … 10 (clamped): the step is the largest 1-2-5 step that fits this many times.
    int MinTicks() const { return FMinTicks; }
    void SetMinTicks(int v);
    // Ticks recorded by the last drawing (at most 50).
    int NumTicks() const { return FNumTicks; }
    // Setting one end equal to the other moves the other end one unit up.
    double RangeLow() const { return FRangeLow; }
    void SetRangeLow(double v);
    double RangeHigh() const { return FRangeHigh; }
    void SetRangeHigh(double v);
    bool ShortTicks() const { return FShortTicks; }
    void SetShortTicks(bool v);
    bool ShowBaseLine() const { return FShowBaseLine; }
    void SetShowBaseLine(bool v);
    const QString& ScaleInscript() const { return FScaleInscript; }
    void SetScaleInscript(const QString& v);
    TScaleType ScaleType() const { return FScaleType; }
    void SetScaleType(TScaleType v);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool v);
    const QString& UserTickText() const { return FUserTickText; }
    void SetUserTickText(const QString& v);
    // The scale paints only while Visible (initially True).
    bool Visible() const { return FVisible; }
    void SetVisible(bool v);

    int Width() const { return width(); }
    int Height() const { return height(); }

    TScaleTickDrawnEvent OnScaleTickDrawn;
    TScaleRenderedEvent OnBeforeScaleRendered;
    TScaleRenderedEvent OnAfterScaleRendered;

    // The toolkit's control events, for a scale used as a widget of its own (x, y in the
    // scale's pixels). OnContextPopup may set Handled to keep the widget's own context menu.
    using TNotifyEvent = std::function<void(TScale* Sender)>;
    using TMouseEvent = std::function<void(TScale* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift,
                                           int X, int Y)>;
    using TMouseMoveEvent = std::function<void(TScale* Sender, Qt::KeyboardModifiers Shift, int X, int Y)>;
    using TContextPopupEvent = std::function<void(TScale* Sender, QPoint MousePos, bool& Handled)>;
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TContextPopupEvent OnContextPopup;

    // --- Operations ------------------------------------------------------------------------
    // Loading completion: remap, clear LoadingFlag, repaint.
    void Loaded();
    // Set by the constructor, cleared by Loaded; while set Logarithmic is accepted unchecked.
    bool LoadingFlag() const { return FLoadingFlag; }
    // Resize and move, then remap and repaint.
    void SetBounds(int left, int top, int width, int height);
    bool SuspendPaint() const { return FSuspendPaint; }
    // Clearing it repaints.
    void SetSuspendPaint(bool flag);
    // Paints now even while SuspendPaint is set; SuspendPaint is left as it was.
    void ForceRepaint();
    bool DirectPaint() const { return FDirectPaint; }
    // With DirectPaint a transparent scale paints at once instead of waiting for paintEvent.
    void SetDirectPaint(bool flag);
    // Where Paint draws: canvas (not owned; null = the scale's own picture) with the scale's
    // (0, 0) at (offsetX, offsetY). No repaint.
    void SetTargetCanvas(QPainter* canvas, int offsetX, int offsetY);
    QPainter* TargetCanvas() const { return FTargetCanvas; }
    int TargetOffsetX() const { return FTargetOffsetX; }
    int TargetOffsetY() const { return FTargetOffsetY; }
    // Opaque or direct-painting scales paint now; transparent ones schedule a paintEvent.
    void RequestRepaint();
    // Recomputes PixelFactor and PixelOffset from range, size, margins and type.
    void UpdateMapping();
    double PixelFactor() const { return FPixelFactor; }
    double PixelOffset() const { return FPixelOffset; }
    // Pixel of a data value along the axis, in the scale's own coordinates (no target offset),
    // clamped to ±2147483647 and rounded halves to even.
    int ValueToPixel(double v) const;
    // Recorded tick n (1-based) of the last drawing; 0 when n is out of 1 … NumTicks.
    double GetTickPos(int index) const;
    // Draws the scale (see the class comment); nothing while invisible or suspended.
    void Paint();
    // One scale with its axis line at canvas x = axisX (vertical types) or y = axisY
    // (horizontal types); ticks, labels and caption, no base line. Uses the offsets of the
    // current Paint (0, 0 outside one).
    void DrawVertScale(QPainter*& canvas, int axisX);
    void DrawHorizScale(QPainter*& canvas, int axisY);
    // Copies everything but the font, DateFormat and Visible, then repaints.
    void Assign(const TScale& source);
    void AssignTo(TScale& dest) const { dest.Assign(*this); }
    // The picture paintEvent shows when the scale draws on its own canvas.
    const QImage& Picture() const { return FPicture; }

    TColor FrameColorDark() const { return FFrameColorDark; }
    TColor FrameColorShadow() const { return FFrameColorShadow; }
    TColor FrameColorHighlight() const { return FFrameColorHighlight; }

    // --- For tick layouts (numeric here; date and time layouts in files of their own) ------
    // Tick lengths in pixels from the axis line.
    static constexpr int ShortTickLength = 4;
    static constexpr int LongTickLengthHoriz = 7;
    static constexpr int LongTickLengthVert = 6;
    // Gap between a vertical scale's axis line and its labels.
    static constexpr int VertLabelGap = 8;
    // Horizontal labels keep this far from the scale's left and right ends.
    static constexpr int HorizLabelEdge = 2;

    bool IsHorizontal() const { return IsHorizontalScale(FScaleType); }
    // Canvas pixel along the axis for a data value (ValueToPixel plus the current offset).
    int TickPixel(double v) const;
    // Records a tick value for GetTickPos (the first 50 of a drawing).
    void RecordTick(double v);
    // A tick line of `length` pixels from the axis toward the tick side.
    void DrawTickMark(QPainter* canvas, int tickPixel, int axis, int length);
    // Raises OnScaleTickDrawn for a tick at tickPixel on the axis line.
    void RaiseTickDrawn(QPainter*& canvas, double value, int tickPixel, int axis);
    // Text in the font colour with its top-left corner at (left, top).
    void DrawTextAt(QPainter* canvas, int left, int top, const QString& text);
    // A horizontal label centred on the tick, kept 2 pixels inside the scale's ends, above
    // the axis line (sctXB) or below it (sctXT); `shift` moves the reference line that many
    // pixels further away from the axis.
    void DrawHorizLabel(QPainter* canvas, int tickX, int axisY, const QString& text, int shift = 0);
    // Left x of a vertical label of the given width: 8 pixels beside the axis line, right
    // aligned on sctYR.
    int VertLabelLeft(int axisX, int textWidth) const;
    // Height of "0" in the scale's font, measured at the start of each drawing.
    int LabelHeight() const { return FLabelHeight; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void DrawScale(QPainter*& canvas, int axis);
    // Where the label type dispatches: date and time layouts first, numeric as the fallback.
    void DrawTicks(QPainter*& canvas, int axis);
    // Date and time layouts; each returns false when it does not draw the range.
    bool DrawTimeTicks(QPainter*& canvas, int axis);
    bool DrawDateTimeTicks(QPainter*& canvas, int axis);
    void DrawLinearTicks(QPainter*& canvas, int axis);
    void DrawLogTicks(QPainter*& canvas, int axis);
    void DrawNumericLabel(QPainter* canvas, int tickPixel, int axis, const QString& text);
    QString DecorateLabel(const QString& text, int tickNumber) const;
    void DrawCaption(QPainter* canvas, int axis);
    void DrawBaseLine(QPainter* canvas, int axis);
    void DrawStyledFrame(QPainter* canvas);
    void PrepareCanvas(QPainter* canvas) const;
    void ApplyColorScheme();
    int AxisPosition(int offsetX, int offsetY) const;
    void PaintScale(bool fromPaintEvent);
    QColor Resolve(TColor c) const;

    QString FCaption;
    int FCaptionPosX = 4;
    int FCaptionPosY = 4;
    TAlignment FCaptionAlignment = taCenter;
    TScaleUnitAnchor FCaptionAnchor = uaSclTopLft;
    TColor FColorBackGnd = clBtnFace;
    TColor FColorScale = clBlack;
    TColorScheme FColorScheme = csBWG;
    TDTLabel FDateFormat;
    int FDecPlaces = DecPlacesAuto;
    TFont FFont;
    TFrameStyle FFrameStyle = fsLowered;
    TFigType FLabelType = ftNum;
    bool FLogarithmic = false;
    int FMarginTop = 20;
    int FMarginBottom = 20;
    int FMarginLeft = 20;
    int FMarginRight = 20;
    int FMinTicks = 3;
    double FRangeLow = 0;
    double FRangeHigh = 100;
    bool FShortTicks = true;
    bool FShowBaseLine = true;
    QString FScaleInscript;
    TScaleType FScaleType = sctXB;
    bool FTransparent = false;
    QString FUserTickText;
    bool FVisible = true;

    double FPixelFactor = 1;
    double FPixelOffset = 0;
    std::array<double, MaxRecordedTicks> FTickPositions{};
    int FNumTicks = 0;
    QPainter* FTargetCanvas = nullptr;
    int FTargetOffsetX = 0;
    int FTargetOffsetY = 0;
    bool FSuspendPaint = true;
    bool FDirectPaint = false;
    bool FLoadingFlag = true;
    TColor FFrameColorDark = clBlack;
    TColor FFrameColorShadow = clGray;
    TColor FFrameColorHighlight = clWhite;

    // State of the drawing in progress.
    int FDrawOffsetX = 0;
    int FDrawOffsetY = 0;
    int FLabelHeight = 0;
    bool FPaintPending = false;
    bool FInPaintEvent = false;
    bool FClickPending = false; // a left press inside the scale awaits its release
    QImage FPicture;
};

} // namespace chart
