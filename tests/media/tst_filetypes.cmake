# SPDX-License-Identifier: GPL-3.0-or-later
vellumix_test(tst_filetypes LABELS gui unit LIBS media HEADLESS)
