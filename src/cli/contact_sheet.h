#pragma once
// One PNG that shows every button of a run in a grid, in label order, row by row.
#include "core/io/result.h"

#include <QImage>
#include <QSize>
#include <QString>

namespace qv::cli {

inline constexpr int kSheetGap = 4;  // pixels between buttons and around the grid
inline constexpr qint64 kMaxSheetPixels = 100'000'000;

struct SheetLayout {
    int columns = 0;
    int rows = 0;
    QSize size;  // of the whole sheet
};

// The grid closest to a square for `count` buttons of `button` size. Fails when the sheet would
// be larger than kMaxSheetPixels.
Result<SheetLayout> sheet_layout(qint64 count, QSize button);

class ContactSheet {
  public:
    explicit ContactSheet(const SheetLayout& layout, QSize button);
    void place(qsizetype index, const QImage& button);
    // Writes the sheet as PNG, replacing the file atomically.
    Result<void> save(const QString& path) const;

  private:
    SheetLayout layout_;
    QSize button_;
    QImage sheet_;
};

}  // namespace qv::cli
