#pragma once

#include <functional>

namespace vrel {

// Long work keeps the windows painted, and only that: the user's input waits until it is done, so
// that nothing is clicked in the middle of it.

// Paints what the windows were asked to show so far: for work on the program's own thread that
// reports its progress between steps.
void PaintDuringWork();

// Runs `work` on a thread of its own and keeps painting until it ends: for work that says nothing
// until it is done. What `work` threw is thrown again here.
void RunPainting(const std::function<void()>& work);

}  // namespace vrel
