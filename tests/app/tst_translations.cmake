# SPDX-License-Identifier: GPL-3.0-or-later
vellumix_test(tst_translations LABELS gui i18n LIBS app)
