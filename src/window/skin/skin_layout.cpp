#include "window/skin/skin_layout.h"

#include <cstring>
#include <stdexcept>

namespace qv::layout {
namespace {

using F = Feedback;
using A = Art;

// The tables are kept one entry a line, as a layout table reads best.
// clang-format off
constexpr Item kMainHotSpots[] = {
    {"Image_About", {5, 4, 12, 12}, "about", F::None, A::RoundKnob, ""},
    {"Image_Move", {20, 1, 267, 17}, "", F::Move, A::TitleStrip, "Quorvane"},
    {"Image_Min", {291, 4, 12, 11}, "min", F::Push, A::SquareButton, "_"},
    {"Image_Quit", {305, 4, 11, 11}, "quit", F::Push, A::SquareButton, "x"},
    {"Image_loadbutton", {40, 24, 102, 14}, "loading button picture", F::Push, A::Button,
     "load bitmap"},
    {"Image_buttonbrowse", {144, 24, 14, 14}, "not implemented", F::Push, A::GridButton, ""},
    {"Image_typotruetype", {187, 24, 55, 14}, "truetype typo config", F::Radio, A::Button,
     "truetype"},
    {"Image_typobitmap", {244, 24, 54, 14}, "not implemented", F::Radio, A::Button, "bitmap"},
    {"Image_TypoBrowse", {300, 24, 14, 14}, "not implemented", F::Push, A::GridButton, ""},
    {"Image_loadTxt", {114, 97, 44, 15}, "loading text list", F::PushClick, A::Button, "load txt"},
    {"Image_DirectoryBrowse", {298, 190, 16, 17}, "select output directory", F::Push,
     A::GridButton, ""},
    {"Image_Make", {162, 219, 152, 14}, "make all buttons", F::Push, A::Command, "make buttons"},
    {"Image1", {319, 0, 267, 19}, "", F::Move, A::TitleStrip, "truetype typo config"},
    {"Image_typoback", {585, 4, 11, 11}, "close truetype config window", F::Push, A::RoundClose,
     ""},
    {"Image_left", {480, 40, 55, 14}, "", F::Radio, A::RadioRow, "left"},
    {"Image_center", {480, 56, 115, 14}, "", F::Radio, A::RadioRow, "center"},
    {"Image_right", {480, 72, 55, 14}, "", F::Radio, A::RadioRow, "right"},
    {"Image_leftmoins", {568, 40, 14, 14}, "", F::None, A::StepperMinus, ""},
    {"Image_leftplus", {581, 40, 14, 14}, "", F::None, A::StepperPlus, ""},
    {"Image_rightmoins", {568, 72, 14, 14}, "", F::None, A::StepperMinus, ""},
    {"Image_rightplus", {581, 72, 14, 14}, "", F::None, A::StepperPlus, ""},
    {"Image_sizemoins", {568, 94, 14, 14}, "", F::None, A::StepperMinus, ""},
    {"Image_sizeplus", {581, 94, 14, 14}, "", F::None, A::StepperPlus, ""},
    {"Image_effet1", {480, 126, 115, 14}, "", F::Toggle, A::RadioRow, "shadow"},
    {"Image_effet2", {480, 142, 115, 14}, "", F::Toggle, A::RadioRow, "black outline"},
    {"Image_effet3", {480, 158, 115, 14}, "", F::Toggle, A::RadioRow, "3D effect"},
    {"Image2", {481, 190, 21, 13}, "italic", F::Toggle, A::StyleButton, "I"},
    {"Image4", {481, 204, 22, 13}, "bold", F::Toggle, A::StyleButton, "B"},
    {"Image3", {481, 218, 22, 13}, "underlined", F::Toggle, A::StyleButton, "U"},
};

constexpr Control kMainControls[] = {
    {"Text_Texte", {165, 43, 145, 14}, "", "write button text here", A::Field},
    {"Picture_Typo", {163, 61, 150, 36}, "", "", A::Frame},
    {"Picture_typoscroll", {0, 0, 65, 43}, "Picture_Typo", "", A::None},
    {"Picture_button", {7, 41, 150, 56}, "", "", A::Frame},
    {"Picture_buttonscroll", {3, 1, 65, 43}, "Picture_button", "", A::None},
    {"List1", {6, 111, 152, 122}, "", "", A::Frame},
    {"Picture_Preview", {163, 112, 150, 56}, "", "", A::Frame},
    {"Picture_previewscroll", {0, 0, 65, 43}, "Picture_Preview",
     "drag with left mouse button for vertical position of text", A::None},
    {"Picture4", {163, 191, 135, 15}, "", "", A::Field},
    {"Label_Directory", {2, 1, 130, 13}, "Picture4", "", A::None},
    {"List_Typo", {325, 39, 152, 194}, "", "", A::Frame},
    {"Label_alignleft", {537, 41, 31, 12}, "", "", A::Field},
    {"Label_alignright", {537, 73, 31, 12}, "", "", A::Field},
    {"Label_size", {537, 95, 31, 12}, "", "", A::Field},
    {"Text_R", {560, 188, 34, 12}, "", "", A::Field},
    {"Text_G", {560, 204, 34, 12}, "", "", A::Field},
    {"Text_B", {560, 220, 34, 12}, "", "", A::Field},
};

constexpr Caption kMainCaptions[] = {
    {{7, 24, 32, 14}, "button", A::Label},
    {{162, 24, 24, 14}, "font", A::Label},
    {{6, 98, 106, 11}, "text list", A::Heading},
    {{162, 98, 152, 11}, "preview", A::Heading},
    {{162, 176, 152, 11}, "save in directory", A::Heading},
    {{325, 24, 152, 14}, "truetype fonts", A::Heading},
    {{480, 24, 115, 14}, "alignment", A::Heading},
    {{495, 94, 40, 14}, "size", A::Label},
    {{480, 110, 115, 14}, "effects", A::Heading},
    {{480, 174, 115, 13}, "style / colour", A::Heading},
    {{507, 188, 50, 13}, "red", A::Label},
    {{507, 204, 50, 13}, "green", A::Label},
    {{507, 220, 50, 13}, "blue", A::Label},
};

constexpr Item kSplashItems[] = {
    {"Image_Quit", {5, 4, 11, 12}, "close window", F::None, A::RoundClose, ""},
    {"Image2", {17, 0, 169, 18}, "", F::Move, A::TitleStrip, "Quorvane"},
    {"Image1", {24, 55, 137, 14}, "", F::Inert, A::None, ""},
    {"Label1", {9, 73, 169, 14}, "", F::Inert, A::None, ""},
    {"Label2", {5, 86, 176, 14}, "", F::Inert, A::None, ""},
    {"Picture_Gauge", {6, 100, 173, 3}, "", F::Inert, A::Field, ""},
};

constexpr Item kChooserItems[] = {
    {"Drive1", {6, 31, 173, 21}, "", F::Inert, A::Frame, ""},
    {"Dir1", {6, 68, 173, 141}, "", F::Inert, A::Frame, ""},
    {"Image_Ok", {61, 212, 58, 14}, "", F::None, A::Button, "ok"},
    {"Image_Cancel", {121, 212, 58, 14}, "", F::None, A::Button, "cancel"},
    {"Image2", {5, 4, 11, 11}, "close window", F::None, A::RoundClose, ""},
    {"Image1", {18, 0, 168, 18}, "", F::Move, A::TitleStrip, "select output directory"},
};

constexpr Caption kChooserCaptions[] = {
    {{6, 19, 173, 10}, "drives", A::Heading},
    {{6, 55, 173, 10}, "directory", A::Heading},
};
// clang-format on

template <class T, std::size_t N>
const T& find(const T (&table)[N], const char* name) {
    for (const T& entry : table)
        if (std::strcmp(entry.name, name) == 0) return entry;
    throw std::logic_error(std::string("no layout entry named ") + name);
}

}  // namespace

std::span<const Item> main_hot_spots() {
    return kMainHotSpots;
}
std::span<const Control> main_controls() {
    return kMainControls;
}
std::span<const Caption> main_captions() {
    return kMainCaptions;
}
std::span<const Item> splash_items() {
    return kSplashItems;
}
std::span<const Item> chooser_items() {
    return kChooserItems;
}
std::span<const Caption> chooser_captions() {
    return kChooserCaptions;
}

const Item& main_hot_spot(const char* name) {
    return find(kMainHotSpots, name);
}
const Control& main_control(const char* name) {
    return find(kMainControls, name);
}
const Item& splash_item(const char* name) {
    return find(kSplashItems, name);
}
const Item& chooser_item(const char* name) {
    return find(kChooserItems, name);
}

}  // namespace qv::layout
