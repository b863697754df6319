# Tests of the real Windows executable: checks of the PE file itself, and
# end-to-end runs under Wine with a stand-in Explorer that records what it
# was asked to open.

enable_testing()

foreach(helper explorer_standin start_exact volatile_key)
  add_executable(${helper} tests/${helper}.cpp)
  target_include_directories(${helper} PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_options(${helper} PRIVATE ${WINDOWS_LINK_OPTIONS})
endforeach()

add_test(NAME pe_file
  COMMAND ${PYTHON3} ${PROJECT_SOURCE_DIR}/tests/pe_file_test.py
          $<TARGET_FILE:smbopener> ${PROJECT_SOURCE_DIR}/app/icon/make_icon.py
          ${PROJECT_SOURCE_DIR}/app/icon/smbopener.ico ${PROJECT_VERSION}
          $<TARGET_FILE:register> $<TARGET_FILE:unregister>)

add_test(NAME wine_end_to_end
  COMMAND ${PYTHON3} ${PROJECT_SOURCE_DIR}/tests/wine_e2e_test.py
          $<TARGET_FILE:smbopener> $<TARGET_FILE:explorer_standin>
          $<TARGET_FILE:start_exact>)

add_test(NAME packaging
  COMMAND ${PYTHON3} ${PROJECT_SOURCE_DIR}/tests/packaging_test.py
          ${PROJECT_BINARY_DIR} ${PROJECT_SOURCE_DIR} ${PROJECT_VERSION})
