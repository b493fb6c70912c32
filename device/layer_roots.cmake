# The include folders of the device program's layers, derived from layers.txt: a layer's
# code sees, under their usual names ("sync/...", "base/..."), only the files of its own
# folder and of the layers on the lines above it. Each layer gets a folder of its own in the
# build tree holding links to just those files, and its targets get that folder, and no
# other of the device's, as include folder. An include of a higher or a neighbouring layer
# then fails to compile, naming the file and line, whatever its spelling. (A quoted include
# is looked up beside the including file first; check_layers.sh refuses what that would let
# through: "..", a sub-layer's folder named from its parent, an include through a macro.)
#
# Also a script, for the test of the check:
#   cmake -DDEVICE_DIR=... -DROOTS_DIR=... -P layer_roots.cmake

# Reads DEVICE_DIR/layers.txt: sets zolv_layers (every layer) and zolv_rank_<layer> (its line).
function(zolv_read_layers device_dir)
  file(STRINGS ${device_dir}/layers.txt lines)
  set(rank 0)
  set(layers "")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "#.*" "" line "${line}")
    string(STRIP "${line}" line)
    if(line STREQUAL "")
      continue()
    endif()
    math(EXPR rank "${rank} + 1")
    string(REGEX REPLACE "[ \t]+" ";" words "${line}")
    foreach(layer IN LISTS words)
      list(APPEND layers ${layer})
      set(zolv_rank_${layer} ${rank} PARENT_SCOPE)
    endforeach()
  endforeach()
  if(NOT layers)
    message(FATAL_ERROR "no layers read from ${device_dir}/layers.txt")
  endif()
  set(zolv_layers ${layers} PARENT_SCOPE)
endfunction()

# Sets `out` to the layer holding `path` (relative to the device folder): the longest listed
# folder that is the path or holds it; empty when none does.
function(zolv_layer_of path layers out)
  set(best "")
  foreach(layer IN LISTS layers)
    string(LENGTH "${layer}" length)
    string(LENGTH "${best}" best_length)
    if((path STREQUAL layer OR path MATCHES "^${layer}/") AND length GREATER best_length)
      set(best ${layer})
    endif()
  endforeach()
  set(${out} "${best}" PARENT_SCOPE)
endfunction()

# The include folder of `layer` under `roots_dir`.
function(zolv_layer_root roots_dir layer out)
  string(REPLACE "/" "-" name "${layer}")
  set(${out} ${roots_dir}/${name} PARENT_SCOPE)
endfunction()

# Makes the include folder of every layer under `roots_dir`, afresh.
function(zolv_make_layer_roots device_dir roots_dir)
  zolv_read_layers(${device_dir})
  set(watch "")
  if(NOT CMAKE_SCRIPT_MODE_FILE)
    set(watch CONFIGURE_DEPENDS)  # a file added or removed remakes the folders
  endif()
  file(GLOB_RECURSE files ${watch} LIST_DIRECTORIES false RELATIVE ${device_dir} ${device_dir}/*)
  foreach(layer IN LISTS zolv_layers)
    set(files_of_${layer} "")
  endforeach()
  foreach(file IN LISTS files)
    zolv_layer_of("${file}" "${zolv_layers}" layer)
    if(layer)
      list(APPEND files_of_${layer} ${file})
    endif()
  endforeach()
  file(REMOVE_RECURSE ${roots_dir})
  foreach(layer IN LISTS zolv_layers)
    zolv_layer_root(${roots_dir} ${layer} root)
    file(MAKE_DIRECTORY ${root})
    foreach(seen IN LISTS zolv_layers)
      if(seen STREQUAL layer OR zolv_rank_${seen} LESS zolv_rank_${layer})
        foreach(file IN LISTS files_of_${seen})
          get_filename_component(folder ${root}/${file} DIRECTORY)
          file(MAKE_DIRECTORY ${folder})
          file(CREATE_LINK ${device_dir}/${file} ${root}/${file} SYMBOLIC)
        endforeach()
      endif()
    endforeach()
  endforeach()
endfunction()

# Gives every target defined in `dir` and the folders below it its layer's include folder.
function(zolv_use_layer_roots device_dir roots_dir dir)
  file(RELATIVE_PATH relative ${device_dir} ${dir})
  zolv_layer_of("${relative}" "${zolv_layers}" layer)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "UTILITY" OR type STREQUAL "INTERFACE_LIBRARY")
      continue()
    endif()
    if(NOT layer)
      message(FATAL_ERROR "${dir} holds ${target} but is in no layer of layers.txt")
    endif()
    zolv_layer_root(${roots_dir} ${layer} root)
    target_include_directories(${target} PUBLIC ${root})
  endforeach()
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(subdir IN LISTS subdirs)
    zolv_use_layer_roots(${device_dir} ${roots_dir} ${subdir})
  endforeach()
endfunction()

if(CMAKE_SCRIPT_MODE_FILE AND DEVICE_DIR AND ROOTS_DIR)
  zolv_make_layer_roots(${DEVICE_DIR} ${ROOTS_DIR})
endif()
