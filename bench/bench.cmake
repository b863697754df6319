# Whole-process benchmark helpers: the baseline program and the timer.
add_executable(baseline WIN32 bench/baseline.cpp)
target_link_libraries(baseline PRIVATE shell32)
add_executable(time_starts bench/time_starts.cpp)
foreach(target baseline time_starts)
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_options(${target} PRIVATE ${WINDOWS_LINK_OPTIONS})
endforeach()
