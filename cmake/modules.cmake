# Include roots that follow the dependency graph.
#
# No target sees the source tree as a whole. hs_public_headers(TARGET FOLDER ...) makes
# an include root of TARGET's own under the build tree that holds only links to its
# own folders (or single headers), and gives it to TARGET as a PUBLIC include
# directory. So `#include "hotspot/hotspot.h"` compiles only in a target that links
# hs_hotspot, directly or through the libraries it links: an include across an edge
# the graph does not have fails to build.
function(hs_public_headers target)
  set(root ${CMAKE_BINARY_DIR}/include/${target})
  foreach(item ${ARGN})
    get_filename_component(parent ${root}/${item} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    # A build tree copied from another checkout holds links into that checkout's
    # sources: such a link is made anew to point into this one.
    if(IS_SYMLINK ${root}/${item})
      file(READ_SYMLINK ${root}/${item} current)
      if(NOT current STREQUAL "${CMAKE_SOURCE_DIR}/${item}")
        file(REMOVE ${root}/${item})
      endif()
    endif()
    if(NOT EXISTS ${root}/${item} AND NOT IS_SYMLINK ${root}/${item})
      file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${item} ${root}/${item} SYMBOLIC)
    endif()
  endforeach()
  target_include_directories(${target} PUBLIC ${root})
endfunction()

# Tests, benchmarks and tools sit on top of everything: they see the whole tree.
function(hs_sees_everything target)
  target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR})
endfunction()
