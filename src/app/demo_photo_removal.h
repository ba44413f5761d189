#pragma once
#include <QString>
#include <functional>

#include "app/demo_photos.h"

namespace app {

enum class TDemoRemoval {
  Removed,
  Kept,  // not the shipped photo: the user's
  Missing,
  Failed,  // the shipped photo, but it could not be removed
};

// Removes the demonstration photo `photo` from `folder` when the file of its
// name is still byte for byte the one the program ships; a changed or
// replaced file is the user's and is kept. `afterCheck` runs between the
// check and the removal (tests replace the file there).
TDemoRemoval RemoveShippedPhoto(const QString& folder, const TDemoPhoto& photo,
                                const std::function<void()>& afterCheck = {});

}  // namespace app
