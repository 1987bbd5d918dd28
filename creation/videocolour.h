// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The colour standard of a created video: which matrix turns the drawn RGB frames into YUV, and
// what the stream says about its colours so that every player shows them as drawn. Untagged
// video is guessed by players from its size (BT.709 from HD up, BT.601 below), so the choice
// follows the frame size, and a codec that cannot carry the tags still gets the matrix players
// assume for it.
struct VideoColour
{
    enum class Standard {
        Bt709, // HD and larger
        Bt601Pal, // 625-line standard definition (576, 288 and 144 lines)
        Bt601Ntsc, // 525-line and every other standard-definition size
    };

    Standard standard = Standard::Bt709;

    // The libswscale colour-space constant of the matrix (SWS_CS_...).
    int scalerMatrix() const;
    // The same matrix, from full-range R, G, B (0 to 1) to limited-range Y, U and V code values:
    // per row the weights of R, G and B, then the offset.
    struct Rows
    {
        float y[4];
        float u[4];
        float v[4];
    };
    Rows rgbToYuv() const;
    // The encoder's names for the stream's colour description (always limited range).
    QString matrixName() const;
    QString primariesName() const;
    QString transferName() const;
    static QString rangeName() { return QStringLiteral("tv"); }
    // " -colorspace ... -color_primaries ... -color_trc ... -color_range tv", leading blank.
    QString encoderOptions() const;
};

// The colour standard of a video of this frame size: BT.709 from 720 lines, or from 1280 columns
// for frames wider than 16:9, up; BT.601 below, with the 625-line values for the PAL family of
// heights.
VideoColour videoColourFor(int width, int height);
