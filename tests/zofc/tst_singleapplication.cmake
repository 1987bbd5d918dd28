# SPDX-License-Identifier: GPL-3.0-or-later
vellumix_test(tst_singleapplication LABELS unit e2e LIBS zofc)
