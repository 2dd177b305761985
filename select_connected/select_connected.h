// The "Select connected surfaces" command.
#ifndef SELECT_CONNECTED_SELECT_CONNECTED_H
#define SELECT_CONNECTED_SELECT_CONNECTED_H

#include "host/vexo_host_api.h"

namespace adjsurf {

// The command handler the modeller calls when the user picks the menu item.
//
// Inputs:  the modeller's selection and select mode, read through its functions
// Effects: when something is selected, the mode is surface or vertex, and some surfaces are
//          selected as a whole: selects every surface reachable from those across shared edges
//          inside the objects that own them, as one undoable step, reports "Selected N surfaces",
//          and redraws the views and the status display. Otherwise shows why in a message dialog
//          and changes nothing. Everything it takes from the modeller it gives back before it
//          returns; nothing is kept between runs.
void VEXO_CDECL select_connected_go(void);

}  // namespace adjsurf

#endif  // SELECT_CONNECTED_SELECT_CONNECTED_H
