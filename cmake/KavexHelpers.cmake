find_package(Threads REQUIRED)

# kavex_subsystem(<folder> SOURCES ... [DEPENDS <other subsystems>])
# One object library per subsystem folder; all of them go into libkavex.
function(kavex_subsystem name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  add_library(kavex_${name} OBJECT ${ARG_SOURCES})
  target_include_directories(kavex_${name} PUBLIC ${KAVEX_BUILD_INCLUDE})
  foreach(dep IN LISTS ARG_DEPENDS)
    target_link_libraries(kavex_${name} PUBLIC kavex_${dep})
  endforeach()
endfunction()

# kavex_test(<name> SOURCES ... [LABELS ...])
function(kavex_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE kavex_static GTest::gtest GTest::gtest_main kavex_testsupport)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
    PROPERTIES LABELS "${ARG_LABELS}"
    ENVIRONMENT "KAVEX_SAMPLES=${CMAKE_SOURCE_DIR}/samples")
endfunction()

# Public headers of a subsystem: every .h in its folder except private ones
# ending in _p.h.
function(kavex_public_headers out sub)
  file(GLOB headers RELATIVE ${CMAKE_SOURCE_DIR}/${sub} CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${sub}/*.h)
  list(FILTER headers EXCLUDE REGEX "_p\\.h$")
  list(SORT headers)
  set(${out} ${headers} PARENT_SCOPE)
endfunction()

# The umbrella header kavex/kavex.h includes every public header.
function(kavex_write_umbrella path)
  set(text "#pragma once\n// Umbrella header of libkavex (generated).\n#include <kavex/version.h>\n")
  foreach(sub IN LISTS ARGN)
    kavex_public_headers(headers ${sub})
    foreach(h IN LISTS headers)
      string(APPEND text "#include <kavex/${sub}/${h}>\n")
    endforeach()
  endforeach()
  file(CONFIGURE OUTPUT ${path} CONTENT "${text}")
endfunction()
