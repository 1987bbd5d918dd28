# SPDX-License-Identifier: GPL-3.0-or-later
vellumix_test(tst_photodescription LABELS unit HEADLESS LIBS zomexif Qt6::Gui)
