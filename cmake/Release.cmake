# Writes the release copy of the installer and reports it. Run by the
# "release" target with EXE (the built installer), DIST (the output folder)
# and URL (the configured base URL, which must be empty: a release carries the
# maker's download server).
if(URL)
  message(FATAL_ERROR "this build has KAVADESK_BASE_URL=${URL} compiled in; configure a build without it for a release")
endif()
file(MAKE_DIRECTORY "${DIST}")
file(COPY_FILE "${EXE}" "${DIST}/KavadeskSetup.exe")
file(SIZE "${DIST}/KavadeskSetup.exe" size)
file(SHA256 "${DIST}/KavadeskSetup.exe" sha256)
math(EXPR kib "(${size} + 1023) / 1024")
message(STATUS "release: ${DIST}/KavadeskSetup.exe")
message(STATUS "release: ${size} bytes (${kib} KiB)")
message(STATUS "release: SHA-256 ${sha256}")
