vellumix_test(tst_vellumixediting LABELS gui e2e LIBS app AUDIO)
