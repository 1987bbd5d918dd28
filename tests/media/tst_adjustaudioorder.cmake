# SPDX-License-Identifier: GPL-3.0-or-later
vellumix_test(tst_adjustaudioorder LABELS gui media AUDIO LIBS media)
add_dependencies(tst_adjustaudioorder vellumix_skin)
