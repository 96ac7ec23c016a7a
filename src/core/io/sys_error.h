#pragma once
// The system's own words for an errno value ("No such file or directory"), safe to call from
// several threads at once.
#include <QString>

#include <system_error>

namespace qv {

inline QString system_error_text(int error) {
    return QString::fromStdString(std::generic_category().message(error));
}

}  // namespace qv
