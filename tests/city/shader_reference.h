// The City shader's camera, clocks and finishing steps restated in C++, so that
// tests know where a world point is drawn and what colour a pixel must have.
#pragma once

#include <optional>

struct Vec3 {
    double x;
    double y;
    double z;
};

inline Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec3 operator*(Vec3 a, double s) { return {a.x * s, a.y * s, a.z * s}; }

// A position in the target as gl_FragCoord gives it: x to the right, y up,
// pixel centres at half-integers.
struct FragmentPosition {
    double x;
    double y;
};

struct Rgb8 {
    int r;
    int g;
    int b;
};

inline constexpr double kWidth = 1920.0;
inline constexpr double kHeight = 1080.0;
inline constexpr FragmentPosition kCentre{kWidth / 2.0 + 0.5, kHeight / 2.0 + 0.5};

// The direction of the ray through a fragment, for angles in degrees.
Vec3 RayDirection(FragmentPosition fragment, Vec3 anglesInDegrees);

// The angles, in degrees and without roll, that turn the view along a direction.
Vec3 AnglesLookingAlong(Vec3 direction);

// Where a world point is drawn, or none when it is behind the camera or off
// the target.
std::optional<FragmentPosition> Project(Vec3 camera, Vec3 anglesInDegrees, Vec3 point);

// The shader's clocks are 32-bit: the row it sees for a time, and the first
// time at which it sees a row.
float ShaderRow(float time);
float FirstTimeAtRow(float row);

// From row 512 on, every camera angle is replaced by this one.
double OverrideAngle(double time);

// The factor by which the vignette darkens a fragment.
double Vignette(FragmentPosition fragment);

// A linear colour with the vignette already applied, as the frame stores it.
Rgb8 Finish(Vec3 linear);

inline constexpr Vec3 kSkyColour{0.07, 0.12, 0.4};
inline constexpr Vec3 kFogColour{0.05, 0.05, 0.1};

// A surface of the given base colour and normal, hit at a distance.
Vec3 ShadedSurface(Vec3 base, Vec3 normal, double distance);
