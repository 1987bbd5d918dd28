// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "zomprofile/zoprofilemanager.h"

#include <optional>

class ZoProfileModel;

// Reading profile template files, and making a stored profile choice valid again.
//
// A template is a text file "<identifier>.profile" of three sections: [template] holds tags
// ("group", "type", "order", "icon", "ext_format", ...), [values] the profile's values and
// [choices] the values offered per key, separated by "|". Lines read "key = value"; blank lines
// and lines starting with "#" are ignored. [values] must name "/ext_name".
class ZoProfileFileHandler
{
public:
    static std::optional<ZoProfileTemplate> readTemplate(const QString &path,
                                                         QString *error = nullptr);

    // Makes url the url of a known profile and group a group that shows it: an unknown url
    // falls back to defaultId, then to the first profile; a group of the model that does not
    // hold the profile becomes the profile's own group. False when there are no profiles.
    static bool normalizeProfileUrlAndGroup(const ZoProfileModel *model, QString &url,
                                            QString &group, const QString &defaultId);
};
