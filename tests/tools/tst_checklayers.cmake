# SPDX-License-Identifier: GPL-3.0-or-later
# The layer check itself, on small trees made for the purpose: it must refuse what knots the chain.
add_test(NAME tst_checklayers COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/tst_checklayers.sh
    ${CMAKE_SOURCE_DIR}/scripts/check-layers.sh)
# The script starts a few processes per include line, which a busy machine makes several times
# slower; the limit is there for a hang.
set_tests_properties(tst_checklayers PROPERTIES LABELS unit TIMEOUT 600)
