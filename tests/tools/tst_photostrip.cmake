# SPDX-License-Identifier: GPL-3.0-or-later
vellumix_test(tst_photostrip LABELS gui LIBS Qt6::Gui TIMEOUT 120)
target_compile_definitions(tst_photostrip PRIVATE PHOTOSTRIP_PROGRAM="$<TARGET_FILE:photostrip>")
add_dependencies(tst_photostrip photostrip)
