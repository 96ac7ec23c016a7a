#include "cli/contact_sheet.h"

#include "core/io/atomic_write.h"
#include "core/render/canvas.h"

#include <QBuffer>
#include <QPainter>

#include <algorithm>
#include <climits>
#include <cmath>

namespace qv::cli {

Result<SheetLayout> sheet_layout(const std::vector<int>& widths, int height) {
    SheetLayout layout;
    const qint64 count = qint64(widths.size());
    if (count == 0) {
        layout.size = QSize(kSheetGap, kSheetGap);
        return layout;
    }
    const qint64 cell_h = qint64(height) + kSheetGap;
    qint64 cells = 0, widest = 0;
    for (const int w : widths) {
        cells += qint64(w) + kSheetGap;
        widest = std::max(widest, qint64(w) + kSheetGap);
    }
    // As many average cells to a row as make the sheet's width and height about equal; a row
    // holds at least its widest button.
    const double average = double(cells) / double(count);
    const double ideal = std::sqrt(double(count) * double(cell_h) / average);
    const double row_room = std::max(
        double(widest), double(std::clamp<qint64>(std::llround(ideal), 1, count)) * average);
    layout.places.reserve(widths.size());
    qint64 x = 0, row = 0, in_row = 0, sheet_w = 0;
    for (const int w : widths) {
        const qint64 cell_w = qint64(w) + kSheetGap;
        if (in_row > 0 && double(x + cell_w) > row_room) {
            ++row;
            x = 0;
            in_row = 0;
        }
        layout.places.emplace_back(int(std::min<qint64>(kSheetGap + x, INT_MAX)),
                                   int(std::min<qint64>(kSheetGap + row * cell_h, INT_MAX)));
        x += cell_w;
        ++in_row;
        sheet_w = std::max(sheet_w, x);
        layout.columns = int(std::max<qint64>(layout.columns, in_row));
    }
    const qint64 rows = row + 1;
    const qint64 width = sheet_w + kSheetGap;
    const qint64 sheet_h = rows * cell_h + kSheetGap;
    if (width * sheet_h > kMaxSheetPixels)
        return Failure{QStringLiteral("--contact-sheet: %1 buttons %2 pixels high make a sheet "
                                      "of %3x%4 pixels, more than %5 million")
                           .arg(count)
                           .arg(height)
                           .arg(width)
                           .arg(sheet_h)
                           .arg(kMaxSheetPixels / 1'000'000)};
    layout.rows = int(rows);
    layout.size = QSize(int(width), int(sheet_h));
    return layout;
}

Result<SheetLayout> sheet_layout(qint64 count, QSize button) {
    return sheet_layout(std::vector<int>(size_t(std::max<qint64>(count, 0)), button.width()),
                        button.height());
}

ContactSheet::ContactSheet(SheetLayout layout)
    : layout_(std::move(layout)), sheet_(layout_.size, QImage::Format_RGB32) {
    sheet_.fill(kPanelColour);
}

void ContactSheet::place(qsizetype index, const QImage& button) {
    if (index < 0 || size_t(index) >= layout_.places.size()) return;
    QPainter painter(&sheet_);  // a transparent button shows the sheet's colour through it
    painter.drawImage(layout_.places[size_t(index)], button);
}

Result<void> ContactSheet::save(const QString& path) const {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!sheet_.save(&buffer, "PNG"))
        return Failure{QStringLiteral("cannot encode the contact sheet %1").arg(path)};
    return write_file_atomically(path, bytes);
}

}  // namespace qv::cli
