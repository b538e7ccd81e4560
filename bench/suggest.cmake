ryv_add_bench(bench_suggest QT_MAIN
  LIBS ryv_suggest PkgConfig::RYV_SUGGEST_DEPS
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/suggest_bench.cpp
)
# The benchmark starts its own X server with the test suite's script and
# fills it with the test suite's window helper.
target_include_directories(bench_suggest PRIVATE ${PROJECT_SOURCE_DIR}/tests)
if(TARGET x11windowhelper)
  add_dependencies(bench_suggest x11windowhelper)
  target_compile_definitions(bench_suggest PRIVATE
    RYV_WINDOW_HELPER="$<TARGET_FILE:x11windowhelper>")
endif()
target_compile_definitions(bench_suggest PRIVATE
  RYV_X11_SERVER_SCRIPT="${PROJECT_SOURCE_DIR}/scripts/test-x11-server.sh")
