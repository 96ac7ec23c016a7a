#include "window/inputs/form_dir.h"

#include "window/skin/skin_layout.h"
#include "window/window_look.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QListWidget>

namespace qv {

int volume_index(const QStringList& volumes, const QString& path) {
    int best = 0;
    qsizetype best_length = -1;
    for (int i = 0; i < volumes.size(); ++i) {
        const QString& root = volumes[i];
        const bool holds =
            path == root || root == u"/" ||
            (path.startsWith(root) && (root.endsWith(u'/') || path.at(root.size()) == u'/'));
        if (holds && root.size() > best_length) {
            best = i;
            best_length = root.size();
        }
    }
    return best;
}

QList<DirLine> directory_lines(const QString& path) {
    QList<DirLine> lines;
    lines.append({QStringLiteral("/"), QStringLiteral("/"), 0, path == u"/"});
    QString walked;
    const QStringList parts = path.split(u'/', Qt::SkipEmptyParts);
    for (int i = 0; i < parts.size(); ++i) {
        walked += u'/' + parts[i];
        lines.append({walked, parts[i], i + 1, i + 1 == parts.size()});
    }
    const int depth = int(parts.size()) + 1;
    const QDir dir(path);
    for (const QString& name :
         dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::LocaleAware))
        lines.append({dir.filePath(name), name, depth, false});
    return lines;
}

}  // namespace qv

namespace {

// The chooser's dark skin, and the lists drawn inside its sunken frames.
constexpr QRgb kChooserFace = qRgb(76, 76, 80);
constexpr QRgb kListFace = qRgb(40, 40, 44);
constexpr QRgb kListText = qRgb(232, 230, 220);
constexpr QRgb kListChosen = qRgb(92, 108, 138);

QString list_style() {
    const auto css = [](QRgb c) { return QColor(c).name(); };
    return QStringLiteral(
               "QComboBox, QListWidget, QComboBox QAbstractItemView { background: %1; color: %2;"
               " border: none; selection-background-color: %3; selection-color: %2; }"
               "QComboBox { padding-left: 3px; }")
        .arg(css(kListFace), css(kListText), css(kListChosen));
}

// Inside the sunken frame the skin draws for a list, leaving its two-pixel edge visible.
QRect inside_frame(const char* name) {
    return qv::layout::chooser_item(name).rect.adjusted(2, 2, -2, -2);
}

bool can_list(const QString& path) {
    const QFileInfo info(path);
    return info.isDir() && info.isReadable() && info.isExecutable();
}

}  // namespace

Form_Dir::Form_Dir(QString& output_directory, qv::PlatformServices& platform, QWidget* parent)
    : SkinnedWindow(parent, "Form_Dir", QStringLiteral("Form2"),
                    QStringLiteral(":/assets/chooser.png"), qv::layout::kChooserSize,
                    QColor(kChooserFace)),
      output_directory_(output_directory) {
    setFixedSize(qv::layout::kChooserSize);

    Drive1 = new QComboBox(this);
    Drive1->setObjectName(QStringLiteral("Drive1"));
    Drive1->setGeometry(inside_frame("Drive1"));
    Dir1 = new QListWidget(this);
    Dir1->setObjectName(QStringLiteral("Dir1"));
    Dir1->setGeometry(inside_frame("Dir1"));
    Dir1->setFrameShape(QFrame::NoFrame);
    Dir1->setSelectionMode(QAbstractItemView::SingleSelection);
    Dir1->setUniformItemSizes(true);
    for (QWidget* w : {static_cast<QWidget*>(Drive1), static_cast<QWidget*>(Dir1)}) {
        w->setFont(qv::list_font());
        w->setStyleSheet(list_style());
    }

    Image_Ok = new qv::HotSpot(qv::layout::chooser_item("Image_Ok"), this);
    Image_Cancel = new qv::HotSpot(qv::layout::chooser_item("Image_Cancel"), this);
    Image2 = new qv::HotSpot(qv::layout::chooser_item("Image2"), this);
    Image1 = new qv::HotSpot(qv::layout::chooser_item("Image1"), this);

    volumes_ = platform.mounted_volumes();
    if (volumes_.isEmpty()) volumes_ << QStringLiteral("/");
    Drive1->addItems(volumes_);
    // Opens where the buttons go now, so that "ok" at once keeps that directory.
    if (!(!output_directory.isEmpty() && open_folder(output_directory)) &&
        !open_folder(QDir::currentPath()))
        open_folder(volumes_.first());

    connect(Drive1, &QComboBox::activated, this, &Form_Dir::Drive1_Change);
    // A double-click opens a folder; a single click only highlights it.
    connect(Dir1, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { open_folder(item->data(Qt::UserRole).toString()); });
    connect(Image_Ok, &qv::HotSpot::Click, this, &Form_Dir::Image_Ok_Click);
    connect(Image_Cancel, &qv::HotSpot::Click, this, &Form_Dir::Image_Cancel_Click);
    connect(Image2, &qv::HotSpot::Click, this, &Form_Dir::Image2_Click);
    connect(Image1, &qv::HotSpot::MouseMove, this, &Form_Dir::Image1_MouseMove);

    Form_Load();
}

void Form_Dir::Form_Load() {
    centre_on_screen();
}

bool Form_Dir::open_folder(const QString& path) {
    const QString clean = QDir::cleanPath(QDir(path).absolutePath());
    if (!can_list(clean)) return false;
    path_ = clean;
    Dir1->clear();
    QFont open_font = Dir1->font();
    open_font.setBold(true);
    for (const qv::DirLine& line : qv::directory_lines(path_)) {
        auto* item = new QListWidgetItem(QString(line.depth, u' ') + line.name, Dir1);
        item->setData(Qt::UserRole, line.path);
        if (line.open) {
            item->setFont(open_font);
            Dir1->setCurrentItem(item);
        }
    }
    show_volume_of_path();
    return true;
}

void Form_Dir::show_volume_of_path() {
    Drive1->setCurrentIndex(qv::volume_index(volumes_, path_));
}

void Form_Dir::Drive1_Change() {
    // Choosing the volume already shown keeps the open folder.
    if (Drive1->currentIndex() == qv::volume_index(volumes_, path_)) return;
    // A volume that cannot be read (a drive without its medium) leaves the list where it was.
    if (!open_folder(Drive1->currentText())) show_volume_of_path();
}

void Form_Dir::Image_Ok_Click() {
    output_directory_ = path_;
    accept();
}

void Form_Dir::Image_Cancel_Click() {
    output_directory_.clear();
    reject();
}

void Form_Dir::Image2_Click() {
    Image_Cancel_Click();
}

void Form_Dir::Image1_MouseMove(int button, int, double x, double y) {
    follow_title_strip(button, Image1->mapToGlobal(QPointF(x, y)));
}
