#pragma once
// The skinned main window. Its handlers are named after their control and event and live in the
// folder of their concern: window/ (start-up, window commands, looks), window/controls/ (style
// handlers and the font configuration panel), window/inputs/ (picture, text list, output
// directory, batch run).
#include "core/io/style_file.h"
#include "core/render/button_style.h"
#include "core/render/label_placement.h"
#include "window/canvas_view.h"
#include "window/form_splash.h"
#include "window/hot_spot.h"
#include "window/platform_services.h"
#include "window/skinned_window.h"

#include <QImage>
#include <QPointer>
#include <QRegion>
#include <QString>
#include <QWidget>

#include <functional>
#include <initializer_list>
#include <utility>

class QLabel;
class QLineEdit;
class QListView;
class QListWidget;
class QStringListModel;

class Form_Main : public qv::SkinnedWindow<QWidget> {
    Q_OBJECT
  public:
    explicit Form_Main(qv::PlatformServices& platform, QWidget* parent = nullptr);
    ~Form_Main() override;

    qv::PlatformServices& platform() { return platform_; }

    // ---- start-up (startup.cpp)
    void Form_Load();

    // ---- drawing (form_main.cpp)
    // Reads every setting afresh from the controls and variables.
    qv::ButtonStyle current_style() const;
    void draw_preview();
    int draw_count = 0;  // draw_preview calls so far (tests and benchmarks count redraws)

    // ---- looks (hot_spot_looks.cpp)
    enum Etat { kNormal = 1, kPressed = 2 };
    // Transient look: onto the visible window only, then pending events are processed.
    void draw_etat(qv::HotSpot* spot, int etat);
    // Latched look: into the persistent image first, then onto the visible window.
    void latch_etat(std::initializer_list<std::pair<qv::HotSpot*, int>> looks);
    const QImage& Picture_Etat1() const { return face(); }
    const QImage& Picture_Etat2() const { return etat2_; }
    // The image the window repaints itself from (the whole 600 x 240 skin).
    const QImage& persistent_image() const { return persistent_; }
    // What the visible window shows now (persistent image plus transient looks).
    const QImage& screen_image() const { return screen_; }

    // ---- window geometry (controls/typography_panel.cpp)
    int width_twips() const;
    void set_width_twips(int twips);
    void collapse();
    void expand();
    // Told every width set_width_twips sets, in order (tests record the panel animations).
    std::function<void(int twips)> on_width_set;

    // ---- shared helpers
    static void process_events();  // lets pending window events run
    Form_Splash& splash();         // creates the splash window when first referred to
    void unload_splash();
    bool splash_loaded() const { return splash_ && !splash_->unloaded(); }

    // ---- hot-spots (named as the layout table names them)
    qv::HotSpot* Image_About = nullptr;
    qv::HotSpot* Image_Move = nullptr;
    qv::HotSpot* Image_Min = nullptr;
    qv::HotSpot* Image_Quit = nullptr;
    qv::HotSpot* Image_loadbutton = nullptr;
    qv::HotSpot* Image_buttonbrowse = nullptr;
    qv::HotSpot* Image_typotruetype = nullptr;
    qv::HotSpot* Image_typobitmap = nullptr;
    qv::HotSpot* Image_TypoBrowse = nullptr;
    qv::HotSpot* Image_loadTxt = nullptr;
    qv::HotSpot* Image_DirectoryBrowse = nullptr;
    qv::HotSpot* Image_Make = nullptr;
    qv::HotSpot* Image1 = nullptr;
    qv::HotSpot* Image_typoback = nullptr;
    qv::HotSpot* Image_left = nullptr;
    qv::HotSpot* Image_center = nullptr;
    qv::HotSpot* Image_right = nullptr;
    qv::HotSpot* Image_leftmoins = nullptr;
    qv::HotSpot* Image_leftplus = nullptr;
    qv::HotSpot* Image_rightmoins = nullptr;
    qv::HotSpot* Image_rightplus = nullptr;
    qv::HotSpot* Image_sizemoins = nullptr;
    qv::HotSpot* Image_sizeplus = nullptr;
    qv::HotSpot* Image_effet1 = nullptr;
    qv::HotSpot* Image_effet2 = nullptr;
    qv::HotSpot* Image_effet3 = nullptr;
    qv::HotSpot* Image2 = nullptr;  // italic
    qv::HotSpot* Image4 = nullptr;  // bold
    qv::HotSpot* Image3 = nullptr;  // underline

    // ---- other controls
    QLineEdit* Text_Texte = nullptr;
    QLineEdit* Text_R = nullptr;
    QLineEdit* Text_G = nullptr;
    QLineEdit* Text_B = nullptr;
    QListView* List1 = nullptr;  // the text list, in file order
    QStringListModel* List1_items = nullptr;
    QListWidget* List_Typo = nullptr;  // the font catalogue, sorted
    QLabel* Label_alignleft = nullptr;
    QLabel* Label_alignright = nullptr;
    QLabel* Label_size = nullptr;
    QLabel* Label_Directory = nullptr;
    QWidget* Picture_button = nullptr;
    QWidget* Picture_Preview = nullptr;
    QWidget* Picture_Typo = nullptr;
    QWidget* Picture4 = nullptr;
    qv::CanvasView* Picture_buttonscroll = nullptr;
    qv::CanvasView* Picture_previewscroll = nullptr;
    qv::CanvasView* Picture_typoscroll = nullptr;

    // ---- variables of the window
    std::int16_t align_mode = 0;
    std::int16_t text_y = 0;
    qv::Flag font_bold = qv::kFalse;
    qv::Flag font_italic = qv::kFalse;
    qv::Flag font_underline = qv::kFalse;
    qv::Flag effet1_on = qv::kFalse;
    qv::Flag effet2_on = qv::kFalse;
    qv::Flag effet3_on = qv::kFalse;
    QString output_directory;
    QString background_path;    // the loaded picture, which no button may replace
    QImage background_picture;  // that picture as decoded: with its alpha channel, if it has one

    // ---- layout controls (controls/layout_controls.cpp)
    void Image_left_Click();
    void Image_center_Click();
    void Image_right_Click();
    void Image_leftmoins_Click();
    void Image_leftplus_Click();
    void Image_rightmoins_Click();
    void Image_rightplus_Click();
    void Image_sizemoins_Click();
    void Image_sizeplus_Click();
    void Picture_previewscroll_MouseDown(int button, int shift, double x, double y);
    void Picture_previewscroll_MouseMove(int button, int shift, double x, double y);

    // ---- effect and font style switches (controls/style_switches.cpp)
    void Image_effet1_Click();
    void Image_effet2_Click();
    void Image_effet3_Click();
    void Image2_Click();
    void Image3_Click();
    void Image4_Click();

    // ---- colour, font and label entry (controls/colour_font_label_entries.cpp)
    void Text_R_Change();
    void Text_G_Change();
    void Text_B_Change();
    void Text_Texte_Change();
    void List_Typo_Click();

    // ---- typography panels (controls/typography_panel.cpp)
    void Image_typotruetype_Click();
    void Image_typobitmap_Click();
    void Image_typoback_MouseUp(int button, int shift, double x, double y);

    // ---- background picture (inputs/background_command.cpp)
    void Image_loadbutton_MouseUp(int button, int shift, double x, double y);
    // Loads the picture at `path` as the background, as choosing it in the picture dialog does.
    void load_background(const QString& path);
    // What a successful load does with the decoded picture from `path`.
    void show_background(const QString& path, const QImage& decoded);

    // ---- text list (inputs/text_list_command.cpp)
    void Image_loadTxt_Click();
    void List1_Click();
    // Loads the text list at `path`, as choosing it in the list dialog does.
    void load_text_list(const QString& path);

    // ---- output directory (inputs/directory_command.cpp)
    void Image_DirectoryBrowse_MouseUp(int button, int shift, double x, double y);
    // Makes `folder` the output directory, as "ok" in the directory chooser does.
    void set_output_directory(const QString& folder);

    // ---- batch run (inputs/batch_run.cpp)
    void Image_Make_MouseUp(int button, int shift, double x, double y);
    bool batch_running() const { return batch_running_; }
    // Asks a run under way to stop once the file being written is written (Esc).
    void stop_batch_run();
    bool write_png_files = false;  // "write PNG files": <label>.png instead of <label>.bmp

    // ---- label fitting (controls/label_fitting.cpp)
    // How labels are made to fit, in the preview and in a run; the default draws them as the
    // style places them.
    const qv::LabelLayout& label_layout() const { return label_layout_; }
    // Fits labels by `layout` from now on and redraws; refused while a run goes on.
    void set_label_layout(const qv::LabelLayout& layout);
    // "Label fitting...": the dialog, modal; its OK applies what it shows.
    void open_label_fitting();

    // ---- style files (inputs/style_commands.cpp)
    // The window's whole style as a style file holds it.
    qv::StyleSettings style_settings() const;
    // Applies every setting of the file through the handlers a user's clicks run and redraws once;
    // a file, picture or font that cannot be had changes nothing and is named in a message.
    bool apply_style_file(const QString& path);
  public slots:
    void save_style();
    void open_style();
    void set_write_png(bool on);
  signals:
    void write_png_changed(bool on);  // also when a style is opened: a check item follows it

  public:
    // ---- window commands (window_commands.cpp)
    void Image_Move_MouseMove(int button, int shift, double x, double y);
    void Image1_MouseMove(int button, int shift, double x, double y);
    void Image_Min_MouseUp(int button, int shift, double x, double y);
    void Image_Quit_MouseUp(int button, int shift, double x, double y);
    void Image_About_Click();
    // A press and release of `spot` as if by the left mouse button, through its own wiring, then
    // its click when its action runs on the click: a keyboard command gives the button's feedback.
    static void press_and_release(qv::HotSpot* spot);

  protected:
    // ---- paint (window_paint.cpp)
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    // Watches the window's exposures: an uncovered window repaints from the persistent image.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // The hot-spots the layout table gives push feedback: their looks and actions.
    void wire_push_spots();
    // Each concern connects its own handlers to its controls' signals.
    void wire_window_commands();
    void wire_layout_controls();
    void wire_style_switches();
    void wire_entries();
    void wire_typography_panel();
    void wire_text_list();
    int preview_held_ = 0;  // while a style is applied, its handlers' redraws wait for the last
    qv::LabelLayout label_layout_;
    // draw_preview under a layout that fits labels: the button as a run paints it.
    void draw_fitted_preview(const qv::ButtonStyle& style);

    qv::PlatformServices& platform_;
    QImage etat2_;       // pressed skin; the normal skin is the window's face
    QImage persistent_;  // what the window repaints from
    QImage screen_;      // what is on screen now
    QPointer<Form_Splash> splash_;
    bool batch_running_ = false;
    bool batch_stop_ = false;  // the run stops after the file being written
    // Where each file dialog opens next: the folder of its last choice, within this run.
    QString picture_folder_;
    QString list_folder_;
    // The output directory was chosen (the chooser, a dropped folder) rather than taken from the
    // background picture: an opened style's picture then leaves it.
    bool output_directory_chosen_ = false;

    // ---- output directory (inputs/directory_command.cpp)
    // Label_Directory shows output_directory whole or elided in the middle, whole as its tooltip.
    void show_output_directory();

    // ---- looks (hot_spot_looks.cpp) and paint (window_paint.cpp)
    const QImage& skin(int etat) const { return etat == kPressed ? etat2_ : face(); }
    // Puts that region of the screen image on the screen now, as it is; the rest of a paint
    // the window did not ask for comes from the persistent image.
    void show_on_screen(const QRegion& region);
    QRegion requested_paint_;

    // ---- batch run (inputs/batch_run.cpp)
    void show_batch_progress(int done, int total);  // over Image_Make, on the screen image only
    void end_batch_progress();
};
