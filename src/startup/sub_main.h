#pragma once

// The program's start-up.

struct Session;

namespace subMain {

// Shows the splash window (frmSplash) and runs its progress bar from 1 to
// 10000 without yielding to events, unloads it, reads the data-folder file
// into the session (failures ignored, whatever was read stays) and then
// shows frmDelivery when the data folder is set, frmPath when it is empty. Returns once that window
// is shown; every window is made through the window registry.
void Main(Session& session);

} // namespace subMain
