ryv_add_bench(bench_tracking
  LIBS ryv_tracking
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/tracking_bench.cpp
)
