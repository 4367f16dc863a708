#pragma once

// The eleven keys the game plays with, by their code in the keyboard snapshot: the DirectInput
// numbering, which the platform's key map follows. The controls, the key scripts and their tests
// take them from here.
namespace key {

constexpr int kEscape = 1;
constexpr int kW = 17;
constexpr int kA = 30;
constexpr int kS = 31;
constexpr int kD = 32;
constexpr int kF = 33;
constexpr int kSpace = 57;
constexpr int kLeft = 203;
constexpr int kRight = 205;
constexpr int kUp = 200;
constexpr int kDown = 208;
// Not played with: F1 shows and hides the controls, outside the rules.
constexpr int kF1 = 59;

} // namespace key
