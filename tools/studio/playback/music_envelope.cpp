// Measuring the music's loudness per bucket.
#include "music_envelope.h"

#include <algorithm>
#include <cmath>

#include "sync/tempo.h"

MusicEnvelope::MusicEnvelope(std::span<const float> samples, int channels, int sampleRate)
{
    if (channels <= 0 || sampleRate <= 0) return;
    const auto frames = static_cast<double>(samples.size() / static_cast<std::size_t>(channels));
    const double framesPerBucket = sampleRate / (ROWS_PER_SECOND * kBucketsPerRow);
    const auto count = static_cast<std::size_t>(std::ceil(frames / framesPerBucket));
    buckets.assign(count, 0.0f);
    float loudest = 0.0f;
    for (std::size_t bucket = 0; bucket < count; ++bucket) {
        const auto at = static_cast<double>(bucket);
        const auto first = static_cast<std::size_t>(at * framesPerBucket);
        const auto last = static_cast<std::size_t>(std::min((at + 1.0) * framesPerBucket, frames));
        double sum = 0.0;
        for (std::size_t frame = first; frame < last; ++frame) {
            for (int channel = 0; channel < channels; ++channel) {
                const double sample = samples[frame * static_cast<std::size_t>(channels) + static_cast<std::size_t>(channel)];
                sum += sample * sample;
            }
        }
        const std::size_t values = (last - first) * static_cast<std::size_t>(channels);
        buckets[bucket] = values > 0 ? static_cast<float>(std::sqrt(sum / static_cast<double>(values))) : 0.0f;
        loudest = std::max(loudest, buckets[bucket]);
    }
    if (loudest > 0.0f) {
        for (float& bucket : buckets) bucket /= loudest;
    }
}

float MusicEnvelope::Loudness(double from, double to) const
{
    const double size = static_cast<double>(buckets.size());
    const double first = std::clamp(std::floor(from * kBucketsPerRow), 0.0, size);
    const double last = std::clamp(std::ceil(to * kBucketsPerRow), 0.0, size);
    float loudest = 0.0f;
    for (auto bucket = static_cast<std::size_t>(first); bucket < static_cast<std::size_t>(last); ++bucket) {
        loudest = std::max(loudest, buckets[bucket]);
    }
    return loudest;
}
