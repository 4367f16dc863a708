#pragma once

struct World;

// About once a second, sets the title of world's window to the credits line. Writes lastTitleTime.
void UpdateTitle(World& world);
