#include "window/form_main.h"

#include "core/io/picture_loader.h"
#include "core/render/composer.h"
#include "core/render/stretch.h"
#include "window/controls/font_list.h"
#include "window/drop_handler.h"
#include "window/form_splash.h"
#include "window/skin/skin_layout.h"
#include "window/window_actions.h"
#include "window/window_look.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QStringListModel>

namespace {

using HotSpotMember = qv::HotSpot* Form_Main::*;

struct HotSpotBinding {
    const char* name;
    HotSpotMember member;
};

constexpr HotSpotBinding kHotSpots[] = {
    {"Image_About", &Form_Main::Image_About},
    {"Image_Move", &Form_Main::Image_Move},
    {"Image_Min", &Form_Main::Image_Min},
    {"Image_Quit", &Form_Main::Image_Quit},
    {"Image_loadbutton", &Form_Main::Image_loadbutton},
    {"Image_buttonbrowse", &Form_Main::Image_buttonbrowse},
    {"Image_typotruetype", &Form_Main::Image_typotruetype},
    {"Image_typobitmap", &Form_Main::Image_typobitmap},
    {"Image_TypoBrowse", &Form_Main::Image_TypoBrowse},
    {"Image_loadTxt", &Form_Main::Image_loadTxt},
    {"Image_DirectoryBrowse", &Form_Main::Image_DirectoryBrowse},
    {"Image_Make", &Form_Main::Image_Make},
    {"Image1", &Form_Main::Image1},
    {"Image_typoback", &Form_Main::Image_typoback},
    {"Image_left", &Form_Main::Image_left},
    {"Image_center", &Form_Main::Image_center},
    {"Image_right", &Form_Main::Image_right},
    {"Image_leftmoins", &Form_Main::Image_leftmoins},
    {"Image_leftplus", &Form_Main::Image_leftplus},
    {"Image_rightmoins", &Form_Main::Image_rightmoins},
    {"Image_rightplus", &Form_Main::Image_rightplus},
    {"Image_sizemoins", &Form_Main::Image_sizemoins},
    {"Image_sizeplus", &Form_Main::Image_sizeplus},
    {"Image_effet1", &Form_Main::Image_effet1},
    {"Image_effet2", &Form_Main::Image_effet2},
    {"Image_effet3", &Form_Main::Image_effet3},
    {"Image2", &Form_Main::Image2},
    {"Image4", &Form_Main::Image4},
    {"Image3", &Form_Main::Image3},
};

constexpr QSize kSkinSize{qv::layout::kSkinWidth, qv::layout::kSkinHeight};

QRect control_rect(const char* name) {
    return qv::layout::main_control(name).rect;
}

using qv::list_font;
using qv::set_back_colour;

}  // namespace

Form_Main::Form_Main(qv::PlatformServices& platform, QWidget* parent)
    : SkinnedWindow(parent, "Form_Main", QStringLiteral("Quorvane 1.0b"),
                    QStringLiteral(":/assets/skin_normal.png"), kSkinSize, qv::kPanelColour),
      platform_(platform) {
    // The window's face is the normal skin, which is also the persistent image it starts from;
    // the pressed skin is held ready beside it. Both cover the whole skin, also the part beyond
    // the closed width.
    etat2_ =
        qv::skin_picture(QStringLiteral(":/assets/skin_pressed.png"), kSkinSize, qv::kPanelColour);
    persistent_ = face();
    screen_ = face();
    setFixedHeight(qv::layout::kSkinHeight);

    const QFont entries = qv::entry_font();
    auto frame = [&](const char* name) {
        auto* w = new QWidget(this);
        w->setObjectName(QString::fromLatin1(name));
        w->setGeometry(control_rect(name));
        set_back_colour(w, qv::kWindowBackground);
        return w;
    };
    Picture_button = frame("Picture_button");
    Picture_Preview = frame("Picture_Preview");
    Picture_Typo = frame("Picture_Typo");
    Picture4 = frame("Picture4");

    auto canvas = [&](const char* name, QWidget* in) {
        const QRect r = control_rect(name);
        auto* c = new qv::CanvasView(r.size(), qv::kWindowBackground, in);
        c->setObjectName(QString::fromLatin1(name));
        c->move(r.topLeft());
        c->hide();  // shown by their first drawing or the first picture load
        return c;
    };
    Picture_buttonscroll = canvas("Picture_buttonscroll", Picture_button);
    Picture_previewscroll = canvas("Picture_previewscroll", Picture_Preview);
    Picture_typoscroll = canvas("Picture_typoscroll", Picture_Typo);
    Picture_previewscroll->setToolTip(
        QString::fromLatin1(qv::layout::main_control("Picture_previewscroll").tooltip));
    const QPixmap pointer(QStringLiteral(":/assets/preview_cursor.png"));
    if (!pointer.isNull()) Picture_previewscroll->setCursor(QCursor(pointer, 16, 16));

    auto text_box = [&](const char* name, Qt::Alignment align) {
        auto* t = new QLineEdit(this);
        t->setObjectName(QString::fromLatin1(name));
        t->setGeometry(control_rect(name));
        t->setFrame(false);
        t->setFont(entries);
        t->setAlignment(align);
        t->setTextMargins(0, 0, 0, 0);
        t->setContentsMargins(0, 0, 0, 0);
        const char* tip = qv::layout::main_control(name).tooltip;
        if (*tip) t->setToolTip(QString::fromLatin1(tip));
        set_back_colour(t, qv::kWindowBackground);
        return t;
    };
    Text_Texte = text_box("Text_Texte", Qt::AlignLeft | Qt::AlignVCenter);
    Text_R = text_box("Text_R", Qt::AlignCenter);
    Text_G = text_box("Text_G", Qt::AlignCenter);
    Text_B = text_box("Text_B", Qt::AlignCenter);

    List1_items = new QStringListModel(this);
    List1 = new QListView(this);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setModel(List1_items);
    List1->setGeometry(control_rect("List1"));
    List1->setFont(list_font());
    List1->setFrameShape(QFrame::NoFrame);
    List1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    List1->setSelectionMode(QAbstractItemView::SingleSelection);
    List1->setUniformItemSizes(true);  // keeps lists of many thousands of labels quick
    set_back_colour(List1, qv::kWindowBackground);

    List_Typo = new qv::FontList(this);
    List_Typo->setObjectName(QStringLiteral("List_Typo"));
    List_Typo->setGeometry(control_rect("List_Typo"));
    List_Typo->setFont(list_font());
    List_Typo->setFrameShape(QFrame::NoFrame);
    List_Typo->setSortingEnabled(true);
    List_Typo->setUniformItemSizes(true);
    List_Typo->setSelectionMode(QAbstractItemView::SingleSelection);
    set_back_colour(List_Typo, qv::kWindowBackground);

    auto label = [&](const char* name, QWidget* in, Qt::Alignment align) {
        auto* l = new QLabel(in);
        l->setObjectName(QString::fromLatin1(name));
        l->setGeometry(control_rect(name));
        l->setFont(entries);
        l->setAlignment(align);
        // Folders and numbers are shown as typed: a folder named "<b>x</b>" keeps its tags.
        l->setTextFormat(Qt::PlainText);
        return l;
    };
    Label_alignleft = label("Label_alignleft", this, Qt::AlignCenter);
    Label_alignright = label("Label_alignright", this, Qt::AlignCenter);
    Label_size = label("Label_size", this, Qt::AlignCenter);
    Label_Directory = label("Label_Directory", Picture4, Qt::AlignLeft | Qt::AlignVCenter);

    // Hot-spots last, so that they lie over everything they cover.
    for (const HotSpotBinding& b : kHotSpots)
        this->*b.member = new qv::HotSpot(qv::layout::main_hot_spot(b.name), this);

    wire_push_spots();
    wire_window_commands();
    wire_layout_controls();
    wire_style_switches();
    wire_entries();
    wire_typography_panel();
    wire_text_list();
    // The commands with their shortcuts and menu, and what is dropped on the window.
    new qv::WindowActions(*this);
    new qv::DropHandler(*this);
}

Form_Main::~Form_Main() {
    delete splash_;
}

qv::ButtonStyle Form_Main::current_style() const {
    qv::ButtonStyle s;
    s.label_text = Text_Texte->text();
    const QList<QListWidgetItem*> chosen = List_Typo->selectedItems();
    s.font_name = chosen.isEmpty() ? QString() : chosen.first()->text();
    s.font_size = Label_size->text();
    s.font_bold = font_bold;
    s.font_italic = font_italic;
    s.font_underline = font_underline;
    s.color_r = Text_R->text();
    s.color_g = Text_G->text();
    s.color_b = Text_B->text();
    s.align_mode = align_mode;
    s.margin_left = Label_alignleft->text();
    s.margin_right = Label_alignright->text();
    s.text_y = text_y;
    s.effet1_on = effet1_on;
    s.effet2_on = effet2_on;
    s.effet3_on = effet3_on;
    return s;
}

void Form_Main::draw_preview() {
    if (preview_held_ > 0) return;
    ++draw_count;
    Picture_typoscroll->show();
    if (label_layout_.adjusts()) {
        draw_fitted_preview(current_style());
        return;
    }
    // Back from a stretched button: the preview is the picture's size and place again.
    if (const qv::Canvas& background = Picture_buttonscroll->canvas();
        Picture_previewscroll->canvas().image.size() != background.image.size()) {
        Picture_previewscroll->set_canvas_size(background.image.size());
        Picture_previewscroll->move(Picture_buttonscroll->pos());
    }
    const qv::PreviewResult result =
        qv::draw_preview(Picture_previewscroll->canvas(), Picture_typoscroll->canvas(),
                         Picture_buttonscroll->canvas(), current_style());
    // A failed drawing keeps its partial image off the screen until the next good one.
    if (result.typo_ok) Picture_typoscroll->present();
    if (result.button_ok) Picture_previewscroll->present();
}

void Form_Main::process_events() {
    QCoreApplication::processEvents();
}

void Form_Main::draw_fitted_preview(const qv::ButtonStyle& style) {
    if (qv::draw_previewtypo(Picture_typoscroll->canvas(), style)) Picture_typoscroll->present();
    // The button a run paints for this label: placed, on the background at the button's width.
    const qv::Canvas& background = Picture_buttonscroll->canvas();
    qv::Canvas& preview = Picture_previewscroll->canvas();
    const qv::Placement placed = qv::place_label(preview, style, label_layout_, background.width());
    const bool own_width = placed.width == background.width();
    // Shared with the picture until the label is drawn on it, which makes it a copy of its own.
    preview.image = qv::picture_at_width(background.image, label_layout_.stretch, placed.width);
    const bool ok = qv::draw_placed_label(preview, style, placed, label_layout_.stretch);
    // A drag and a new picture's text line go by the style's line, whatever size this label took.
    qv::set_label_font(preview, style);
    if (Picture_previewscroll->size() != preview.image.size()) {
        // A wider button is cropped by the frame as a wider picture is: evenly at both ends.
        Picture_previewscroll->resize(preview.image.size());
        Picture_previewscroll->move(
            own_width ? Picture_buttonscroll->pos()
                      : qv::canvas_position(Picture_Preview->size(), preview.image.size()));
    }
    if (ok) Picture_previewscroll->present();
}
