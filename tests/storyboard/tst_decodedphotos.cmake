# SPDX-License-Identifier: GPL-3.0-or-later
vellumix_test(tst_decodedphotos LABELS unit HEADLESS LIBS storyboard Qt6::Gui)
