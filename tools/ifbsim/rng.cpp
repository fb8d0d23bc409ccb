#include "rng.h"

#include <cmath>
#include <numbers>

namespace ifbsim {

namespace {
uint64_t splitmix(uint64_t& x) {
    uint64_t z = (x += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}
uint64_t rotl(uint64_t x, int k) {
    return (x << k) | (x >> (64 - k));
}
} // namespace

Rng::Rng(uint64_t seed, uint64_t stream) {
    uint64_t x = seed ^ (stream * 0xD1B54A32D192ED03ull);
    for (auto& s : s_)
        s = splitmix(x);
}

uint64_t Rng::next() {
    const uint64_t result = rotl(s_[1] * 5, 7) * 9;
    const uint64_t t = s_[1] << 17;
    s_[2] ^= s_[0];
    s_[3] ^= s_[1];
    s_[1] ^= s_[2];
    s_[0] ^= s_[3];
    s_[2] ^= t;
    s_[3] = rotl(s_[3], 45);
    return result;
}

double Rng::uniform() {
    return static_cast<double>(next() >> 11) * 0x1.0p-53;
}

double Rng::uniform(double lo, double hi) {
    return lo + (hi - lo) * uniform();
}

int Rng::below(int n) {
    return n <= 1 ? 0 : static_cast<int>(next() % static_cast<uint64_t>(n));
}

bool Rng::chance(double p) {
    return p > 0 && uniform() < p;
}

double Rng::exponential(double mean) {
    return -mean * std::log(1.0 - uniform());
}

double Rng::normal() {
    const double u1 = 1.0 - uniform();
    const double u2 = uniform();
    return std::sqrt(-2.0 * std::log(u1)) * std::cos(2.0 * std::numbers::pi * u2);
}

double Rng::gamma(int shape) {
    double product = 1.0;
    for (int i = 0; i < shape; ++i)
        product *= 1.0 - uniform();
    return -std::log(product) / shape;
}

} // namespace ifbsim
