# SPDX-License-Identifier: GPL-3.0-or-later
# Shared build settings and helpers for the Vellumix targets.

set(VELLUMIX_WARNINGS -Wall -Wextra)
if(VELLUMIX_SANITIZE MATCHES "address")
    set(VELLUMIX_ASAN_PRELOAD "")
    foreach(lib /usr/lib/x86_64-linux-gnu/dri/swrast_dri.so /usr/lib/x86_64-linux-gnu/libGLX_mesa.so.0)
        if(EXISTS ${lib})
            list(APPEND VELLUMIX_ASAN_PRELOAD ${lib})
        endif()
    endforeach()
    string(REPLACE ";" ":" VELLUMIX_ASAN_PRELOAD "${VELLUMIX_ASAN_PRELOAD}")
endif()
if(VELLUMIX_SANITIZE)
    add_compile_options(-fsanitize=${VELLUMIX_SANITIZE} -fno-omit-frame-pointer -g)
    add_link_options(-fsanitize=${VELLUMIX_SANITIZE})
endif()

# vellumix_subsystem(NAME [FORMS form...] [LIBS ...]): one static library from every source file
# of the calling folder. New files are picked up without editing the folder's CMakeLists. The only
# include path is the source root, so every include names its folder; LIBS are the libraries of
# the folders below this one that it uses (scripts/check-layers.sh keeps the chain one-way).
# FORMS names the designer forms of forms/ that the folder's code includes as "ui_<form>.h".
# They are compiled by rules of their own rather than by AUTOUIC, whose headers Ninja notices
# only on the build after a form changed, so that one build after an edit is always enough.
function(vellumix_subsystem name)
    cmake_parse_arguments(ARG "" "" "FORMS;LIBS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS
        ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h
        ${CMAKE_CURRENT_SOURCE_DIR}/*.qrc)
    list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
    if(NOT sources)
        # A subsystem that has no code yet still answers to its name.
        add_library(${name} INTERFACE)
        target_include_directories(${name} INTERFACE ${CMAKE_SOURCE_DIR})
        target_link_libraries(${name} INTERFACE ${ARG_LIBS})
        return()
    endif()
    if(ARG_FORMS)
        list(TRANSFORM ARG_FORMS PREPEND ${CMAKE_SOURCE_DIR}/forms/)
        list(TRANSFORM ARG_FORMS APPEND .ui)
        qt_wrap_ui(form_headers ${ARG_FORMS})
        list(APPEND sources ${form_headers})
    endif()
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
    if(ARG_FORMS)
        # The form headers are written beside the folder's build files.
        target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_BINARY_DIR})
    endif()
    target_compile_options(${name} PRIVATE ${VELLUMIX_WARNINGS})
    target_link_libraries(${name} PUBLIC ${ARG_LIBS})
endfunction()

# vellumix_test(NAME LABELS label... LIBS lib... [SOURCES extra...] [AUDIO] [HEADLESS] [TIMEOUT s])
# One Qt Test executable tests/<folder>/NAME.cpp, registered with CTest. The suite runs under
# xvfb-run; HEADLESS removes the display so the test sees a machine without one; AUDIO selects
# OpenAL Soft's null output.
function(vellumix_test name)
    cmake_parse_arguments(ARG "AUDIO;HEADLESS" "TIMEOUT" "LABELS;LIBS;SOURCES" ${ARGN})
    add_executable(${name} ${CMAKE_CURRENT_SOURCE_DIR}/${name}.cpp ${ARG_SOURCES})
    target_compile_options(${name} PRIVATE ${VELLUMIX_WARNINGS})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} testsupport Qt6::Test)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    add_test(NAME ${name} COMMAND $<TARGET_FILE:${name}>)
    set(env "VELLUMIX_APP_DIR=${VELLUMIX_APP_DIR}")
    set(envmod "")
    if(ARG_AUDIO)
        list(APPEND env "ALSOFT_DRIVERS=null")
    endif()
    if(ARG_HEADLESS)
        list(APPEND env "QT_QPA_PLATFORM=offscreen")
        list(APPEND envmod "DISPLAY=unset:" "WAYLAND_DISPLAY=unset:")
    endif()
    if(VELLUMIX_SANITIZE MATCHES "address" AND VELLUMIX_ASAN_PRELOAD)
        # Mesa's driver is loaded and unloaded with each GL context; kept loaded, its few
        # process-lifetime allocations can be told apart (scripts/lsan.supp) instead of showing
        # up as leaks from an unknown module.
        list(APPEND env "LD_PRELOAD=${VELLUMIX_ASAN_PRELOAD}")
    endif()
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 300)
    endif()
    set_tests_properties(${name} PROPERTIES LABELS "${ARG_LABELS}" ENVIRONMENT "${env}"
        ENVIRONMENT_MODIFICATION "${envmod}" TIMEOUT ${ARG_TIMEOUT})
    if("gui" IN_LIST ARG_LABELS)
        # The suite's window tests share one X server, which has no window manager: a window
        # shown by one test can take the keyboard focus from another's, whose shortcuts then
        # stop reaching it. They take the display one at a time.
        set_tests_properties(${name} PROPERTIES RESOURCE_LOCK display)
    endif()
endfunction()
add_compile_definitions(VELLUMIX_VERSION="${PROJECT_VERSION}")
