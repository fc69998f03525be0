// A value that changes over the piece, given by keys at rows: constant before
// the first key and after the last, and interpolated in between, either
// linearly (levels) or geometrically (frequencies, so that a sweep rises by
// the same musical interval in every row).
#pragma once

#include <initializer_list>
#include <vector>

struct CurveKey {
    double row;
    double value;
};

class AutomationCurve {
public:
    // The same value everywhere.
    explicit AutomationCurve(double constant = 1.0);
    // Linear between keys, which must be in ascending rows.
    AutomationCurve(std::initializer_list<CurveKey> keys);
    // Geometric between keys (all values above zero), for frequencies.
    static AutomationCurve Frequencies(std::initializer_list<CurveKey> keys);

    double At(double row) const;

private:
    std::vector<CurveKey> keys;
    bool geometric = false;
};
