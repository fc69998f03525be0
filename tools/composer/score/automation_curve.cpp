#include "score/automation_curve.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

AutomationCurve::AutomationCurve(double constant) : keys{{0.0, constant}} {}

AutomationCurve::AutomationCurve(std::initializer_list<CurveKey> keyList) : keys(keyList)
{
    if (keys.empty()) throw std::invalid_argument("an automation curve needs at least one key");
    const bool ascending = std::is_sorted(keys.begin(), keys.end(),
                                          [](const CurveKey& a, const CurveKey& b) { return a.row < b.row; });
    if (!ascending) throw std::invalid_argument("automation keys must be in ascending rows");
}

AutomationCurve AutomationCurve::Frequencies(std::initializer_list<CurveKey> keyList)
{
    AutomationCurve curve(keyList);
    for (const CurveKey& key : curve.keys)
        if (!(key.value > 0.0)) throw std::invalid_argument("frequencies must be above zero");
    curve.geometric = true;
    return curve;
}

double AutomationCurve::At(double row) const
{
    const auto after = std::upper_bound(keys.begin(), keys.end(), row,
                                        [](double r, const CurveKey& key) { return r < key.row; });
    if (after == keys.begin()) return keys.front().value;
    if (after == keys.end()) return keys.back().value;
    const CurveKey& from = *(after - 1);
    const CurveKey& to = *after;
    const double t = (row - from.row) / (to.row - from.row);
    if (geometric) return from.value * std::pow(to.value / from.value, t);
    return from.value + (to.value - from.value) * t;
}
