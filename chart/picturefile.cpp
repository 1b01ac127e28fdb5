#include "chart/picturefile.h"

#include "chart/wmffilename.h"

#include <array>

namespace chart {

namespace {

struct FormatName {
    TPictureFormat format;
    const char* extension;
};
constexpr std::array<FormatName, 4> Formats{{{pfWmf, "wmf"}, {pfSvg, "svg"}, {pfPdf, "pdf"}, {pfPng, "png"}}};

// Windows' path and drive delimiters count too, so names typed the Windows way split the same.
bool IsDelimiter(QChar c) { return c == u'/' || c == u'\\' || c == u':'; }

qsizetype NameStart(const QString& fileName)
{
    qsizetype start = fileName.size();
    while (start > 0 && !IsDelimiter(fileName[start - 1]))
        --start;
    return start;
}

// The part after the last dot of the file-name part; empty when it has no dot.
QString LastExtension(const QString& fileName)
{
    const QString name = fileName.mid(NameStart(fileName));
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? QString() : name.mid(dot + 1);
}

} // namespace

QString PictureExtension(TPictureFormat format)
{
    for (const FormatName& f : Formats)
        if (f.format == format)
            return QString::fromLatin1(f.extension);
    return QString::fromLatin1(Formats[0].extension);
}

std::optional<TPictureFormat> PictureFormatOfExtension(const QString& extension)
{
    for (const FormatName& f : Formats)
        if (extension.compare(QLatin1String(f.extension), Qt::CaseInsensitive) == 0)
            return f.format;
    return std::nullopt;
}

std::optional<TPictureFormat> PictureFormatOfPattern(const QString& pattern)
{
    static const QString start = QStringLiteral("*.");
    const QString trimmed = pattern.trimmed();
    if (!trimmed.startsWith(start))
        return std::nullopt;
    return PictureFormatOfExtension(trimmed.mid(start.size()));
}

QString WithExtensionReplaced(const QString& fileName, const QString& extension)
{
    const qsizetype nameStart = NameStart(fileName);
    QString name = fileName.mid(nameStart);
    if (const qsizetype dot = name.indexOf(u'.'); dot >= 0)
        name.truncate(dot);
    return fileName.left(nameStart) + name + u'.' + extension;
}

PictureTarget PictureTargetFor(const QString& fileName, std::optional<TPictureFormat> chosen)
{
    if (chosen == pfWmf)
        return {pfWmf, WmfFileName(fileName)};
    if (const auto typed = PictureFormatOfExtension(LastExtension(fileName))) {
        if (*typed == pfWmf)
            return {pfWmf, WmfFileName(fileName)};
        return {*typed, fileName};
    }
    const TPictureFormat format = chosen.value_or(pfWmf);
    return {format, WithExtensionReplaced(fileName, PictureExtension(format))};
}

} // namespace chart
