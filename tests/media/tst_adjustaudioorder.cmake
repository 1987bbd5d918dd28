vellumix_test(tst_adjustaudioorder LABELS gui media AUDIO LIBS media)
add_dependencies(tst_adjustaudioorder vellumix_skin)
