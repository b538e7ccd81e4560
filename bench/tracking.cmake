ryv_add_bench(bench_tracking QT_MAIN
  LIBS ryv_tracking
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/tracking_bench.cpp
)
# The engine's object graph and the fakes of its ports are the tests'.
target_include_directories(bench_tracking PRIVATE ${PROJECT_SOURCE_DIR}/tests)
