#pragma once
// A small, independent reader of placeable Windows metafiles for the tests: it parses the
// headers and records and lists every structural fault it finds (sizes, checksum, object table,
// SaveDC/RestoreDC balance, drawing with deleted objects).

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

namespace wmftest {

struct Record {
    uint16_t function = 0;
    QByteArray params; // the parameter words after the function

    int Words() const { return int(params.size() / 2); }
    int Int(int word) const;           // signed 16-bit parameter
    unsigned UInt(int word) const;     // unsigned 16-bit parameter
    uint32_t DWord(int word) const;    // 32-bit value starting at that word
    QByteArray Bytes(int word, int n) const;
};

struct Metafile {
    // Placeable header.
    uint32_t key = 0;
    uint16_t handle = 0;
    int left = 0, top = 0, right = 0, bottom = 0;
    uint16_t unitsPerInch = 0;
    uint32_t reserved = 0;
    uint16_t checksum = 0;
    // Standard header.
    uint16_t type = 0, headerWords = 0, version = 0;
    uint32_t sizeWords = 0;
    uint16_t objects = 0;
    uint32_t maxRecordWords = 0;
    uint16_t parameters = 0;

    std::vector<Record> records; // EOF included
    QStringList problems;        // empty for a sound file
    int maxLiveObjects = 0;

    std::vector<Record> All(uint16_t function) const;
    int Count(uint16_t function) const;
    const Record* First(uint16_t function) const;
    // Index of the first record with this function at or after `from`, or -1.
    int IndexOf(uint16_t function, int from = 0) const;
};

Metafile ReadWmf(const QByteArray& bytes);
Metafile ReadWmfFile(const QString& path);

// The bitmap of a META_STRETCHDIB record (24-bit bottom-up DIB), or a null image.
QImage DibOf(const Record& stretchDib);

// The text of a META_EXTTEXTOUT record and its advances.
QByteArray TextOf(const Record& extTextOut);
std::vector<int> AdvancesOf(const Record& extTextOut);

} // namespace wmftest
