#pragma once

// The program's start-up.

namespace subMain {

// Shows the splash window (frmSplash) and runs its progress bar from 1 to
// 10000 without yielding to events, unloads it, reads the data-folder file
// (failures ignored, whatever was read stays) and then shows frmDelivery when
// DataFolder is set, frmPath when it is empty. Returns once that window is
// shown; every window is made through the window registry.
void Main();

} // namespace subMain
