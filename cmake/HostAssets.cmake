# The generators under tools/ are native programs. They are built for the build machine in a
# separate CMake tree (ExternalProject, without our cross toolchain) and run before windres
# embeds their output: artgen paints every picture (pictures.rc), soundgen makes every sound
# (sounds.rc), icongen paints the program icons (icons.rc for the saver; setup takes its own).
set(QB_ASSET_DIR ${CMAKE_BINARY_DIR}/assets)
set(QB_ASSET_STAMP ${QB_ASSET_DIR}/assets.stamp)
file(MAKE_DIRECTORY ${QB_ASSET_DIR})

set(QB_GENERATORS "")
if(QB_HOST_TOOLS)
  foreach(tool artgen soundgen icongen)
    if(EXISTS ${CMAKE_SOURCE_DIR}/tools/${tool}/CMakeLists.txt)
      list(APPEND QB_GENERATORS ${tool})
    endif()
  endforeach()
endif()

# A generator that is absent still leaves an (empty) resource fragment behind.
foreach(fragment pictures.rc sounds.rc icons.rc)
  if(NOT EXISTS ${QB_ASSET_DIR}/${fragment})
    file(WRITE ${QB_ASSET_DIR}/${fragment} "")
  endif()
endforeach()

if(QB_GENERATORS)
  include(ExternalProject)
  set(QB_HOST_BUILD ${CMAKE_BINARY_DIR}/host-tools)
  set(QB_TOOL_BINARIES "")
  set(QB_TOOL_COMMANDS "")
  foreach(tool ${QB_GENERATORS})
    list(APPEND QB_TOOL_BINARIES ${QB_HOST_BUILD}/${tool}/${tool})
    list(APPEND QB_TOOL_COMMANDS COMMAND ${QB_HOST_BUILD}/${tool}/${tool} ${QB_ASSET_DIR})
  endforeach()
  ExternalProject_Add(host_tools
    SOURCE_DIR ${CMAKE_SOURCE_DIR}/tools
    BINARY_DIR ${QB_HOST_BUILD}
    CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release -DCMAKE_C_COMPILER=gcc -DCMAKE_CXX_COMPILER=g++
    INSTALL_COMMAND ""
    BUILD_ALWAYS ON
    BUILD_BYPRODUCTS ${QB_TOOL_BINARIES})

  file(GLOB_RECURSE QB_TOOL_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/*.cpp ${CMAKE_SOURCE_DIR}/tools/*.h)
  add_custom_command(
    OUTPUT ${QB_ASSET_STAMP}
    ${QB_TOOL_COMMANDS}
    COMMAND ${CMAKE_COMMAND} -E touch ${QB_ASSET_STAMP}
    DEPENDS host_tools ${QB_TOOL_BINARIES} ${QB_TOOL_SOURCES}
    COMMENT "Painting pictures and making sounds"
    VERBATIM)
  add_custom_target(assets DEPENDS ${QB_ASSET_STAMP})
else()
  file(TOUCH ${QB_ASSET_STAMP})
  add_custom_target(assets)
endif()
