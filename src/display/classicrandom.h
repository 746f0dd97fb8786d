#pragma once

#include <cstdint>

namespace display {

// The classic generator of the random shows, written out so that every run
// and every build gives the same sequence: a 24-bit linear congruential
// generator started from one fixed state, never from the clock.
class ClassicRandom {
public:
    // The next value in [0, 1).
    double next()
    {
        state_ = (state_ * 1140671485u + 12820163u) & 0xFFFFFFu;
        return double(state_) / 16777216.0;
    }
    // A position from 1 to count, every one possible.
    static int positionFor(double value, int count)
    {
        const int position = int(value * count) + 1;
        return position > count ? count : position;
    }

private:
    std::uint32_t state_ = 0x50000u;
};

} // namespace display
