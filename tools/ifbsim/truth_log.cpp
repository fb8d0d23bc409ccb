#include "truth_log.h"

#include <algorithm>

namespace ifbsim {

TruthLog::~TruthLog() {
    if (file_) std::fclose(file_);
}

bool TruthLog::open(const std::string& path, bool withPosition) {
    file_ = std::fopen(path.c_str(), "w");
    if (!file_) return false;
    std::fputs(withPosition ? "# ping time_s band_khz bottom_ft fish fish_min_ft fish_max_ft lat_deg lon_deg\n"
                            : "# ping time_s band_khz bottom_ft fish fish_min_ft fish_max_ft\n",
               file_);
    std::fflush(file_);
    return true;
}

void TruthLog::write(long ping, double timeS, Band band, double bottomFt,
                     const std::vector<FishEcho>& fish, const std::optional<lake::BoatFix>& boat) {
    if (!file_) return;
    double nearest = -1, farthest = -1;
    for (const FishEcho& f : fish) {
        nearest = nearest < 0 ? f.rangeFt : std::min(nearest, f.rangeFt);
        farthest = std::max(farthest, f.rangeFt);
    }
    std::fprintf(file_, "%ld %.3f %d %.3f %zu %.3f %.3f", ping, timeS,
                 band == Band::Khz50 ? 50 : 200, bottomFt, fish.size(), nearest, farthest);
    if (boat) std::fprintf(file_, " %.8f %.8f", boat->position.latDeg, boat->position.lonDeg);
    std::fputc('\n', file_);
    std::fflush(file_);
}

} // namespace ifbsim
