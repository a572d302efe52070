#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The Configure dialog's number box holds NumberToSave as text; these convert both ways the
// way a 9-character buffer scanned and printed with "%hd" does.

// Characters of the box's text that are read: the rest does not fit the 9-character buffer.
constexpr std::size_t kNumberBoxChars = 8;

// Reads the first kNumberBoxChars characters of boxText as "%hd" does: leading white space,
// an optional sign, ASCII decimal digits up to the first non-digit. With at least one digit the
// result is the number reduced to a signed 16-bit value and widened again; without one,
// currentValue is returned unchanged.
std::int32_t ScanNumberToSave(std::u16string_view boxText, std::int32_t currentValue);

// The text the number box shows for a value: the value reduced to a signed 16-bit number,
// in decimal.
std::u16string FormatNumberToSave(std::int32_t value);
