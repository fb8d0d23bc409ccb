#include "TruthFile.h"

#include <fstream>
#include <sstream>

namespace trackacc {

bool ReadTruthFile(const std::string& path, std::vector<TruthPing>& pings, std::string& error) {
    std::ifstream in(path);
    if (!in) {
        error = "cannot read " + path;
        return false;
    }
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        TruthPing p;
        if (!(fields >> p.ping >> p.timeS >> p.bandKhz >> p.bottomFt >> p.fish >> p.fishNearestFt >>
              p.fishFarthestFt)) {
            error = path + ": malformed line: " + line;
            return false;
        }
        pings.push_back(p);
    }
    return true;
}

} // namespace trackacc
