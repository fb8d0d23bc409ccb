#pragma once
// vodazuzovi-export --grid: a depth map from recordings (see DepthMap.cpp).
#include <QString>
#include <QStringList>

#include <optional>

struct DepthMapRequest {
    QStringList inputs; // recordings, or folders of recordings
    QString base;       // BASE.tif, BASE-contours.geojson, BASE-contours.kml, BASE.png
    double cellM = 5;
    double reachM = 10;
    std::optional<double> contourInterval; // in the recordings' units; default by unit
};

// Runs the whole map; the exit status of the program (0 written, 1 failure, 2 not recordings,
// 3 no position anywhere).
int MakeDepthMap(const DepthMapRequest& request);
