// The modeller's types and the functions a plug-in imports from it, as this plug-in uses them.
//
// The modeller owns and lays out every record declared here. The plug-in holds pointers to them,
// walks List nodes itself, reads only Edge::surfaces, and creates, extends and frees lists only
// through the functions below. Every function crossing the boundary has C linkage and is cdecl.
// On Windows the plug-in imports them from the modeller's executable; the stand-in host defines
// VEXO_HOST_IMPLEMENTATION to export them instead.
#ifndef VEXO_HOST_API_H
#define VEXO_HOST_API_H

#if defined(_WIN32)
#define VEXO_CDECL __cdecl
#if defined(VEXO_HOST_IMPLEMENTATION)
#define VEXO_HOST_API __declspec(dllexport)
#else
#define VEXO_HOST_API __declspec(dllimport)
#endif
#else
#if defined(__i386__)
#define VEXO_CDECL __attribute__((cdecl))
#else
#define VEXO_CDECL
#endif
#define VEXO_HOST_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

// Opaque, pointer-sized handles of one surface (polygon) and of one object of the model.
typedef struct VexoSurface* Surface;
typedef struct VexoModelObject* ModelObject;

// One node of the modeller's singly linked list. A null List pointer is the empty list.
typedef struct List {
  void* item;         // a Surface, ModelObject or Edge handle
  struct List* next;  // null at the end
} List;

// The modeller's record for one edge of an object. Only `surfaces` is read by the plug-in; the
// fields before it belong to the modeller, and the record may go on past it.
typedef struct Edge {
  void* host_private[3];
  List* surfaces;  // the surfaces that use this edge
} Edge;

// The select-mode codes vx_get_select_mode gives for surface mode and for vertex mode, the two
// modes in which the plug-in's command works. The modeller's other modes have other codes.
enum { VEXO_SURFACE_SELECT_MODE = 2, VEXO_VERTEX_SELECT_MODE = 3 };

// A command handler: no arguments, no result.
typedef void(VEXO_CDECL* CommandHandler)(void);

// Set-up.
VEXO_HOST_API int VEXO_CDECL vx_add_command(const char* name, CommandHandler handler);
VEXO_HOST_API int VEXO_CDECL vx_add_tools_menu_item(const char* label, const char* command,
                                                    const char* description);

// Selection and model queries.
VEXO_HOST_API int VEXO_CDECL nothing_is_selected(void);
VEXO_HOST_API int VEXO_CDECL vx_get_select_mode(void);
VEXO_HOST_API List* VEXO_CDECL vx_selection_get_whole_surfaces_all(void);
VEXO_HOST_API ModelObject VEXO_CDECL object_of_surface(Surface surface);
VEXO_HOST_API int VEXO_CDECL vx_object_get_num_surfaces(ModelObject object);
VEXO_HOST_API List* VEXO_CDECL vx_object_get_surfacelist(ModelObject object);
VEXO_HOST_API List* VEXO_CDECL vx_object_get_edges(ModelObject object);
// The edges of `edges` that `surface` uses. The plug-in relies on two things besides the answer:
// the items are the very edge records of `edges`, which stay where they are until that list is
// freed with vx_edgelist_free, so that a record's address names its edge for a whole walk (the
// walk remembers crowded edges by it); and the list returned stays readable until the next call
// of this function, whatever list functions are called meanwhile (the walk reads a surface's
// list to its end before it asks for the next surface's, and appends in between).
VEXO_HOST_API List* VEXO_CDECL vx_edgelist_get_by_surface(List* edges, Surface surface);

// Lists.
VEXO_HOST_API int VEXO_CDECL list_add_item(List** list, void* item);
VEXO_HOST_API int VEXO_CDECL list_add_item_head(List** list, void* item);
VEXO_HOST_API int VEXO_CDECL list_add_item_unique(List** list, void* item);
VEXO_HOST_API int VEXO_CDECL list_append_list(List** destination, List* source);
VEXO_HOST_API int VEXO_CDECL list_free(List** list);
VEXO_HOST_API int VEXO_CDECL vx_edgelist_free(List** edges);

// Undo, selection change and user interface.
VEXO_HOST_API int VEXO_CDECL add_undoable_change_selection(const char* label);
VEXO_HOST_API int VEXO_CDECL vx_selection_select_surfacelist(List* surfaces);
VEXO_HOST_API int VEXO_CDECL windows_message_dialog(const char* text);
VEXO_HOST_API int VEXO_CDECL display_message(const char* format, ...);
VEXO_HOST_API int VEXO_CDECL redraw_all(void);
VEXO_HOST_API int VEXO_CDECL display_status(void);

#ifdef __cplusplus
}
#endif

#endif  // VEXO_HOST_API_H
