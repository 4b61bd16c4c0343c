# Every third-party package the build uses, found in one place. A native
# build takes Debian's installed packages; a cross build cannot link the
# host's libraries, so it builds GoogleTest from Debian's sources for the
# target and uses CLI11, nlohmann-json and fmt header-only.

# scitool's library is built for the fuzz targets too; its parser only
# for scitool itself.
if(SCIEDIT_BUILD_CLI OR SCIEDIT_BUILD_FUZZ)
  set(_sci_cli_library ON)
endif()

if(NOT CMAKE_CROSSCOMPILING)
  if(_sci_cli_library)
    find_package(nlohmann_json REQUIRED)
    find_package(fmt REQUIRED)
  endif()
  if(SCIEDIT_BUILD_CLI)
    find_package(CLI11 REQUIRED)
  endif()
  if(BUILD_TESTING)
    find_package(GTest REQUIRED)
  endif()
  return()
endif()

set(SCIEDIT_HOST_INCLUDE_DIR /usr/include CACHE PATH
    "Where the host's header-only CLI11, nlohmann-json and fmt live")
set(SCIEDIT_GOOGLETEST_SOURCE_DIR /usr/src/googletest CACHE PATH
    "GoogleTest sources, built for the target (Debian package googletest)")

# Only these folders of the host's include tree may be seen: its C library
# headers would shadow the target's.
set(_sci_staged ${CMAKE_BINARY_DIR}/host-headers)
function(_sci_stage_headers folder)
  if(NOT EXISTS ${SCIEDIT_HOST_INCLUDE_DIR}/${folder})
    message(FATAL_ERROR "${SCIEDIT_HOST_INCLUDE_DIR}/${folder} is missing; run scripts/install-deps")
  endif()
  file(MAKE_DIRECTORY ${_sci_staged})
  file(CREATE_LINK ${SCIEDIT_HOST_INCLUDE_DIR}/${folder} ${_sci_staged}/${folder} SYMBOLIC)
endfunction()

if(_sci_cli_library)
  foreach(folder CLI nlohmann fmt)
    _sci_stage_headers(${folder})
  endforeach()
  add_library(sci_host_headers INTERFACE)
  target_include_directories(sci_host_headers SYSTEM INTERFACE ${_sci_staged})

  add_library(CLI11::CLI11 ALIAS sci_host_headers)
  add_library(nlohmann_json::nlohmann_json ALIAS sci_host_headers)
  add_library(sci_fmt_header_only INTERFACE)
  target_link_libraries(sci_fmt_header_only INTERFACE sci_host_headers)
  target_compile_definitions(sci_fmt_header_only INTERFACE FMT_HEADER_ONLY=1)
  add_library(fmt::fmt ALIAS sci_fmt_header_only)
endif()

if(BUILD_TESTING)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  add_subdirectory(${SCIEDIT_GOOGLETEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endif()
