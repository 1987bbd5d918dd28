# SPDX-License-Identifier: GPL-3.0-or-later
vellumix_test(tst_photosettings LABELS unit LIBS storyboard HEADLESS)
