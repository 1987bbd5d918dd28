// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storyboard/storyboard.h"

#include <QList>
#include <QMutex>
#include <QSemaphore>
#include <QStringList>
#include <QThread>
#include <atomic>
#include <map>

// Reads the descriptions of a batch of photo or audio files away from the GUI thread, several
// files at once, and hands the records out in batch order. The GUI thread calls everything but
// run(); the path list must outlive the parser and must not change while it runs.
class InfoParser : public QThread
{
public:
    InfoParser(const QStringList *paths, bool isPhoto);
    // Stops and waits: no reading thread outlives the parser.
    ~InfoParser() override;

    // How many files are read at the same time; before start(). The default is the number of
    // processors the process may run on, at most maxReaders.
    void setReaderCount(int count);
    int readerCount() const { return readers; }
    static constexpr int maxReaders = 4;

    // Starts reading. Hides QThread::start so that a stop asked for before it, which belongs to
    // an earlier run, is dropped here on the caller's thread: a stop asked for right after the
    // start, before the new thread runs, then still counts.
    void start(Priority priority = InheritPriority);
    // Asks the thread to stop: every reader finishes the file it is reading and takes no other.
    void requestStop();
    // Paths processed so far, counted from the start of the batch without gaps: the file with
    // this index is the one being read. Never decreases while the thread runs.
    int finishedCount() const { return finished.load(std::memory_order_acquire); }

    // The records read since the last take, in batch order; the parser's list is emptied.
    QList<ImageInfo> takePhotos();
    QList<AudioInfo> takeAudios();
    // Every path that could not be read so far, in batch order.
    QStringList rejectedPaths() const;

protected:
    void run() override;

private:
    struct Outcome
    {
        bool ok = false;
        ImageInfo photo;
        AudioInfo audio;
    };

    void readLoop();
    Outcome read(int index) const;
    // Moves the outcomes that now continue the delivered prefix into the result lists. Called
    // with the lock held.
    void deliverInOrder();

    const QStringList *paths;
    const bool isPhoto;
    int readers;

    std::atomic<int> finished {0};
    std::atomic<int> nextIndex {0};
    std::atomic<bool> stopping {false};

    mutable QMutex lock;
    QList<ImageInfo> photos;
    QList<AudioInfo> audios;
    QStringList rejected;
    // Files read ahead of an earlier file still being read, by index; at most one per reader.
    std::map<int, Outcome> early;
    int delivered = 0;

    QSemaphore stopRequests {0};
};
