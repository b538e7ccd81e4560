ryv_add_bench(bench_reports
  LIBS ryv_reports
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/reports_bench.cpp
)
