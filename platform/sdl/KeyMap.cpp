#include "platform/sdl/KeyMap.hpp"

#include <cstring>

namespace platform {

namespace {

struct UsageCode {
    unsigned char usage; // USB HID keyboard usage
    unsigned char code;  // DirectInput key code
};

// The main block, function keys, editing block, arrows and keypad.
const UsageCode kUsageCodes[] = {
    {4, 0x1E},   {5, 0x30},   {6, 0x2E},   {7, 0x20},   {8, 0x12},   {9, 0x21},   {10, 0x22},  {11, 0x23},
    {12, 0x17},  {13, 0x24},  {14, 0x25},  {15, 0x26},  {16, 0x32},  {17, 0x31},  {18, 0x18},  {19, 0x19},
    {20, 0x10},  {21, 0x13},  {22, 0x1F},  {23, 0x14},  {24, 0x16},  {25, 0x2F},  {26, 0x11},  {27, 0x2D},
    {28, 0x15},  {29, 0x2C},  {30, 0x02},  {31, 0x03},  {32, 0x04},  {33, 0x05},  {34, 0x06},  {35, 0x07},
    {36, 0x08},  {37, 0x09},  {38, 0x0A},  {39, 0x0B},  {40, 0x1C},  {41, 0x01},  {42, 0x0E},  {43, 0x0F},
    {44, 0x39},  {45, 0x0C},  {46, 0x0D},  {47, 0x1A},  {48, 0x1B},  {49, 0x2B},  {50, 0x2B},  {51, 0x27},
    {52, 0x28},  {53, 0x29},  {54, 0x33},  {55, 0x34},  {56, 0x35},  {57, 0x3A},  {58, 0x3B},  {59, 0x3C},
    {60, 0x3D},  {61, 0x3E},  {62, 0x3F},  {63, 0x40},  {64, 0x41},  {65, 0x42},  {66, 0x43},  {67, 0x44},
    {68, 0x57},  {69, 0x58},  {70, 0xB7},  {71, 0x46},  {72, 0xC5},  {73, 0xD2},  {74, 0xC7},  {75, 0xC9},
    {76, 0xD3},  {77, 0xCF},  {78, 0xD1},  {79, 0xCD},  {80, 0xCB},  {81, 0xD0},  {82, 0xC8},  {83, 0x45},
    {84, 0xB5},  {85, 0x37},  {86, 0x4A},  {87, 0x4E},  {88, 0x9C},  {89, 0x4F},  {90, 0x50},  {91, 0x51},
    {92, 0x4B},  {93, 0x4C},  {94, 0x4D},  {95, 0x47},  {96, 0x48},  {97, 0x49},  {98, 0x52},  {99, 0x53},
    {100, 0x56}, {101, 0xDD}, {102, 0xDE}, {103, 0x8D}, {104, 0x64}, {105, 0x65}, {106, 0x66}, {133, 0xB3},
    {135, 0x73}, {136, 0x70}, {137, 0x7D}, {138, 0x79}, {139, 0x7B}, {224, 0x1D}, {225, 0x2A}, {226, 0x38},
    {227, 0xDB}, {228, 0x9D}, {229, 0x36}, {230, 0xB8}, {231, 0xDC},
};

} // namespace

int DirectInputCode(int hidUsage) {
    for (const UsageCode& entry : kUsageCodes) {
        if (entry.usage == hidUsage) {
            return entry.code;
        }
    }
    return 0;
}

void FillKeySnapshot(const std::uint8_t* pressedByUsage, int usageCount, bool focused,
                     std::uint8_t keys[256]) {
    std::memset(keys, 0, 256);
    if (!focused || pressedByUsage == nullptr) {
        return;
    }
    for (const UsageCode& entry : kUsageCodes) {
        if (entry.usage < usageCount && pressedByUsage[entry.usage] != 0) {
            keys[entry.code] = 0x80;
        }
    }
}

} // namespace platform
