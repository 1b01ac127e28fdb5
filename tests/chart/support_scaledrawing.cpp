#include "support_scaledrawing.h"

#include <QPainter>

void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace testsupport {

std::unique_ptr<chart::TScale> MakeScale(chart::TScaleType type, double low, double high)
{
    auto s = std::make_unique<chart::TScale>();
    s->SetSuspendPaint(true);
    s->SetTransparent(true);
    s->SetDirectPaint(true);
    s->SetScaleType(type);
    s->SetRangeLow(low);
    s->SetRangeHigh(high);
    if (s->RangeLow() != low)
        s->SetRangeLow(low); // the range rule moved it while RangeHigh was still equal
    return s;
}

ScaleDrawing DrawScale(chart::TScale& s, int offsetX, int offsetY)
{
    ScaleDrawing d;
    RecordingDevice device(s.Width() + offsetX, s.Height() + offsetY);
    QPainter painter(&device);
    s.SetTargetCanvas(&painter, offsetX, offsetY);
    auto previous = s.OnScaleTickDrawn;
    s.OnScaleTickDrawn = [&](chart::TScale* sender, QPainter*& canvas, chart::TScaleType type, double v, int x, int y) {
        d.EventTicks.push_back(v);
        d.EventPoints.push_back(QPoint(x, y));
        if (previous)
            previous(sender, canvas, type, v, x, y);
    };
    s.ForceRepaint();
    painter.end();
    s.SetTargetCanvas(nullptr, 0, 0);
    s.OnScaleTickDrawn = previous;
    d.Texts = device.Texts();
    d.Lines = device.Lines();
    for (const auto& t : d.Texts)
        d.Labels.push_back(t.Text);
    for (int n = 1; n <= s.NumTicks(); ++n)
        d.Recorded.push_back(s.GetTickPos(n));
    return d;
}

} // namespace testsupport
