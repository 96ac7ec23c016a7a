#pragma once
// One PNG that shows every button of a run in label order, row by row, each button at its own size.
#include "core/io/result.h"

#include <QImage>
#include <QPoint>
#include <QSize>
#include <QString>

#include <vector>

namespace qv::cli {

inline constexpr int kSheetGap = 4;  // pixels between buttons and around the grid
inline constexpr qint64 kMaxSheetPixels = 100'000'000;

struct SheetLayout {
    int columns = 0;  // the most buttons in one row
    int rows = 0;
    QSize size;                  // of the whole sheet
    std::vector<QPoint> places;  // each button's top-left, in label order
};

// Buttons `height` high and each as wide as `widths` says, in rows as wide as they need, wrapped
// where the sheet comes out about square (buttons of one width make a grid). Fails when the sheet
// would be larger than kMaxSheetPixels.
Result<SheetLayout> sheet_layout(const std::vector<int>& widths, int height);
// `count` buttons all of `button` size.
Result<SheetLayout> sheet_layout(qint64 count, QSize button);

class ContactSheet {
  public:
    explicit ContactSheet(SheetLayout layout);
    void place(qsizetype index, const QImage& button);
    // Writes the sheet as PNG, replacing the file atomically.
    Result<void> save(const QString& path) const;

  private:
    SheetLayout layout_;
    QImage sheet_;
};

}  // namespace qv::cli
