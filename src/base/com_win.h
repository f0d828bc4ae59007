#pragma once
// COM on the program's thread, joined at the first need rather than at start: the shell's
// default actions, a screen reader asking a control for its accessible object and the common
// dialogs use it, but most runs never do, and ole32 with what it loads costs memory and
// start-up time. The thread stays in its single-threaded apartment until the process ends.

namespace corvane {

// Joins this thread to a single-threaded apartment once; later calls do nothing. Call it on
// the window thread only (the program has no other).
void JoinComApartment();

} // namespace corvane
