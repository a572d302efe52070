#pragma once
// Pixel distances drawn for 96 DPI, at the display's DPI, and back: the program lays itself out
// at the system's DPI, and keeps what it stores in the units it has always stored.
#include <algorithm>
#include <climits>
#include <cstdint>

constexpr int kDesignDpi = 96;

// value * numerator / denominator rounded to the nearest integer, halves away from zero, as the
// platform's MulDiv rounds; a result beyond an int is held at its bound.
constexpr int MulDivRounded(int value, int numerator, int denominator) {
    const std::int64_t product = std::int64_t{value} * numerator, half = denominator / 2;
    const std::int64_t quotient = product >= 0 ? (product + half) / denominator : -((half - product) / denominator);
    return static_cast<int>(std::clamp<std::int64_t>(quotient, INT_MIN, INT_MAX));
}

constexpr int ScaleToDpi(int pixelsAt96, int dpi) { return MulDivRounded(pixelsAt96, dpi, kDesignDpi); }
constexpr int ScaleFromDpi(int pixels, int dpi) { return MulDivRounded(pixels, kDesignDpi, dpi); }
