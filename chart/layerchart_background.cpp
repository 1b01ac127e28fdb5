// The chart-area background (plain or image) and the 20 text labels.

#include "chart/layerchart.h"
#include "chart/layerchart_gdi.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace chart {

namespace {
constexpr int LabelBoxMarginX = 4; // box around a label's text block
constexpr int LabelBoxMarginY = 2;
} // namespace

void TCustomLayerChart::DrawChartBackground(QPainter& canvas, int offsetX, int offsetY)
{
    const QSize area = AreaPictureSize();
    const int w = area.width();
    const int h = area.height();
    const QPalette& pal = palette();
    canvas.setRenderHint(QPainter::Antialiasing, false);
    canvas.setCompositionMode(QPainter::CompositionMode_SourceOver);
    canvas.setPen(CanvasPen(ToQColor(FChartFrameColor, pal), psSolid, 1));
    canvas.setBrush(ToQColor(FChartColor, pal));

    auto plain = [&] { GdiRectangle(canvas, offsetX, offsetY, offsetX + w, offsetY + h); };

    if (FBackGroundImg->Name().isEmpty()) {
        plain();
        return;
    }
    // Read again at every drawing; a file that cannot be loaded is forgotten so that later
    // paints do not try again.
    if (!FBackgroundBitmap.load(FBackGroundImg->Name()) || FBackgroundBitmap.isNull()) {
        FBackgroundBitmap = QImage();
        plain();
        FBackGroundImg->ForgetName();
        return;
    }
    // The image never spills over the rims, also where no bitmap bounds cut it (export).
    canvas.save();
    canvas.setClipRect(QRect(offsetX, offsetY, w, h), Qt::IntersectClip);
    const int iw = FBackgroundBitmap.width();
    const int ih = FBackgroundBitmap.height();
    switch (FBackGroundImg->FillMode()) {
    case bfSimple:
        plain();
        canvas.drawImage(offsetX, offsetY, FBackgroundBitmap);
        break;
    case bfStretch:
        canvas.drawImage(QRect(offsetX, offsetY, w, h), FBackgroundBitmap);
        break;
    case bfTile: {
        const int columns = (w - 1) / iw + 1;
        const int rows = (h - 1) / ih + 1;
        for (int c = 1; c <= columns; ++c)
            for (int r = 1; r <= rows; ++r)
                canvas.drawImage(QRect(offsetX + iw * (c - 1), offsetY + ih * (r - 1), iw, ih),
                                 FBackgroundBitmap);
        break;
    }
    }
    canvas.restore();
}

void TCustomLayerChart::DrawTextLabels(QPainter& canvas, int offsetX, int offsetY)
{
    const QPalette& pal = palette();
    const int dx = offsetX - FLRim; // control pixel -> canvas pixel
    const int dy = offsetY - FTRim;
    for (int n = NumTextLabels; n >= 1; --n) {
        const TTextLabel& label = *FTextLabels[size_t(n - 1)];
        if (label.Mode() == tlOff || !LayerVisible(label.Layer()))
            continue;
        QPoint anchor;
        if (label.AttachToData())
            anchor = DataToPixel(label.Layer(), label.PosX(), label.PosY());
        else
            anchor = QPoint(int(std::nearbyint(label.PosX())), int(std::nearbyint(label.PosY())));
        const QStringList lines = label.Caption().split(QChar(10));
        const QFontMetrics fm(label.Font().Font);
        int w = 0;
        for (const QString& line : lines)
            w = std::max(w, fm.horizontalAdvance(line));
        const int t = fm.height();
        const int count = int(lines.size());
        int x = anchor.x() + dx;
        const int y = anchor.y() + dy;
        if (label.Alignment() == taRightJustify)
            x -= w;
        else if (label.Alignment() == taCenter)
            x -= w / 2;
        const QRect box(QPoint(x - LabelBoxMarginX, y - t * count - LabelBoxMarginY),
                        QPoint(x + w + LabelBoxMarginX, y + LabelBoxMarginY)); // GDI corners
        auto drawBox = [&](int ox, int oy) {
            GdiRectangle(canvas, box.left() + ox, box.top() + oy, box.right() + ox, box.bottom() + oy);
        };
        const QColor border = ToQColor(label.ColorBorder(), pal);
        const QColor bkg = ToQColor(label.ColorBkg(), pal);
        const QBrush fill = label.Transparent() ? QBrush(Qt::NoBrush) : QBrush(bkg);
        switch (label.Mode()) {
        case tlsimple:
            if (!label.Transparent()) {
                canvas.setPen(CanvasPen(bkg, psSolid, 1));
                canvas.setBrush(fill);
                drawBox(0, 0);
            }
            break;
        case tlBox:
            canvas.setPen(CanvasPen(border, psSolid, 1));
            canvas.setBrush(fill);
            drawBox(0, 0);
            break;
        case tlUnderline:
            if (!label.Transparent()) {
                canvas.setPen(CanvasPen(bkg, psSolid, 1));
                canvas.setBrush(fill);
                drawBox(0, 0);
            }
            canvas.setPen(CanvasPen(border, psSolid, 1));
            GdiLine(canvas, x, y, x + w, y);
            break;
        case tlShadow: {
            const QColor shadow = ToQColor(label.ColorShadow(), pal);
            canvas.setPen(CanvasPen(shadow, psSolid, 1));
            canvas.setBrush(shadow);
            drawBox(label.ShadowDx(), label.ShadowDy());
            canvas.setPen(CanvasPen(border, psSolid, 1));
            canvas.setBrush(fill);
            drawBox(0, 0);
            break;
        }
        case tlOff:
            break;
        }
        canvas.save();
        canvas.setFont(label.Font().Font);
        canvas.setPen(ToQColor(label.Font().Color, pal));
        for (int i = 0; i < count; ++i)
            GdiTextOut(canvas, x, y - t * count + t * i, lines[i]);
        canvas.restore();
    }
}

} // namespace chart
