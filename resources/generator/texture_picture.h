#pragma once
#include <QImage>

namespace pictures {

// The view's design-time background: a dark 128 x 128 carbon-fibre weave that
// tiles without seams (every pattern period divides 128).
QImage DrawTexture();

}  // namespace pictures
