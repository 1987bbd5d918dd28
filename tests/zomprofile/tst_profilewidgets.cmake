# SPDX-License-Identifier: GPL-3.0-or-later
vellumix_test(tst_profilewidgets LABELS gui LIBS zomprofile)
