#include "course_picture.h"

#include <png.h>
#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

// Heading change per segment for one unit of a sector's curve (a sketch, not the road's own
// projection: enough to tell a winding course from a straight one).
const double kTurnPerCurveUnit = 0.00004;
const uint32_t kRoad = 0xFF2A40E0;    // ABGR in memory order R, G, B, A: red road
const uint32_t kStart = 0xFF30D0F0;   // yellow start

struct Point {
  double x, y;
};

std::vector<Point> Course_Points(const TrackSector* sectors, int count) {
  std::vector<Point> points = {{0, 0}};
  double heading = 0, x = 0, y = 0;
  for (int i = 0; i < count; ++i)
    for (int s = 0; s < sectors[i].length; ++s) {
      heading += sectors[i].curve * kTurnPerCurveUnit;
      x += std::sin(heading);
      y -= std::cos(heading);
      points.push_back({x, y});
    }
  return points;
}

void Plot(std::vector<uint32_t>& pixels, int x, int y, int radius, uint32_t colour) {
  for (int dy = -radius; dy <= radius; ++dy)
    for (int dx = -radius; dx <= radius; ++dx) {
      int px = x + dx, py = y + dy;
      if (px >= 0 && py >= 0 && px < kCoursePictureWidth && py < kCoursePictureHeight && dx * dx + dy * dy <= radius * radius)
        pixels[py * kCoursePictureWidth + px] = colour;
    }
}

}  // namespace

std::string Draw_Course_Png(const TrackSector* sectors, int count) {
  std::vector<Point> points = Course_Points(sectors, count);
  double left = 0, right = 0, top = 0, bottom = 0;
  for (const Point& p : points) {
    left = std::min(left, p.x), right = std::max(right, p.x);
    top = std::min(top, p.y), bottom = std::max(bottom, p.y);
  }
  const double kMargin = 8;
  double scale = std::min((kCoursePictureWidth - 2 * kMargin) / std::max(1.0, right - left),
                          (kCoursePictureHeight - 2 * kMargin) / std::max(1.0, bottom - top));
  double ox = (kCoursePictureWidth - (right - left) * scale) / 2 - left * scale;
  double oy = (kCoursePictureHeight - (bottom - top) * scale) / 2 - top * scale;
  std::vector<uint32_t> pixels(kCoursePictureWidth * kCoursePictureHeight, 0);
  for (size_t i = 1; i < points.size(); ++i) {
    // Enough dots along each step that the line has no gaps.
    double x0 = ox + points[i - 1].x * scale, y0 = oy + points[i - 1].y * scale;
    double x1 = ox + points[i].x * scale, y1 = oy + points[i].y * scale;
    int steps = 1 + static_cast<int>(std::max(std::fabs(x1 - x0), std::fabs(y1 - y0)));
    for (int k = 0; k <= steps; ++k)
      Plot(pixels, static_cast<int>(x0 + (x1 - x0) * k / steps), static_cast<int>(y0 + (y1 - y0) * k / steps), 1, kRoad);
  }
  Plot(pixels, static_cast<int>(ox), static_cast<int>(oy), 4, kStart);
  png_image image = {};
  image.version = PNG_IMAGE_VERSION;
  image.width = kCoursePictureWidth;
  image.height = kCoursePictureHeight;
  image.format = PNG_FORMAT_RGBA;
  png_alloc_size_t size = 0;
  if (!png_image_write_to_memory(&image, nullptr, &size, 0, pixels.data(), 0, nullptr)) return "";
  std::string png(size, '\0');
  if (!png_image_write_to_memory(&image, &png[0], &size, 0, pixels.data(), 0, nullptr)) return "";
  png.resize(size);
  return png;
}

int Course_Pictures::Get(const std::string& path, std::string* png) {
  struct stat file;
  if (stat(path.c_str(), &file) != 0) return 0;
  std::string identity = std::to_string(file.st_ino) + ":" + std::to_string(file.st_size) + ":" +
                         std::to_string(file.st_mtim.tv_sec) + "." + std::to_string(file.st_mtim.tv_nsec);
  {
    std::lock_guard<std::mutex> hold(lock_);
    auto found = kept_.find(path);
    if (found != kept_.end() && found->second.identity == identity) {
      *png = found->second.png;
      return 1;
    }
  }
  TrackHeader header;
  std::vector<TrackSector> sectors(kTrackMaxSectors);
  int count = 0;
  if (Read_Track_File(path.c_str(), &header, sectors.data(), &count) != TRACK_OK) return 0;
  std::string drawn = Draw_Course_Png(sectors.data(), count);
  if (drawn.empty()) return 0;
  std::lock_guard<std::mutex> hold(lock_);
  kept_[path] = {identity, drawn};
  *png = drawn;
  return 1;
}
