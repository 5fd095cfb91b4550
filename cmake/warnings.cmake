# Warning flags shared by every target of the project.
function(kelvora_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
  if(KELVORA_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# Sources of one folder, picked up as they are added.
function(kelvora_sources out)
  set(all)
  foreach(dir ${ARGN})
    file(GLOB found CONFIGURE_DEPENDS ${dir}/*.cpp)
    list(APPEND all ${found})
  endforeach()
  set(${out} ${all} PARENT_SCOPE)
endfunction()

# One layer of the host as a static library. A layer whose folder has no
# sources yet still gets a target, so the ones above it link.
function(kelvora_layer name)
  cmake_parse_arguments(L "" "" "DIRS;DEPS" ${ARGN})
  kelvora_sources(srcs ${L_DIRS})
  if(NOT srcs)
    set(srcs ${CMAKE_CURRENT_BINARY_DIR}/${name}_empty.cpp)
    file(WRITE ${srcs} "// This layer has no sources yet.\n")
  endif()
  add_library(${name} STATIC ${srcs})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/host/include PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${L_DEPS})
  kelvora_warnings(${name})
endfunction()

# A unit-test executable over the sources of the given test folders.
function(kelvora_test name)
  cmake_parse_arguments(T "" "" "DIRS;LIBS" ${ARGN})
  kelvora_sources(srcs ${T_DIRS})
  if(NOT srcs)
    return()
  endif()
  add_executable(${name} ${srcs})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_compile_definitions(${name} PRIVATE
    KELVORA_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data"
    KELVORA_FIXTURES="${PROJECT_SOURCE_DIR}/../shared/acceptance/fixtures"
    KELVORA_BIN_DIR="${CMAKE_BINARY_DIR}/bin")
  kelvora_warnings(${name})
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
endfunction()
