#ifndef VEXO_SIM_SVG_PICTURE_H
#define VEXO_SIM_SVG_PICTURE_H

#include <cstdint>
#include <string>
#include <vector>

#include "modeller/host.h"

namespace standin {

// Draws the model as an SVG picture from a view: "front", "back", "top", "side" or "iso".
// Surfaces are depth-sorted and painted back to front: selected ones filled in one colour,
// seeds in a stronger one, the rest light with an outline. Beyond 100,000 surfaces the picture
// keeps every selected surface it can and thins the rest evenly; `note` then says so.
//
// Inputs:  host   the model and its selection
//          seeds  per object and surface, 1 for a seed (may be empty: no seeds)
// Returns: empty, or the reason the picture could not be written.
std::string write_svg_picture(const Host& host, const std::vector<std::vector<std::uint8_t>>& seeds,
                              const std::string& view, const std::string& path, std::string& note);

}  // namespace standin

#endif  // VEXO_SIM_SVG_PICTURE_H
