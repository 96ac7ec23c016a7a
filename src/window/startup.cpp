#include "core/render/canvas.h"
#include "window/catalogue_gauge.h"
#include "window/form_main.h"
#include "window/form_splash.h"
#include "window/skin/skin_layout.h"
#include "window/window_look.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>

namespace {

// A font name in the catalogue. The list keeps itself sorted as names arrive, alphabetically
// regardless of case ("arial" next to "Arial Black"), ties in code order.
class FontItem final : public QListWidgetItem {
  public:
    explicit FontItem(const QString& name)
        : QListWidgetItem(name, nullptr, QListWidgetItem::UserType) {}

    bool operator<(const QListWidgetItem& other) const override {
        const QString a = text();
        const QString b = other.text();
        const int folded = QString::compare(a, b, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a < b;
    }
};

}  // namespace

void Form_Main::Form_Load() {
    // Defaults, start-up colour and places; the first preview.
    Label_Directory->setText(QString());
    Picture_buttonscroll->move(0, 0);
    Picture_previewscroll->move(0, 0);
    qv::set_back_colour(Picture_button, qv::kPanelColour);
    qv::set_back_colour(Picture_Preview, qv::kPanelColour);
    qv::set_back_colour(Picture_Typo, qv::kPanelColour);
    Picture_typoscroll->set_back_colour(qv::kPanelColour);
    Picture_typoscroll->move(0, 0);
    Picture_typoscroll->set_canvas_size(Picture_Typo->size());
    for (QWidget* control : {static_cast<QWidget*>(Picture4), static_cast<QWidget*>(List1),
                             static_cast<QWidget*>(List_Typo), static_cast<QWidget*>(Text_R),
                             static_cast<QWidget*>(Text_G), static_cast<QWidget*>(Text_B),
                             static_cast<QWidget*>(Text_Texte)})
        qv::set_back_colour(control, qv::kPanelColour);
    Label_alignleft->setText(QStringLiteral("0"));
    Label_alignright->setText(QStringLiteral("0"));
    Label_size->setText(QStringLiteral("10"));
    // Each assignment raises the box's change handler, which composes the preview.
    Text_Texte->setText(QStringLiteral("Quorvane"));
    Text_R->setText(QStringLiteral("255"));
    Text_G->setText(QStringLiteral("255"));
    Text_B->setText(QStringLiteral("255"));
    font_italic = font_bold = font_underline = qv::kFalse;
    effet1_on = effet2_on = effet3_on = qv::kFalse;
    Image_center_Click();  // the composition the user sees, with every default

    // The main panel alone, centred, on the screen before the catalogue starts.
    set_width_twips(qv::layout::kCollapsedTwips);
    centre_on_screen();
    show();
    process_events();

    // The font catalogue, with its progress on the splash window. The splash window is looked up
    // afresh at each step: the user may close it meanwhile, and a later step then loads a new,
    // hidden one.
    splash().Label1->setText(QStringLiteral("Loading TrueType..."));
    splash().Label2->setText(QString());
    splash().centre_on_screen();
    splash().set_gauge_width(0);
    splash().show();
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    process_events();

    const QStringList fonts = platform().font_families();
    const int n = static_cast<int>(fonts.size());
    for (int i = 0; i < n; ++i) {
        List_Typo->addItem(new FontItem(fonts.at(i)));
        splash().Label2->setText(fonts.at(i));
        splash().set_gauge_width(qv::gauge_width(i, n));
        process_events();
    }

    QGuiApplication::restoreOverrideCursor();
    process_events();
    unload_splash();
    // Ready: no font chosen yet, whatever was clicked while the list filled.
    List_Typo->clearSelection();
    List_Typo->setCurrentItem(nullptr);
}

Form_Splash& Form_Main::splash() {
    if (!splash_ || splash_->unloaded()) splash_ = new Form_Splash(this);
    return *splash_;
}

void Form_Main::unload_splash() {
    if (splash_) splash_->unload();
    splash_ = nullptr;
}
