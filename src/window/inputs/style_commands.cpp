#include "core/io/message_text.h"
#include "core/io/picture_loader.h"
#include "core/io/style_file.h"
#include "core/render/style_conversions.h"
#include "core/render/text_renderer.h"
#include "window/form_main.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScopeGuard>
#include <QShortcut>

namespace {

const QString kStyleFilter = QStringLiteral("Quorvane style (*.qvstyle)");

}  // namespace

qv::StyleSettings Form_Main::style_settings() const {
    const qv::ButtonStyle b = current_style();
    qv::StyleSettings s;
    s.font = b.font_name;
    // The captions only ever hold whole numbers that the steppers or a style file wrote.
    s.size = int(qv::leading_number(b.font_size));
    s.bold = qv::is_on(b.font_bold);
    s.italic = qv::is_on(b.font_italic);
    s.underline = qv::is_on(b.font_underline);
    s.color = {b.color_r, b.color_g, b.color_b};
    s.align = b.align_mode;
    s.margin_left = int(qv::leading_number(b.margin_left));
    s.margin_right = int(qv::leading_number(b.margin_right));
    s.text_y = b.text_y;  // the window's line, wherever the picture load or a drag put it
    s.shadow = qv::is_on(b.effet1_on);
    s.outline = qv::is_on(b.effet2_on);
    s.relief = qv::is_on(b.effet3_on);
    s.background = background_path;
    s.format = write_png_files ? qv::ButtonFormat::Png : qv::ButtonFormat::Bmp;
    s.fit = label_layout_.fit;
    s.min_size = label_layout_.min_size;
    s.stretch = label_layout_.stretch;
    return s;
}

void Form_Main::save_style() {
    const QString start = output_directory.isEmpty() ? QDir::homePath() : output_directory;
    const std::optional<QString> chosen = platform().save_file(this, start, kStyleFilter);
    if (!chosen) return;
    QString path = *chosen;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".qvstyle");
    // A half-typed colour box is refused here rather than saved into a file no one can read.
    const qv::Result<void> written = qv::write_style_file(path, style_settings());
    if (!written) platform().show_message(this, written.error());
}

void Form_Main::open_style() {
    // A style may bring its own picture, which the run under way has not checked its files against.
    if (batch_running_) return;
    const QString start = output_directory.isEmpty() ? QDir::homePath() : output_directory;
    const std::optional<QString> chosen = platform().open_file(this, start, kStyleFilter);
    if (chosen) apply_style_file(*chosen);
}

void Form_Main::set_write_png(bool on) {
    if (write_png_files == on) return;
    write_png_files = on;
    emit write_png_changed(on);
}

bool Form_Main::apply_style_file(const QString& path) {
    if (batch_running_)
        return false;  // a dropped style is refused during a run, as a chosen one is
    // Everything that can fail is had first: applying then cannot stop half way.
    const qv::Result<qv::ReadStyle> read = qv::read_style_file(path);
    if (!read) {
        platform().show_message(this, read.error());
        return false;
    }
    const qv::StyleSettings& s = read->settings;
    auto refuse = [&](const QString& reason) {
        platform().show_message(
            this,
            QStringLiteral("Cannot open style %1: %2").arg(qv::shown_in_message(path), reason));
        return false;
    };
    std::optional<QImage> picture;
    if (!s.background.isEmpty()) {
        qv::Result<QImage> loaded = qv::decode_picture(s.background);
        if (!loaded) return refuse(loaded.error());
        picture = std::move(*loaded);
    }
    QListWidgetItem* font = nullptr;
    if (!s.font.isEmpty()) {
        const QList<QListWidgetItem*> found = List_Typo->findItems(s.font, Qt::MatchExactly);
        if (found.isEmpty())
            return refuse(QStringLiteral("the font \"%1\" is not installed")
                              .arg(qv::shown_in_message(s.font)));
        font = found.first();
    }

    // Through the handlers a user's clicks run, so that every look follows; one redraw at the end.
    {
        ++preview_held_;
        const auto release = qScopeGuard([this] { --preview_held_; });
        if (picture) show_background(s.background, *picture);
        if (font) {
            List_Typo->setCurrentItem(font);
            List_Typo->scrollToItem(font);
        } else {
            List_Typo->clearSelection();
        }
        Label_size->setText(QString::number(s.size));
        Label_alignleft->setText(QString::number(s.margin_left));
        Label_alignright->setText(QString::number(s.margin_right));
        Text_R->setText(s.color[0]);
        Text_G->setText(s.color[1]);
        Text_B->setText(s.color[2]);
        if (s.align == qv::kAlignLeft)
            Image_left_Click();
        else if (s.align == qv::kAlignRight)
            Image_right_Click();
        else
            Image_center_Click();
        const std::pair<bool, void (Form_Main::*)()> switches[] = {
            {s.bold != qv::is_on(font_bold), &Form_Main::Image4_Click},
            {s.italic != qv::is_on(font_italic), &Form_Main::Image2_Click},
            {s.underline != qv::is_on(font_underline), &Form_Main::Image3_Click},
            {s.shadow != qv::is_on(effet1_on), &Form_Main::Image_effet1_Click},
            {s.outline != qv::is_on(effet2_on), &Form_Main::Image_effet2_Click},
            {s.relief != qv::is_on(effet3_on), &Form_Main::Image_effet3_Click},
        };
        for (const auto& [flips, click] : switches)
            if (flips) (this->*click)();
        set_write_png(s.format == qv::ButtonFormat::Png);
        set_label_layout({s.fit, s.min_size, s.stretch});  // a file without them fits nothing

        if (s.text_y) {
            text_y = *s.text_y;
        } else if (!background_path.isEmpty()) {
            // Centred on the picture in the style's own font, as quorvane-batch does.
            qv::Canvas measure = qv::Canvas::make(Picture_previewscroll->canvas().image.size(),
                                                  qv::kWindowBackground);
            qv::set_label_font(measure, current_style());
            text_y = qv::centred_text_y(measure.height(), qv::line_height(measure));
        } else {
            text_y = 0;
        }
    }
    draw_preview();
    if (!read->warnings.isEmpty())
        platform().show_message(
            this, QStringLiteral("Style %1 opened; %2")
                      .arg(qv::shown_in_message(path), read->warnings.join(QStringLiteral("; "))));
    return true;
}
