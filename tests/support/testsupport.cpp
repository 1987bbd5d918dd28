#include "testsupport.h"

#include "zopref.h"

TempSettings::TempSettings()
{
    ZoPref::setFileName(file());
}

TempSettings::~TempSettings()
{
    ZoPref::setFileName(QString());
}

QString testAppDir()
{
    return ZoPref::appDir();
}
