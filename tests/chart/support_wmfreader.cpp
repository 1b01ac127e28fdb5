#include "support_wmfreader.h"

#include "chart/wmfrecords.h"

#include <QFile>
#include <algorithm>
#include <map>

namespace wmftest {

using namespace chart::wmf;

namespace {

uint16_t U16(const QByteArray& b, qsizetype at) { return uint16_t(uchar(b[at]) | (uchar(b[at + 1]) << 8)); }
uint32_t U32(const QByteArray& b, qsizetype at) { return U16(b, at) | (uint32_t(U16(b, at + 2)) << 16); }

enum Kind { Pen, Brush, Font, Other };

bool Draws(uint16_t f)
{
    switch (f) {
    case META_LINETO: case META_POLYLINE: case META_POLYGON: case META_POLYPOLYGON:
    case META_RECTANGLE: case META_ELLIPSE: case META_EXTTEXTOUT: case META_TEXTOUT:
        return true;
    default:
        return false;
    }
}

// The object table as a player keeps it, with the selections of every saved state.
struct TableCheck {
    std::vector<int> kinds; // per slot: Kind, or -1 when free
    struct Selection {
        int slot[3] = {-1, -1, -1};
    };
    Selection current;
    std::vector<Selection> saved;
    QStringList* problems;
    int maxLive = 0;

    void Create(Kind kind, uint16_t objects)
    {
        auto free = std::find(kinds.begin(), kinds.end(), -1);
        int slot = int(free - kinds.begin());
        if (free == kinds.end())
            kinds.push_back(kind);
        else
            *free = kind;
        if (slot >= objects)
            problems->append(QStringLiteral("object slot %1 beyond the header's %2 objects").arg(slot).arg(objects));
        maxLive = std::max(maxLive, int(std::count_if(kinds.begin(), kinds.end(), [](int k) { return k >= 0; })));
    }
    bool Live(int slot) const { return slot >= 0 && slot < int(kinds.size()) && kinds[size_t(slot)] >= 0; }
    void Select(int slot)
    {
        if (!Live(slot)) {
            problems->append(QStringLiteral("select of free slot %1").arg(slot));
            return;
        }
        const int kind = kinds[size_t(slot)];
        if (kind < Other)
            current.slot[kind] = slot;
    }
    void Delete(int slot)
    {
        if (!Live(slot)) {
            problems->append(QStringLiteral("delete of free slot %1").arg(slot));
            return;
        }
        for (const Selection& s : saved)
            for (int k : s.slot)
                if (k == slot)
                    problems->append(QStringLiteral("delete of slot %1 that a saved state still selects").arg(slot));
        kinds[size_t(slot)] = -1;
    }
    void CheckDrawing(uint16_t f)
    {
        for (int k = Pen; k <= Font; ++k)
            if (current.slot[k] >= 0 && !Live(current.slot[k]))
                problems->append(QStringLiteral("record 0x%1 draws with a deleted object").arg(f, 4, 16, QChar('0')));
    }
};

} // namespace

int Record::Int(int word) const { return int16_t(U16(params, 2 * word)); }
unsigned Record::UInt(int word) const { return U16(params, 2 * word); }
uint32_t Record::DWord(int word) const { return U32(params, 2 * word); }
QByteArray Record::Bytes(int word, int n) const { return params.mid(2 * word, n); }

std::vector<Record> Metafile::All(uint16_t function) const
{
    std::vector<Record> out;
    for (const Record& r : records)
        if (r.function == function)
            out.push_back(r);
    return out;
}

int Metafile::Count(uint16_t function) const { return int(All(function).size()); }

const Record* Metafile::First(uint16_t function) const
{
    for (const Record& r : records)
        if (r.function == function)
            return &r;
    return nullptr;
}

int Metafile::IndexOf(uint16_t function, int from) const
{
    for (int i = std::max(0, from); i < int(records.size()); ++i)
        if (records[size_t(i)].function == function)
            return i;
    return -1;
}

Metafile ReadWmf(const QByteArray& b)
{
    Metafile m;
    const qsizetype standardStart = PlaceableHeaderBytes;
    if (b.size() < standardStart + 2 * HeaderWords) {
        m.problems << "file shorter than the two headers";
        return m;
    }
    m.key = U32(b, 0);
    m.handle = U16(b, 4);
    m.left = int16_t(U16(b, 6));
    m.top = int16_t(U16(b, 8));
    m.right = int16_t(U16(b, 10));
    m.bottom = int16_t(U16(b, 12));
    m.unitsPerInch = U16(b, 14);
    m.reserved = U32(b, 16);
    m.checksum = U16(b, 20);
    uint16_t sum = 0;
    for (int i = 0; i < PlaceableWordsBeforeChecksum; ++i)
        sum ^= U16(b, 2 * i);
    if (m.key != PlaceableKey)
        m.problems << "wrong placeable key";
    if (sum != m.checksum)
        m.problems << "placeable checksum mismatch";

    m.type = U16(b, standardStart);
    m.headerWords = U16(b, standardStart + 2);
    m.version = U16(b, standardStart + 4);
    m.sizeWords = U32(b, standardStart + 6);
    m.objects = U16(b, standardStart + 10);
    m.maxRecordWords = U32(b, standardStart + 12);
    m.parameters = U16(b, standardStart + 16);
    if (m.headerWords != HeaderWords)
        m.problems << "header size is not 9 words";
    if ((b.size() - standardStart) % 2 || uint32_t((b.size() - standardStart) / 2) != m.sizeWords)
        m.problems << QStringLiteral("header size %1 words, file holds %2 bytes after the placeable header")
                          .arg(m.sizeWords).arg(b.size() - standardStart);

    TableCheck table;
    table.problems = &m.problems;
    uint32_t largest = 0;
    qsizetype at = standardStart + 2 * HeaderWords;
    bool sawEof = false;
    while (at < b.size()) {
        if (b.size() - at < 2 * RecordHeaderWords) {
            m.problems << "truncated record header";
            break;
        }
        const uint32_t words = U32(b, at);
        if (words < uint32_t(RecordHeaderWords) || at + 2 * qsizetype(words) > b.size()) {
            m.problems << QStringLiteral("record at byte %1 has a bad size %2").arg(at).arg(words);
            break;
        }
        Record r;
        r.function = U16(b, at + 4);
        r.params = b.mid(at + 2 * RecordHeaderWords, 2 * (qsizetype(words) - RecordHeaderWords));
        largest = std::max(largest, words);
        at += 2 * qsizetype(words);

        switch (r.function) {
        case META_CREATEPENINDIRECT: table.Create(Pen, m.objects); break;
        case META_CREATEBRUSHINDIRECT: table.Create(Brush, m.objects); break;
        case META_CREATEFONTINDIRECT: table.Create(Font, m.objects); break;
        case META_SELECTOBJECT: table.Select(r.Int(0)); break;
        case META_DELETEOBJECT: table.Delete(r.Int(0)); break;
        case META_SAVEDC: table.saved.push_back(table.current); break;
        case META_RESTOREDC:
            if (r.Int(0) != -1)
                m.problems << "RestoreDC with an absolute index";
            if (table.saved.empty()) {
                m.problems << "RestoreDC without SaveDC";
            } else {
                table.current = table.saved.back();
                table.saved.pop_back();
            }
            break;
        default:
            if (Draws(r.function))
                table.CheckDrawing(r.function);
            break;
        }
        m.records.push_back(r);
        if (r.function == META_EOF) {
            sawEof = true;
            break;
        }
    }
    if (!sawEof)
        m.problems << "no EOF record";
    else if (at != b.size())
        m.problems << "data after the EOF record";
    if (!table.saved.empty())
        m.problems << "SaveDC without RestoreDC";
    if (largest != m.maxRecordWords)
        m.problems << QStringLiteral("largest record %1 words, header says %2").arg(largest).arg(m.maxRecordWords);
    m.maxLiveObjects = table.maxLive;
    return m;
}

Metafile ReadWmfFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        Metafile m;
        m.problems << "cannot open " + path;
        return m;
    }
    return ReadWmf(f.readAll());
}

QImage DibOf(const Record& r)
{
    constexpr int DibWord = 11; // rop (2 words), usage, 4 source and 4 destination words
    if (r.function != META_STRETCHDIB || r.Words() < DibWord + int(BitmapInfoHeaderBytes) / 2)
        return {};
    const QByteArray dib = r.params.mid(2 * DibWord);
    const int w = int(U32(dib, 4)), h = int(U32(dib, 8));
    if (U16(dib, 14) != DibBitsPerPixel || w <= 0 || h <= 0)
        return {};
    const int stride = (w * 3 + 3) & ~3;
    if (dib.size() < qsizetype(BitmapInfoHeaderBytes) + qsizetype(stride) * h)
        return {};
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        const qsizetype row = BitmapInfoHeaderBytes + qsizetype(stride) * (h - 1 - y);
        for (int x = 0; x < w; ++x) {
            const qsizetype p = row + 3 * x;
            img.setPixel(x, y, qRgb(uchar(dib[p + 2]), uchar(dib[p + 1]), uchar(dib[p])));
        }
    }
    return img;
}

QByteArray TextOf(const Record& r)
{
    const int n = r.Int(2);
    const int rectWords = (r.UInt(3) & 0x0006) ? 4 : 0; // ETO_OPAQUE | ETO_CLIPPED carry a rectangle
    return r.Bytes(4 + rectWords, n);
}

std::vector<int> AdvancesOf(const Record& r)
{
    const int n = r.Int(2);
    const int rectWords = (r.UInt(3) & 0x0006) ? 4 : 0;
    const int first = 4 + rectWords + (n + 1) / 2;
    std::vector<int> out;
    for (int i = 0; i < n && first + i < r.Words(); ++i)
        out.push_back(r.Int(first + i));
    return out;
}

} // namespace wmftest
