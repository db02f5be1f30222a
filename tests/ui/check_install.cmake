# Installs the build into a fresh prefix and checks that the desktop program, its desktop entry
# and its icons land where desktops look for them. Run with -DBUILD_DIR=... -DPREFIX=...
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(expected
    bin/tallowick
    share/applications/tallowick.desktop
    share/icons/hicolor/16x16/apps/tallowick.png
    share/icons/hicolor/32x32/apps/tallowick.png
    share/icons/hicolor/48x48/apps/tallowick.png)
foreach(path IN LISTS expected)
    if(NOT EXISTS "${PREFIX}/${path}")
        message(FATAL_ERROR "not installed: ${path}")
    endif()
endforeach()

file(READ "${PREFIX}/share/applications/tallowick.desktop" entry)
foreach(line "[Desktop Entry]" "Type=Application" "Exec=tallowick" "Icon=tallowick")
    string(FIND "${entry}" "${line}\n" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "the desktop entry lacks the line ${line}")
    endif()
endforeach()
file(REMOVE_RECURSE "${PREFIX}")
