# SPDX-License-Identifier: GPL-3.0-or-later
vellumix_test(tst_captions LABELS gui LIBS storyboard HEADLESS)
