# quorix_add_test(<name> SOURCES <files...> [LIBS <targets...>] [GUI])
# Builds a Qt Test executable into the program folder and registers it with
# CTest. Each test gets a home folder of its own, emptied before every run, so
# the per-user data folder it writes never touches the real one and no run
# sees what an earlier one left; temporary files (and with them the keys of
# shared-memory segments) stay inside it too. Tests run offscreen, with
# simulated devices that answer at once and a library that logs its calls.
function(quorix_add_test name)
  cmake_parse_arguments(T "GUI" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE Qt5::Test ${T_LIBS})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests/support)
  add_dependencies(${name} data_tree)
  set(home ${CMAKE_BINARY_DIR}/test-home/${name})
  # The shell replaces itself with the test (exec), so CTest's time-out and
  # exit code apply to the test itself.
  add_test(NAME ${name}
    COMMAND sh -c "rm -rf \"$0\" && mkdir -p \"$0/tmp\" && mkdir -p -m 700 \"$0/runtime\" && exec \"$@\""
            ${home} $<TARGET_FILE:${name}>
    WORKING_DIRECTORY ${QUORIX_APP_DIR})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "HOME=${home};QT_QPA_PLATFORM=offscreen;QUORIX_SIM_TIMING=fast;QUORIX_SIM_RECORD=1;XDG_CONFIG_HOME=${home}/.config;TMPDIR=${home}/tmp;XDG_RUNTIME_DIR=${home}/runtime"
    TIMEOUT 300)
endfunction()

# Sources of one folder, for the libraries that collect a whole folder.
function(quorix_glob_sources out dir)
  file(GLOB files CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.h)
  set(${out} ${files} PARENT_SCOPE)
endfunction()
