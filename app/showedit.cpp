#include "app/showedit.h"

#include <algorithm>

AlbumSettings AlbumSettings::of(const StoryBoard &board)
{
    AlbumSettings settings;
    settings.photoDurationMs = board.photoDurationMs;
    settings.transitionDurationMs = board.transitionDurationMs;
    settings.useTransition = board.useTransition;
    settings.dissolveOnly = board.dissolveOnly;
    settings.useZoom = board.useZoom;
    settings.loopAudio = board.loopAudio;
    settings.fadeInOut = board.fadeInOut;
    settings.framing = board.framing;
    return settings;
}

void AlbumSettings::applyTo(StoryBoard &board) const
{
    board.setPhotoDurationMs(photoDurationMs);
    board.setTransitionDurationMs(transitionDurationMs);
    board.useTransition = useTransition;
    board.dissolveOnly = dissolveOnly;
    board.useZoom = useZoom;
    board.loopAudio = loopAudio;
    board.fadeInOut = fadeInOut;
    board.framing = framing;
}

bool samePhotos(const QList<ImageInfo> &a, const QList<ImageInfo> &b)
{
    return std::equal(a.cbegin(), a.cend(), b.cbegin(), b.cend(),
                      [](const ImageInfo &x, const ImageInfo &y) {
                          return x.path == y.path && x.operations == y.operations
                              && x.orientation == y.orientation;
                      });
}

bool sameClips(const QList<AudioInfo> &a, const QList<AudioInfo> &b)
{
    return std::equal(
        a.cbegin(), a.cend(), b.cbegin(), b.cend(), [](const AudioInfo &x, const AudioInfo &y) {
            return x.path == y.path && x.clipStart == y.clipStart && x.clipEnd == y.clipEnd;
        });
}
