# quorix_add_test(<name> SOURCES <files...> [LIBS <targets...>] [GUI])
# Builds a Qt Test executable into the program folder and registers it with
# CTest. Each test gets a home folder of its own, so the per-user data folder
# it writes never touches the real one, and runs offscreen.
function(quorix_add_test name)
  cmake_parse_arguments(T "GUI" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE Qt5::Test ${T_LIBS})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests/support)
  add_dependencies(${name} data_tree)
  add_test(NAME ${name} COMMAND ${name} WORKING_DIRECTORY ${QUORIX_APP_DIR})
  set(home ${CMAKE_BINARY_DIR}/test-home/${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "HOME=${home};QT_QPA_PLATFORM=offscreen;XDG_CONFIG_HOME=${home}/.config"
    TIMEOUT 300)
endfunction()

# Sources of one folder, for the libraries that collect a whole folder.
function(quorix_glob_sources out dir)
  file(GLOB files CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.h)
  set(${out} ${files} PARENT_SCOPE)
endfunction()
