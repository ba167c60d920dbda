# Test programs run under Wine through a wrapper that gives each run a prefix
# of its own, copied from one template made per build folder.
set(KAVADESK_WINE_TEMPLATE "${CMAKE_BINARY_DIR}/wine/template")
set(KAVADESK_TEST_RUNS "${CMAKE_BINARY_DIR}/wine/runs")
set(KAVADESK_FIXTURE_SERVER "${CMAKE_SOURCE_DIR}/tests/fixture/fixture_server.py")
set(KAVADESK_WINE_RUN "${CMAKE_BINARY_DIR}/harness/wine-run")

configure_file("${CMAKE_SOURCE_DIR}/tests/harness/wine-run.in" "${KAVADESK_WINE_RUN}"
  @ONLY FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR "${KAVADESK_WINE_RUN}")

add_custom_command(
  OUTPUT "${KAVADESK_WINE_TEMPLATE}/.kavadesk-template"
  COMMAND "${CMAKE_SOURCE_DIR}/tests/harness/make-template.sh" "${KAVADESK_WINE_TEMPLATE}"
  DEPENDS "${CMAKE_SOURCE_DIR}/tests/harness/make-template.sh"
  COMMENT "Making the Wine prefix template"
  VERBATIM)
add_custom_target(wine_template ALL DEPENDS "${KAVADESK_WINE_TEMPLATE}/.kavadesk-template")
