// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "audio/clipplayer.h"
#include "storyboard/storyboard.h"
#include "zofc/zodialog.h"

#include <QList>
#include <memory>

class QTimer;
class QTreeWidgetItem;
namespace Ui {
class AdjustAudioOrderClass;
}

// The "Edit Audio" dialog: a working copy of the show's audio clips in a table, to add, delete
// and reorder them, listen to one, and set its in- and out-point on a slider bar with start and
// end markers. It plays through a source of its own beside the preview, at 44100 Hz stereo
// whatever the output format. The caller reads editedClips() after OK. GUI thread only.
class AdjustAudioOrder : public ZoDialog
{
    Q_OBJECT

public:
    // The poll period while playing.
    static constexpr int PollMs = 5;
    // A poll that finds more finished buffers than this reports that the GUI thread lagged.
    static constexpr int LagNotice = 10;

    explicit AdjustAudioOrder(const QList<AudioInfo> &clips, QWidget *parent = nullptr);
    ~AdjustAudioOrder() override;

    QList<AudioInfo> editedClips() const { return clips; }
    // Makes a row current (the clip the user opened the dialog on); ignored when out of range.
    void setCurrentRow(int row);
    int currentRow() const { return current; }
    // Reads each file and appends the readable ones; returns the paths that could not be read.
    QStringList addFiles(const QStringList &paths);

    // The play position within the current clip, in seconds, and the playback state.
    double playPosition() const { return position; }
    bool isPlaying() const { return playing; }
    bool isSegmentMode() const { return segmentMode; }
    const ClipPlayer &clipPlayer() const { return player; }

    // A clip point or length as the dialog shows it: minutes, seconds and tenths ("3:05.4",
    // "1:02:05.4" past an hour).
    static QString pointText(double seconds);

    void retranslate() override;
    // Closing stops the sound at once.
    void done(int result) override;

private slots:
    void on_add_clicked();
    void on_delete_2_clicked();
    void on_moveUp_clicked();
    void on_moveDown_clicked();
    void on_treeWidget_currentItemChanged(QTreeWidgetItem *current, QTreeWidgetItem *previous);
    void on_play_clicked();
    void on_pause_clicked();
    void on_playSegment_clicked();
    void on_stop_clicked();
    void on_setInPoint_clicked();
    void on_setOutPoint_clicked();
    void updateAudioBuffer();
    void onClipStartChanged(int value);
    void onClipEndChanged(int value);
    void onThumbMouseRelease(int value);
    void setVolume(int value);
    void on_mute_clicked();
    void on_unmute_clicked();

public:
    // Moves the volume slider to the point under the mouse when the groove is clicked.
    // Connected explicitly; not a slot, so that the form's by-name wiring leaves it alone.
    void on_volumePositionAction_triggered(int action);

private:
    void startPlaying(double seconds, bool segment);
    void fillRow(int row);
    void swapRows(int a, int b);
    // The thumb moved by the user while nothing plays: the position follows it.
    void onSliderValueChanged(int value);
    void showTime();
    // Every enabled and visible state of the buttons, from the clip, the position and whether
    // sound plays.
    void updateControls();

    std::unique_ptr<Ui::AdjustAudioOrderClass> ui;
    QList<AudioInfo> clips;
    int current = -1;
    double position = 0.0;
    // Where the present run started and how many buffers of it have finished playing: the
    // position is counted from them, so it carries no rounding error however long it plays.
    double runStart = 0.0;
    qint64 buffersPlayed = 0;
    ClipPlayer player;
    bool playing = false;
    bool segmentMode = false;
    bool muted = false;
    QTimer *pollTimer = nullptr;
};
