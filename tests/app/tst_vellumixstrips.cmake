vellumix_test(tst_vellumixstrips LABELS gui e2e LIBS app AUDIO)
