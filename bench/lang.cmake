ryv_add_bench(bench_lang
  LIBS ryv_lang_ui
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/lang_bench.cpp
)
