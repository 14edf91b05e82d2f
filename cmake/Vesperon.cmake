# Shared build settings: warnings as errors for our own code, optional sanitizers.

add_library(vesperon_options INTERFACE)
target_compile_options(vesperon_options INTERFACE -Wall -Wextra -Werror)
if(VESPERON_SANITIZE)
  # g++ leaves float-cast-overflow out of "undefined": a NaN or out-of-range double converted
  # to an integer would otherwise go unnoticed.
  target_compile_options(vesperon_options INTERFACE
    -fsanitize=address,undefined,float-cast-overflow -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(vesperon_options INTERFACE -fsanitize=address,undefined,float-cast-overflow)
endif()

# vesperon_add_library(<name> SOURCES ... LIBS ...): static library of one subsystem folder.
function(vesperon_add_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_LIBS} PRIVATE vesperon_options)
endfunction()

# vesperon_add_test(<name> SOURCES ... LIBS ... [GUI]): one GoogleTest program, each case a CTest test.
function(vesperon_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;PROPERTIES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} vesperon_test_support vesperon_options)
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8" TIMEOUT 120 ${ARG_PROPERTIES})
endfunction()
