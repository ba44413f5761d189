#pragma once
#include <QImage>

namespace pictures {

// The main window's background: a dark tablet in landscape, 1200 x 850 with
// alpha, transparent outside its rounded outline. The outline is the window
// shape (5, 4)-(1195, 845) with corners of radius 40, the black screen lies
// under the photo panel (104, 80, 994 x 684), the round button under the exit
// button (centre 1140, 425) and the camera dot near the left edge.
QImage DrawDevicePicture();

}  // namespace pictures
