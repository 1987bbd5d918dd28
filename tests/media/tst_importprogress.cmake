vellumix_test(tst_importprogress LABELS gui media threads LIBS media)
