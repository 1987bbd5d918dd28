// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

// A frame rate as a fraction, read the one way the whole program reads rates: the rate of the
// stream header, of the encoder's arguments and of the launcher's translation.
struct VideoRate
{
    int num = 0;
    int den = 1;

    bool isValid() const { return num > 0 && den > 0; }
    double value() const { return isValid() ? double(num) / den : 0.0; }
};

// "25", "25fps", "25 fps", "24 frames", "30000/1001", "ntsc", "12.5". A decimal that rounds an
// NTSC rate ("23.976", "23.98", "29.97", "59.94") is that rate, n * 1000 / 1001, since such
// rates are never meant otherwise. Invalid (0/1) for what is not a positive rate.
VideoRate readVideoRate(std::string_view text);
