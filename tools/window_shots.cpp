// Takes the README's pictures of the main window: at its closed width just after start-up, then
// open and in use (a sample background and text list loaded, a font and effects chosen).
// Usage: quorvane-window-shots <output folder>
#include "window/form_main.h"
#include "window/platform_services.h"

#include <QApplication>
#include <QDir>
#include <QItemSelectionModel>
#include <QListView>
#include <QListWidget>
#include <QStringListModel>

#include <cstdio>
#include <deque>

namespace {

// The real desktop, except that the file dialog is answered with the sample files.
class ShotPlatform final : public qv::PlatformServices {
  public:
    std::deque<QString> answers;

    std::optional<QString> open_file(QWidget*, const QString&, const QString&) override {
        if (answers.empty()) return std::nullopt;
        QString answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::optional<QString> save_file(QWidget*, const QString&, const QString&) override {
        return std::nullopt;
    }
    QStringList font_families() override { return desktop_.font_families(); }
    QString program_folder() override { return desktop_.program_folder(); }
    QString data_folder() override { return desktop_.data_folder(); }
    QString pictures_folder() override { return desktop_.pictures_folder(); }
    QStringList mounted_volumes() override { return desktop_.mounted_volumes(); }
    void run_modal(QDialog& dialog) override { desktop_.run_modal(dialog); }
    void show_message(QWidget* parent, const QString& text) override {
        desktop_.show_message(parent, text);
    }
    void end_program() override { desktop_.end_program(); }

  private:
    qv::DesktopPlatform desktop_;
};

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    const QDir source(QStringLiteral(QUORVANE_SOURCE_DIR));
    ShotPlatform platform;
    Form_Main form(platform);
    form.Form_Load();
    QApplication::processEvents();
    bool saved = form.grab().save(out.filePath(QStringLiteral("window-collapsed.png")));

    platform.answers = {source.filePath(QStringLiteral("buttons/blue_glass.bmp")),
                        source.filePath(QStringLiteral("samples/menu.txt"))};
    form.Image_loadbutton_MouseUp(1, 0, 0, 0);
    form.Image_loadTxt_Click();
    const QList<QListWidgetItem*> face =
        form.List_Typo->findItems(QStringLiteral("DejaVu Sans"), Qt::MatchExactly);
    if (!face.isEmpty()) {
        form.List_Typo->scrollToItem(face.first());
        face.first()->setSelected(true);
    }
    form.Image4_Click();        // bold
    form.Image_effet1_Click();  // shadow
    form.Image_effet3_Click();  // 3D effect
    form.List1->selectionModel()->setCurrentIndex(form.List1_items->index(1),
                                                  QItemSelectionModel::ClearAndSelect);
    form.Image_typotruetype_Click();  // opens the font panel
    QApplication::processEvents();
    saved = form.grab().save(out.filePath(QStringLiteral("window-expanded.png"))) && saved;
    return saved ? 0 : 1;
}
