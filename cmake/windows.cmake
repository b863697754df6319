# The Windows executable: GUI subsystem, statically linked against the
# compiler's runtime so that it needs only DLLs every Windows has, with its
# icon, manifest and version information.

enable_language(RC)

set(WINDOWS_LINK_OPTIONS
  -static -s
  -Wl,--gc-sections
  -Wl,--no-insert-timestamp)
add_compile_options(-ffunction-sections -fdata-sections
  "-ffile-prefix-map=${PROJECT_SOURCE_DIR}=.")

configure_file(app/smbopener.rc.in smbopener.rc @ONLY)
configure_file(app/smbopener.manifest.in smbopener.manifest @ONLY)
set_property(SOURCE ${PROJECT_BINARY_DIR}/smbopener.rc APPEND PROPERTY
  OBJECT_DEPENDS ${PROJECT_SOURCE_DIR}/app/icon/smbopener.ico
                 ${PROJECT_BINARY_DIR}/smbopener.manifest)

add_executable(smbopener WIN32
  app/win_main.cpp
  link/windows_shell.cpp
  ${PROJECT_BINARY_DIR}/smbopener.rc)
target_link_libraries(smbopener PRIVATE smblink command_line shell32)
target_link_options(smbopener PRIVATE ${WINDOWS_LINK_OPTIONS})

include(packaging/packaging.cmake)
include(tests/windows_tests.cmake)
include(bench/bench.cmake)
