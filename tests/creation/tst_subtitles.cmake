# SPDX-License-Identifier: GPL-3.0-or-later
vellumix_test(tst_subtitles LABELS unit LIBS creation HEADLESS)
