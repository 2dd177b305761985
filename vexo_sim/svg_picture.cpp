#include "vexo_sim/svg_picture.h"
#include "messages/excerpt.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <limits>

namespace standin {
namespace {

constexpr std::size_t kMostSurfacesDrawn = 100000;
constexpr double kPictureSize = 1000;

enum class Look : std::uint8_t { kPlain, kSelected, kSeed };

struct DrawnSurface {
  double depth;
  std::size_t object;
  std::uint32_t surface;
  Look look;
};

struct Projection {
  // Screen x and y, and depth (larger is further away), of a model point.
  double x(const Vec3& p) const { return p.x * xx + p.y * xy + p.z * xz; }
  double y(const Vec3& p) const { return p.x * yx + p.y * yy + p.z * yz; }
  double depth(const Vec3& p) const { return p.x * dx + p.y * dy + p.z * dz; }
  double xx, xy, xz, yx, yy, yz, dx, dy, dz;
};

// The views, for a model with Z up: each a projection onto the screen. Screen y grows downwards,
// so "up" in the model maps to -y. The one table serves the drawing and the list of names.
struct View {
  const char* name;
  Projection projection;
};

const double kC = std::sqrt(0.5);
const double kS = std::sqrt(1.0 / 6.0);
const double kT = std::sqrt(1.0 / 3.0);
const View kViews[] = {
    {"front", {1, 0, 0, 0, 0, -1, 0, 1, 0}},
    {"back", {-1, 0, 0, 0, 0, -1, 0, -1, 0}},
    {"top", {1, 0, 0, 0, -1, 0, 0, 0, -1}},
    {"side", {0, 1, 0, 0, 0, -1, -1, 0, 0}},
    {"iso", {kC, -kC, 0, -kS, -kS, -2 * kS, kT, kT, -kT}},
};

// The projection of a view for a model whose up axis is `up`. A model with Y up (its front
// facing +Z) is turned so that its Y is Z and its Z is -Y: then the views see it as they see a
// model with Z up.
bool projection_for(const std::string& view, UpAxis up, Projection& projection) {
  for (const View& known : kViews) {
    if (view != known.name) continue;
    projection = known.projection;
    if (up == UpAxis::kY) {
      // (x, y, z) is drawn as (x, -z, y): each row's y and z weights move accordingly.
      const auto turn = [](double& along_y, double& along_z) {
        const double was_along_y = along_y;
        along_y = along_z;
        along_z = -was_along_y;
      };
      turn(projection.xy, projection.xz);
      turn(projection.yy, projection.yz);
      turn(projection.dy, projection.dz);
    }
    return true;
  }
  return false;
}

Look look_of(const Host& host, const std::vector<std::vector<std::uint8_t>>& seeds, std::size_t o,
             std::uint32_t s) {
  if (o < seeds.size() && s < seeds[o].size() && seeds[o][s]) return Look::kSeed;
  return host.selection().current().whole_surfaces[o][s] ? Look::kSelected : Look::kPlain;
}

std::string unknown_view(const std::string& view) {
  return "unknown view '" + excerpt(view) + "' (" + view_names() + ")";
}

// "all selected", "1 in 3 of the others", "none of the others": what a step of choose_surfaces
// keeps (0 keeps none).
std::string share_drawn(std::size_t step, const char* which) {
  if (step == 1) return std::string("all ") + which;
  if (step == 0) return std::string("none of the ") + which;
  return "1 in " + std::to_string(step) + " of the " + which;
}

// Picks the surfaces to draw: all of them up to the limit; beyond it, highlighted surfaces
// first and an even share of the rest.
std::vector<DrawnSurface> choose_surfaces(const Host& host,
                                          const std::vector<std::vector<std::uint8_t>>& seeds,
                                          std::string& note) {
  std::size_t total = 0;
  std::size_t highlighted = 0;
  for (std::size_t o = 0; o < host.model().object_count(); ++o) {
    for (std::uint32_t s = 0; s < host.model().object(o).surface_count(); ++s) {
      ++total;
      if (look_of(host, seeds, o, s) != Look::kPlain) ++highlighted;
    }
  }
  const std::size_t plain = total - highlighted;
  const std::size_t highlight_room = std::min(highlighted, kMostSurfacesDrawn);
  const std::size_t highlight_step =
      highlighted > highlight_room ? (highlighted + highlight_room - 1) / highlight_room : 1;
  const std::size_t plain_room = kMostSurfacesDrawn - highlight_room;
  const std::size_t plain_step =
      plain > plain_room ? (plain_room == 0 ? 0 : (plain + plain_room - 1) / plain_room) : 1;
  std::vector<DrawnSurface> chosen;
  std::size_t plain_seen = 0;
  std::size_t highlight_seen = 0;
  for (std::size_t o = 0; o < host.model().object_count(); ++o) {
    for (std::uint32_t s = 0; s < host.model().object(o).surface_count(); ++s) {
      const Look look = look_of(host, seeds, o, s);
      const bool keep = look == Look::kPlain ? plain_step != 0 && plain_seen++ % plain_step == 0
                                             : highlight_seen++ % highlight_step == 0;
      if (keep) chosen.push_back({0, o, s, look});
    }
  }
  if (chosen.size() < total) {
    note = "picture: " + std::to_string(total) + " surfaces, " + std::to_string(chosen.size()) +
           " drawn: " + share_drawn(highlight_step, "selected") + " and " +
           share_drawn(plain_step, "others");
  }
  return chosen;
}

struct Frame {
  double min_x = std::numeric_limits<double>::max();
  double min_y = std::numeric_limits<double>::max();
  double max_x = std::numeric_limits<double>::lowest();
  double max_y = std::numeric_limits<double>::lowest();
  double scale = 1;
};

Frame frame_of(const Host& host, const std::vector<DrawnSurface>& chosen, const Projection& view) {
  Frame frame;
  for (const DrawnSurface& drawn : chosen) {
    const Mesh& mesh = host.model().object(drawn.object).mesh;
    for (std::uint32_t k = mesh.loop_offsets[drawn.surface];
         k < mesh.loop_offsets[drawn.surface + 1]; ++k) {
      const Vec3& p = mesh.vertices[mesh.loop_vertices[k]];
      frame.min_x = std::min(frame.min_x, view.x(p));
      frame.max_x = std::max(frame.max_x, view.x(p));
      frame.min_y = std::min(frame.min_y, view.y(p));
      frame.max_y = std::max(frame.max_y, view.y(p));
    }
  }
  const double extent = std::max(frame.max_x - frame.min_x, frame.max_y - frame.min_y);
  frame.scale = extent > 0 ? (kPictureSize - 40) / extent : 1;
  if (chosen.empty()) frame.min_x = frame.max_x = frame.min_y = frame.max_y = 0;
  return frame;
}

void sort_by_depth(const Host& host, std::vector<DrawnSurface>& chosen, const Projection& view) {
  for (DrawnSurface& drawn : chosen) {
    const Mesh& mesh = host.model().object(drawn.object).mesh;
    const std::uint32_t begin = mesh.loop_offsets[drawn.surface];
    const std::uint32_t end = mesh.loop_offsets[drawn.surface + 1];
    double sum = 0;
    for (std::uint32_t k = begin; k < end; ++k)
      sum += view.depth(mesh.vertices[mesh.loop_vertices[k]]);
    drawn.depth = sum / (end - begin);
  }
  // Furthest first, so that nearer surfaces are painted over them.
  std::stable_sort(chosen.begin(), chosen.end(),
                   [](const DrawnSurface& a, const DrawnSurface& b) { return a.depth > b.depth; });
}

const char* class_of(Look look) {
  switch (look) {
    case Look::kSeed:
      return "d";
    case Look::kSelected:
      return "s";
    default:
      return "p";
  }
}

}  // namespace

std::string view_names() {
  std::string names;
  const std::size_t count = sizeof kViews / sizeof kViews[0];
  for (std::size_t v = 0; v < count; ++v) {
    names += v == 0 ? "" : v + 1 == count ? " or " : ", ";
    names += kViews[v].name;
  }
  return names;
}

std::string check_view_name(const std::string& view) {
  Projection projection{};
  return projection_for(view, UpAxis::kZ, projection) ? "" : unknown_view(view);
}

std::string write_svg_picture(const Host& host, const std::vector<std::vector<std::uint8_t>>& seeds,
                              const std::string& view_name, UpAxis up, const std::string& path,
                              std::string& note) {
  Projection view{};
  if (!projection_for(view_name, up, view)) return unknown_view(view_name);
  std::vector<DrawnSurface> chosen = choose_surfaces(host, seeds, note);
  sort_by_depth(host, chosen, view);
  const Frame frame = frame_of(host, chosen, view);

  const std::string caption = "view " + view_name + (up == UpAxis::kY ? ", Y up" : ", Z up") +
                              ": seeds dark red (dots), selected amber, others outlined" +
                              (note.empty() ? "" : " (thinned)");
  // The picture is at least as wide as its caption (about 8 units a character at 14 px), so that
  // a tall, narrow model does not cut it off.
  const double caption_width = 40 + 8.0 * static_cast<double>(caption.size());
  const double width = std::max(40 + (frame.max_x - frame.min_x) * frame.scale, caption_width);
  const double height = 40 + (frame.max_y - frame.min_y) * frame.scale;
  std::ofstream out(path);
  if (!out)
    return excerpt(path, kLongestName) + ": cannot write the picture: " + std::strerror(errno);
  out << "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 " << width << " " << height + 30
      << "\">\n"
      << "<style>polygon{stroke-linejoin:round;stroke-width:0.6}"
         ".p{fill:#f4f6f8;stroke:#7b8794}.s{fill:#f5a623;stroke:#8a5a00}"
         ".d{fill:#d0021b;stroke:#5c0010}text{font:14px sans-serif}</style>\n"
      << "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n";
  char point[48];
  for (const DrawnSurface& drawn : chosen) {
    const Mesh& mesh = host.model().object(drawn.object).mesh;
    out << "<polygon class=\"" << class_of(drawn.look) << "\" points=\"";
    for (std::uint32_t k = mesh.loop_offsets[drawn.surface];
         k < mesh.loop_offsets[drawn.surface + 1]; ++k) {
      const Vec3& p = mesh.vertices[mesh.loop_vertices[k]];
      std::snprintf(point, sizeof point, "%s%.1f,%.1f",
                    k == mesh.loop_offsets[drawn.surface] ? "" : " ",
                    20 + (view.x(p) - frame.min_x) * frame.scale,
                    20 + (view.y(p) - frame.min_y) * frame.scale);
      out << point;
    }
    out << "\"/>\n";
  }
  // Seeds are marked on top as well, so that one facing away still shows where it is.
  for (const DrawnSurface& drawn : chosen) {
    if (drawn.look != Look::kSeed) continue;
    const Mesh& mesh = host.model().object(drawn.object).mesh;
    const std::uint32_t begin = mesh.loop_offsets[drawn.surface];
    const std::uint32_t end = mesh.loop_offsets[drawn.surface + 1];
    double x = 0;
    double y = 0;
    for (std::uint32_t k = begin; k < end; ++k) {
      x += view.x(mesh.vertices[mesh.loop_vertices[k]]);
      y += view.y(mesh.vertices[mesh.loop_vertices[k]]);
    }
    std::snprintf(point, sizeof point, "%.1f\" cy=\"%.1f",
                  20 + (x / (end - begin) - frame.min_x) * frame.scale,
                  20 + (y / (end - begin) - frame.min_y) * frame.scale);
    out << "<circle class=\"d\" r=\"5\" stroke=\"white\" cx=\"" << point << "\"/>\n";
  }
  out << "<text x=\"20\" y=\"" << height + 20 << "\">" << caption << "</text>\n</svg>\n";
  out.close();
  if (!out)
    return excerpt(path, kLongestName) + ": cannot write the picture: " + std::strerror(errno);
  return "";
}

}  // namespace standin
