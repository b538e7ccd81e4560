ryv_add_bench(bench_lang QT_WIDGETS_MAIN
  LIBS ryv_lang_ui
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/lang_bench.cpp
)

# A switch of the whole program's language: the shipped German file applied
# to the main window and an open task dialog.
ryv_add_bench(bench_program_lang QT_WIDGETS_MAIN
  LIBS ryv_ui
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/programlang_bench.cpp
)
target_include_directories(bench_program_lang PRIVATE ${PROJECT_SOURCE_DIR}/tests)
target_compile_definitions(bench_program_lang PRIVATE RYV_LANGS="${PROJECT_SOURCE_DIR}/Langs")
