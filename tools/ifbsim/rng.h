#pragma once
// The simulator's own random generator (xoshiro256**, seeded through splitmix64) with the few
// distributions the scene needs, written out so that a seed gives the same bytes on every machine
// and library. Every user owns its own generator, derived from the --seed value and a stream
// number, so that drawing noise for a long ping never shifts where the fish are.
#include <cstdint>

namespace ifbsim {

class Rng {
  public:
    Rng(uint64_t seed, uint64_t stream);

    uint64_t next();
    double uniform(); // [0, 1)
    double uniform(double lo, double hi);
    int below(int n);      // 0 .. n-1, n >= 1
    bool chance(double p); // true with probability p (0..1)
    double exponential(double mean);
    double normal();         // mean 0, standard deviation 1
    double gamma(int shape); // mean 1, integer shape >= 1 (speckle)

  private:
    uint64_t s_[4];
};

} // namespace ifbsim
