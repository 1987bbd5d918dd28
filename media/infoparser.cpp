// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/infoparser.h"

#include "audio/audioanalysis.h"
#include "audio/audiodecoder.h"
#include "storyboard/photoloader.h"

#include <QMutexLocker>
#include <algorithm>
#include <memory>
#include <vector>

InfoParser::InfoParser(const QStringList *paths, bool isPhoto)
    : paths(paths)
    , isPhoto(isPhoto)
    , readers(std::clamp(QThread::idealThreadCount(), 1, maxReaders))
{ }

InfoParser::~InfoParser()
{
    requestStop();
    wait();
}

void InfoParser::setReaderCount(int count)
{
    if (isRunning())
        return;
    readers = std::clamp(count, 1, maxReaders);
}

void InfoParser::requestStop()
{
    stopRequests.release();
}

QList<ImageInfo> InfoParser::takePhotos()
{
    QMutexLocker locker(&lock);
    return std::exchange(photos, {});
}

QList<AudioInfo> InfoParser::takeAudios()
{
    QMutexLocker locker(&lock);
    return std::exchange(audios, {});
}

QStringList InfoParser::rejectedPaths() const
{
    QMutexLocker locker(&lock);
    return rejected;
}

void InfoParser::start(Priority priority)
{
    if (isRunning())
        return;
    stopRequests.tryAcquire(stopRequests.available());
    QThread::start(priority);
}

void InfoParser::run()
{
    stopping.store(false);
    nextIndex.store(0);
    {
        QMutexLocker locker(&lock);
        early.clear();
        delivered = 0;
    }
    finished.store(0, std::memory_order_release);

    const int total = int(paths->size());
    const int helperCount = std::min(readers, total) - 1;
    std::vector<std::unique_ptr<QThread>> helpers;
    for (int i = 0; i < helperCount; ++i) {
        helpers.emplace_back(QThread::create([this] { readLoop(); }));
        helpers.back()->start(priority());
    }
    readLoop();
    for (auto &helper : helpers)
        helper->wait();
}

void InfoParser::readLoop()
{
    const int total = int(paths->size());
    while (!stopping.load()) {
        if (stopRequests.tryAcquire()) {
            stopping.store(true);
            break;
        }
        const int index = nextIndex.fetch_add(1);
        if (index >= total)
            break;
        Outcome outcome = read(index);
        QMutexLocker locker(&lock);
        early.emplace(index, std::move(outcome));
        deliverInOrder();
    }
}

InfoParser::Outcome InfoParser::read(int index) const
{
    Outcome outcome;
    const QString &path = paths->at(index);
    if (isPhoto) {
        outcome.photo.path = path;
        outcome.ok = readPhotoInfo(outcome.photo);
    } else {
        outcome.audio.path = path;
        outcome.ok = readAudioInfo(outcome.audio);
        if (outcome.ok)
            analyseAudio(outcome.audio);
    }
    return outcome;
}

void InfoParser::deliverInOrder()
{
    // Indexes are taken in order and every taken file is finished, so the outcomes always
    // complete a prefix of the batch once the slowest reader is done.
    auto first = early.begin();
    while (first != early.end() && first->first == delivered) {
        Outcome &outcome = first->second;
        if (!outcome.ok)
            rejected.append(paths->at(delivered));
        else if (isPhoto)
            photos.append(std::move(outcome.photo));
        else
            audios.append(std::move(outcome.audio));
        first = early.erase(first);
        ++delivered;
    }
    finished.store(delivered, std::memory_order_release);
}
