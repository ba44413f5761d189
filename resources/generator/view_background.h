#pragma once
#include <QImage>

namespace pictures {

// The view's default background picture beside the program ("1002.jpg"):
// 1024 x 768, dark slate with soft out-of-focus lights. It tiles without
// seams, because the view tiles it behind photos smaller than its screen.
QImage DrawViewBackground();

}  // namespace pictures
