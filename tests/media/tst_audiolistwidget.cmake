vellumix_test(tst_audiolistwidget LABELS gui media AUDIO LIBS media)
add_dependencies(tst_audiolistwidget vellumix_skin)
