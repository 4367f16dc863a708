// The process-wide objects, in their order of construction.

#include "shell/World.hpp"

#include "base/StopRequest.hpp"
#include "shell/MessageBoxes.hpp"

// Messages go to the platform's box from the first construction on, so that a model that fails
// to load below is reported in a box too.
static const MessageSink noSinkBeforeTheGame = SetMessageSink(ShowInPlatformBox);

// Before the models are read: from here on a stop signal ends the game cleanly with code 0,
// whatever it is doing (reading, starting up or running frames).
static const bool stopSignalsCaught = (CatchStopSignals(), true);

ModelObject penguin("MODELOS/pinguino.3DS");
ModelObject level("MODELOS/church.3DS");
MovingBlock firstDoor;
MovingBlock secondDoor;
MovingBlock doorSwitch;
Camera camera;
const Vector3 startPosition(0.0f, 10.0f, 40.0f);
const Vector3 startViewPoint(0.0f, 0.0f, -3.0f);
const Vector3 startUpVector(0.0f, 1.0f, 0.0f);
InputDevices input;
Octree octree;
Frustum frustum;

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
