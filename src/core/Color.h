#pragma once
#include <cstdint>

namespace vz {

// A colour as the program stores it. Settings files keep colours as one number,
// red + 256 x green + 65536 x blue, so that files written on the original platform read right.
struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;

    constexpr std::int32_t toLong() const { return r + 256 * g + 65536 * b; }
    static constexpr Rgb fromLong(std::int64_t v) {
        return Rgb{static_cast<std::uint8_t>(v & 0xFF), static_cast<std::uint8_t>((v >> 8) & 0xFF),
                   static_cast<std::uint8_t>((v >> 16) & 0xFF)};
    }
    friend constexpr bool operator==(Rgb, Rgb) = default;
};

// The classic 16-colour palette; other code refers to its entries by code 0 to 15.
constexpr Rgb kPalette[16] = {
    {0, 0, 0},     {0, 0, 128},   {0, 128, 0},   {0, 128, 128}, {128, 0, 0},   {128, 0, 128},
    {128, 128, 0}, {192, 192, 192}, {128, 128, 128}, {0, 0, 255}, {0, 255, 0}, {0, 255, 255},
    {255, 0, 0},   {255, 0, 255}, {255, 255, 0}, {255, 255, 255}};

} // namespace vz
