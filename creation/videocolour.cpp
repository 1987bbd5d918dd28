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

VideoColour::Rows VideoColour::rgbToYuv() const
{
    // The luma weights of red and blue as libswscale has them: its table holds the factors of
    // V in red and of U in blue, 2 (1 - K) x 255 / 224, in units of 1 / 65536.
    const int *table = sws_getCoefficients(scalerMatrix());
    const double kr = 1.0 - table[0] / 65536.0 * 224.0 / 255.0 / 2.0;
    const double kb = 1.0 - table[1] / 65536.0 * 224.0 / 255.0 / 2.0;
    const double kg = 1.0 - kr - kb;
    const double u = 224.0 / (2.0 * (1.0 - kb));
    const double v = 224.0 / (2.0 * (1.0 - kr));
    return Rows {{float(219.0 * kr), float(219.0 * kg), float(219.0 * kb), 16.0f},
                 {float(-u * kr), float(-u * kg), float(u * (1.0 - kb)), 128.0f},
                 {float(v * (1.0 - kr)), float(-v * kg), float(-v * kb), 128.0f}};
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
