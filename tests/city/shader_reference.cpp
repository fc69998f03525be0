#include "shader_reference.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "sync/tempo.h"

namespace {

double Radians(double degrees)
{
    return degrees * std::numbers::pi / 180.0;
}

double Dot(Vec3 a, Vec3 b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

Vec3 Normalize(Vec3 v)
{
    return v * (1.0 / std::sqrt(Dot(v, v)));
}

// The shader multiplies a row vector by rotationX, rotationY, rotationZ in turn.
Vec3 TurnX(Vec3 v, double a)
{
    return {v.x, v.y * std::cos(a) - v.z * std::sin(a), v.y * std::sin(a) + v.z * std::cos(a)};
}

Vec3 TurnY(Vec3 v, double b)
{
    return {v.x * std::cos(b) + v.z * std::sin(b), v.y, -v.x * std::sin(b) + v.z * std::cos(b)};
}

Vec3 TurnZ(Vec3 v, double g)
{
    return {v.x * std::cos(g) - v.y * std::sin(g), v.x * std::sin(g) + v.y * std::cos(g), v.z};
}

// The shader's screenPosition: y from -1 to 1, x as far as the aspect allows.
struct ScreenPosition {
    double x;
    double y;
};

ScreenPosition OnScreen(FragmentPosition fragment)
{
    return {2.0 * (fragment.x / kWidth - 0.5) * kWidth / kHeight, 2.0 * (fragment.y / kHeight - 0.5)};
}

}  // namespace

Vec3 RayDirection(FragmentPosition fragment, Vec3 angles)
{
    const ScreenPosition p = OnScreen(fragment);
    const Vec3 d = Normalize({p.x / 2.0, p.y / 2.0, 1.0});
    return TurnZ(TurnY(TurnX(d, Radians(angles.x)), Radians(angles.y)), Radians(angles.z));
}

Vec3 AnglesLookingAlong(Vec3 d)
{
    const double degrees = 180.0 / std::numbers::pi;
    return {-std::atan2(d.y, std::hypot(d.x, d.z)) * degrees, std::atan2(d.x, d.z) * degrees, 0.0};
}

std::optional<FragmentPosition> Project(Vec3 camera, Vec3 angles, Vec3 point)
{
    const Vec3 d = TurnX(TurnY(TurnZ(point - camera, -Radians(angles.z)), -Radians(angles.y)), -Radians(angles.x));
    if (d.z <= 0.0) return std::nullopt;
    const ScreenPosition p{2.0 * d.x / d.z, 2.0 * d.y / d.z};
    const FragmentPosition fragment{(p.x * kHeight / kWidth + 1.0) * kWidth / 2.0, (p.y + 1.0) * kHeight / 2.0};
    if (fragment.x < 0.0 || fragment.x >= kWidth || fragment.y < 0.0 || fragment.y >= kHeight) return std::nullopt;
    return fragment;
}

// The shader's own tempo constants hold the demo's tempo: its sections cut
// where the tracks do only if they agree.
float ShaderRow(float time)
{
    const float rowsPerSecond = static_cast<float>(BEATS_PER_MINUTE) / 60.0f * static_cast<float>(ROWS_PER_BEAT);
    return time * rowsPerSecond;
}

float FirstTimeAtRow(float row)
{
    auto time = static_cast<float>(RowsToSeconds(row));
    while (ShaderRow(time) >= row) time = std::nextafter(time, 0.0f);
    while (ShaderRow(time) < row) time = std::nextafter(time, 1e9f);
    return time;
}

double OverrideAngle(double time)
{
    return 180.0 * std::sin(time * std::numbers::pi / 8.0);
}

double Vignette(FragmentPosition fragment)
{
    const ScreenPosition p = OnScreen(fragment);
    const double u = std::clamp((0.8 - 0.3 * std::hypot(p.x, p.y)) / 0.6, 0.0, 1.0);
    return u * u * (3.0 - 2.0 * u);
}

Rgb8 Finish(Vec3 linear)
{
    const auto channel = [](double value) {
        return static_cast<int>(std::lround(255.0 * std::pow(std::max(value, 0.0), 0.4545)));
    };
    return {channel(linear.x), channel(linear.y), channel(linear.z)};
}

Vec3 ShadedSurface(Vec3 base, Vec3 normal, double distance)
{
    const double diffuse = std::max(Dot(normal, Normalize({0.3, 0.9, -0.6})), 0.0);
    const Vec3 lit = base * (diffuse + 0.03);
    const double fog = 1.0 - std::exp((8.0 - distance) * 0.005);
    return lit * (1.0 - fog) + kFogColour * fog;
}
