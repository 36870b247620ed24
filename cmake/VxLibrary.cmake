# One static library per folder, made of every source in it (subfolders that are
# libraries of their own are excluded by the caller with EXCLUDE).
#   vx_folder_library(<target> [EXCLUDE <dir>...] [MAIN <file>...] [PUBLIC <libs>...] [PRIVATE <libs>...])
function(vx_folder_library target)
  cmake_parse_arguments(ARG "" "" "EXCLUDE;MAIN;PUBLIC;PRIVATE" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  foreach(dir IN LISTS ARG_EXCLUDE)
    list(FILTER sources EXCLUDE REGEX "^${CMAKE_CURRENT_SOURCE_DIR}/${dir}/")
  endforeach()
  foreach(main IN LISTS ARG_MAIN)
    list(REMOVE_ITEM sources ${CMAKE_CURRENT_SOURCE_DIR}/${main})
  endforeach()
  set(compiled ${sources})
  list(FILTER compiled INCLUDE REGEX "\\.cpp$")
  if(NOT compiled)
    # A folder that holds no code yet, or headers only.
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${CMAKE_SOURCE_DIR})
    target_link_libraries(${target} INTERFACE ${ARG_PUBLIC})
    return()
  endif()
  add_library(${target} STATIC ${sources})
  # Headers are included by their path from the repository root: "foundation/DString.h".
  target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(${target} PUBLIC ${ARG_PUBLIC} PRIVATE ${ARG_PRIVATE})
endfunction()

# A GoogleTest executable made of every test source in one folder of tests/, or with
# RECURSE in its subfolders too (those named in EXCLUDE are executables of their own).
#   vx_test(<name> DIR <folder> [QT] [RECURSE] [EXCLUDE <dir>...] [LIBS <libs>...])
#   QT: a QApplication on the offscreen platform
function(vx_test name)
  cmake_parse_arguments(ARG "QT;RECURSE" "DIR" "LIBS;EXCLUDE" ${ARGN})
  set(folder ${CMAKE_CURRENT_SOURCE_DIR}/${ARG_DIR})
  if(ARG_RECURSE)
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${folder}/*.cpp)
  else()
    file(GLOB sources CONFIGURE_DEPENDS ${folder}/*.cpp)
  endif()
  foreach(dir IN LISTS ARG_EXCLUDE)
    list(FILTER sources EXCLUDE REGEX "^${folder}/${dir}/")
  endforeach()
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  if(ARG_QT)
    target_link_libraries(${name} PRIVATE vx_test_qt_main ${ARG_LIBS})
  else()
    target_link_libraries(${name} PRIVATE vx_test_main ${ARG_LIBS})
  endif()
  target_link_libraries(${name} PRIVATE vx_sanitizer_options)
  # The test environment is set by the test main itself (tests/support), so a test
  # binary run by hand behaves as under ctest.
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
endfunction()
