# The two ways to install: an MSI for administrators (per machine) and a
# zip for everyone else (per user), both built with the Windows executable.

find_program(WIXL wixl REQUIRED)
find_program(PYTHON3 python3 REQUIRED)

set(MSI ${PROJECT_BINARY_DIR}/smbopener-${PROJECT_VERSION}.msi)
set(ZIP ${PROJECT_BINARY_DIR}/smbopener-${PROJECT_VERSION}.zip)
set(MSI_STAGE ${PROJECT_BINARY_DIR}/msi-stage)
file(MAKE_DIRECTORY ${MSI_STAGE})

# wixl looks for the files it packs relative to where it runs.
add_custom_command(OUTPUT ${MSI}
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:smbopener>
          ${PROJECT_SOURCE_DIR}/app/icon/smbopener.ico ${MSI_STAGE}
  COMMAND ${WIXL} -a x86 -D Version=${PROJECT_VERSION}
          -D Exe=smbopener.exe -D Icon=smbopener.ico
          -o ${MSI} ${PROJECT_SOURCE_DIR}/packaging/smbopener.wxs
  WORKING_DIRECTORY ${MSI_STAGE}
  DEPENDS smbopener ${PROJECT_SOURCE_DIR}/packaging/smbopener.wxs
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
