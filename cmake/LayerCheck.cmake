# The layering rule, checked when the build is configured: a library may link, and take include
# roots from, only the libraries of its own folder and of the folders its layer may use. A
# library that reaches past that stops the configuration with one line per breach.
#
# The map, bottom to top (folder: the folders it may use). The framework is compiled against one
# plug-in's build-time facts (plugin/config: name, port counts), so it may read that folder. Deliverables (modules and programs)
# put the layers together and are not checked; neither are tests, benchmarks and tools.
set(VANTOREL_LAYERS
  "support:"
  "runtime:support"
  "clap-abi:"
  "patch:runtime,support"
  "toolkit:support"
  "framework:plugin/config,support"
  "plugin:framework,patch,runtime,support"
  "plugin/config:"
  "ui:toolkit,support"
  "panel:ui,plugin,framework,patch,runtime,toolkit,support"
  "hosts/clap:clap-abi,framework,ui,toolkit,support"
  "hosts/jack:framework,ui,toolkit,support"
  "hosts/lv2:framework,ui,toolkit,support")

# The layer folder that holds <path> (empty outside the layers); the deepest listed folder wins.
function(_vantorel_layer_of path out)
  set(${out} "" PARENT_SCOPE)
  foreach(entry IN LISTS VANTOREL_LAYERS)
    string(REPLACE ":" ";" parts "${entry}")
    list(GET parts 0 folder)
    string(FIND "${path}/" "${PROJECT_SOURCE_DIR}/${folder}/" at)
    if(at EQUAL 0)
      set(${out} "${folder}" PARENT_SCOPE)
    endif()
  endforeach()
endfunction()

function(_vantorel_allowed_layers folder out)
  foreach(entry IN LISTS VANTOREL_LAYERS)
    string(REPLACE ":" ";" parts "${entry}")
    list(GET parts 0 name)
    if(name STREQUAL folder)
      list(LENGTH parts n)
      set(allowed "")
      if(n GREATER 1)
        list(GET parts 1 allowed)
        string(REPLACE "," ";" allowed "${allowed}")
      endif()
      set(${out} "${folder};${allowed}" PARENT_SCOPE)
    endif()
  endforeach()
endfunction()

# Every library target defined in <dir> and below.
function(_vantorel_collect_targets dir out)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(sub IN LISTS subdirs)
    _vantorel_collect_targets(${sub} more)
    list(APPEND targets ${more})
  endforeach()
  set(${out} "${targets}" PARENT_SCOPE)
endfunction()

# The layer a link item or include entry uses: a target's folder, a generator expression's target
# ($<TARGET_PROPERTY:x,...>, $<TARGET_OBJECTS:x>), or a path's folder.
function(_vantorel_used_layer item out)
  set(${out} "" PARENT_SCOPE)
  if(item MATCHES "^\\$<TARGET_(PROPERTY|OBJECTS):([^,>]+)")
    set(item "${CMAKE_MATCH_2}")
  endif()
  if(TARGET "${item}")
    get_target_property(aliased "${item}" ALIASED_TARGET)
    if(aliased)
      set(item "${aliased}")
    endif()
    get_target_property(imported "${item}" IMPORTED)
    if(NOT imported)
      get_target_property(dir "${item}" SOURCE_DIR)
      _vantorel_layer_of("${dir}" layer)
      set(${out} "${layer}" PARENT_SCOPE)
    endif()
  elseif(IS_ABSOLUTE "${item}")
    _vantorel_layer_of("${item}" layer)
    set(${out} "${layer}" PARENT_SCOPE)
  endif()
endfunction()

function(vantorel_check_layers)
  _vantorel_collect_targets(${PROJECT_SOURCE_DIR} targets)
  set(breaches "")
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(NOT type MATCHES "STATIC_LIBRARY|OBJECT_LIBRARY|INTERFACE_LIBRARY")
      continue()
    endif()
    get_target_property(dir ${target} SOURCE_DIR)
    _vantorel_layer_of("${dir}" layer)
    if(layer STREQUAL "")
      continue()
    endif()
    _vantorel_allowed_layers("${layer}" allowed)
    set(used "")
    foreach(property LINK_LIBRARIES INTERFACE_LINK_LIBRARIES INCLUDE_DIRECTORIES
        INTERFACE_INCLUDE_DIRECTORIES)
      get_target_property(items ${target} ${property})
      if(items)
        list(APPEND used ${items})
      endif()
    endforeach()
    foreach(item IN LISTS used)
      _vantorel_used_layer("${item}" used_layer)
      if(NOT used_layer STREQUAL "" AND NOT used_layer IN_LIST allowed)
        list(APPEND breaches "${target} (${layer}) uses ${item} (${used_layer})")
      endif()
    endforeach()
  endforeach()
  if(breaches)
    list(JOIN breaches "\n  " text)
    message(FATAL_ERROR "Layering broken:\n  ${text}")
  endif()
endfunction()
