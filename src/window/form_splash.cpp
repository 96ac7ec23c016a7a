#include "window/form_splash.h"

#include "core/render/canvas.h"
#include "window/screen_geometry.h"
#include "window/skin/skin_layout.h"
#include "window/window_look.h"

#include <QLabel>

#include <algorithm>

namespace {

QLabel* make_label(const char* name, QWidget* in, QColor colour) {
    auto* label = new QLabel(in);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(qv::layout::splash_item(name).rect);
    label->setAlignment(Qt::AlignCenter);
    label->setFont(qv::entry_font());
    label->setTextFormat(Qt::PlainText);  // font names are shown as they are, tags and all
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, colour);
    label->setPalette(p);
    return label;
}

}  // namespace

Form_Splash::Form_Splash(QWidget* parent)
    : SkinnedWindow(parent, "Form_Splash", QStringLiteral("Quorvane 1.0b"),
                    QStringLiteral(":/assets/splash.png"), qv::layout::kSplashSize,
                    qv::kPanelColour) {
    setFixedSize(qv::layout::kSplashSize);

    Label1 = make_label("Label1", this, Qt::white);
    Label2 = make_label("Label2", this, Qt::black);

    Picture_Gauge = new QLabel(this);
    Picture_Gauge->setObjectName(QStringLiteral("Picture_Gauge"));
    Picture_Gauge->setPixmap(QPixmap(QStringLiteral(":/assets/gauge.png")));
    Picture_Gauge->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Picture_Gauge->setGeometry(qv::layout::splash_item("Picture_Gauge").rect);

    Image_Quit = new qv::HotSpot(qv::layout::splash_item("Image_Quit"), this);
    Image2 = new qv::HotSpot(qv::layout::splash_item("Image2"), this);
    Image1 = new qv::HotSpot(qv::layout::splash_item("Image1"), this);
    connect(Image_Quit, &qv::HotSpot::Click, this, &Form_Splash::Image_Quit_Click);
    connect(Image2, &qv::HotSpot::MouseMove, this, &Form_Splash::Image2_MouseMove);

    Form_Load();
}

void Form_Splash::Form_Load() {
    centre_on_screen();
}

void Form_Splash::Image_Quit_Click() {
    unload();
}

void Form_Splash::Image2_MouseMove(int button, int /*shift*/, double x, double y) {
    follow_title_strip(button, Image2->mapToGlobal(QPointF(x, y)));
}

int Form_Splash::gauge_width() const {
    return Picture_Gauge->width();
}

void Form_Splash::set_gauge_width(float pixels) {
    const QRect slot = qv::layout::splash_item("Picture_Gauge").rect;
    Picture_Gauge->setGeometry(slot.x(), slot.y(), std::max(0, qv::whole_pixels(pixels)),
                               slot.height());
}

void Form_Splash::unload() {
    if (unloaded_) return;
    unloaded_ = true;
    QDialog::reject();  // hides the window and ends a modal display
    deleteLater();
}

void Form_Splash::reject() {
    unload();
}
