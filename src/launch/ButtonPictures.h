#pragma once

#include <QIcon>

namespace vrel {

// The small pictures of the conflict window's buttons, drawn at run time: a green disc with a
// forward arrow for going on, a red disc with a cross for giving up.
QIcon ContinuePicture();
QIcon CancelPicture();

}  // namespace vrel
