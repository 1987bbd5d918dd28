# SPDX-License-Identifier: GPL-3.0-or-later
vellumix_test(tst_zomprofile LABELS unit LIBS zomprofile HEADLESS)
