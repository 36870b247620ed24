# The layering of the tool set as data, in this one place. The configure step checks the
# link closure of every library against it (vx_check_layer_links), and the include test
# (VxCheckIncludes.cmake, run by ctest) checks every include line of the sources.
#
#   vx_layer(<folder> [LIBRARY <target>] QT <None|Core|Gui|Widgets> [USES <folder>...])
#
# A layer is a source folder; a folder inside another layer's folder is a layer of its
# own. Its sources may include their own layer and the layers named in USES, nothing
# else of the tree; Qt headers only up to the QT level; its library may link Qt no
# higher than that level (Qt Core is always allowed, for the settings under platform/sys).
# Folders without a layer (tests, bench, fuzz, tools) are not checked.

set(VX_LAYERS "")
set(VX_QT_LEVELS None Core Gui Widgets)

macro(vx_layer folder)
  cmake_parse_arguments(_vx_layer "" "LIBRARY;QT" "USES" ${ARGN})
  if(NOT _vx_layer_QT IN_LIST VX_QT_LEVELS)
    message(FATAL_ERROR "vx_layer(${folder}): QT must be one of ${VX_QT_LEVELS}")
  endif()
  list(APPEND VX_LAYERS ${folder})
  set(VX_LAYER_${folder}_LIBRARY "${_vx_layer_LIBRARY}")
  set(VX_LAYER_${folder}_QT ${_vx_layer_QT})
  set(VX_LAYER_${folder}_USES ${_vx_layer_USES})
endmacro()

# Below everything: the platform layers the shared library draws and looks up fonts through.
vx_layer(platform/gfx LIBRARY vx_platform_gfx QT None)
vx_layer(platform/sys LIBRARY vx_platform_sys QT Core)
vx_layer(foundation LIBRARY vx_foundation QT None USES platform/gfx platform/sys)
# The widgets-side platform layer, for the user-interface layers only.
vx_layer(platform/ui LIBRARY vx_platform_ui QT Widgets USES foundation platform/gfx platform/sys)

# VX-Editor: the model side links no widgets; views and shell on top.
vx_layer(diagram LIBRARY vx_diagram QT None USES foundation platform/gfx platform/sys)
vx_layer(diagram/view LIBRARY vx_diagram_view QT Widgets
         USES diagram foundation platform/gfx platform/sys platform/ui)
vx_layer(editor/document LIBRARY vx_editor_document QT None USES diagram foundation platform/gfx platform/sys)
# The styles load the theme plug-ins and call them through their interface header.
vx_layer(editor/objects LIBRARY vx_editor_objects QT None
         USES editor/document diagram foundation platform/gfx platform/sys themes)
vx_layer(editor/project LIBRARY vx_editor_project QT None
         USES editor/objects editor/document diagram foundation platform/gfx platform/sys)
vx_layer(editor/views LIBRARY vx_editor_views QT Widgets
         USES editor/project editor/objects editor/document diagram/view diagram foundation
              platform/gfx platform/sys platform/ui)
vx_layer(editor/shell LIBRARY vx_editor_shell QT Widgets
         USES editor/views editor/project editor/objects editor/document diagram/view diagram foundation
              platform/gfx platform/sys platform/ui)

# The theme plug-ins: the image wrapper, the profile reader and the device context they draw on.
vx_layer(themes QT None USES foundation platform/gfx platform/sys)

# VX-Engine: the runtime core reaches the machine only through its own interfaces.
vx_layer(engine LIBRARY vx_engine QT None USES foundation)
vx_layer(engine/posix LIBRARY vx_engine_posix QT None USES engine foundation)
# The tags dialog's file reader, values and grid model are headless; its window is not.
vx_layer(engine/tagmonitor LIBRARY vx_engine_tagmonitor QT None USES engine foundation)
vx_layer(engine/tagmonitor/qt LIBRARY vx_engine_tagmonitor_qt QT Widgets
         USES engine/tagmonitor engine/posix engine foundation platform/ui)
# The window opens the tags dialog.
vx_layer(engine/qt LIBRARY vx_engine_qt QT Widgets
         USES engine/tagmonitor/qt engine/tagmonitor engine/posix engine foundation platform/ui)

# The layer a path of the tree lies in (the longest layer folder it starts with), or "".
function(vx_layer_of path out)
  set(found "")
  set(length 0)
  foreach(layer IN LISTS VX_LAYERS)
    string(LENGTH "${layer}" size)
    # Layer folders are plain words and slashes, so they stand for themselves in a pattern.
    if("${path}/" MATCHES "^${layer}/" AND size GREATER length)
      set(found ${layer})
      set(length ${size})
    endif()
  endforeach()
  set(${out} "${found}" PARENT_SCOPE)
endfunction()

# Position of a Qt level in VX_QT_LEVELS.
function(vx_qt_rank level out)
  list(FIND VX_QT_LEVELS ${level} rank)
  set(${out} ${rank} PARENT_SCOPE)
endfunction()

# Fails the configure step when a library links Qt above its layer's level, directly or
# through anything it links.
function(vx_check_layer_links)
  foreach(layer IN LISTS VX_LAYERS)
    set(library "${VX_LAYER_${layer}_LIBRARY}")
    if(NOT library OR NOT TARGET ${library})
      continue()
    endif()
    vx_qt_rank(${VX_LAYER_${layer}_QT} allowed)
    set(forbidden "")
    foreach(module Gui Widgets)
      vx_qt_rank(${module} rank)
      if(rank GREATER allowed)
        list(APPEND forbidden Qt6::${module})
      endif()
    endforeach()
    if(NOT forbidden)
      continue()
    endif()
    # Walk the link closure breadth first, remembering through what each target came in.
    set(queue ${library})
    set(seen ${library})
    string(MAKE_C_IDENTIFIER "${library}" key)
    set(via_${key} ${library})
    while(queue)
      list(POP_FRONT queue current)
      string(MAKE_C_IDENTIFIER "${current}" key)
      if(current IN_LIST forbidden)
        message(FATAL_ERROR "Layering: ${library} (${layer}) must not link ${current}, but links it: ${via_${key}}")
      endif()
      if(NOT TARGET ${current})
        continue()
      endif()
      get_target_property(aliased ${current} ALIASED_TARGET)
      set(links "")
      if(aliased)
        list(APPEND links ${aliased})
      else()
        get_target_property(type ${current} TYPE)
        if(NOT type STREQUAL "INTERFACE_LIBRARY")
          get_target_property(direct ${current} LINK_LIBRARIES)
          if(direct)
            list(APPEND links ${direct})
          endif()
        endif()
        get_target_property(interface ${current} INTERFACE_LINK_LIBRARIES)
        if(interface)
          list(APPEND links ${interface})
        endif()
      endif()
      foreach(item IN LISTS links)
        string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" item "${item}")
        if(item MATCHES "\\$<" OR item IN_LIST seen)
          continue()
        endif()
        list(APPEND seen ${item})
        list(APPEND queue ${item})
        string(MAKE_C_IDENTIFIER "${item}" next)
        set(via_${next} "${via_${key}} -> ${item}")
      endforeach()
    endwhile()
  endforeach()
endfunction()
