// SPDX-License-Identifier: GPL-3.0-or-later
#include "creation/videocolour.h"

extern "C" {
#include <libswscale/swscale.h>
}

int VideoColour::scalerMatrix() const
{
    // BT.601's 525- and 625-line matrices are the same; only the primaries differ.
    return standard == Standard::Bt709 ? SWS_CS_ITU709 : SWS_CS_ITU601;
}

QString VideoColour::matrixName() const
{
    switch (standard) {
    case Standard::Bt709:
        return QStringLiteral("bt709");
    case Standard::Bt601Pal:
        return QStringLiteral("bt470bg");
    case Standard::Bt601Ntsc:
        break;
    }
    return QStringLiteral("smpte170m");
}

QString VideoColour::primariesName() const
{
    return matrixName();
}

QString VideoColour::transferName() const
{
    // Standard definition uses the same camera curve as HD; "bt470bg" would name the old
    // gamma 2.8 display curve, which players would then undo.
    return standard == Standard::Bt709 ? QStringLiteral("bt709") : QStringLiteral("smpte170m");
}

QString VideoColour::encoderOptions() const
{
    return QStringLiteral(" -colorspace %1 -color_primaries %2 -color_trc %3 -color_range %4")
        .arg(matrixName(), primariesName(), transferName(), rangeName());
}

VideoColour videoColourFor(int width, int height)
{
    VideoColour colour;
    if (height >= 720 || width >= 1280)
        colour.standard = VideoColour::Standard::Bt709;
    else if (height == 576 || height == 288 || height == 144)
        colour.standard = VideoColour::Standard::Bt601Pal;
    else
        colour.standard = VideoColour::Standard::Bt601Ntsc;
    return colour;
}
