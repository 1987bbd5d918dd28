vellumix_test(tst_singleapplication LABELS unit e2e LIBS zofc)
