// The scene vexo-sim shows when given no model: a closed box; a plane in two pieces that share no
// edge; and a roof that sits on the box, touching it along its top face but a separate object.
#ifndef VEXO_SIM_DEMO_SCENE_H
#define VEXO_SIM_DEMO_SCENE_H

#include "modeller/host_state.h"

namespace standin {

// Adds the three objects to the host, and selects the demo's seeds: the box's bottom, the first
// quad of the plane's larger piece, and one lone vertex of the roof (no whole surface of it).
void build_demo_scene(Host& host);

}  // namespace standin

#endif  // VEXO_SIM_DEMO_SCENE_H
