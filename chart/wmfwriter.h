#pragma once
// Builds a placeable Windows metafile in memory: the records of a standard metafile, written
// little-endian whatever the host, and the object table they use.

#include "chart/chartbase.h"

#include <QByteArray>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QVector>
#include <cstdint>
#include <vector>

namespace chart {

// The 16-bit LOGFONT of META_CREATEFONTINDIRECT. faceName holds at most 31 bytes.
struct WmfLogFont {
    int16_t height = 0; // negative: character (em) height in logical units
    int16_t width = 0;
    int16_t escapement = 0; // tenths of a degree, counter-clockwise
    int16_t orientation = 0;
    int16_t weight = 400;
    uint8_t italic = 0;
    uint8_t underline = 0;
    uint8_t strikeOut = 0;
    uint8_t charset = 0;
    uint8_t outPrecision = 0;
    uint8_t clipPrecision = 0;
    uint8_t quality = 0;
    uint8_t pitchAndFamily = 0;
    QByteArray faceName;

    bool operator==(const WmfLogFont&) const = default;
};

class WmfWriter {
public:
    // Logical coordinates are limited to the 16-bit range of the format.
    static int16_t Coord(int v);

    // Object table: a create puts the object into the lowest free slot and returns the slot.
    int CreatePenIndirect(uint16_t style, int width, TColor color);
    int CreateBrushIndirect(uint16_t style, TColor color, uint16_t hatch);
    int CreateFontIndirect(const WmfLogFont& font);
    void SelectObject(int slot);
    void DeleteObject(int slot); // frees the slot for the next create
    int LiveObjects() const;

    void SetTextColor(TColor color);
    void SetBkColor(TColor color);
    void SetBkMode(uint16_t mode);
    void SetTextAlign(uint16_t align);
    void SetPolyFillMode(uint16_t mode);
    void SetROP2(uint16_t rop);
    void SaveDC();
    void RestoreDC(); // restores the most recent SaveDC
    void IntersectClipRect(const QRect& r); // right and bottom of r excluded (GDI convention)

    void MoveTo(QPoint p);
    void LineTo(QPoint p);
    void Polyline(const QVector<QPoint>& points);
    void Polygon(const QVector<QPoint>& points);
    void PolyPolygon(const QVector<QVector<QPoint>>& polygons);
    // Corner coordinates as GDI takes them: right and bottom are one past the outline.
    void Rectangle(int left, int top, int right, int bottom);
    void Ellipse(int left, int top, int right, int bottom);
    void SetPixel(QPoint p, TColor color);
    // bytes: the text in the font's 8-bit character set; dx: advance of each byte (may be empty).
    void ExtTextOut(QPoint p, const QByteArray& bytes, const QVector<int16_t>& dx);
    // Draws image (any format; stored as a 24-bit DIB) stretched into dest.
    void StretchDib(const QRect& dest, const QImage& image);

    // The finished file: placeable header (frame of size frameUnits in units of 96 per inch),
    // standard header, mapping (window = logical rectangle window), the records, EOF.
    QByteArray Finish(const QRect& window, QSize frameUnits) const;

    int RecordCount() const { return recordCount_; }

private:
    void BeginRecord(uint16_t function, int paramWords);
    void Word(int v);
    void DWord(uint32_t v);
    void Points(const QVector<QPoint>& points);
    int AllocateSlot();

    QByteArray body_;
    std::vector<bool> slots_;
    int maxRecordWords_ = 0;
    int recordCount_ = 0;
};

} // namespace chart
