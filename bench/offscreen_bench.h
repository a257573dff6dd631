#pragma once
// What every plotter benchmark program does around its benchmarks: it reads
// Google Benchmark's arguments, runs Qt on its offscreen platform (no
// display needed) and points the settings store at a temporary folder, so
// that no user's settings are read or written.

#include <functional>

namespace plotdesk::bench {

// Runs the benchmarks the command line selects; `prepareStore`, when given,
// runs first, with the private store in place. Returns the exit status.
int runOffscreen(int argc, char** argv, const std::function<void()>& prepareStore = {});

}  // namespace plotdesk::bench
