ryv_add_bench(bench_reports
  LIBS ryv_reports
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/reports_bench.cpp
)

# Reports over 1 to 27 years, with the heap's peak counted by the program's
# own malloc (so in a program of its own).
ryv_add_bench(bench_report_years QT_MAIN
  LIBS ryv_reports
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/reportyears_bench.cpp
)
