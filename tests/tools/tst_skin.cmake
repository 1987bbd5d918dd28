# SPDX-License-Identifier: GPL-3.0-or-later
vellumix_test(tst_skin LABELS gui HEADLESS LIBS zofc)
add_dependencies(tst_skin vellumix_skin)
