#pragma once
// --truth FILE: what the simulator really put under the boat, one line per ping, flushed at once
// so that a measuring tool can read it while the simulator runs:
//   # ping time_s band_khz bottom_ft fish fish_min_ft fish_max_ft
//   17 1.600 200 42.318 3 12.904 14.112
// ping counts from 1, as the ping counter of the replies does (which keeps its low byte); time_s
// is the scene time of the ping; bottom_ft the true bottom depth below the transducer; fish the
// number of fish in the beam of the ping's band, fish_min_ft and fish_max_ft their nearest and
// farthest range (-1 when there is none).
#include "scene.h"

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace ifbsim {

class TruthLog {
  public:
    TruthLog() = default;
    ~TruthLog();
    TruthLog(const TruthLog&) = delete;
    TruthLog& operator=(const TruthLog&) = delete;

    bool open(const std::string& path, bool withPosition);
    void write(long ping, double timeS, Band band, double bottomFt,
               const std::vector<FishEcho>& fish, const std::optional<lake::BoatFix>& boat);

  private:
    FILE* file_ = nullptr;
};

} // namespace ifbsim
