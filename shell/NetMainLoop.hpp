#pragma once

struct NetGame;
struct World;

// The main loop of a networked game: handles the window's events and polls the session on every
// turn; runs each frame the session releases, paced at --fps, and draws it; after half a second
// without one, draws "Esperando a NOMBRE..." over the frozen picture. Escape or the window closed
// leaves the game (the host's ends it for everyone); --frames on the host ends it for everyone after
// that many frames, once every client holds them (2 s at most). A client's end, its refusal or a
// host gone silent is told in a message. Returns the exit code (0 for all of these).
int NetMainLoop(World& world, NetGame& game);
