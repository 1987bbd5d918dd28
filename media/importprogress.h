// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "zofc/zodialog.h"

#include <QStringList>
#include <memory>

class InfoParser;
class QTimer;

namespace Ui {
class ImportProgressClass;
}

// The modal dialog that runs while a batch of photo or audio files is read: it starts the
// reading thread, hands every record read to the list that is its parent, in batch order, shows
// the file being read and the share done, can be cancelled, and names the files it could not
// read. In photo mode the parent is a PhotoListWidget (addPhoto(record, true)); in audio mode the
// parent offers an invokable addAudio(AudioInfo). GUI thread only.
class ImportProgress : public ZoDialog
{
    Q_OBJECT

public:
    ImportProgress(bool isPhoto, QWidget *parent);
    ~ImportProgress() override;

    // Starts reading the paths (at least one); once, before exec().
    void setFiles(const QStringList &files);
    // Whether at least one record reached the list; the caller then finishes the insertion.
    bool addedAny() const { return anyAdded; }
    // The reading thread, for callers that tune it before exec(); null before setFiles().
    InfoParser *infoParser() const { return parser.get(); }

    void retranslate() override;
    // Escape and the window's close button cancel like the Cancel button.
    void reject() override;

public slots:
    void updateProgress();
    void on_Cancel_clicked();

private:
    void stopReading();
    void showFileBeingRead(int index);
    void handOver();

    std::unique_ptr<Ui::ImportProgressClass> ui;
    const bool isPhoto;
    bool anyAdded = false;
    bool complete = false;
    QStringList files;
    std::unique_ptr<InfoParser> parser;
    QTimer *timer = nullptr;
};
