vellumix_test(tst_batchcreate LABELS e2e TIMEOUT 900 LIBS zofc)
