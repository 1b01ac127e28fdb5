#pragma once
// TLayerChart: a chart control that keeps a display list of drawing items in the data
// coordinates of 16 layers and draws them double-buffered inside a framed chart area with
// scales, grid, caption and shadow.
//
// The class is split into files by concern:
//   layerchart.cpp             construction, properties, resize, sub-object notifications
//   layerchart_items.cpp       the display list and its data operations
//   layerchart_layers.cpp      layer ranges, zoom history and the data <-> pixel mappings
//   layerchart_scales.cpp      the 32 scales and their property sets
//   layerchart_layout.cpp      the standard layout presets
//   layerchart_paint.cpp       Paint, Redraw, PresentPicture, paint suspension
//   layerchart_frame.cpp       whole-control frame, shadow and caption
//   layerchart_render.cpp      the chart area: items, polylines, frame
//   layerchart_grid.cpp        the grid
//   layerchart_background.cpp  chart-area background and text labels
//   layerchart_crosshairs.cpp  crosshair drawing
//   layerchart_coupling.cpp    layer coupling (JointLayers)
//   layerchart_sharing.cpp     data sharing between charts (UseDataOf)
//   layerchart_mouse.cpp       mouse interaction: zoom, pan, rubber band, crosshair and label drags
//   layerchart_export.cpp      metafile export, black-and-white colour swap
//   layerchart_exportformats.cpp  SVG, PDF and PNG exports

#include "chart/backgroundimg.h"
#include "chart/chartbase.h"
#include "chart/chartmouse.h"
#include "chart/crosshair.h"
#include "chart/displayitem.h"
#include "chart/displayitemstore.h"
#include "chart/griddrawing.h"
#include "chart/jointlayers.h"
#include "chart/layerchart_mapping.h"
#include "chart/layerchart_types.h"
#include "chart/mousegeometry.h"
#include "chart/picturefile.h"
#include "chart/scaletypes.h"
#include "chart/textlabel.h"

#include <QImage>
#include <QPoint>
#include <QPointF>
#include <QRegion>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <vector>

class QPainter;

namespace chart {

class TScale;
class TScaleProps;
class TScalePropsHoriz;
class TScalePropsVert;
class TCustomLayerChart;

// Per-layer mapping: pixel x = XFactor * u + XOffset, pixel y = YFactor * v + YOffset, where u, v
// are the data values or their natural logarithms on a logarithmic axis.
struct LayerTransform {
    long double XFactor = 0;
    long double XOffset = 0;
    long double YFactor = 0;
    long double YOffset = 0;
};

// One layer's view as the zoom history records it.
struct LayerView {
    double XLow = 0;
    double YHigh = 0;
    double XHigh = 0;
    double YLow = 0;
};
using ZoomView = std::array<LayerView, NumLayers>;
inline constexpr int ZoomHistorySize = 16;

// Render events: the handler may replace the canvas; it draws at control pixel (x, y) by drawing
// at (x - left, y - top).
using TRenderEvent = std::function<void(TCustomLayerChart* sender, QPainter*& canvas, int top, int left)>;

class TCustomLayerChart : public QWidget {
    Q_OBJECT
public:
    explicit TCustomLayerChart(QWidget* parent = nullptr);
    ~TCustomLayerChart() override;

    // Stored settings go between BeginLoading and Loaded: the scale property sets take them
    // unchecked, in any order. A chart made in code is loaded from its construction on.
    void BeginLoading();
    // Completion of loading stored settings: syncs every scale, recomputes the mappings and
    // repaints.
    void Loaded();

    // Qt sends a hidden widget its resize event only when it is shown; these apply the chart's
    // resize rules (minimum size, scale placement, mappings) at once, shown or not.
    void resize(int w, int h) { resize(QSize(w, h)); }
    void resize(const QSize& s);
    void setGeometry(int x, int y, int w, int h) { setGeometry(QRect(x, y, w, h)); }
    void setGeometry(const QRect& r);

    // ---- Display list (data operations never repaint; call Redraw) ----
    void ClearItems();
    void BeginPolyline(double x, double y);  // appends an ikMoveTo item
    void ExtendPolyline(double x, double y); // appends an ikLineTo item
    // Appends a record of any kind as given (its Kind must be 0..14).
    void AppendItem(const DisplayItem& item);
    void RemoveItem(int index);              // out-of-range indices remove nothing
    void RemoveFirstItem() { RemoveItem(0); }
    // Bounds of the items of `layer` (0 = all) strictly inside the window; with no such point
    // the outputs stay 1.7E308 (mins) and -1.7E308 (maxes).
    void GetDataExtent(int layer, double xLow, double yLow, double xHigh, double yHigh,
                       double& xMin, double& yMin, double& xMax, double& yMax) const;
    int ItemCount() const { return FItemCount; }
    int Capacity() const { return int(FStore->items.size()); }
    const DisplayItem& Item(int index) const { return FStore->items[size_t(index)]; }
    int LastDrawnIndex() const { return FLastDrawnIndex; }
    int KindCount(int kind) const { return FKindCounts[size_t(kind)]; }
    // The shared storage (for charts that share a display list).
    std::shared_ptr<DisplayItemStore> ItemStore() const { return FStore; }

    int AllocSize() const { return FAllocSize; }
    void SetAllocSize(int v); // 1 .. 1 000 000, others ignored
    TColor DataColor() const { return FDataColor; }
    void SetDataColor(TColor v) { FDataColor = v; }
    TPenStyle PenStyle() const { return FPenStyle; }
    void SetPenStyle(TPenStyle v) { FPenStyle = v; }
    int LineWidth() const { return FLineWidth; }
    void SetLineWidth(int v) { FLineWidth = uint8_t(v); }
    int ClassDefault() const { return FClassDefault; }
    void SetClassDefault(int v); // 255 is refused
    TColor FillColor() const { return FFillColor; }
    void SetFillColor(TColor v) { FFillColor = v; }
    int ActiveLayer() const { return FActiveLayer; }
    bool ClassVisible(int classNo) const { return FClassVisible[size_t(classNo & 0xFF)]; }
    void SetClassVisible(int classNo, bool v) { FClassVisible[size_t(classNo & 0xFF)] = v; }
    bool LayerVisible(int layer) const { return FLayerVisible[size_t(ClampLayer(layer) - 1)]; }
    void SetLayerVisible(int layer, bool v) { FLayerVisible[size_t(ClampLayer(layer) - 1)] = v; }

    // ---- Layers and ranges ----
    // Layer 0 = every layer. Equal ends are widened by MinRange; bounds are not sorted.
    void SetZoomRange(int layer, double xLow, double yLow, double xHigh, double yHigh);
    // The single operation through which every range change of a layer passes.
    void SetLayerRange(int layer, bool recordHistory, double xLow, double yLow, double xHigh,
                       double yHigh, bool clampToLimits);
    void PushZoomHistory();
    const ZoomView& ZoomHistorySlot(int slot) const { return FZoomHistory[size_t(slot - 1)]; } // 1..16
    int ZoomHistoryNext() const { return FZoomNext; }
    // Control pixel of a data point; layer clamped to 1..16; values limited to +-2147483647 and
    // rounded half to even.
    QPoint DataToPixel(int layer, double x, double y) const;
    // Data point of a control pixel; layer must be 1..16.
    QPointF PixelToData(int layer, int px, int py) const;
    virtual void RecomputeTransforms();
    const LayerTransform& Transform(int layer) const { return FTransforms[size_t(layer - 1)]; }
    // The mapping of a layer (clamped to 1..16) as a value.
    LayerMap MapOf(int layer) const;

    bool Isometric() const { return FIsometric; }
    void SetIsometric(bool v);
    double AspectX() const { return FAspectX; }
    double AspectY() const { return FAspectY; }
    // Range limits applied by SetLayerRange with clampToLimits (all zero = none).
    double RangeLimitXMin() const { return FLimitXMin; }
    double RangeLimitXMax() const { return FLimitXMax; }
    double RangeLimitYMin() const { return FLimitYMin; }
    double RangeLimitYMax() const { return FLimitYMax; }
    void SetRangeLimits(double xMin, double xMax, double yMin, double yMax);

    // ---- Layer coupling ----
    // The chart's own coupling tables; a change applies at once and repaints under AutoRedraw.
    TJointLayers* JointLayers() const { return FJointLayers.get(); }
    // Copies the tables of `v` into the chart's own object; coupled axes take over their ranges.
    void SetJointLayers(const TJointLayers& v) { FJointLayers->Assign(v); }

    // ---- Data sharing ----
    static constexpr int MaxDataSharers = 4;
    // The chart whose display list this one shows; nullptr when it shows its own.
    TCustomLayerChart* UseDataOf() const { return FDataOwner; }
    // Shows `c`'s display list (the one `c` shows, when `c` itself shares); nullptr gives the
    // chart a list of its own again. Refusals go to ShowInformation; the property then stays.
    void SetUseDataOf(TCustomLayerChart* c);
    // The charts that show this chart's display list, in the order they joined.
    int DataSharerCount() const { return FSharerCount; }
    TCustomLayerChart* DataSharer(int index) const; // 0..3; nullptr for a free place
    // Shows a refusal of data sharing in an information box with an OK button. Replaceable
    // (tests answer it); the chart never shows boxes any other way.
    static std::function<void(TCustomLayerChart* sender, const QString& text)> ShowInformation;

    // ---- Scales ----
    TScalePropsHoriz* ScaleX(int layer) const; // property sets, layer 1..16
    TScalePropsVert* ScaleY(int layer) const;
    TScale* ScaleControlX(int layer) const;    // drawing engines, layer 1..16
    TScale* ScaleControlY(int layer) const;
    TScalePropsHoriz* Scale1X() const { return ScaleX(1); }
    TScalePropsVert* Scale1Y() const { return ScaleY(1); }
    TScalePropsHoriz* Scale2X() const { return ScaleX(2); }
    TScalePropsVert* Scale2Y() const { return ScaleY(2); }
    TScalePropsHoriz* Scale3X() const { return ScaleX(3); }
    TScalePropsVert* Scale3Y() const { return ScaleY(3); }
    TScalePropsHoriz* Scale4X() const { return ScaleX(4); }
    TScalePropsVert* Scale4Y() const { return ScaleY(4); }
    // Copies a property set into its scale control.
    void SyncScale(TScale* scale, TScaleProps* props);
    // Points all 32 scales at a canvas with offsets (export); nullptr points them back at the
    // off-screen picture.
    void SetScaleTargets(QPainter* canvas, int offsetX, int offsetY);

    // ---- Frame and drawing properties (setters repaint when AutoRedraw is set) ----
    int LRim() const { return FLRim; }
    void SetLRim(int v);
    int RRim() const { return FRRim; }
    void SetRRim(int v);
    int TRim() const { return FTRim; }
    void SetTRim(int v);
    int BRim() const { return FBRim; }
    void SetBRim(int v);
    int ShadowWidth() const { return FShadowWidth; }
    void SetShadowWidth(int v); // limited to 0..32
    TShadowStyle ShadowStyle() const { return FShadowStyle; }
    void SetShadowStyle(TShadowStyle v);
    TColor ShadowColor() const { return FShadowColor; }
    void SetShadowColor(TColor v);
    TColor ShadowBakColor() const { return FShadowBakColor; }
    void SetShadowBakColor(TColor v);
    TColor ChartFrameColor() const { return FChartFrameColor; }
    void SetChartFrameColor(TColor v);
    TColor ChartColor() const { return FChartColor; }
    void SetChartColor(TColor v);
    TColor WindColor() const { return FWindColor; }
    void SetWindColor(TColor v);
    TColor GridColor() const { return FGridColor; }
    void SetGridColor(TColor v);
    GridStyleType GridStyle() const { return FGridStyle; }
    void SetGridStyle(GridStyleType v);
    double GridDx() const { return FGridDx; }
    void SetGridDx(double v); // values below -3 ignored
    double GridDy() const { return FGridDy; }
    void SetGridDy(double v);
    const QString& Caption() const { return FCaption; }
    void SetCaption(const QString& v);
    int CaptionPosX() const { return FCaptionPosX; }
    void SetCaptionPosX(int v);
    int CaptionPosY() const { return FCaptionPosY; }
    void SetCaptionPosY(int v);
    TAlignment CaptionAlignment() const { return FCaptionAlignment; }
    void SetCaptionAlignment(TAlignment v);
    TCaptionAnchorHoriz CaptionAnchorHoriz() const { return FCaptionAnchorHoriz; }
    void SetCaptionAnchorHoriz(TCaptionAnchorHoriz v);
    TCaptionAnchorVert CaptionAnchorVert() const { return FCaptionAnchorVert; }
    void SetCaptionAnchorVert(TCaptionAnchorVert v);
    TFontStyles TextFontStyle() const { return FTextFontStyle; }
    void SetTextFontStyle(TFontStyles v);
    TTextBkStyle TextBkStyle() const { return FTextBkStyle; }
    void SetTextBkStyle(TTextBkStyle v);
    TColor TextBkColor() const { return FTextBkColor; }
    void SetTextBkColor(TColor v);
    TAlignment TextAlignment() const { return FTextAlignment; }
    void SetTextAlignment(TAlignment v);
    // The control's font (caption, default of the text labels) with the colour text takes.
    const TFont& Font() const { return FFont; }
    void SetFont(const TFont& v);
    bool AutoRedraw() const { return FAutoRedraw; }
    void SetAutoRedraw(bool v) { FAutoRedraw = v; }
    // Presets of rims, caption and scale placement, applied through the setters.
    TlcLayout StandardLayout() const { return FStandardLayout; }
    void SetStandardLayout(TlcLayout v);

    // Mouse settings (the interaction itself lives in its own file).
    TMouseActMode MouseAction() const { return FMouseAction; }
    void SetMouseAction(TMouseActMode v) { FMouseAction = v; }
    bool MouseCursorFixed() const { return FMouseCursorFixed; }
    void SetMouseCursorFixed(bool v) { FMouseCursorFixed = v; }
    // Layers that the zoom window, pan and zoom drag change (1..16; only layer 1 at
    // construction); other numbers read False and are ignored when set.
    bool MouseAffectsLayer(int layer) const;
    void SetMouseAffectsLayer(int layer, bool affects);
    // Pixel position of the latest mouse move, as delivered (not clamped).
    int LastMouseX() const { return FLastMouseX; }
    int LastMouseY() const { return FLastMouseY; }
    // Data position (ActiveLayer) of the latest mouse move that fell inside the chart area.
    double MousePosX() const { return FMousePosX; }
    double MousePosY() const { return FMousePosY; }
    // Rubber band: rbIdle, rbArmed (set by the application), rbDragging, rbFinished.
    int RubberBandState() const { return FRubberBandState; }
    void SetRubberBandState(int v) { FRubberBandState = v; }
    QPoint RubberBandStart() const { return FRubberBandStart; }
    QPoint RubberBandEnd() const { return FRubberBandEnd; }
    // The drag state between mouse messages (zoom window corners, drag snapshot, outlines).
    const ChartMouseState& MouseState() const { return FMouse; }

    // ---- Sub-objects ----
    TCrossHair* CrossHair(int n) const { return FCrossHairs[size_t(n - 1)].get(); } // 1..4
    TCrossHair* CrossHair1() const { return CrossHair(1); }
    TCrossHair* CrossHair2() const { return CrossHair(2); }
    TCrossHair* CrossHair3() const { return CrossHair(3); }
    TCrossHair* CrossHair4() const { return CrossHair(4); }
    void SetCrossHair(int n, const TCrossHair& v); // copies, then repaints under AutoRedraw
    TTextLabel* TextLabel(int n) const { return FTextLabels[size_t(n - 1)].get(); } // 1..20
    TBakGndImg* BackGroundImg() const { return FBackGroundImg.get(); }
    void SetBackGroundImg(const TBakGndImg& v);

    // ---- Painting ----
    // Renders the whole control into the off-screen pictures and shows it. Does nothing while
    // hidden or while painting is suspended.
    virtual void Paint();
    // Brings the window up to date with the list (only the chart area under AutoRedraw).
    void Redraw();
    bool PaintSuspended() const { return FPaintSuspended; }
    // Nothing when unchanged; clearing it repaints at once.
    void SetPaintSuspended(bool v);
    // Whole control: background, shadow, outline, caption, scales; then OnScalesRendered.
    void DrawFrame(QPainter& canvas);
    // Chart area: grid, items, text labels, frame. Control pixel (x, y) is drawn at
    // (x + offsetX - LRim, y + offsetY - TRim).
    void RenderItems(QPainter& canvas, int offsetX, int offsetY, bool blackAndWhite, bool skipGrid);
    // Fill and frame of the chart area, or the background image, with its top-left at the offset.
    void DrawChartBackground(QPainter& canvas, int offsetX, int offsetY);
    // Draws the crosshairs onto `picture` and copies it to the window picture at (x, y).
    void PresentPicture(int x, int y, QImage& picture);

    const QImage& FullPicture() const { return FFullPicture; }
    const QImage& AreaPicture() const { return FAreaPicture; }
    // The picture the window shows; paintEvent copies it out.
    const QImage& WindowPicture() const { return FWindowPicture; }
    // Size of the chart area bitmap: area width + 1 and height + 1, never negative.
    QSize AreaPictureSize() const;

    // ---- Events ----
    TRenderEvent OnScalesRendered;
    TRenderEvent OnBeforeRenderData;
    TRenderEvent OnDataRendered;
    // Raised for every tick any of the 32 scales draws (same arguments as the scale's event).
    std::function<void(TScale* sender, QPainter*& canvas, TScaleType scaleType, double tickPos, int chartX,
                       int chartY)> OnScaleTickDrawn;
    // The toolkit's mouse events, fired before the chart's own handling.
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TChartNotifyEvent OnDblClick;
    TMouseMoveInChartEvent OnMouseMoveInChart;
    TZoomPanEvent OnZoomPan;
    TCrossHairMoveEvent OnCrossHairMove;
    TTextLabelMoveEvent OnTextLabelMove;

    static int ClampLayer(int layer) { return layer < 1 ? 1 : (layer > NumLayers ? NumLayers : layer); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

    // Repaints when AutoRedraw is set (the rule of every drawing property).
    void ChangedRepaint();
    // Geometry change (rim, shadow, size): area picture, scales, mappings, repaint.
    void GeometryChanged();
    // Sub-object change handler (crosshairs, labels, background image).
    void SubObjectChanged();
    // A scale property set changed: sync all scales, re-apply all ranges, repaint.
    void ScalePropsChanged();

    // Layer coupling: which layer (1..16) controls L's X (Y) axis; L must be 1..16.
    int XControllerOf(int layer) const { return FJointLayers->XControlledBy(layer); }
    int YControllerOf(int layer) const { return FJointLayers->YControlledBy(layer); }
    // Data sharing: copies this list's state to the owner, the owner's sharers and this
    // chart's own sharers, so that every chart of the group shows the same items.
    void PropagateSharedData();
    // After a Redraw: repaints the other charts of the group (each under its AutoRedraw).
    void RepaintSharingCharts();

    QImage& MutableWindowPicture() { return FWindowPicture; }

private:
    void InitJointLayers();
    // The coupled axis of `layer` gets `controller`'s range (no history, no limits).
    void TakeOverRange(TJointAxis axis, int layer, int controller);
    // Leaves the owner's sharer list; with keepItems the chart keeps its items as a list of
    // its own.
    void LeaveDataOwner(bool keepItems);
    // Before destruction: no chart of the group may refer to this one afterwards.
    void ReleaseSharingGroup();
    void CopyListStateTo(TCustomLayerChart& target) const;
    // Minimum size, then scales, area picture and mappings for the current size.
    void ApplyResize();
    // Shows `r` of the window picture: that part of the window is current until the next paint
    // event.
    void ShowOnWindow(const QRect& r);
    // The window picture may differ from what Paint would draw now.
    void MarkWindowPictureStale() { FFreshRegion = QRegion(); }
    void CreateScales();
    void PlaceScales();          // sizes and rim margins of all 32 scales
    void SyncAllScales();
    // ForceRepaint on X 1..16 then Y 1..16, onto the explicit target or else onto `picture`.
    void DrawScales(QPainter& picture);
    void SetOneLayer(int layer, bool recordHistory, bool clampToLimits, double xLow, double yLow,
                     double xHigh, double yHigh);
    void ApplyRangeLimits(double& xLow, double& yLow, double& xHigh, double& yHigh) const;
    void WriteLayerRange(int layer, double xLow, double yLow, double xHigh, double yHigh);
    void ApplyIsometricRelation();
    void EnsureCapacityForAppend();
    void AfterAppend(uint8_t kind);
    void AppendPointItem(uint8_t kind, double x, double y);
    void ResizeAreaPicture();
    void DrawCrossHairs(QPainter& canvas, int offsetX, int offsetY);
    void DrawTextLabels(QPainter& canvas, int offsetX, int offsetY);
    void DrawGrid(QPainter& canvas, int offsetX, int offsetY);
    GridDrawing PlanGrid(int offsetX, int offsetY, int penWidth) const;
    void DrawGridPlan(QPainter& canvas, const GridDrawing& grid);
    // Background, grid and items into the area picture, the background and grid taken from the
    // kept backdrop while nothing they depend on changed.
    void RenderAreaPicture();
    bool ControlVisible() const;
    int AreaWidth() const { return width() - FLRim - FRRim - FShadowWidth; }
    int AreaHeight() const { return height() - FTRim - FBRim - FShadowWidth; }

    // mouse handling (layerchart_mouse.cpp)
    ChartArea MouseArea() const;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    void MouseMove(TShiftState shift, int x, int y);
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    void DragViewStep(TShiftState shift, int x, int y);
    void CrossHairDragStep(TShiftState shift, int x, int y);
    void LabelDragStep(TShiftState shift, int x, int y);
    void TakeDragSnapshot(int x, int y);
    // Suspends painting, changes every affected layer, repaints once, fires OnZoomPan.
    void ChangeViewWithMouse(const std::function<void(int layer)>& changeLayer);
    void ToggleOutline(QPoint a, QPoint b, const QRect& clip = QRect());
    void EraseOutline(ShownOutline& outline);
    void DrawOutline(ShownOutline& outline, QPoint a, QPoint b);
    // Puts the XOR outlines back over a freshly presented part of the window picture.
    void RestoreMouseOutlines(const QRect& presented);

    // display list
    std::shared_ptr<DisplayItemStore> FStore;
    int FItemCount = 0;
    int FLastDrawnIndex = 0;
    std::array<int, NumItemKinds> FKindCounts{};
    int FAllocSize = 1000;
    TColor FDataColor = clBlack;
    TPenStyle FPenStyle = psSolid;
    uint8_t FLineWidth = 1;
    uint8_t FClassDefault = 0;
    TColor FFillColor = 0xC0C0C0;
    int FActiveLayer = 1;
    std::array<bool, NumItemClasses> FClassVisible;
    std::array<bool, NumLayers> FLayerVisible;

    // coupling and data sharing
    std::unique_ptr<TJointLayers> FJointLayers = std::make_unique<TJointLayers>();
    TCustomLayerChart* FDataOwner = nullptr;
    std::array<TCustomLayerChart*, MaxDataSharers> FSharers{};
    int FSharerCount = 0;

    // layers
    std::array<LayerTransform, NumLayers> FTransforms{};
    std::array<ZoomView, ZoomHistorySize> FZoomHistory{};
    int FZoomNext = 1;
    bool FIsometric = false;
    double FAspectX = 1;
    double FAspectY = 1;
    double FLimitXMin = 0, FLimitXMax = 0, FLimitYMin = 0, FLimitYMax = 0;

    // scales
    std::array<TScale*, NumLayers> FScalesX{};
    std::array<TScale*, NumLayers> FScalesY{};
    std::array<std::unique_ptr<TScalePropsHoriz>, NumLayers> FPropsX;
    std::array<std::unique_ptr<TScalePropsVert>, NumLayers> FPropsY;
    bool FWritingRanges = false; // own range writes do not count as property changes
    bool FScalesReady = false;
    QPainter* FScaleTarget = nullptr; // explicit target (export); null = the full picture
    int FScaleTargetX = 0, FScaleTargetY = 0;

    // frame and drawing
    int FLRim = 50, FRRim = 10, FTRim = 16, FBRim = 32;
    int FShadowWidth = 0;
    TShadowStyle FShadowStyle = ssFlying;
    TColor FShadowColor = clGrayText;
    TColor FShadowBakColor = clBtnFace;
    TColor FChartFrameColor = clBlack;
    TColor FChartColor = clWhite;
    TColor FWindColor = clBtnFace;
    TColor FGridColor = clBlack;
    GridStyleType FGridStyle = gsNone;
    double FGridDx = 0, FGridDy = 0;
    QString FCaption;
    int FCaptionPosX = 0, FCaptionPosY = -15;
    TAlignment FCaptionAlignment = taRightJustify;
    TCaptionAnchorHoriz FCaptionAnchorHoriz = cahChartRight;
    TCaptionAnchorVert FCaptionAnchorVert = cavChartTop;
    TFontStyles FTextFontStyle = 0;
    TTextBkStyle FTextBkStyle = tbClear;
    TColor FTextBkColor = clWhite;
    TAlignment FTextAlignment = taCenter;
    bool FAutoRedraw = true;
    TFont FFont;
    TlcLayout FStandardLayout = lcl_X1Bottom_Y1Left;
    TMouseActMode FMouseAction = maNone;
    bool FMouseCursorFixed = true;
    std::array<bool, NumLayers> FMouseAffectsLayer{true}; // layer 1 only
    int FLastMouseX = 0, FLastMouseY = 0;
    double FMousePosX = 0, FMousePosY = 0;
    int FRubberBandState = rbIdle;
    QPoint FRubberBandStart, FRubberBandEnd;
    ChartMouseState FMouse;

    // sub-objects
    std::array<std::unique_ptr<TCrossHair>, NumCrossHairs> FCrossHairs;
    std::array<std::unique_ptr<TTextLabel>, NumTextLabels> FTextLabels;
    std::unique_ptr<TBakGndImg> FBackGroundImg;
    QImage FBackgroundBitmap;

    // painting
    bool FPaintSuspended = true; // until the window is first shown
    bool FAwaitingWindow = true;
    QImage FFullPicture;
    QImage FAreaPicture;
    QImage FAreaBackdrop; // background and grid of the last area drawing, when keepable
    AreaBackdropKey FAreaBackdropKey;
    QImage FWindowPicture;
    QRegion FFreshRegion;      // shown by PresentPicture since the last paint event
    bool FInPaintEvent = false;
};

// The published chart control.
class TLayerChart : public TCustomLayerChart {
    Q_OBJECT
public:
    explicit TLayerChart(QWidget* parent = nullptr) : TCustomLayerChart(parent) {}

    // ---- Picture export (layerchart_export.cpp) ----
    // Writes the chart as it would be painted now to a placeable metafile named by WmfFileName
    // (extension replaced by ".wmf"). Throws EPictureFileError when the file cannot be written;
    // colours and the scales' drawing target are back as before in every case.
    void ExportMetafile(const QString& fileName, bool blackAndWhite);
    // The chart as it would be painted now, written to exactly fileName (layerchart_exportformats.cpp):
    // SVG and PDF as vectors through the metafile's drawing steps, text kept as text, the PDF on
    // one page of the chart's size; PNG as the window's picture at its pixel size. The same
    // colour choice, file error and restoring of the chart as ExportMetafile.
    void ExportSvg(const QString& fileName, bool blackAndWhite);
    void ExportPdf(const QString& fileName, bool blackAndWhite);
    void ExportPng(const QString& fileName, bool blackAndWhite);
    // The export of `format`; only the metafile replaces the name's extension.
    void ExportPicture(TPictureFormat format, const QString& fileName, bool blackAndWhite);
    // Saves the colour set and applies the black-and-white one; RestoreColours puts the saved
    // set back. A second swap before the restore keeps the first saved set.
    void SwapToBlackAndWhite();
    void RestoreColours();

private:
    struct ColourSet {
        TColor Wind = 0, Chart = 0, ChartFrame = 0, Font = 0, Shadow = 0, ShadowBak = 0;
        std::array<TColor, NumLayers> ScaleX{}, ScaleY{};
    };
    ColourSet FSavedColours;
    bool FColoursSwapped = false;
};

} // namespace chart
