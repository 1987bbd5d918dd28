vellumix_test(tst_importprogress LABELS gui media LIBS media)
