# SPDX-License-Identifier: GPL-3.0-or-later
vellumix_test(tst_motionrecteditor LABELS gui unit LIBS controls HEADLESS)
