#include "window/controls/colour_boxes.h"

#include "core/io/message_text.h"
#include "core/render/style_conversions.h"

namespace qv {

Result<void> check_colour_boxes(const QString& red, const QString& green, const QString& blue) {
    const std::pair<const char*, const QString&> boxes[] = {
        {"red", red}, {"green", green}, {"blue", blue}};
    for (const auto& [name, text] : boxes) {
        // The face pass is drawn for every label and reads the strictest conversion of the three.
        if (face_component(text)) continue;
        const QString box = QStringLiteral("The %1 colour box").arg(QLatin1String(name));
        if (text.trimmed().isEmpty())
            return Failure{box + QStringLiteral(" is empty: type a number from 0 to 255 in it "
                                                "before making buttons.")};
        return Failure{box + QStringLiteral(" holds \"%1\", which is not a colour number: type "
                                            "a number from 0 to 255 in it before making buttons.")
                                 .arg(shown_in_message(text))};
    }
    return {};
}

}  // namespace qv
