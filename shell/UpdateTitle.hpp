#pragma once

// About once a second, sets the window title to the credits line. Writes lastTitleTime.
void UpdateTitle();
