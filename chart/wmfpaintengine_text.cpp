// Text and images of the metafile paint engine.

#include "chart/wmfpaintengine.h"

#include "chart/wmfrecords.h"
#include "chart/wmftext.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QPolygonF>
#include <QTextItem>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace chart {

using namespace wmf;

namespace {

constexpr double PointsPerInch = 72.0;
constexpr int TenthsPerDegree = 10;
constexpr int FullTurnTenths = 3600;
constexpr int MinWeight = 1;
constexpr int MaxWeight = 1000;
constexpr int MaxDibSide = 32767; // image sides are 16-bit fields

uint8_t FamilyOf(const QFont& font, bool fixedPitch)
{
    switch (font.styleHint()) {
    case QFont::Serif: return FF_ROMAN;
    case QFont::SansSerif: return FF_SWISS;
    case QFont::TypeWriter:
    case QFont::Monospace: return FF_MODERN;
    case QFont::Cursive: return FF_SCRIPT;
    case QFont::Decorative:
    case QFont::Fantasy: return FF_DECORATIVE;
    default: return fixedPitch ? FF_MODERN : FF_DONTCARE;
    }
}

} // namespace

WmfLogFont WmfPaintEngine::LogFontFor(const QFont& font) const
{
    // Qt sizes point fonts with the device's whole-number logical resolution.
    const qreal dpi = paintDevice() ? qreal(paintDevice()->logicalDpiY()) : dpi_;
    const qreal pixels = font.pixelSize() > 0 ? qreal(font.pixelSize()) : font.pointSizeF() * dpi / PointsPerInch;
    const qreal verticalScale = std::hypot(xf_.m21(), xf_.m22());
    // Qt turns clockwise on the screen for positive angles, GDI counter-clockwise.
    const double degrees = -std::atan2(xf_.m12(), xf_.m11()) * 180.0 / std::numbers::pi;
    int escapement = int(std::lround(degrees * TenthsPerDegree)) % FullTurnTenths;
    if (escapement < 0)
        escapement += FullTurnTenths;

    const QFontInfo info(font);
    WmfLogFont lf;
    lf.height = WmfWriter::Coord(-std::max(1, int(std::lround(pixels * verticalScale))));
    lf.escapement = int16_t(escapement);
    lf.orientation = int16_t(escapement);
    lf.weight = int16_t(std::clamp(int(font.weight()), MinWeight, MaxWeight));
    lf.italic = font.style() != QFont::StyleNormal;
    lf.underline = font.underline();
    lf.strikeOut = font.strikeOut();
    lf.charset = ANSI_CHARSET;
    lf.quality = DEFAULT_QUALITY;
    lf.pitchAndFamily = uint8_t((info.fixedPitch() ? FIXED_PITCH : VARIABLE_PITCH) | FamilyOf(font, info.fixedPitch()));
    lf.faceName = WmfAnsiText(info.family()).left(FaceNameBytes - 1);
    return lf;
}

void WmfPaintEngine::drawTextItem(const QPointF& p, const QTextItem& item)
{
    const QString text = item.text();
    const PenKey pen = KeyOf(pen_);
    if (text.isEmpty() || pen == NullPen())
        return;
    QFont font = item.font();
    if (item.renderFlags() & QTextItem::Underline)
        font.setUnderline(true);
    if (item.renderFlags() & QTextItem::StrikeOut)
        font.setStrikeOut(true);

    // Advances as Qt laid the text out, so the recording keeps the on-screen width.
    const QFontMetricsF metrics(font, paintDevice());
    const qreal horizontalScale = std::hypot(xf_.m11(), xf_.m12());
    QVector<int16_t> dx;
    dx.reserve(text.size());
    int placed = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int end = int(std::lround(metrics.horizontalAdvance(text.left(i + 1)) * horizontalScale));
        dx.append(WmfWriter::Coord(end - placed));
        placed = end;
    }

    UseRop();
    // QPainter has already filled an opaque background itself; GDI must not fill it twice.
    UseBackground(true);
    UseFont(LogFontFor(font));
    UseTextColor(pen.color);
    UseTextAlign(TA_BASELINE);
    writer_.ExtTextOut(Dev(p), WmfAnsiText(text), dx);

    const QRectF box(p.x(), p.y() - item.ascent(), item.width(), item.ascent() + item.descent());
    AddBounds(Round(xf_.map(QPolygonF(box))), 0);
}

void WmfPaintEngine::drawPixmap(const QRectF& r, const QPixmap& pm, const QRectF& sr)
{
    drawImage(r, pm.toImage(), sr);
}

void WmfPaintEngine::drawImage(const QRectF& r, const QImage& image, const QRectF& sr, Qt::ImageConversionFlags)
{
    const QRect source = sr.toAlignedRect() & image.rect();
    if (source.isEmpty() || r.isEmpty())
        return;
    QImage part = source == image.rect() ? image : image.copy(source);
    if (part.width() > MaxDibSide || part.height() > MaxDibSide)
        part = part.scaled(std::min(part.width(), MaxDibSide), std::min(part.height(), MaxDibSide));
    if (part.hasAlphaChannel()) { // the format keeps no alpha: flatten onto white
        QImage flat(part.size(), QImage::Format_RGB32);
        flat.fill(Qt::white);
        QPainter painter(&flat);
        painter.drawImage(0, 0, part);
        painter.end();
        part = flat;
    }
    const QRect dest = xf_.map(QPolygonF(r)).boundingRect().toRect();
    ImageAt(dest, part);
}

void WmfPaintEngine::ImageAt(const QRect& dest, const QImage& image)
{
    if (dest.isEmpty())
        return;
    writer_.StretchDib(dest, image);
    AddBounds(dest.left(), dest.top(), dest.right(), dest.bottom());
}

} // namespace chart
