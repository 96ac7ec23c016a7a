#pragma once
// The button background the batch and PNG benchmarks share: 150 x 56, a diagonal gradient, as a
// typical web button is, so that PNG sizes and rates compare across the two.
#include "sample_pictures.h"

inline QImage gradient_button_picture() {
    return samples::gradient({150, 56}, QColor(20, 60, 200), QColor(230, 180, 40));
}
