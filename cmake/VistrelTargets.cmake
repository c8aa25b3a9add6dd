# Helpers that turn a folder of sources into a target. A library whose folders hold no source yet
# is an interface target, so that everything above it still configures and links.

function(vistrel_library name)
  cmake_parse_arguments(ARG "STATIC" "" "FOLDERS;PUBLIC;PRIVATE" ${ARGN})
  set(sources)
  foreach(folder IN LISTS ARG_FOLDERS)
    file(GLOB_RECURSE found CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.cpp)
    list(APPEND sources ${found})
  endforeach()
  if(sources)
    if(ARG_STATIC)
      add_library(${name} STATIC ${sources})
    else()
      add_library(${name} SHARED ${sources})
    endif()
    target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_PUBLIC} PRIVATE ${ARG_PRIVATE})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${CMAKE_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${ARG_PUBLIC})
  endif()
endfunction()

# The application executable, once its entry point exists.
function(vistrel_application name)
  cmake_parse_arguments(ARG "" "MAIN" "LINKS" ${ARGN})
  if(EXISTS ${CMAKE_SOURCE_DIR}/${ARG_MAIN})
    add_executable(${name} ${CMAKE_SOURCE_DIR}/${ARG_MAIN})
    target_link_libraries(${name} PRIVATE ${ARG_LINKS})
  endif()
endfunction()

# Lays resources/<name>/ next to the binaries as <name>.bundle on every build.
function(vistrel_bundle name)
  add_custom_target(${name}_bundle ALL
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/resources/${name}
            ${CMAKE_BINARY_DIR}/bin/${name}.bundle
    COMMENT "Laying out ${name}.bundle")
endfunction()

# One GoogleTest executable per library, from the test folders that mirror its sources.
function(vistrel_tests library)
  cmake_parse_arguments(ARG "" "" "FOLDERS" ${ARGN})
  set(sources)
  foreach(folder IN LISTS ARG_FOLDERS)
    file(GLOB_RECURSE found CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/${folder}/*.cpp)
    list(APPEND sources ${found})
  endforeach()
  if(NOT sources)
    return()
  endif()
  set(exe test_${library})
  add_executable(${exe} ${sources})
  target_link_libraries(${exe} PRIVATE ${library} test_support GTest::gtest GTest::gmock)
  add_dependencies(${exe} Kestrane_bundle Orvalis_bundle Vistrel_bundle)
  gtest_discover_tests(${exe} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                       PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
