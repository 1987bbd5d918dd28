// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// The group names, short names and full names of the shipped profile templates are English in
// the template files; these are the ones the catalogues translate (context "ZoProfileTemplates").
QStringList profileTemplateTexts();
// A template text in the interface language; texts outside the list come back unchanged.
QString translatedProfileText(const QString &text);
