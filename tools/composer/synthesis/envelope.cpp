#include "synthesis/envelope.h"

#include <algorithm>
#include <cmath>

namespace {

// Releases last this many time constants (to -60 dB) before the final taper.
constexpr double kReleaseTimeConstants = 7.0;

double FactorPerFrame(double timeConstantSeconds, double sampleRate)
{
    return std::exp(-1.0 / std::max(timeConstantSeconds * sampleRate, 1.0));
}

}  // namespace

Envelope::Envelope(const EnvelopeShape& shape, double gateSeconds, double sampleRate)
    : attackStep(1.0 / std::max(shape.attackSeconds * sampleRate, 1.0)),
      decayFactor(FactorPerFrame(shape.decaySeconds, sampleRate)),
      sustainLevel(shape.sustainLevel),
      releaseFactor(FactorPerFrame(shape.releaseSeconds, sampleRate)),
      gateFrames(static_cast<std::size_t>(std::max(gateSeconds, 0.0) * sampleRate)),
      releaseFrames(static_cast<std::size_t>(kReleaseTimeConstants * shape.releaseSeconds * sampleRate) + 1)
{
}

float Envelope::Next()
{
    if (frame >= LengthFrames()) return 0.0f;
    if (frame < gateFrames) {
        if (attacking) {
            level += attackStep;
            if (level >= 1.0) {
                level = 1.0;
                attacking = false;
            }
        } else {
            level = sustainLevel + (level - sustainLevel) * decayFactor;
        }
    } else {
        level *= releaseFactor;
    }
    // The last time constant of the release fades linearly to zero.
    const double framesLeft = static_cast<double>(LengthFrames() - frame);
    const double taperFrames = static_cast<double>(releaseFrames) / kReleaseTimeConstants;
    ++frame;
    return static_cast<float>(level * std::min(1.0, framesLeft / taperFrames));
}
