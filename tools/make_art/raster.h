#pragma once
// Pixel primitives of the artwork generator. Everything is drawn by hand on RGB32 (or ARGB32)
// images instead of through QPainter's font and path engines, so that the output depends on
// nothing but this code and can be compared pixel for pixel with the committed pictures.
#include <QImage>
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QRgb>
#include <QVector>

#include <functional>

namespace qv::art {

QRgb mix(QRgb a, QRgb b, double t);  // t = 0 gives a, 1 gives b; alpha mixed too
QRgb shade(QRgb colour, int delta);  // adds delta to each of red, green and blue, clamped

void put(QImage& image, int x, int y, QRgb colour);
// Blends `colour` over the pixel with the given coverage (0..1).
void blend(QImage& image, int x, int y, QRgb colour, double coverage);
void fill(QImage& image, const QRect& rect, QRgb colour);
void hline(QImage& image, int x0, int x1, int y, QRgb colour);
void vline(QImage& image, int x, int y0, int y1, QRgb colour);
// Top and left edges in `top_left`, bottom and right edges in `bottom_right`.
void edges(QImage& image, const QRect& rect, QRgb top_left, QRgb bottom_right);
void vgradient(QImage& image, const QRect& rect, QRgb top, QRgb bottom);
void hgradient(QImage& image, const QRect& rect, QRgb left, QRgb right);

// Fills the pixels whose centres lie within `radius` of `centre`, anti-aliased at the rim by
// 4 x 4 sampling; `colour_at` gives the colour for an offset from the centre.
void disc(QImage& image, QPointF centre, double radius,
          const std::function<QRgb(double dx, double dy)>& colour_at);

// How much of pixel (x, y) a rounded rectangle covers (0..1), by 4 x 4 sampling.
double rounded_rect_coverage(int x, int y, const QRectF& rect, double radius);

// An 8-bit copy of `image` using `palette`: exact colours map to their entry, others to the
// nearest entry by squared distance.
QImage to_indexed(const QImage& image, const QVector<QRgb>& palette);

// A palette holding `first` at entry 0 and then the colours of `images` by how often they occur,
// padded with black to `entries`. When there are more colours than entries, the closest ones
// share an entry.
QVector<QRgb> build_palette(const QVector<const QImage*>& images, QRgb first, int entries);

}  // namespace qv::art
