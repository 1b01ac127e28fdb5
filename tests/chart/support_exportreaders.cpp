#include "support_exportreaders.h"

#include <QFile>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <cmath>

namespace exporttest {

using picturetest::RunReader;

namespace {

ReadPicture Load(picturetest::ReaderRun run, const QString& file)
{
    ReadPicture out;
    out.run = std::move(run);
    if (out.run.Clean())
        out.image = QImage(file).convertToFormat(QImage::Format_RGB32);
    return out;
}

} // namespace

ReadPicture RenderSvg(const QString& path, QSize size)
{
    // rsvg-convert has no switch for antialiasing; the file's own rendering hint turns it off, as
    // pdftoppm's switches do below, so that edges are compared rather than blends of colours.
    QTemporaryDir dir;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray svg = file.readAll();
    svg.replace("<svg ", "<svg shape-rendering=\"crispEdges\" ");
    const QString aliased = dir.filePath(QStringLiteral("aliased.svg"));
    QFile copy(aliased);
    if (!copy.open(QIODevice::WriteOnly) || copy.write(svg) != svg.size())
        return {};
    copy.close();
    const QString png = dir.filePath(QStringLiteral("svg.png"));
    return Load(RunReader(QStringLiteral("rsvg-convert"),
                          {QStringLiteral("--width=%1").arg(size.width()), QStringLiteral("--height=%1").arg(size.height()),
                           QStringLiteral("--format=png"), QStringLiteral("--output=%1").arg(png), aliased}),
                png);
}

ReadPicture RenderPdf(const QString& path, double dpi)
{
    QTemporaryDir dir;
    const QString prefix = dir.filePath(QStringLiteral("pdf"));
    return Load(RunReader(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-aa"), QStringLiteral("no"),
                                                       QStringLiteral("-aaVector"), QStringLiteral("no"), QStringLiteral("-png"),
                                                       QStringLiteral("-singlefile"), path, prefix}),
                prefix + QStringLiteral(".png"));
}

ReadPicture DecodePng(const QString& path)
{
    // A plain pixel map, which Qt reads without its own PNG decoder.
    QTemporaryDir dir;
    const QString ppm = dir.filePath(QStringLiteral("png.ppm"));
    return Load(RunReader(QStringLiteral("convert"), {path, QStringLiteral("-depth"), QStringLiteral("8"), ppm}), ppm);
}

QString PdfText(const QString& path)
{
    const auto run = RunReader(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
    return run.Clean() ? run.output : QString();
}

QStringList SvgTexts(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList texts;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("text"))
            texts << xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
    return texts;
}

} // namespace exporttest
