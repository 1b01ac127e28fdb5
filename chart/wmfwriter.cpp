#include "chart/wmfwriter.h"

#include "chart/wmfrecords.h"

#include <algorithm>
#include <limits>

namespace chart {

using namespace wmf;

namespace {

// Explicit little-endian output, independent of the host's byte order.
void PutWord(QByteArray& out, int v)
{
    const auto u = uint16_t(v);
    out.append(char(u & 0xFF));
    out.append(char(u >> 8));
}

void PutDWord(QByteArray& out, uint32_t v)
{
    PutWord(out, int(v & 0xFFFF));
    PutWord(out, int(v >> 16));
}

void PutRecord(QByteArray& out, uint16_t function, std::initializer_list<int> params)
{
    PutDWord(out, uint32_t(RecordHeaderWords + params.size()));
    PutWord(out, function);
    for (int p : params)
        PutWord(out, p);
}

constexpr int MostRecentSave = -1; // RestoreDC's relative form

} // namespace

int16_t WmfWriter::Coord(int v)
{
    return int16_t(std::clamp(v, int(std::numeric_limits<int16_t>::min()), int(std::numeric_limits<int16_t>::max())));
}

void WmfWriter::BeginRecord(uint16_t function, int paramWords)
{
    const int words = RecordHeaderWords + paramWords;
    maxRecordWords_ = std::max(maxRecordWords_, words);
    ++recordCount_;
    DWord(uint32_t(words));
    Word(function);
}

void WmfWriter::Word(int v) { PutWord(body_, v); }
void WmfWriter::DWord(uint32_t v) { PutDWord(body_, v); }

void WmfWriter::Points(const QVector<QPoint>& points)
{
    for (const QPoint& p : points) {
        Word(Coord(p.x()));
        Word(Coord(p.y()));
    }
}

int WmfWriter::AllocateSlot()
{
    auto free = std::find(slots_.begin(), slots_.end(), false);
    if (free != slots_.end()) {
        *free = true;
        return int(free - slots_.begin());
    }
    slots_.push_back(true);
    return int(slots_.size()) - 1;
}

int WmfWriter::LiveObjects() const { return int(std::count(slots_.begin(), slots_.end(), true)); }

int WmfWriter::CreatePenIndirect(uint16_t style, int width, TColor color)
{
    BeginRecord(META_CREATEPENINDIRECT, 5);
    Word(style);
    Word(Coord(width)); // POINTS: x is the width, y unused
    Word(0);
    DWord(color & 0x00FFFFFF);
    return AllocateSlot();
}

int WmfWriter::CreateBrushIndirect(uint16_t style, TColor color, uint16_t hatch)
{
    BeginRecord(META_CREATEBRUSHINDIRECT, 4);
    Word(style);
    DWord(color & 0x00FFFFFF);
    Word(hatch);
    return AllocateSlot();
}

int WmfWriter::CreateFontIndirect(const WmfLogFont& f)
{
    QByteArray face = f.faceName.left(FaceNameBytes - 1);
    face.append('\0');
    if (face.size() % 2)
        face.append('\0');
    BeginRecord(META_CREATEFONTINDIRECT, 9 + int(face.size()) / 2);
    Word(f.height);
    Word(f.width);
    Word(f.escapement);
    Word(f.orientation);
    Word(f.weight);
    body_.append(char(f.italic));
    body_.append(char(f.underline));
    body_.append(char(f.strikeOut));
    body_.append(char(f.charset));
    body_.append(char(f.outPrecision));
    body_.append(char(f.clipPrecision));
    body_.append(char(f.quality));
    body_.append(char(f.pitchAndFamily));
    body_.append(face);
    return AllocateSlot();
}

void WmfWriter::SelectObject(int slot)
{
    BeginRecord(META_SELECTOBJECT, 1);
    Word(slot);
}

void WmfWriter::DeleteObject(int slot)
{
    BeginRecord(META_DELETEOBJECT, 1);
    Word(slot);
    if (slot >= 0 && slot < int(slots_.size()))
        slots_[size_t(slot)] = false;
}

void WmfWriter::SetTextColor(TColor color)
{
    BeginRecord(META_SETTEXTCOLOR, 2);
    DWord(color & 0x00FFFFFF);
}

void WmfWriter::SetBkColor(TColor color)
{
    BeginRecord(META_SETBKCOLOR, 2);
    DWord(color & 0x00FFFFFF);
}

void WmfWriter::SetBkMode(uint16_t mode)
{
    BeginRecord(META_SETBKMODE, 1);
    Word(mode);
}

void WmfWriter::SetTextAlign(uint16_t align)
{
    BeginRecord(META_SETTEXTALIGN, 1);
    Word(align);
}

void WmfWriter::SetPolyFillMode(uint16_t mode)
{
    BeginRecord(META_SETPOLYFILLMODE, 1);
    Word(mode);
}

void WmfWriter::SetROP2(uint16_t rop)
{
    BeginRecord(META_SETROP2, 1);
    Word(rop);
}

void WmfWriter::SaveDC() { BeginRecord(META_SAVEDC, 0); }

void WmfWriter::RestoreDC()
{
    BeginRecord(META_RESTOREDC, 1);
    Word(MostRecentSave);
}

void WmfWriter::IntersectClipRect(const QRect& r)
{
    BeginRecord(META_INTERSECTCLIPRECT, 4);
    Word(Coord(r.y() + r.height()));
    Word(Coord(r.x() + r.width()));
    Word(Coord(r.y()));
    Word(Coord(r.x()));
}

void WmfWriter::MoveTo(QPoint p)
{
    BeginRecord(META_MOVETO, 2);
    Word(Coord(p.y()));
    Word(Coord(p.x()));
}

void WmfWriter::LineTo(QPoint p)
{
    BeginRecord(META_LINETO, 2);
    Word(Coord(p.y()));
    Word(Coord(p.x()));
}

void WmfWriter::Polyline(const QVector<QPoint>& points)
{
    BeginRecord(META_POLYLINE, 1 + 2 * int(points.size()));
    Word(int(points.size()));
    Points(points);
}

void WmfWriter::Polygon(const QVector<QPoint>& points)
{
    BeginRecord(META_POLYGON, 1 + 2 * int(points.size()));
    Word(int(points.size()));
    Points(points);
}

void WmfWriter::PolyPolygon(const QVector<QVector<QPoint>>& polygons)
{
    int words = 1;
    for (const auto& poly : polygons)
        words += 1 + 2 * int(poly.size());
    BeginRecord(META_POLYPOLYGON, words);
    Word(int(polygons.size()));
    for (const auto& poly : polygons)
        Word(int(poly.size()));
    for (const auto& poly : polygons)
        Points(poly);
}

void WmfWriter::Rectangle(int left, int top, int right, int bottom)
{
    BeginRecord(META_RECTANGLE, 4);
    Word(Coord(bottom));
    Word(Coord(right));
    Word(Coord(top));
    Word(Coord(left));
}

void WmfWriter::Ellipse(int left, int top, int right, int bottom)
{
    BeginRecord(META_ELLIPSE, 4);
    Word(Coord(bottom));
    Word(Coord(right));
    Word(Coord(top));
    Word(Coord(left));
}

void WmfWriter::SetPixel(QPoint p, TColor color)
{
    BeginRecord(META_SETPIXEL, 4);
    DWord(color & 0x00FFFFFF);
    Word(Coord(p.y()));
    Word(Coord(p.x()));
}

void WmfWriter::ExtTextOut(QPoint p, const QByteArray& bytes, const QVector<int16_t>& dx)
{
    QByteArray text = bytes;
    if (text.size() % 2)
        text.append('\0');
    const bool withDx = !dx.isEmpty() && dx.size() == bytes.size();
    BeginRecord(META_EXTTEXTOUT, 4 + int(text.size()) / 2 + (withDx ? int(dx.size()) : 0));
    Word(Coord(p.y()));
    Word(Coord(p.x()));
    Word(int(bytes.size()));
    Word(0); // no opaque or clipping rectangle
    body_.append(text);
    if (withDx)
        for (int16_t d : dx)
            Word(d);
}

void WmfWriter::StretchDib(const QRect& dest, const QImage& image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    const int w = rgb.width();
    const int h = rgb.height();
    const int stride = ((w * 3) + 3) & ~3; // DIB rows are padded to 32 bits
    const uint32_t bitsBytes = uint32_t(stride) * uint32_t(h);
    const uint32_t dibBytes = BitmapInfoHeaderBytes + bitsBytes;

    BeginRecord(META_STRETCHDIB, 11 + int(dibBytes / 2));
    DWord(SRCCOPY);
    Word(DIB_RGB_COLORS);
    Word(Coord(h)); // source height, width, y, x
    Word(Coord(w));
    Word(0);
    Word(0);
    Word(Coord(dest.height())); // destination height, width, y, x
    Word(Coord(dest.width()));
    Word(Coord(dest.y()));
    Word(Coord(dest.x()));

    DWord(BitmapInfoHeaderBytes);
    DWord(uint32_t(w));
    DWord(uint32_t(h)); // positive: rows bottom-up
    Word(1);            // planes
    Word(DibBitsPerPixel);
    DWord(0); // BI_RGB
    DWord(bitsBytes);
    DWord(0); // pixels per metre, x and y: not given
    DWord(0);
    DWord(0); // colours used, important
    DWord(0);
    QByteArray row(stride, '\0');
    for (int y = h - 1; y >= 0; --y) {
        const uchar* src = rgb.constScanLine(y);
        for (int x = 0; x < w; ++x) { // DIBs store blue, green, red
            row[3 * x] = char(src[3 * x + 2]);
            row[3 * x + 1] = char(src[3 * x + 1]);
            row[3 * x + 2] = char(src[3 * x]);
        }
        body_.append(row);
    }
}

QByteArray WmfWriter::Finish(const QRect& window, QSize frameUnits) const
{
    QByteArray prologue;
    PutRecord(prologue, META_SETMAPMODE, {MM_ANISOTROPIC});
    PutRecord(prologue, META_SETWINDOWORG, {Coord(window.y()), Coord(window.x())});
    PutRecord(prologue, META_SETWINDOWEXT, {Coord(window.height()), Coord(window.width())});
    QByteArray eof;
    PutRecord(eof, META_EOF, {});

    const uint32_t totalWords = uint32_t(HeaderWords) + uint32_t(prologue.size() + body_.size() + eof.size()) / 2;
    const uint32_t maxRecord = uint32_t(std::max(maxRecordWords_, RecordHeaderWords + 2));

    QByteArray out;
    out.reserve(PlaceableHeaderBytes + 2 * int(totalWords));
    PutDWord(out, PlaceableKey);
    PutWord(out, 0); // metafile handle
    PutWord(out, 0); // left, top
    PutWord(out, 0);
    PutWord(out, Coord(frameUnits.width()));
    PutWord(out, Coord(frameUnits.height()));
    PutWord(out, PlaceableUnitsPerInch);
    PutDWord(out, 0); // reserved
    uint16_t checksum = 0;
    for (int i = 0; i < PlaceableWordsBeforeChecksum; ++i)
        checksum ^= uint16_t(uchar(out[2 * i]) | (uchar(out[2 * i + 1]) << 8));
    PutWord(out, checksum);

    PutWord(out, MemoryMetafile);
    PutWord(out, HeaderWords);
    PutWord(out, Version300);
    PutDWord(out, totalWords);
    PutWord(out, int(slots_.size())); // the largest number of objects alive at once
    PutDWord(out, maxRecord);
    PutWord(out, 0); // no parameters

    out.append(prologue);
    out.append(body_);
    out.append(eof);
    return out;
}

} // namespace chart
