#pragma once
#include <functional>
#include <vector>

namespace skyvault {

// Runs the jobs on up to `threads` threads at once (the calling thread one
// of them) and returns when all have run. The jobs must not touch the same
// data. Loading the pictures this way lets a machine with more than one core
// decode and resample them side by side, so a large screen's sharp pictures
// are ready sooner.
void RunConcurrently(const std::vector<std::function<void()>>& jobs, unsigned threads);

// The threads worth using for picture loads on this machine.
unsigned PictureLoadThreads();

}  // namespace skyvault
