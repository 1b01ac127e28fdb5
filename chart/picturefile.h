#pragma once
// The picture formats the chart saves in, and which format and file a chosen name stands for.
// The window's "Save picture" and duoclave-cli's --picture both decide through here.

#include <QString>
#include <optional>

namespace chart {

enum TPictureFormat { pfWmf, pfSvg, pfPdf, pfPng };

// The format's extension without the dot: "wmf", "svg", "pdf", "png".
QString PictureExtension(TPictureFormat format);
// The format an extension (without the dot, any case) names; nothing for any other.
std::optional<TPictureFormat> PictureFormatOfExtension(const QString& extension);

// The format a file pattern of a dialog filter names: "*.svg" gives SVG; "*.*" and any other
// pattern nothing.
std::optional<TPictureFormat> PictureFormatOfPattern(const QString& pattern);

// The directory part of fileName (up to and including the last '/', '\' or drive ':'), then the
// file-name part with everything from its first '.' on removed, then "." + extension. A dot in a
// directory name does not count.
QString WithExtensionReplaced(const QString& fileName, const QString& extension);

struct PictureTarget {
    TPictureFormat Format = pfWmf;
    QString FileName;
    bool operator==(const PictureTarget&) const = default;
};

// What saving a picture under fileName writes. `chosen` is the format of the filter picked in a
// save dialog; nothing for "All files" and for the command line.
// - The WMF filter keeps the metafile's rule whatever the name: its extension becomes ".wmf".
// - Otherwise a name whose last extension is one of the four picks that format. The name is
//   written as given, except that a metafile's name follows the metafile's rule.
// - Otherwise the chosen filter's format, or WMF, with the name's extension replaced by it.
PictureTarget PictureTargetFor(const QString& fileName, std::optional<TPictureFormat> chosen);

} // namespace chart
