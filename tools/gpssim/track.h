#pragma once
// The simulated boat: it circles clockwise at a steady speed, 800 m around a point of English
// Bay off Vancouver, one lap in about 40 minutes at 4.5 knots.

namespace gpssim {

struct Fix {
    double latitudeDeg = 0;  // north positive
    double longitudeDeg = 0; // east positive
    double speedKn = 0;
    double courseDeg = 0; // true course over ground, 0..360
};

// Where the boat is `t` seconds after the start, going at `speedKn`.
Fix boatAt(double t, double speedKn);

} // namespace gpssim
