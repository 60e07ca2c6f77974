#pragma once
// Where the map pictures put their writing, for the tests to hold them to it.
#include <string>
#include <vector>

struct MapBox {
  std::string name;
  float x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // picture pixels, x2 and y2 exclusive
  float cx = 0, cy = 0;                  // the point it belongs to (a city's icon centre)
  bool Overlaps(const MapBox& o) const { return x1 < o.x2 && o.x1 < x2 && y1 < o.y2 && o.y1 < y2; }
};

// The faction map (who.kbp, 480 x 400): each city's box and its name's ink.
struct FactionMapLayout {
  std::vector<MapBox> boxes, labels;
  std::vector<std::string> unplaced;  // names no free place was found for
};
FactionMapLayout LayOutFactionMap(const std::string& resDir);

// The strategic map (map.kbp): the plinths and name tags of the cities, and
// the province names, each placed among its own cities.
struct ProvinceLayout {
  std::vector<MapBox> places;     // a plinth with its tag, named by the city
  std::vector<MapBox> provinces;  // the ink of a province's name
  std::vector<std::string> unplaced;
};
ProvinceLayout LayOutProvinces(const std::string& dataDir, const std::string& resDir);
// Height of the Great Wall's line at x on the strategic map (-1 beyond its ends).
float GreatWallY(float x);
