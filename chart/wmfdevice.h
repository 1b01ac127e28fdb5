#pragma once
// A paint device that records what a QPainter draws as a placeable Windows metafile, so a picture
// can be exported through the very drawing code that paints the screen.

#include <QByteArray>
#include <QPaintDevice>
#include <QSize>
#include <QString>
#include <memory>

namespace chart {

class WmfPaintEngine;

class WmfDevice : public QPaintDevice {
public:
    // size: the drawing's extent in pixels. dpi: pixels per inch of the screen those pixels
    // belong to (0 = the primary screen's logical resolution); it sets the picture's physical
    // size and the pixel height of point-sized fonts.
    explicit WmfDevice(QSize size, double dpi = 0);
    ~WmfDevice() override;

    QPaintEngine* paintEngine() const override;

    double Dpi() const { return dpi_; }
    // The picture frame: the bounding box of everything drawn, in logical units (pixels).
    QRect Frame() const;
    // The frame's size in the placeable header's units (96 per inch), rounded.
    QSize FrameUnits() const;
    // The whole file: placeable header, then the standard metafile. Valid after QPainter::end.
    QByteArray Bytes() const;
    // Writes Bytes() to path. The file is replaced only once the new one is complete. Returns
    // false with the reason in *error (when given) if it cannot be written; never throws.
    bool Save(const QString& path, QString* error = nullptr) const;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    QSize size_;
    double dpi_;
    std::unique_ptr<WmfPaintEngine> engine_;
};

} // namespace chart
