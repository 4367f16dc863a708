#pragma once

// The eleven keys the game plays with, by their code in the keyboard snapshot: the DirectInput
// numbering, which the platform's key map follows. The controls, the key scripts and their tests
// take them from here.
namespace key {

inline constexpr int kEscape = 1;
inline constexpr int kW = 17;
inline constexpr int kA = 30;
inline constexpr int kS = 31;
inline constexpr int kD = 32;
inline constexpr int kF = 33;
inline constexpr int kSpace = 57;
inline constexpr int kLeft = 203;
inline constexpr int kRight = 205;
inline constexpr int kUp = 200;
inline constexpr int kDown = 208;
// Not played with: F1 shows and hides the controls, outside the rules.
inline constexpr int kF1 = 59;

} // namespace key
