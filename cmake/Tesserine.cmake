# Each source folder is one static library made of the .cpp files it and its sub-folders hold. LIBS are what
# its headers need as well; PRIVATE what only its sources use, kept from the layers above.
function(tesserine_library name)
  cmake_parse_arguments(ARG "" "" "LIBS;PRIVATE;EXCLUDE" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  foreach(excluded ${ARG_EXCLUDE})
    list(REMOVE_ITEM sources ${CMAKE_CURRENT_SOURCE_DIR}/${excluded})
  endforeach()
  set(cpp_sources ${sources})
  list(FILTER cpp_sources INCLUDE REGEX "\\.cpp$")
  if(cpp_sources)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${ARG_LIBS} PRIVATE ${ARG_PRIVATE})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE ${ARG_LIBS})
  endif()
endfunction()

# Tests of one folder: *_test.cpp files build one executable that needs no display;
# *_xtest.cpp files build another that carries the "display" label and runs on the private
# Xvfb of the "xvfb" fixture (tests/support/CMakeLists.txt), whatever $DISPLAY says, one at
# a time: they read and set the one root window and its monitors.
# PREFIX picks the files whose names start with it, so one folder can hold several
# executables with different libraries.
function(tesserine_tests name)
  cmake_parse_arguments(ARG "" "PREFIX" "LIBS" ${ARGN})
  foreach(kind test xtest)
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${ARG_PREFIX}*_${kind}.cpp)
    if(NOT sources)
      continue()
    endif()
    set(exe ${name}_${kind}s)
    add_executable(${exe} ${sources})
    target_link_libraries(${exe} PRIVATE tesserine_test_support ${ARG_LIBS} GTest::gtest GTest::gmock)
    target_compile_definitions(${exe} PRIVATE
      TESSERINE_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data"
      TESSERINE_BINARY_DIR="${PROJECT_BINARY_DIR}")
    if(kind STREQUAL "xtest")
      gtest_discover_tests(${exe} DISCOVERY_TIMEOUT 60 PROPERTIES LABELS display FIXTURES_REQUIRED xvfb RESOURCE_LOCK xvfb
        ENVIRONMENT "TESSERINE_TEST_DISPLAY_FILE=${PROJECT_BINARY_DIR}/xvfb/display")
    else()
      gtest_discover_tests(${exe} DISCOVERY_TIMEOUT 60 PROPERTIES LABELS unit
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
    endif()
  endforeach()
endfunction()
