# Not a Google benchmark (so `make bench` does not run it): the bare QtCore
# process that bench/report-vs-timewarrior.py uses as a yardstick.
add_executable(ryv_qtcore_start ${CMAKE_CURRENT_LIST_DIR}/qtcorestart.cpp)
target_link_libraries(ryv_qtcore_start PRIVATE Qt6::Core)
