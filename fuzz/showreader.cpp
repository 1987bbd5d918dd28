// SPDX-License-Identifier: GPL-3.0-or-later
// Show files: parsing any bytes, and the round trip of whatever parses. A show that reads must
// write out and read back to the same show, or saving it again would change the user's work.
#include "fuzz/fuzzsupport.h"
#include "storyboard/showfile.h"
#include "storyboard/storyboard.h"

#include <QByteArray>
#include <QString>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    fuzz::initialize(argc, argv, {"-timeout=10", "-rss_limit_mb=2048", "-max_len=65536"});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QString base = QStringLiteral("/shows/summer");
    const ShowReadResult read = parseShow(bytes, base);
    if (!read.ok())
        return 0;
    const ShowFile &show = read.show;
    fuzz::require(show.photos.size() <= ShowMaxPhotos && show.audios.size() <= ShowMaxAudios,
                  "the list limits");
    for (const ImageInfo &photo : show.photos) {
        fuzz::require(photo.orientation >= 0 && photo.orientation < 8, "an orientation code");
        fuzz::require(!photo.path.isEmpty(), "a photo names its file");
    }
    for (const AudioInfo &clip : show.audios)
        fuzz::require(!clip.path.isEmpty() && clip.clipStart >= 0.0, "a clip names its file");

    const QByteArray written = serializeShow(show, base);
    const ShowReadResult again = parseShow(written, base);
    fuzz::require(again.ok(), "a show that was read can be read again after saving");
    fuzz::require(serializeShow(again.show, base) == written, "saving twice gives the same file");

    StoryBoard board;
    show.applyTo(board);
    fuzz::require(board.photos.size() == show.photos.size(), "every photo reaches the board");
    return 0;
}
