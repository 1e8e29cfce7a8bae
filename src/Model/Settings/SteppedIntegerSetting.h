#pragma once

#include "Platform/Preferences/UserDefaults.h"

#include <optional>

namespace tessarin {

// Rules shared by the integer settings of the OSD's look (tint, glow, border): any integer is
// accepted and brought to the nearest allowed value, and a stored number of any kind is read.

// The nearest multiple of `step` (halves away from zero), clamped into minimum...maximum.
int steppedAndClamped(int raw, int step, int minimum, int maximum);

// The number stored under `key`, rounded to an integer; none when nothing is stored, the value
// is not a number or it is not finite. Huge values are cut to ±1000 first, so the rounding never
// overflows.
std::optional<int> storedRoundedInteger(const UserDefaults& defaults, const char* key);

} // namespace tessarin
