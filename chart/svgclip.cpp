#include "chart/svgclip.h"

#include <stdexcept>

namespace chart {

namespace {

const QByteArray DocumentEnd = "</svg>";
const QByteArray GroupEnd = "</g>";
const QByteArray DefinitionsEnd = "</defs>";
const QByteArray TinyProfile = "version=\"1.2\" baseProfile=\"tiny\"";
const QByteArray FullProfile = "version=\"1.1\"";
const char ClipId[] = "chartArea";

[[noreturn]] void NotGeneratorOutput()
{
    throw std::runtime_error("The SVG picture could not be put together: unexpected generator output.");
}

} // namespace

QByteArray SvgWithClippedDrawing(const QByteArray& outside, const QByteArray& inside, const QRect& clip)
{
    // The generator wraps its drawing in one group that closes right before the document ends.
    const qsizetype outsideEnd = outside.lastIndexOf(DocumentEnd);
    const qsizetype outsideGroupEnd = outsideEnd < 0 ? -1 : outside.lastIndexOf(GroupEnd, outsideEnd);
    const qsizetype insideStart = inside.indexOf(DefinitionsEnd);
    const qsizetype insideEnd = inside.lastIndexOf(DocumentEnd);
    if (outsideGroupEnd < 0 || insideStart < 0 || insideEnd < insideStart)
        NotGeneratorOutput();

    QByteArray head = outside.left(outsideGroupEnd);
    head.replace(TinyProfile, FullProfile);
    const QByteArray drawing = inside.mid(insideStart + DefinitionsEnd.size(), insideEnd - insideStart - DefinitionsEnd.size());

    QByteArray out = head;
    out += QStringLiteral("<defs><clipPath id=\"%1\"><rect x=\"%2\" y=\"%3\" width=\"%4\" height=\"%5\"/></clipPath></defs>\n"
                          "<g clip-path=\"url(#%1)\">")
               .arg(QLatin1String(ClipId))
               .arg(clip.x())
               .arg(clip.y())
               .arg(clip.width())
               .arg(clip.height())
               .toUtf8();
    out += drawing;
    out += "</g>\n";
    out += outside.mid(outsideGroupEnd);
    return out;
}

} // namespace chart
