# The UI driver that end-to-end tests use to drive the installer's window
# from another process, its console front end, and its own test against a
# small window program.
add_library(kavadesk_ui_driver STATIC "${CMAKE_CURRENT_LIST_DIR}/ui_driver.cpp")
# Only the header-only handle owners are taken from the product.
target_include_directories(kavadesk_ui_driver PUBLIC "${CMAKE_CURRENT_LIST_DIR}" "${CMAKE_SOURCE_DIR}/src")
target_link_libraries(kavadesk_ui_driver PUBLIC user32 kernel32)

add_executable(ui_driver "${CMAKE_CURRENT_LIST_DIR}/ui_driver_main.cpp")
target_link_libraries(ui_driver PRIVATE kavadesk_ui_driver)
target_link_options(ui_driver PRIVATE -municode)
set_target_properties(ui_driver PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/tests")

add_executable(driver_target WIN32 "${CMAKE_CURRENT_LIST_DIR}/driver_target.cpp")
target_link_libraries(driver_target PRIVATE comctl32)
target_link_options(driver_target PRIVATE -municode)
set_target_properties(driver_target PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/tests")

kavadesk_add_gtest(ui_driver_tests HARNESS "xvfb" SOURCES e2e/ui_driver_test.cpp LIBRARIES kavadesk_ui_driver)
add_dependencies(ui_driver_tests driver_target ui_driver)

# The built installer end to end, each case in its own prefix with the
# fixture server and a private display; screenshots under build/screenshots/.
kavadesk_add_gtest(e2e_tests HARNESS "xvfb,fixture" TIMEOUT 900 SOURCES
  e2e/installer_e2e_test.cpp
  e2e/screenshot.cpp
  LIBRARIES kavadesk_ui_driver gdi32
)
add_dependencies(e2e_tests KavadeskSetup test_package)
kavadesk_add_gtest(e2e_offline_tests HARNESS "xvfb,fixture,offline" TIMEOUT 600 PREFIX "offline/" SOURCES
  e2e/installer_offline_e2e_test.cpp
  e2e/screenshot.cpp
  LIBRARIES kavadesk_ui_driver gdi32
)
add_dependencies(e2e_offline_tests KavadeskSetup test_package)
