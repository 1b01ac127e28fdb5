#pragma once
// Numbers of the standard Windows metafile format: record functions, object styles and the
// fixed header values. Shared by the writer and the tests that read files back.

#include <cstdint>

namespace chart::wmf {

// Placeable header (22 bytes) in front of the standard metafile.
inline constexpr uint32_t PlaceableKey = 0x9AC6CDD7;
inline constexpr int PlaceableHeaderBytes = 22;
inline constexpr int PlaceableWordsBeforeChecksum = 10;
inline constexpr uint16_t PlaceableUnitsPerInch = 96;

// Standard header (METAHEADER, 9 words).
inline constexpr uint16_t MemoryMetafile = 1;
inline constexpr uint16_t HeaderWords = 9;
inline constexpr uint16_t Version300 = 0x0300;

// Every record: a 32-bit size in words, then the 16-bit function.
inline constexpr int RecordHeaderWords = 3;

enum Function : uint16_t {
    META_EOF = 0x0000,
    META_SAVEDC = 0x001E,
    META_SETBKMODE = 0x0102,
    META_SETMAPMODE = 0x0103,
    META_SETROP2 = 0x0104,
    META_SETPOLYFILLMODE = 0x0106,
    META_RESTOREDC = 0x0127,
    META_SELECTOBJECT = 0x012D,
    META_SETTEXTALIGN = 0x012E,
    META_DELETEOBJECT = 0x01F0,
    META_SETBKCOLOR = 0x0201,
    META_SETTEXTCOLOR = 0x0209,
    META_SETWINDOWORG = 0x020B,
    META_SETWINDOWEXT = 0x020C,
    META_LINETO = 0x0213,
    META_MOVETO = 0x0214,
    META_CREATEPENINDIRECT = 0x02FA,
    META_CREATEFONTINDIRECT = 0x02FB,
    META_CREATEBRUSHINDIRECT = 0x02FC,
    META_POLYGON = 0x0324,
    META_POLYLINE = 0x0325,
    META_INTERSECTCLIPRECT = 0x0416,
    META_ELLIPSE = 0x0418,
    META_RECTANGLE = 0x041B,
    META_SETPIXEL = 0x041F,
    META_TEXTOUT = 0x0521,
    META_POLYPOLYGON = 0x0538,
    META_EXTTEXTOUT = 0x0A32,
    META_STRETCHDIB = 0x0F43,
};

enum MapMode : uint16_t { MM_TEXT = 1, MM_ANISOTROPIC = 8 };
enum BkMode : uint16_t { TRANSPARENT = 1, OPAQUE = 2 };
enum PolyFillMode : uint16_t { ALTERNATE = 1, WINDING = 2 };
enum Rop2 : uint16_t { R2_NOTCOPYPEN = 4, R2_NOT = 6, R2_XORPEN = 7, R2_MASKPEN = 9, R2_COPYPEN = 13, R2_MERGEPEN = 15 };

// TA_LEFT | TA_BASELINE | TA_NOUPDATECP: the reference point is the start of the baseline.
inline constexpr uint16_t TA_BASELINE = 24;

enum PenStyle : uint16_t {
    PS_SOLID = 0, PS_DASH = 1, PS_DOT = 2, PS_DASHDOT = 3, PS_DASHDOTDOT = 4, PS_NULL = 5,
    PS_ENDCAP_ROUND = 0x0000, PS_ENDCAP_SQUARE = 0x0100, PS_ENDCAP_FLAT = 0x0200,
    PS_JOIN_ROUND = 0x0000, PS_JOIN_BEVEL = 0x1000, PS_JOIN_MITER = 0x2000,
};

enum BrushStyle : uint16_t { BS_SOLID = 0, BS_NULL = 1, BS_HATCHED = 2 };
enum HatchStyle : uint16_t {
    HS_HORIZONTAL = 0, HS_VERTICAL = 1, HS_FDIAGONAL = 2, HS_BDIAGONAL = 3, HS_CROSS = 4, HS_DIAGCROSS = 5,
};

// LOGFONT fields in the 16-bit layout of META_CREATEFONTINDIRECT.
inline constexpr int FaceNameBytes = 32;
enum Charset : uint8_t { ANSI_CHARSET = 0 };
enum Pitch : uint8_t { DEFAULT_PITCH = 0, FIXED_PITCH = 1, VARIABLE_PITCH = 2 };
enum Family : uint8_t { FF_DONTCARE = 0x00, FF_ROMAN = 0x10, FF_SWISS = 0x20, FF_MODERN = 0x30, FF_SCRIPT = 0x40, FF_DECORATIVE = 0x50 };
enum Quality : uint8_t { DEFAULT_QUALITY = 0 };

// StretchDIBits of a 24-bit bottom-up DIB.
inline constexpr uint32_t SRCCOPY = 0x00CC0020;
inline constexpr uint16_t DIB_RGB_COLORS = 0;
inline constexpr uint32_t BitmapInfoHeaderBytes = 40;
inline constexpr uint16_t DibBitsPerPixel = 24;

} // namespace chart::wmf
