#pragma once
// The one layout table of the skinned windows: where every hot-spot and control lies, its tooltip
// and what the skin draws under it. The windows place their controls from it and the artwork
// generator draws the skins from it, so art and hot-spots cannot drift apart.
#include <QRect>

#include <span>

namespace qv::layout {

enum class Feedback {
    None,       // acts on click, no look of its own
    Move,       // title strip: moves the window
    Push,       // pressed look on mouse-down, normal look and action on mouse-up
    PushClick,  // push looks; the action runs on the click that follows the release
    Radio,      // latched look, one of a group
    Toggle,     // latched look that follows a flag
    Inert,      // no handler at all
};

// What the artwork draws under a rectangle.
enum class Art {
    None,          // drawn by the surrounding panel art only
    TitleStrip,    // title bar with a caption
    RoundClose,    // small round close button
    SquareButton,  // small square button (minimise, quit)
    Button,        // bevelled push button with a caption
    GridButton,    // small button with a grid of four squares
    RadioRow,      // selectable row with a caption
    StepperMinus,
    StepperPlus,
    StyleButton,  // small font style button (I, B, U) with a caption
    Field,        // sunken field for a label or text box
    Frame,        // sunken frame for a picture or a list
    RoundKnob,    // small round button without a close mark (about)
    Command,      // the main command's wide button, caption in bold
    Heading,      // section caption followed by an etched rule
    Label,        // plain words beside a control
};

struct Item {
    const char* name;
    QRect rect;           // window pixels: left, top, width, height
    const char* tooltip;  // "" for none
    Feedback feedback;
    Art art;
    const char* caption;  // words the skin draws on it, "" for none
};

inline constexpr int kSkinWidth = 600;
inline constexpr int kSkinHeight = 240;
inline constexpr int kCollapsedWidth = 319;
inline constexpr int kTwipsPerPixel = 15;
inline constexpr int kCollapsedTwips = 4785;
inline constexpr int kExpandedTwips = 9000;
inline constexpr int kStepTwips = 10 * kTwipsPerPixel;

// Hot-spots of the main window.
std::span<const Item> main_hot_spots();
// Controls of the main window that are not hot-spots (frames, lists, boxes, labels), in window
// pixels; children of a frame are given in the frame's own pixels with `frame` naming it.
struct Control {
    const char* name;
    QRect rect;
    const char* frame;  // "" when placed on the window itself
    const char* tooltip;
    Art art;
};
std::span<const Control> main_controls();
// Section captions the skin draws above groups of controls (not hot-spots).
struct Caption {
    QRect rect;
    const char* text;
    Art art;  // Heading or Label
};
std::span<const Caption> main_captions();

// Splash window (185 x 109) and directory chooser (185 x 232).
inline constexpr QSize kSplashSize{185, 109};
inline constexpr QSize kChooserSize{185, 232};
inline constexpr QSize kGaugeSize{173, 3};
std::span<const Item> splash_items();
std::span<const Item> chooser_items();
std::span<const Caption> chooser_captions();

// Looks up an item or control by name; a programming error when missing.
const Item& main_hot_spot(const char* name);
const Control& main_control(const char* name);
const Item& splash_item(const char* name);
const Item& chooser_item(const char* name);

}  // namespace qv::layout
