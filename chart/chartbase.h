#pragma once
// Shared base types of the chart suite: colours, alignment, pen and font styles, the suite's
// exception base. Sub-objects (TDTLabel, TCrossHair, ...) live in files of their own.

#include <QColor>
#include <QFont>
#include <QPalette>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace chart {

// 0x00BBGGRR, the metafile's COLORREF layout. Values with bit 31 set name a system colour that
// is resolved through the palette when drawn.
using TColor = uint32_t;

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clOlive = 0x008080;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clPurple = 0x800080;
inline constexpr TColor clTeal = 0x808000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clFuchsia = 0xFF00FF;
inline constexpr TColor clAqua = 0xFFFF00;
inline constexpr TColor clWhite = 0xFFFFFF;

inline constexpr TColor clSystemColor = 0x80000000;
inline constexpr TColor clMenu = clSystemColor | 4;
inline constexpr TColor clWindowText = clSystemColor | 8;
inline constexpr TColor clBtnFace = clSystemColor | 15;
inline constexpr TColor clBtnShadow = clSystemColor | 16;
inline constexpr TColor clGrayText = clSystemColor | 17;
inline constexpr TColor clBtnHighlight = clSystemColor | 20;

// The 16-colour table: colour n-1 belongs to layer n.
inline constexpr TColor LayerColorTable[16] = {
    clBlack, clMaroon, clGreen, clOlive, clNavy, clPurple, clTeal, clGray,
    clSilver, clRed, clLime, clYellow, clBlue, clFuchsia, clAqua, clWhite};

inline constexpr bool IsSystemColor(TColor c) { return (c & clSystemColor) != 0; }

// A system colour through the application palette; any other colour as it stands.
inline QColor ToQColor(TColor c, const QPalette& palette = QPalette())
{
    if (IsSystemColor(c)) {
        switch (c) {
        case clMenu: return palette.color(QPalette::Window);
        case clWindowText: return palette.color(QPalette::WindowText);
        case clBtnFace: return palette.color(QPalette::Button);
        case clBtnShadow: return palette.color(QPalette::Dark);
        case clBtnHighlight: return palette.color(QPalette::Light);
        case clGrayText: return palette.color(QPalette::Disabled, QPalette::Text);
        default: return palette.color(QPalette::Window);
        }
    }
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

inline TColor FromQColor(const QColor& q)
{
    return TColor(q.red()) | (TColor(q.green()) << 8) | (TColor(q.blue()) << 16);
}

enum TAlignment { taLeftJustify, taRightJustify, taCenter };

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };

enum TFontStyle : uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = uint8_t; // a set of TFontStyle bits; 0 is the empty set

// Pixel size of the toolkit's default control font, and of a stored height of 0.
inline constexpr int DefaultFontPixelSize = 11;

// A stored form's font height: negative is the character height in pixels, positive the cell
// height; both become the pixel size, which keeps text size independent of the screen's DPI.
inline QFont FontFromHeight(const QString& family, int height)
{
    QFont f(family);
    f.setPixelSize(height < 0 ? -height : (height > 0 ? height : DefaultFontPixelSize));
    return f;
}

// The toolkit's default control font ("MS Sans Serif", height -11); other faces stand in on Linux.
inline QFont DefaultControlFont() { return FontFromHeight(QStringLiteral("MS Sans Serif"), -DefaultFontPixelSize); }

// A font as the chart suite keeps it: face, size and style, plus the colour text is drawn in
// (QFont carries no colour).
struct TFont {
    QFont Font = DefaultControlFont();
    TColor Color = clWindowText;
    bool operator==(const TFont& o) const { return Font == o.Font && Color == o.Color; }
    bool operator!=(const TFont& o) const { return !(*this == o); }
};

// Configuration errors of the chart suite.
class EChartBaseError : public std::runtime_error {
public:
    explicit EChartBaseError(const std::string& message) : std::runtime_error(message) {}
};

} // namespace chart
