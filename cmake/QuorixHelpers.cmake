# quorix_add_test(<name> SOURCES <files...> [LIBS <targets...>] [GUI]
#                 [RUNS <function:row...>] [REAL_TIMING])
# Builds a Qt Test executable into the program folder and registers it with
# CTest. Each test gets a home folder of its own, emptied before every run, so
# the per-user data folder it writes never touches the real one and no run
# sees what an earlier one left; temporary files (and with them the keys of
# shared-memory segments) stay inside it too. Tests run offscreen, with
# simulated devices that answer at once and a library that logs its calls.
# With RUNS, each named data row is a test of its own (<name>-<row>, with its
# own home folder), so long rows run side by side. REAL_TIMING registers each
# once more (<test>-real-timing) with the devices' own timing: the order in
# which writes, switches and dumps reach the mouse then matters as it does
# for a user.
function(quorix_add_test name)
  cmake_parse_arguments(T "GUI;REAL_TIMING" "" "SOURCES;LIBS;RUNS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE Qt5::Test ${T_LIBS})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests/support)
  add_dependencies(${name} data_tree)
  set(timings fast)
  if(T_REAL_TIMING)
    list(APPEND timings real)
  endif()
  foreach(timing IN LISTS timings)
    set(suffix "")
    if(timing STREQUAL "real")
      set(suffix "-real-timing")
    endif()
    if(NOT T_RUNS)
      quorix_register_test(${name}${suffix} ${timing} ${name})
    endif()
    foreach(run IN LISTS T_RUNS)
      string(REGEX REPLACE "^[^:]*:" "" row "${run}")
      quorix_register_test(${name}-${row}${suffix} ${timing} ${name} "${run}")
    endforeach()
  endforeach()
endfunction()

# Registers one CTest test that runs the executable <target> with <args...>;
# <timing> is fast (devices answer at once) or real (each device's own).
function(quorix_register_test test timing target)
  set(home ${CMAKE_BINARY_DIR}/test-home/${test})
  set(timing_env "")
  if(timing STREQUAL "fast")
    set(timing_env "QUORIX_SIM_TIMING=fast;")
  endif()
  # The shell replaces itself with the test (exec), so CTest's time-out and
  # exit code apply to the test itself.
  add_test(NAME ${test}
    COMMAND sh -c "rm -rf \"$0\" && mkdir -p \"$0/tmp\" && mkdir -p -m 700 \"$0/runtime\" && exec \"$@\""
            ${home} $<TARGET_FILE:${target}> ${ARGN}
    WORKING_DIRECTORY ${QUORIX_APP_DIR})
  set_tests_properties(${test} PROPERTIES
    ENVIRONMENT "HOME=${home};QT_QPA_PLATFORM=offscreen;${timing_env}QUORIX_SIM_RECORD=1;XDG_CONFIG_HOME=${home}/.config;TMPDIR=${home}/tmp;XDG_RUNTIME_DIR=${home}/runtime"
    TIMEOUT 300)
endfunction()

# Sources of one folder, for the libraries that collect a whole folder.
function(quorix_glob_sources out dir)
  file(GLOB files CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.h)
  set(${out} ${files} PARENT_SCOPE)
endfunction()
