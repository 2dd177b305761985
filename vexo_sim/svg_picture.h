#ifndef VEXO_SIM_SVG_PICTURE_H
#define VEXO_SIM_SVG_PICTURE_H

#include <cstdint>
#include <string>
#include <vector>

#include "modeller/host_state.h"

namespace standin {

// Which model axis points up in a picture: OBJ exporters write Y up; the demo scene has Z up.
enum class UpAxis { kY, kZ };

// The views write_svg_picture knows, for help and error texts: "front, back, top, side or iso".
std::string view_names();

// Returns: empty when `view` names a view write_svg_picture knows, or why it names none.
std::string check_view_name(const std::string& view);

// Draws the model as an SVG picture from a view (view_names()), with `up` as the model's up axis.
// Surfaces are depth-sorted and painted back to front: selected ones filled in one colour,
// seeds in a stronger one, the rest light with an outline. A picture holds at most 100,000
// surfaces: beyond that it keeps every selected surface (up to 100,000 of them; beyond that it
// thins those evenly too) and thins the rest evenly; `note` then says what share of each it drew.
//
// Inputs:  host   the model and its selection
//          seeds  per object and surface, 1 for a seed (may be empty: no seeds)
// Returns: empty, or the reason the picture could not be written.
std::string write_svg_picture(const Host& host, const std::vector<std::vector<std::uint8_t>>& seeds,
                              const std::string& view, UpAxis up, const std::string& path,
                              std::string& note);

}  // namespace standin

#endif  // VEXO_SIM_SVG_PICTURE_H
