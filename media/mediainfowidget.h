// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "zofc/zodialog.h"

#include <QString>

class QDialogButtonBox;
class QTextEdit;

// The display strings of one photo or audio clip for the properties window; the caller formats
// them. Photo mode fills fileName to maxAperture, audio mode fileName, format, size, channels,
// sampleRate and duration.
struct MediaInfo
{
    enum Mode { Audio = 0, Photo = 1, Empty = 2 };

    int mode = Empty;
    QString fileName;
    QString format;
    QString size;
    QString resolution;
    QString modified;
    QString make;
    QString model;
    QString software;
    QString compressedBitsPerPixel;
    QString exposureTime;
    QString fNumber;
    QString exposureMode;
    QString exposureBias;
    QString maxAperture;
    QString channels;
    QString sampleRate;
    QString duration;
};

// The small "Property" window with the details of the selected photo or audio clip, as a
// two-column table. Every value is shown as plain text: file names and camera data come from
// whoever made the file. GUI thread only.
class MediaInfoWidget : public ZoDialog
{
    Q_OBJECT

public:
    explicit MediaInfoWidget(QWidget *parent = nullptr);

    // Keeps only the fields of the record's mode; any other mode clears the view's content.
    void setMediaInfo(const MediaInfo &info);
    const MediaInfo &mediaInfo() const { return info; }
    // Puts the table for the stored record into the view.
    void updateView();
    QString html() const;
    QTextEdit *view() const { return textView; }

    void retranslate() override;

private:
    // Names the file shown, so that the window is told apart from the main window's.
    void updateTitle();

    MediaInfo info;
    QTextEdit *textView = nullptr;
    QDialogButtonBox *buttons = nullptr;
};
