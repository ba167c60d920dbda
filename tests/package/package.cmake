# The test package: stand-ins for the application and for the runtime and
# driver set-up programs, staged as the download server offers them and
# zipped with the host's 7-Zip.
find_program(KAVADESK_HOST_7ZZ 7zz PATHS /usr/bin REQUIRED)

set(KAVADESK_PACKAGE_SOURCE "${CMAKE_CURRENT_LIST_DIR}")
set(KAVADESK_PACKAGE_DIR "${CMAKE_BINARY_DIR}/test-package")
file(MAKE_DIRECTORY "${KAVADESK_PACKAGE_DIR}")

foreach(program standin_recorder standin_app)
  add_executable(${program} WIN32 "${KAVADESK_PACKAGE_SOURCE}/${program}.cpp"
    "${KAVADESK_PACKAGE_SOURCE}/standin_record.cpp")
  # Only the header-only handle owners are taken from the product.
  target_include_directories(${program} PRIVATE "${CMAKE_SOURCE_DIR}/src" "${KAVADESK_PACKAGE_SOURCE}")
  target_link_options(${program} PRIVATE -municode)
  set_target_properties(${program} PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/tests")
endforeach()

# The set-up programs that the engine runs from the install folder.
set(KAVADESK_PACKAGE_RECORDER_NAMES
  VC_redist.x86.exe velka_hal_setup.exe drosk_hal_setup.exe quintar_hal_setup.exe)

# Stages build/test-package/<folder>/ with the application as appName and
# zips it, from scratch each time, as build/test-package/<zipName>.
function(kavadesk_stage_test_package folder appName zipName)
  set(content "${KAVADESK_PACKAGE_DIR}/${folder}")
  set(zip "${KAVADESK_PACKAGE_DIR}/${zipName}")
  set(copies "")
  foreach(name IN LISTS KAVADESK_PACKAGE_RECORDER_NAMES)
    list(APPEND copies COMMAND "${CMAKE_COMMAND}" -E copy "$<TARGET_FILE:standin_recorder>" "${content}/${name}")
  endforeach()
  add_custom_command(
    OUTPUT "${zip}"
    COMMAND "${CMAKE_COMMAND}" -E rm -rf "${content}"
    COMMAND "${CMAKE_COMMAND}" -E rm -f "${zip}"
    COMMAND "${CMAKE_COMMAND}" -E make_directory "${content}/Data"
    COMMAND "${CMAKE_COMMAND}" -E copy "$<TARGET_FILE:standin_app>" "${content}/${appName}"
    ${copies}
    COMMAND "${CMAKE_COMMAND}" -E copy "${KAVADESK_PACKAGE_SOURCE}/readme.txt" "${content}/Data/readme.txt"
    # Entries relative to the content folder, the Data folder with its file.
    COMMAND "${CMAKE_COMMAND}" -E chdir "${content}"
      "${KAVADESK_HOST_7ZZ}" a -tzip -bd -bso0 -bsp0 -y "${zip}" ${appName} ${KAVADESK_PACKAGE_RECORDER_NAMES} Data
    WORKING_DIRECTORY "${KAVADESK_PACKAGE_DIR}"
    DEPENDS standin_app standin_recorder "${KAVADESK_PACKAGE_SOURCE}/readme.txt"
      "${KAVADESK_PACKAGE_SOURCE}/package.cmake"
    COMMENT "Zipping the test package ${zipName}"
    VERBATIM)
  set(KAVADESK_PACKAGE_ZIPS ${KAVADESK_PACKAGE_ZIPS} "${zip}" PARENT_SCOPE)
endfunction()

set(KAVADESK_PACKAGE_ZIPS "")
kavadesk_stage_test_package(content Kavadesk.exe Kavadesk.zip)
kavadesk_stage_test_package(content-alt TarvexSSDKavadesk.exe TarvexKavadesk.zip)
add_custom_target(test_package ALL DEPENDS ${KAVADESK_PACKAGE_ZIPS})
