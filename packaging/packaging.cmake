# The ways to install: an MSI for administrators (per machine), an MSI for
# users without administrator rights (per user), and a portable zip with its
# own registration programs; each signed when a certificate is given, and
# all listed with their checksums in SHA256SUMS.

# make_msi.py runs wixl; fail at configure time rather than mid-build.
find_program(WIXL wixl REQUIRED)

# Code signing: a PKCS#12 file with the certificate and its key, whose
# password is read from the environment variable SMBOPENER_SIGN_PASSWORD at
# build time (so that it is never written into the cache), and optionally an
# RFC 3161 timestamp server. Both default to the environment variables of the
# same names.
set(SMBOPENER_SIGN_PKCS12 "$ENV{SMBOPENER_SIGN_PKCS12}" CACHE FILEPATH
  "PKCS#12 file to sign the executables and MSIs with; empty: unsigned")
set(SMBOPENER_SIGN_TIMESTAMP_URL "$ENV{SMBOPENER_SIGN_TIMESTAMP_URL}" CACHE
  STRING "RFC 3161 timestamp server for the signatures; empty: none")
if(SMBOPENER_SIGN_PKCS12)
  find_program(OSSLSIGNCODE osslsigncode REQUIRED)
  set(SIGN ${PYTHON3} ${PROJECT_SOURCE_DIR}/packaging/sign.py ${OSSLSIGNCODE}
      ${SMBOPENER_SIGN_PKCS12})
  if(SMBOPENER_SIGN_TIMESTAMP_URL)
    list(APPEND SIGN --timestamp ${SMBOPENER_SIGN_TIMESTAMP_URL})
  endif()
  set(SIGNING_NOTE "signed with ${SMBOPENER_SIGN_PKCS12}")
else()
  set(SIGN "")
  set(SIGNING_NOTE
    "unsigned, as no code-signing certificate is given in SMBOPENER_SIGN_PKCS12")
endif()
message(STATUS "Packages: ${SIGNING_NOTE}")

# The executable is signed right after it is linked, so that everything
# packed from it holds the signed file.
if(SIGN)
  add_custom_command(TARGET smbopener POST_BUILD
    COMMAND ${SIGN} $<TARGET_FILE:smbopener> VERBATIM)
endif()

# register.exe and unregister.exe: small console programs of ours, from one
# source, that write and remove the per-user association with wide registry
# calls, so that the zip works from a folder of any name.
foreach(action register unregister)
  add_executable(${action} packaging/registration.cpp)
  target_compile_options(${action} PRIVATE -municode)
  target_link_options(${action} PRIVATE -municode ${WINDOWS_LINK_OPTIONS})
  target_link_libraries(${action} PRIVATE shell32)
  if(SIGN)
    add_custom_command(TARGET ${action} POST_BUILD
      COMMAND ${SIGN} $<TARGET_FILE:${action}> VERBATIM)
  endif()
endforeach()
target_compile_definitions(unregister PRIVATE UNREGISTER)

set(ICON ${PROJECT_SOURCE_DIR}/app/icon/smbopener.ico)
set(MACHINE_MSI ${PROJECT_BINARY_DIR}/smbopener-${PROJECT_VERSION}.msi)
set(USER_MSI ${PROJECT_BINARY_DIR}/smbopener-${PROJECT_VERSION}-user.msi)
set(ZIP ${PROJECT_BINARY_DIR}/smbopener-${PROJECT_VERSION}.zip)

foreach(msi ${MACHINE_MSI} ${USER_MSI})
  if(msi STREQUAL "${USER_MSI}")
    set(wxs smbopener-user.wxs)
  else()
    set(wxs smbopener.wxs)
  endif()
  set(sign_msi "")
  if(SIGN)
    set(sign_msi COMMAND ${SIGN} ${msi})
  endif()
  add_custom_command(OUTPUT ${msi}
    COMMAND ${PYTHON3} ${PROJECT_SOURCE_DIR}/packaging/make_msi.py ${wxs}
            ${msi} ${PROJECT_VERSION} $<TARGET_FILE:smbopener> ${ICON}
    ${sign_msi}
    DEPENDS smbopener ${ICON}
            ${PROJECT_SOURCE_DIR}/packaging/make_msi.py
            ${PROJECT_SOURCE_DIR}/packaging/${wxs}
            ${PROJECT_SOURCE_DIR}/packaging/product.wxi
            ${PROJECT_SOURCE_DIR}/packaging/association.wxi
    COMMENT "Building ${msi}"
    VERBATIM)
endforeach()

add_custom_command(OUTPUT ${ZIP}
  COMMAND ${PYTHON3} ${PROJECT_SOURCE_DIR}/packaging/make_zip.py ${ZIP}
          ${PROJECT_VERSION} ${PROJECT_SOURCE_DIR}/packaging/README.txt
          $<TARGET_FILE:smbopener> $<TARGET_FILE:register>
          $<TARGET_FILE:unregister>
  DEPENDS smbopener register unregister
          ${PROJECT_SOURCE_DIR}/packaging/make_zip.py
          ${PROJECT_SOURCE_DIR}/packaging/README.txt
  COMMENT "Building ${ZIP}"
  VERBATIM)

set(SHA256SUMS ${PROJECT_BINARY_DIR}/SHA256SUMS)
add_custom_command(OUTPUT ${SHA256SUMS}
  COMMAND ${PYTHON3} ${PROJECT_SOURCE_DIR}/packaging/sha256sums.py
          ${SHA256SUMS} $<TARGET_FILE:smbopener> ${MACHINE_MSI} ${USER_MSI}
          ${ZIP}
  DEPENDS smbopener ${MACHINE_MSI} ${USER_MSI} ${ZIP}
          ${PROJECT_SOURCE_DIR}/packaging/sha256sums.py
  COMMENT "Writing ${SHA256SUMS} (${SIGNING_NOTE})"
  VERBATIM)

add_custom_target(packages ALL DEPENDS ${SHA256SUMS})
