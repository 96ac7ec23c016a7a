#include "cli/contact_sheet.h"

#include "core/io/atomic_write.h"
#include "core/render/canvas.h"

#include <QBuffer>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace qv::cli {

Result<SheetLayout> sheet_layout(qint64 count, QSize button) {
    const qint64 cell_w = button.width() + kSheetGap;
    const qint64 cell_h = button.height() + kSheetGap;
    SheetLayout layout;
    if (count <= 0) {
        layout.size = QSize(kSheetGap, kSheetGap);
        return layout;
    }
    // Columns chosen so that the sheet's width and height come out about equal.
    const double ideal = std::sqrt(double(count) * double(cell_h) / double(cell_w));
    const qint64 columns = std::clamp<qint64>(std::llround(ideal), 1, count);
    const qint64 rows = (count + columns - 1) / columns;
    const qint64 width = columns * cell_w + kSheetGap;
    const qint64 height = rows * cell_h + kSheetGap;
    if (width * height > kMaxSheetPixels)
        return Failure{QStringLiteral("--contact-sheet: %1 buttons of %2x%3 make a sheet of "
                                      "%4x%5 pixels, more than %6 million")
                           .arg(count)
                           .arg(button.width())
                           .arg(button.height())
                           .arg(width)
                           .arg(height)
                           .arg(kMaxSheetPixels / 1'000'000)};
    layout.columns = int(columns);
    layout.rows = int(rows);
    layout.size = QSize(int(width), int(height));
    return layout;
}

ContactSheet::ContactSheet(const SheetLayout& layout, QSize button)
    : layout_(layout), button_(button), sheet_(layout.size, QImage::Format_RGB32) {
    sheet_.fill(kPanelColour);
}

void ContactSheet::place(qsizetype index, const QImage& button) {
    if (layout_.columns == 0) return;
    const int column = int(index % layout_.columns);
    const int row = int(index / layout_.columns);
    QPainter painter(&sheet_);  // a transparent button shows the sheet's colour through it
    painter.drawImage(QPoint(kSheetGap + column * (button_.width() + kSheetGap),
                             kSheetGap + row * (button_.height() + kSheetGap)),
                      button);
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
