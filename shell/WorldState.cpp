#include "shell/WorldState.hpp"

#include "shell/World.hpp"

GameState CurrentState(const World& world) {
    GameState state = RulesState(world.sim, world.networked || world.options.roster.players > 1);
    state.octree = &world.octreeStats;
    state.leafCount = world.leafCount;
    return state;
}
