// The process-wide objects, in their order of construction.

#include "shell/World.hpp"

MovingBlock firstDoor;
MovingBlock secondDoor;
MovingBlock doorSwitch;

InputDevices input;
Octree octree;

GLWindow* mainWindow = nullptr;
bool collided = false;
bool jumping = false;
float jumpHeight = 0.0f;
float lastTitleTime = 0.0f;
unsigned arial48 = 0;
unsigned arial24 = 0;
unsigned arial18 = 0;
unsigned comic48 = 0;

Options options;
int framesRun = 0;
bool screenshotFailed = false;
