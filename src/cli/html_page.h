#pragma once
// A preview page for a set: one self-contained HTML file (no script, nothing fetched from
// elsewhere) that shows the buttons as a menu, the hover look under the pointer and the pressed
// look while pressed, with CSS alone.
#include <QSize>
#include <QString>

#include <optional>
#include <vector>

namespace qv::cli {

struct PageImage {
    QString file;  // absolute, or relative to the working directory
    QSize size;
};

struct PageButton {
    QString label;
    PageImage main;
    std::optional<PageImage> hover;
    std::optional<PageImage> pressed;
};

// `file` as a URL relative to a page in `page_dir`: "/"-separated, each part percent-encoded so
// that spaces, "#", "?" and any script survive.
QString relative_url(const QString& page_dir, const QString& file);

// The page for `buttons` in menu order, to be saved in `page_dir`. Labels are escaped. Every
// button is expected in the same looks (those of the first).
QString page_html(const std::vector<PageButton>& buttons, const QString& page_dir,
                  const QString& title);

}  // namespace qv::cli
