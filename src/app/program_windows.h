#pragma once

// How the program's windows are made and tied together: every window
// registered by its name, what one window reports passed on to the window
// that shows it, and the operator told of settings files cut at their
// bound. The program's main does this first; tests of the windows do the
// same, so that they run the windows as the program joins them.
void wireProgram();
