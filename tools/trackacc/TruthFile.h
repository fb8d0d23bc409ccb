#pragma once
// The truth file ifbsim writes with --truth: per ping the true bottom depth and the fish in the
// beam.
#include <string>
#include <vector>

namespace trackacc {

struct TruthPing {
    long ping = 0;
    double timeS = 0;
    int bandKhz = 0;
    double bottomFt = 0;
    int fish = 0;
    double fishNearestFt = -1;
    double fishFarthestFt = -1;
};

// The pings of the file in order; false when it cannot be read or a line is malformed.
bool ReadTruthFile(const std::string& path, std::vector<TruthPing>& pings, std::string& error);

} // namespace trackacc
