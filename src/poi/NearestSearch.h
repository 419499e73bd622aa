#pragma once
// The nearest-POI search on several threads. The category files are independent: each
// worker takes the next file no worker has taken yet and keeps the nearest line of its
// own files; the workers' results are then merged by the search's rule (the smallest
// distance, and on a tie the earlier row), so any number of workers finds the same match.
#include <cstdint>

#include "poi/NearestPoi.h"

namespace poirec {

// FindNearestPoi with this many workers (fewer when the table has fewer rows or the
// system grants fewer threads); the calling thread is one of them.
bool FindNearestPoiWith(int workers, FileSystem& files, const CategoryTable& table,
                        GeoPoint position, NearestPoiMatch& match);

}  // namespace poirec
