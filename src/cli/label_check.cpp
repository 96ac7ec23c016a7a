#include "cli/label_check.h"

#include "core/render/composer.h"
#include "core/render/style_conversions.h"
#include "core/render/text_renderer.h"

#include <QDir>
#include <QFile>
#include <QHash>

#include <algorithm>

namespace qv::cli {

InkSpan ink_span(int x, double text_width, bool shadow, bool outline, bool relief) {
    const int left = (outline || relief) ? 1 : 0;
    int right = (outline || relief) ? 1 : 0;
    if (shadow) right = std::max(right, outline ? 2 : 1);
    return {double(x - left), x + text_width + right};
}

bool fits(InkSpan span, int width, int align_mode, int margin_left, int margin_right) {
    const int low = align_mode == kAlignLeft ? margin_left : 0;
    const int high = width - (align_mode == kAlignRight ? margin_right : 0);
    return span.left >= low && span.right <= high;
}

std::vector<qsizetype> labels_past_edges(const QStringList& labels, const ButtonStyle& style,
                                         const Canvas& background) {
    Canvas canvas = Canvas::make(background.image.size(), kWindowBackground);
    set_label_font(canvas, style);
    const double margin_left = leading_number(style.margin_left);
    const double margin_right = leading_number(style.margin_right);
    const bool shadow = is_on(style.effet1_on);
    const bool outline = is_on(style.effet2_on);
    const bool relief = is_on(style.effet3_on);

    std::vector<qsizetype> past;
    for (qsizetype i = 0; i < labels.size(); ++i) {
        if (labels[i].isEmpty()) continue;  // draws nothing
        const double width = text_width(canvas, labels[i]);
        const double x =
            button_origin_x(style.align_mode, canvas.width(), width, margin_left, margin_right);
        const InkSpan span = ink_span(int(round_half_even(x)), width, shadow, outline, relief);
        if (!fits(span, canvas.width(), style.align_mode, int(margin_left), int(margin_right)))
            past.push_back(i);
    }
    return past;
}

std::vector<qsizetype> labels_sharing_names(const QStringList& labels, const QStringList& names,
                                            const QStringList& suffixes) {
    struct Writer {
        qsizetype label;
        qsizetype look;
    };
    QHash<QByteArray, Writer> owner;  // the first label to use each file name
    std::vector<bool> shared(size_t(names.size()), false);
    for (qsizetype i = 0; i < names.size(); ++i) {
        for (qsizetype k = 0; k < suffixes.size(); ++k) {
            const QByteArray name = QFile::encodeName(QDir::cleanPath(names[i] + suffixes[k]));
            const auto it = owner.constFind(name);
            if (it == owner.cend()) {
                owner.insert(name, {i, k});
            } else if (it->look != k || labels[it->label] != labels[i]) {
                shared[size_t(it->label)] = true;
                shared[size_t(i)] = true;
            }
        }
    }
    std::vector<qsizetype> result;
    for (qsizetype i = 0; i < names.size(); ++i)
        if (shared[size_t(i)]) result.push_back(i);
    return result;
}

}  // namespace qv::cli
