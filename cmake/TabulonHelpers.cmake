# Helpers shared by every folder's CMakeLists.txt.

# tabulon_add_library(<target> SOURCES ... [DEPS ...] [PRIVATE_DEPS ...])
# A shared library of one layer; headers are included as "platform/core/object.h".
function(tabulon_add_library target)
  cmake_parse_arguments(A "" "" "SOURCES;DEPS;PRIVATE_DEPS" ${ARGN})
  add_library(${target} SHARED ${A_SOURCES})
  string(REPLACE "tabulon_" "" _short ${target})
  add_library(Tabulon::${_short} ALIAS ${target})
  target_include_directories(${target} PUBLIC
    $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}>
    $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}/tabulon>)
  target_link_libraries(${target} PUBLIC ${A_DEPS} PRIVATE ${A_PRIVATE_DEPS})
  if(TABULON_BUILD_FUZZ)
    # Fuzz targets are guided by the coverage of the libraries they drive.
    target_compile_options(${target} PRIVATE -fsanitize=fuzzer-no-link)
  endif()
  # Installed as Tabulon::<short> too, the same name the alias gives in-tree.
  set_target_properties(${target} PROPERTIES VERSION ${PROJECT_VERSION} SOVERSION ${PROJECT_VERSION_MAJOR}
    EXPORT_NAME ${_short})
  install(TARGETS ${target} EXPORT TabulonTargets
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  file(RELATIVE_PATH _rel ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  install(DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/tabulon/${_rel}
    FILES_MATCHING PATTERN "*.h")
  set_property(GLOBAL APPEND PROPERTY TABULON_LIBRARIES ${target})
endfunction()

# tabulon_add_test(<name> SOURCES ... DEPS ...)
# One Google Test executable per source folder, registered with CTest.
function(tabulon_add_test name)
  cmake_parse_arguments(A "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  target_link_libraries(${name} PRIVATE ${A_DEPS} GTest::gtest GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "TZ=Europe/Berlin;LC_ALL=C.UTF-8")
endfunction()

# tabulon_embed(<target> BASE <dir> FILES ...)
# Embeds data files into <target> at build time. Each file is registered under
# its path relative to BASE (for example "strings/tabulon.txt") and can be read
# with tabulon::FindResource().
function(tabulon_embed target)
  cmake_parse_arguments(A "" "BASE" "FILES" ${ARGN})
  set(_out ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources.cpp)
  set(_abs)
  foreach(f IN LISTS A_FILES)
    get_filename_component(_p ${f} ABSOLUTE BASE_DIR ${A_BASE})
    list(APPEND _abs ${_p})
  endforeach()
  add_custom_command(OUTPUT ${_out}
    COMMAND ${CMAKE_COMMAND} -DOUT=${_out} -DBASE=${A_BASE} -DTAG=${target} "-DFILES=${_abs}"
            -P ${PROJECT_SOURCE_DIR}/cmake/embed.cmake
    DEPENDS ${_abs} ${PROJECT_SOURCE_DIR}/cmake/embed.cmake
    COMMENT "Embedding resources into ${target}"
    VERBATIM)
  target_sources(${target} PRIVATE ${_out})
endfunction()
