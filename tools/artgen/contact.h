#pragma once
// Contact sheets: small copies of all pictures with their names, for review.
#include <cairo.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "manifest.h"

namespace art {

struct Thumb {
  std::string name;
  int w = 0, h = 0;
  std::shared_ptr<cairo_surface_t> surface;  // null for files that are not pictures
};

// A reduced copy of the converted pixels, over a checker board where they are transparent.
Thumb make_thumb(const gfx::Entry& e, int w, int h, const std::vector<uint8_t>& rgba);
void write_contact_sheets(const std::filesystem::path& dir, const std::vector<Thumb>& thumbs);

}  // namespace art
