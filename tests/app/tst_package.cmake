# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package of this build and looks inside; only where dpkg-deb is found.
find_program(DPKG_DEB dpkg-deb)
if(DPKG_DEB)
    vellumix_test(tst_package LABELS package TIMEOUT 900 LIBS zofc)
    target_compile_definitions(tst_package PRIVATE VELLUMIX_APP_ID="${VELLUMIX_APP_ID}"
        VELLUMIX_BUILD_DIR="${CMAKE_BINARY_DIR}" VELLUMIX_CPACK="${CMAKE_CPACK_COMMAND}")
endif()
