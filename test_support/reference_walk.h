// The walk the command must make, made again with none of its code: for checking its answer on
// any model, consistent or not, against the lists exactly as the modeller hands them over.
#ifndef TEST_SUPPORT_REFERENCE_WALK_H
#define TEST_SUPPORT_REFERENCE_WALK_H

#include <cstddef>
#include <vector>

#include "host/vexo_host_api.h"

namespace reference {

struct Walk {
  std::vector<Surface> reached;  // the surfaces the command must select, in handle order
  std::size_t appends = 0;       // the surfaces it must append to its queue (list_add_item calls)
};

// The seeds as the modeller hands them to the command (vx_selection_get_whole_surfaces_all), in
// its order; the list is given back. Ask before the command runs: it changes the selection.
std::vector<Surface> seeds_handed_over();

// A first-in, first-out walk over sets from the seeds. The table is every non-null surface that
// the seeds' objects (object_of_surface) list. The seeds the table holds stand in the queue from
// the start. Each queued surface that is in the table and not reached yet is reached, and every
// user of each of its edges (vx_edgelist_get_by_surface, in the modeller's order) that is in the
// table and has never stood in the queue is appended: each surface at most once, and no seed.
// Null users and surfaces outside the table are passed over. The edge lists are asked for afresh
// and given back, so the host must be active.
//
// A modeller that refuses one append leaves that surface out of the queue: the walk goes on as if
// the surface had not been met, and appends it when another of its edges brings it up again.
//
// Input:   seeds           the surfaces vx_selection_get_whole_surfaces_all handed the command,
//                          in order
//          refused_append  which append (counted from 0) the modeller refuses; negative: none
// Returns: what was reached, and how many appends the walk asked for (the refused one too)
Walk walk_as_the_command_must(const std::vector<Surface>& seeds, int refused_append = -1);

}  // namespace reference

#endif  // TEST_SUPPORT_REFERENCE_WALK_H
