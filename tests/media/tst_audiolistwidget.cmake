# SPDX-License-Identifier: GPL-3.0-or-later
vellumix_test(tst_audiolistwidget LABELS gui media AUDIO LIBS media)
add_dependencies(tst_audiolistwidget vellumix_skin)
