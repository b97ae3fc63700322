#pragma once
// The value arithmetic of the sliders: pointer to value and value to
// position, per orientation. Values run 0..4096; divisions truncate toward
// zero.

#include <cstdint>

namespace zarnel {

inline constexpr int32_t kSliderMax = 4096;

// Return: v clamped to 0..4096.
int32_t clampSliderValue(int64_t v);

// A straight slider whose travel starts at start and is travel pixels long
// (travel >= 2). Horizontal: v = ((pointer - start) × 4096) / (travel - 1);
// vertical, 4096 at the top: v = ((travel + start - pointer - 1) × 4096) /
// (travel - 1). Reversed: 4096 - v. Return: the value, clamped.
int32_t linearValue(int32_t pointer, int32_t start, int32_t travel, bool vertical, bool reversed);

// Return: the knob position p of value v (already reversed when the slider
// is): horizontal start + v × (travel - 1) / 4096, vertical
// start + travel - v × (travel - 1) / 4096 - 1.
int32_t linearPosition(int32_t v, int32_t start, int32_t travel, bool vertical);

// Return: the pointer's angle about the centre in whole degrees clockwise
// from straight up, 0..359, for the offset (dx, dy) of the pointer from it.
int32_t pointerAngle(int32_t dx, int32_t dy);

// A knob turned by angle, anglemin and anglemax in degrees clockwise from
// straight up. The range and the pointer angle less anglemin are brought into
// 0..360 (both taken as 360 less themselves for ccw; an empty range is the
// whole turn). Beyond the range the value snaps to 0 when the angle exceeds
// range / 2 + 180, else to 4096; inside it is angle × 4096 / range.
int32_t circleValue(int32_t angle, int32_t angleMin, int32_t angleMax, bool ccw);

// Return: the angle a in radians brought into -pi..pi in constant time (a
// sector across straight up then has its start above its end); 0 for an
// angle that is not finite.
double intoHalfTurns(double a);

// How a "round" knob reads the pointer's travel.
enum class RoundMove { kFull, kHorz, kVert, kV };

// Return: the value after the pointer moved dx right and dy up from where the
// drag started at startValue: d × 4096 / sensibility + startValue, clamped,
// with d by move: full dx + dy, horz dx, vert dy, v dx brought towards zero
// by |dy| / 2 (0 when that crosses zero). Pre: sensibility >= 1.
int32_t roundValue(int32_t dx, int32_t dy, RoundMove move, int32_t sensibility, int32_t startValue);

// Return: the frame of value v in a strip of count frames: (count - 1) × v / 4096.
int32_t roundFrame(int32_t v, int32_t count);

}  // namespace zarnel
