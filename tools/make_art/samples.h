#pragma once
// Sample background pictures for the "buttons" folder and a sample text list.
#include <QByteArray>
#include <QImage>
#include <string_view>

namespace qv::art {

// One of "blue_glass", "steel", "green_pill", "wide_banner"; a null image for other names.
QImage sample_background(std::string_view name);
// A few menu labels, one per line, with CR LF line ends.
QByteArray sample_menu();

}  // namespace qv::art
