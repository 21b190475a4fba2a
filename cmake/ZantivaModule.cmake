# The .cpp files of the current folder. A file added or removed changes the folder's time, and
# the folder is a dependency of the build files, so CMake runs again only then; a glob checked
# on every build (CONFIGURE_DEPENDS) would leave a built tree never without work.
function(zantiva_folder_sources out)
  file(GLOB sources ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR})
  set(${out} ${sources} PARENT_SCOPE)
endfunction()

# Every folder of a library is its own static library whose sources are the folder's
# .cpp files, so a new file needs no edit here. A folder of headers alone is a library too,
# one that only names its include folder and what it links.
function(zantiva_module name)
  cmake_parse_arguments(ARG "" "" "LINKS" ${ARGN})
  zantiva_folder_sources(sources)
  if(sources)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/..)
    target_link_libraries(${name} PUBLIC ${ARG_LINKS})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${CMAKE_CURRENT_SOURCE_DIR}/..)
    target_link_libraries(${name} INTERFACE ${ARG_LINKS})
  endif()
endfunction()

# A helper program of ours: built beside the main program, where the program looks for it,
# and installed with it. Without Qt's meta-object compiler unless AUTOMOC is given.
function(zantiva_helper_program name)
  cmake_parse_arguments(ARG "AUTOMOC" "" "SOURCES;LINKS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/..)
  target_link_libraries(${name} PRIVATE ${ARG_LINKS})
  set_target_properties(${name} PROPERTIES AUTOMOC ${ARG_AUTOMOC}
    RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/ZantivaDiagnostics)
  install(TARGETS ${name} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endfunction()
include(GNUInstallDirs) # at the top scope, so that the folder variables reach every caller

# One test program per folder under tests/, from the folder's .cpp files. PROPERTIES go to each
# of its tests (RESOURCE_LOCK sound-server for those that play on the one sound server).
function(zantiva_test name)
  cmake_parse_arguments(ARG "" "" "LINKS;PROPERTIES" ${ARGN})
  zantiva_folder_sources(sources)
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARG_LINKS} GTest::gmock GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE
    ZANTIVA_FIXTURES="${PROJECT_SOURCE_DIR}/tests/fixtures"
    ZANTIVA_TOOL_GUARD="$<TARGET_FILE:zantiva-tool-guard>"
    ZANTIVA_WEB_REQUEST="$<TARGET_FILE:zantiva-web-request>"
    ZANTIVA_WEB_REQUEST_LOOPBACK="$<TARGET_FILE:zantiva-web-request-loopback>")
  # Tests that run outside tools run them under the guard, and calls to the websites go through
  # the request program (the loopback site's through its test build); neither is beside a test program.
  add_dependencies(${name} zantiva-tool-guard zantiva-web-request zantiva-web-request-loopback)
  # A suite named …ChildProcess is the half of a test that the test starts in a process of its
  # own, and a …WithoutSoundServer test runs in its program's own entry with no sound server:
  # neither is discovered, so a skip in ctest means only that this machine lacks something.
  if(ARG_PROPERTIES)
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 TEST_FILTER "-*ChildProcess.*:*WithoutSoundServer*" PROPERTIES ${ARG_PROPERTIES})
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 TEST_FILTER "-*ChildProcess.*:*WithoutSoundServer*")
  endif()
endfunction()
