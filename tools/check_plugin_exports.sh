#!/usr/bin/env bash
# Checks that a Linux build of the plug-in defines exactly its four entry points, leaves the
# modeller's functions undefined, to be bound to the program that loads it, and needs no C++
# runtime library.
set -euo pipefail
plugin=${1:?usage: check_plugin_exports.sh PATH/adjsurf.p}

expected_defined=$'VexoPluginAbout\nVexoPluginExit\nVexoPluginInfo\nVexoPluginInit'
defined=$(nm -D --defined-only "$plugin" | awk '{print $3}' | sort)
if [ "$defined" != "$expected_defined" ]; then
  echo "$plugin defines other symbols than the four entry points:" >&2
  echo "$defined" >&2
  exit 1
fi

host_functions=(vx_add_command vx_add_tools_menu_item nothing_is_selected windows_message_dialog
  vx_get_select_mode vx_selection_get_whole_surfaces_all object_of_surface list_add_item_unique
  vx_object_get_num_surfaces vx_object_get_surfacelist vx_object_get_edges list_append_list
  list_free vx_edgelist_get_by_surface list_add_item vx_edgelist_free list_add_item_head
  display_message add_undoable_change_selection vx_selection_select_surfacelist redraw_all
  display_status)
undefined=$(nm -D --undefined-only "$plugin" | awk '{print $2}')
for name in "${host_functions[@]}"; do
  if ! grep -qx "$name" <<<"$undefined"; then
    echo "$plugin does not import the host function $name" >&2
    exit 1
  fi
done
# The plug-in needs no C++ runtime: none may be loaded into the modeller on its account. (A
# sanitized build is the exception: the sanitizers' own runtimes ask for one.)
needed=$(readelf -d "$plugin" | awk '/NEEDED/ {print $NF}')
if ! grep -Eq '\[lib(a|ub)san' <<<"$needed" && grep -E '\[(libstdc\+\+|libgcc_s)' <<<"$needed"; then
  echo "$plugin needs a C++ runtime library" >&2
  exit 1
fi
echo "$plugin: exactly the four entry points defined; ${#host_functions[@]} host functions imported"
