#include "core/render/text_renderer.h"

#include "core/render/style_conversions.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPainter>
#include <QRawFont>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <utility>

namespace qv {

namespace {

// The eight neighbours of a point in reading order, row by row from the top.
constexpr Pass kRing[8] = {{-1, -1, PassColour::Black}, {0, -1, PassColour::Black},
                           {1, -1, PassColour::Black},  {-1, 0, PassColour::Black},
                           {1, 0, PassColour::Black},   {-1, 1, PassColour::Black},
                           {0, 1, PassColour::Black},   {1, 1, PassColour::Black}};

// A rounded real as a device coordinate; nullopt when it does not fit (the text output takes
// 32-bit coordinates).
std::optional<int> to_device(double v) {
    const double r = round_half_even(v);
    if (!(r >= std::numeric_limits<int>::min() && r <= std::numeric_limits<int>::max()))
        return std::nullopt;
    return static_cast<int>(r);
}

std::optional<int> add_int16(int a, int b) {
    const int sum = a + b;
    if (sum < std::numeric_limits<std::int16_t>::min() ||
        sum > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return sum;
}

std::optional<QColor> colour_from(const ButtonStyle& style,
                                  std::optional<int> (*component)(QStringView)) {
    const auto r = component(style.color_r);
    if (!r) return std::nullopt;
    const auto g = component(style.color_g);
    if (!g) return std::nullopt;
    const auto b = component(style.color_b);
    if (!b) return std::nullopt;
    return QColor(*r, *g, *b);
}

// The label as one line of text. Qt's layout would end the line at a line separator (U+2028) and
// move to the next tab stop at a tab; here a tab takes the room of one space and a line separator
// none, so the whole label is drawn on one line.
QString as_one_line(const QString& text) {
    const auto special = [](QChar c) { return c == u'\t' || c == QChar::LineSeparator; };
    if (std::none_of(text.begin(), text.end(), special)) return text;
    QString line = text;
    for (QChar& c : line) {
        if (c == u'\t')
            c = u' ';
        else if (c == QChar::LineSeparator)
            c = QChar(0x200B);  // zero width space
    }
    return line;
}

// Whether a run is drawn as boxes because, after every fallback font was tried, none has its
// characters: a font's glyph 0 is its box for what it lacks, and a script no font can shape goes
// to Qt's stand-in, which has no font tables and claims every character, even a noncharacter.
bool draws_boxes(const QGlyphRun& run) {
    if (run.glyphIndexes().contains(0u)) return true;
    const QRawFont font = run.rawFont();
    return font.glyphIndexesForString(QString(QChar(0xFFFF))).value(0) != 0 &&
           font.fontTable("head").isEmpty();
}

// Lays the layout's text out as one unwrapped line with its top-left at (0, 0).
QTextLine lay_out_line(QTextLayout& layout) {
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setPosition(QPointF(0, 0));
    layout.endLayout();
    return line;
}

// The label laid out once for all passes of one drawing, as glyph runs whose baseline is at
// y = 0 and whose left edge is at x = 0.
class LaidOutLabel {
  public:
    LaidOutLabel(const Canvas& canvas, const QString& text)
        : layout_(as_one_line(text), canvas.font, &canvas.image) {
        if (text.isEmpty()) return;
        layout_.setCacheEnabled(true);
        const QTextLine line = lay_out_line(layout_);
        width_ = line.naturalTextWidth();
        const double ascent = line.ascent();
        runs_ = layout_.glyphRuns();
        QRectF ink;
        for (QGlyphRun& run : runs_) {
            QList<QPointF> positions = run.positions();
            const QList<quint32> glyphs = run.glyphIndexes();
            const QRawFont font = run.rawFont();
            for (qsizetype i = 0; i < positions.size(); ++i) {  // one position per glyph
                positions[i].ry() -= ascent;
                ink |= font.boundingRect(glyphs[i]).translated(positions[i]);
            }
            run.setPositions(positions);
            has_box_ = has_box_ || draws_boxes(run);
        }
        const QFontMetricsF fm(canvas.font, &canvas.image);
        if (canvas.font.underline())
            ink |= QRectF(0, 0, line.naturalTextWidth(), fm.underlinePos() + fm.lineWidth());
        ascent_ = QFontMetrics(canvas.font, &canvas.image).ascent();
        // The glyphs' own outlines, a little widened for hinting and smoothing: a pass is skipped
        // only when none of its ink, however far a stack of accents reaches, falls on the canvas.
        ink_ = ink.toAlignedRect().adjusted(-2, -2, 2, 2);
    }

    bool empty() const { return runs_.isEmpty(); }
    bool has_box() const { return has_box_; }
    int ascent() const { return ascent_; }
    double width() const { return width_; }  // as text_width measures it
    // Where the ink may fall, from the glyphs' outlines with room for hinting, relative to the
    // left end of the baseline.
    QRect likely_ink() const { return ink_; }

    // The pixels the label really inks, relative to the left end of the baseline: drawn once on a
    // scratch layer. A pass puts the same glyphs at whole pixels, so its ink is this one moved.
    QRect exact_ink() const { return drawn_ink(ink_, runs_); }

    // The columns the label really inks, [left, right) relative to the left end of the baseline.
    // Only the glyphs near the outlines' two ends are drawn, on a strip at each end, so a long
    // label costs no more than a short one. (0, 0) when nothing inks.
    std::pair<int, int> exact_columns() const {
        if (runs_.isEmpty() || ink_.isEmpty()) return {0, 0};
        // Wider than hinting and smoothing move an edge from its outline, with room to spare.
        constexpr int kStrip = 8;
        if (ink_.width() > 3 * kStrip) {
            const QRect left_strip(ink_.left(), ink_.top(), kStrip, ink_.height());
            const QRect right_strip(ink_.right() - kStrip + 1, ink_.top(), kStrip, ink_.height());
            const QRect left = drawn_ink(left_strip, runs_near(left_strip));
            const QRect right = drawn_ink(right_strip, runs_near(right_strip));
            // An end whose outline inks no pixel there has its ink further in: measured whole.
            if (!left.isEmpty() && !right.isEmpty()) return {left.left(), right.right() + 1};
        }
        const QRect ink = exact_ink();
        return ink.isEmpty() ? std::pair{0, 0} : std::pair{ink.left(), ink.right() + 1};
    }

    // Draws every run with the line box's top-left at (x, y).
    void draw(QPainter& painter, const QRect& bounds, int x, int y) const {
        const int baseline = y + ascent_;
        if (!ink_.translated(x, baseline).intersects(bounds)) return;
        // The position goes to each run rather than into the painter's transform: Qt places a
        // run's underline from the transformed glyph positions and would move it twice.
        for (const QGlyphRun& run : runs_) painter.drawGlyphRun(QPointF(x, baseline), run);
    }

  private:
    // The pixels of `area` (relative to the left end of the baseline) that `runs` ink: drawn black
    // on white in the canvases' own format, which Qt draws from its glyph cache, the quickest way
    // it has; every pixel a glyph touches is no longer white.
    static QRect drawn_ink(const QRect& area, const QList<QGlyphRun>& runs) {
        if (runs.isEmpty() || area.isEmpty()) return {};
        QImage scratch(area.size(), QImage::Format_RGB32);
        set_screen_resolution(scratch);
        scratch.fill(Qt::white);
        {
            QPainter painter(&scratch);
            painter.setRenderHint(QPainter::TextAntialiasing);
            painter.setPen(Qt::black);
            for (const QGlyphRun& run : runs)
                painter.drawGlyphRun(QPointF(-area.left(), -area.top()), run);
        }
        int left = scratch.width(), right = -1, top = scratch.height(), bottom = -1;
        for (int row = 0; row < scratch.height(); ++row) {
            const auto* line = reinterpret_cast<const QRgb*>(scratch.constScanLine(row));
            for (int col = 0; col < scratch.width(); ++col) {
                if (line[col] == 0xffffffffu) continue;
                left = std::min(left, col);
                right = std::max(right, col);
                top = std::min(top, row);
                bottom = row;
            }
        }
        if (right < 0) return {};
        return QRect(QPoint(left, top), QPoint(right, bottom)).translated(area.topLeft());
    }

    // The runs cut down to the glyphs whose outlines, widened as ink_ is, reach into `area`.
    QList<QGlyphRun> runs_near(const QRect& area) const {
        QList<QGlyphRun> near;
        for (const QGlyphRun& run : runs_) {
            const QList<QPointF> positions = run.positions();
            const QList<quint32> glyphs = run.glyphIndexes();
            const QRawFont font = run.rawFont();
            QList<QPointF> kept_positions;
            QList<quint32> kept_glyphs;
            for (qsizetype i = 0; i < positions.size(); ++i) {
                const QRect outline =
                    font.boundingRect(glyphs[i]).translated(positions[i]).toAlignedRect();
                if (!outline.adjusted(-2, -2, 2, 2).intersects(area)) continue;
                kept_positions.append(positions[i]);
                kept_glyphs.append(glyphs[i]);
            }
            if (kept_glyphs.isEmpty()) continue;
            QGlyphRun cut = run;
            cut.setGlyphIndexes(kept_glyphs);
            cut.setPositions(kept_positions);
            near.append(cut);
        }
        return near;
    }

    QTextLayout layout_;
    QList<QGlyphRun> runs_;
    int ascent_ = 0;
    double width_ = 0;
    QRect ink_;
    bool has_box_ = false;
};

// The characters of `text` that no installed font has, each once: every printing character is
// laid out alone, so the fallback fonts get their chance at each.
QString characters_without_font(const Canvas& canvas, const QString& text) {
    QString missing;
    QList<char32_t> seen;
    for (const char32_t c : QStringView(text).toUcs4()) {
        switch (QChar::category(c)) {
            case QChar::Other_Control:
            case QChar::Other_Format:
            case QChar::Separator_Line:
            case QChar::Separator_Paragraph:
                continue;  // no glyph of their own
            default:
                break;
        }
        if (seen.contains(c)) continue;
        seen.append(c);
        const QString alone = QString::fromUcs4(&c, 1);
        QTextLayout layout(alone, canvas.font, &canvas.image);
        lay_out_line(layout);
        const QList<QGlyphRun> runs = layout.glyphRuns();
        if (std::any_of(runs.begin(), runs.end(), draws_boxes)) missing += alone;
    }
    return missing;
}

// What drawing `label` (laid out from `text` on `canvas`) with the passes of `plan` at (x, y)
// loses.
LabelInk losses(const Canvas& canvas, const LaidOutLabel& label, const QString& text,
                const std::vector<Pass>& plan, double x, double y) {
    LabelInk result;
    if (label.empty()) return result;
    if (label.has_box()) result.missing = characters_without_font(canvas, text);

    // Every pass draws the same glyphs; the passes' ink spans the face's ink moved to the
    // passes' outermost places.
    const auto face_x = to_device(x);
    const auto face_y = to_device(y);
    if (!face_x || !face_y) return result;
    int left = 0, right = 0, up = 0, down = 0;
    for (const Pass& p : plan) {
        const auto px = to_device(x + p.dx);
        const auto py = to_device(y + p.dy);
        if (!px || !py) return result;
        left = std::min(left, *px - *face_x);
        right = std::max(right, *px - *face_x);
        up = std::min(up, *py - *face_y);
        down = std::max(down, *py - *face_y);
    }
    const auto spread = [&](const QRect& ink) {
        return ink.translated(*face_x, *face_y + label.ascent()).adjusted(left, up, right, down);
    };
    // The outlines settle most labels: only one that may reach an edge is drawn to be measured.
    const QRect area = canvas.image.rect();
    if (area.contains(spread(label.likely_ink()))) return result;
    result.overflow = overflow_past(spread(label.exact_ink()), area);
    return result;
}

}  // namespace

std::vector<Pass> pass_plan(bool shadow, bool outline, bool relief) {
    std::vector<Pass> plan;
    plan.reserve(25);
    if (shadow) {
        if (outline) {
            for (Pass p : kRing) plan.push_back({p.dx + 1, p.dy + 1, PassColour::Black});
        } else {
            plan.push_back({1, 1, PassColour::Black});
        }
    }
    if (outline) plan.insert(plan.end(), std::begin(kRing), std::end(kRing));
    if (relief) {
        // Lit from the top left: the top-right corner goes dark first so the light passes
        // cover it where they overlap.
        plan.push_back({1, -1, PassColour::Dark});
        constexpr std::pair<int, int> kLight[] = {{-1, -1}, {0, -1}, {-1, 0}, {-1, 1}};
        constexpr std::pair<int, int> kDark[] = {{1, 0}, {0, 1}, {1, 1}};
        for (auto [dx, dy] : kLight) plan.push_back({dx, dy, PassColour::Light});
        for (auto [dx, dy] : kDark) plan.push_back({dx, dy, PassColour::Dark});
    }
    plan.push_back({0, 0, PassColour::Face});
    return plan;
}

QFont default_label_face() {
    QFont font;
    font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
    font.setStyleHint(QFont::SansSerif);
    return font;
}

bool set_label_font(Canvas& canvas, const ButtonStyle& style) {
    const auto size = font_size_points(style.font_size);
    if (!size) return false;
    QFont font = style.font_name.isEmpty() ? default_label_face() : QFont(style.font_name);
    // A size of zero or less has no meaning for a face; the face keeps its default size then.
    if (*size > 0) font.setPointSizeF(*size);
    font.setBold(is_on(style.font_bold));
    font.setItalic(is_on(style.font_italic));
    font.setUnderline(is_on(style.font_underline));
    // Grey anti-aliasing only: the buttons are saved as pictures and shown on any screen, so
    // colour fringes tuned to one panel's subpixel layout would be wrong.
    font.setStyleStrategy(QFont::NoSubpixelAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    canvas.font = font;
    return true;
}

double text_width(const Canvas& canvas, const QString& text) {
    if (text.isEmpty()) return 0;
    // The same layout as the drawing, so the label is placed by the width it is drawn with.
    QTextLayout layout(as_one_line(text), canvas.font, &canvas.image);
    return lay_out_line(layout).naturalTextWidth();
}

int line_height(const Canvas& canvas) {
    return QFontMetrics(canvas.font, &canvas.image).height();
}

bool draw_label(Canvas& canvas, const ButtonStyle& style, double x, double y, YArithmetic y_rule,
                LabelInk* ink) {
    const bool shadow = is_on(style.effet1_on);
    const bool outline = is_on(style.effet2_on);
    const bool relief = is_on(style.effet3_on);

    const LaidOutLabel label(canvas, style.label_text);
    std::optional<QPainter> painter;
    if (!label.empty()) {
        painter.emplace(&canvas.image);
        painter->setRenderHint(QPainter::TextAntialiasing);
    }
    const QRect bounds = canvas.image.rect();

    if (y_rule == YArithmetic::Int16 &&
        !(y >= std::numeric_limits<std::int16_t>::min() &&
          y <= std::numeric_limits<std::int16_t>::max() && y == std::trunc(y)))
        return false;
    // The shadow works from a copy of the origin moved one pixel down and right; on the button
    // that move is itself 16-bit arithmetic and fails before any shadow pass at the bottom edge
    // of the range. The style's own vertical position never changes.
    if (shadow && y_rule == YArithmetic::Int16 && !add_int16(static_cast<int>(y), 1)) return false;

    const std::vector<Pass> plan = pass_plan(shadow, outline, relief);
    // Measured from the very layout drawn, before any pass can fail.
    if (ink) *ink = losses(canvas, label, style.label_text, plan, x, y);
    std::optional<PassColour> current;
    for (const Pass& p : plan) {
        if (p.colour != current) {
            // Each colour is worked out from the colour texts at the moment it is first used, so
            // a bad text stops the drawing just before the first pass that needs it.
            std::optional<QColor> colour;
            switch (p.colour) {
                case PassColour::Black:
                    colour = QColor(Qt::black);
                    break;
                case PassColour::Dark:
                    colour = colour_from(style, dark_shade);
                    break;
                case PassColour::Light:
                    colour = colour_from(style, light_shade);
                    break;
                case PassColour::Face:
                    colour = colour_from(style, face_component);
                    break;
            }
            if (!colour) return false;
            if (painter) painter->setPen(*colour);
            current = p.colour;
        }
        const auto px = to_device(x + p.dx);
        if (!px) return false;
        const auto py = y_rule == YArithmetic::Int16 ? add_int16(static_cast<int>(y), p.dy)
                                                     : to_device(y + p.dy);
        if (!py) return false;
        if (painter) label.draw(*painter, bounds, *px, *py);
    }
    return true;
}

Overflow overflow_past(const QRect& ink, const QRect& area) {
    if (ink.isEmpty()) return {};
    return {std::max(0, area.left() - ink.left()), std::max(0, ink.right() - area.right()),
            std::max(0, area.top() - ink.top()), std::max(0, ink.bottom() - area.bottom())};
}

LabelInk measure_label(const Canvas& canvas, const ButtonStyle& style, double x, double y) {
    const LaidOutLabel label(canvas, style.label_text);
    return losses(canvas, label, style.label_text,
                  pass_plan(is_on(style.effet1_on), is_on(style.effet2_on), is_on(style.effet3_on)),
                  x, y);
}

LineShape line_shape(const Canvas& canvas, const QString& text) {
    const LaidOutLabel label(canvas, text);
    if (label.empty()) return {};
    const auto [left, right] = label.exact_columns();
    return {label.width(), left, right};
}

InkSpan ink_columns(const LineShape& shape, const ButtonStyle& style, double x) {
    if (shape.ink_right <= shape.ink_left) return {};
    // Each pass is placed as draw_label places it: its x rounded, not the face's x moved.
    std::optional<int> left, right;
    for (const Pass& p :
         pass_plan(is_on(style.effet1_on), is_on(style.effet2_on), is_on(style.effet3_on))) {
        const auto px = to_device(x + p.dx);
        if (!px) return {};
        left = std::min(left.value_or(*px), *px);
        right = std::max(right.value_or(*px), *px);
    }
    return {*left + shape.ink_left, *right + shape.ink_right};
}

InkSpan ink_columns(const Canvas& canvas, const ButtonStyle& style, double x) {
    return ink_columns(line_shape(canvas, style.label_text), style, x);
}

}  // namespace qv
