# The start-up to the first paint: the Google benchmark (in-process, a fork
# per run) and, for whole-process timing, the program and a bare Qt window
# that each end at their first paint (not Google benchmarks, so `make bench`
# runs only the first).
ryv_add_bench(bench_startup
  LIBS ryv_ui Qt6::Widgets
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/startup_bench.cpp
)

add_executable(ryv_startup_probe ${CMAKE_CURRENT_LIST_DIR}/startupprobe.cpp)
target_include_directories(ryv_startup_probe PRIVATE ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(ryv_startup_probe PRIVATE ryv_ui)

add_executable(ryv_bare_window ${CMAKE_CURRENT_LIST_DIR}/barewindow.cpp)
target_include_directories(ryv_bare_window PRIVATE ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(ryv_bare_window PRIVATE Qt6::Widgets)

# The shipped languages beside the benchmarks' programs, where the window
# program looks for them: the start-up loads its language as a user's does
# (and without them it would stop at its "language not found" box).
add_custom_target(ryv_bench_lang_files ALL
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${PROJECT_SOURCE_DIR}/Langs ${CMAKE_CURRENT_BINARY_DIR}/Langs
  VERBATIM)
add_dependencies(bench_startup ryv_bench_lang_files)
add_dependencies(ryv_startup_probe ryv_bench_lang_files)
