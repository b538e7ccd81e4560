ryv_add_bench(bench_core
  LIBS ryv_core
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/core_bench.cpp
)
