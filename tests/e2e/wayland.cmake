# SPDX-License-Identifier: MIT
# The program on a headless Wayland compositor, driven as a user drives it: weston with its
# headless backend, the tavo-weston-input module that gives it a keyboard and a pointer the
# test controls, and AT-SPI to find the windows and read the boxes. Labelled "e2e".
find_package(PkgConfig REQUIRED)
pkg_check_modules(TAVO_WESTON REQUIRED IMPORTED_TARGET libweston-10 libweston-desktop-10 wayland-server)
enable_language(C)

add_library(tavo-weston-input MODULE ${CMAKE_CURRENT_LIST_DIR}/weston_input.c)
set_target_properties(tavo-weston-input PROPERTIES PREFIX "" C_STANDARD 11 C_EXTENSIONS ON)
target_compile_options(tavo-weston-input PRIVATE -Wall -Wextra)
target_link_libraries(tavo-weston-input PRIVATE PkgConfig::TAVO_WESTON)

# Debian's Python: pyatspi belongs to it.
add_test(NAME e2e.wayland
    COMMAND /usr/bin/python3 ${CMAKE_CURRENT_LIST_DIR}/wayland_test.py
            $<TARGET_FILE:tavometr> $<TARGET_FILE:tavo-weston-input>)
set_tests_properties(e2e.wayland PROPERTIES LABELS e2e TIMEOUT 120)
