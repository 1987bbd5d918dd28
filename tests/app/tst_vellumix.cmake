vellumix_test(tst_vellumix LABELS gui e2e LIBS app AUDIO TIMEOUT 600)
