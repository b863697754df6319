# The two ways to install: an MSI for administrators (per machine) and a
# zip for everyone else (per user), both built with the Windows executable.

# make_msi.py runs wixl; fail at configure time rather than mid-build.
find_program(WIXL wixl REQUIRED)

set(MSI ${PROJECT_BINARY_DIR}/smbopener-${PROJECT_VERSION}.msi)
set(ZIP ${PROJECT_BINARY_DIR}/smbopener-${PROJECT_VERSION}.zip)

add_custom_command(OUTPUT ${MSI}
  COMMAND ${PYTHON3} ${PROJECT_SOURCE_DIR}/packaging/make_msi.py ${MSI}
          ${PROJECT_VERSION} $<TARGET_FILE:smbopener>
          ${PROJECT_SOURCE_DIR}/app/icon/smbopener.ico
  DEPENDS smbopener
          ${PROJECT_SOURCE_DIR}/packaging/make_msi.py
          ${PROJECT_SOURCE_DIR}/packaging/smbopener.wxs
          ${PROJECT_SOURCE_DIR}/app/icon/smbopener.ico
  COMMENT "Building ${MSI}"
  VERBATIM)

add_custom_command(OUTPUT ${ZIP}
  COMMAND ${PYTHON3} ${PROJECT_SOURCE_DIR}/packaging/make_zip.py ${ZIP}
          ${PROJECT_VERSION} $<TARGET_FILE:smbopener>
          ${PROJECT_SOURCE_DIR}/packaging
  DEPENDS smbopener
          ${PROJECT_SOURCE_DIR}/packaging/make_zip.py
          ${PROJECT_SOURCE_DIR}/packaging/register.cmd
          ${PROJECT_SOURCE_DIR}/packaging/unregister.cmd
          ${PROJECT_SOURCE_DIR}/packaging/README.txt
  COMMENT "Building ${ZIP}"
  VERBATIM)

add_custom_target(packages ALL DEPENDS ${MSI} ${ZIP})
