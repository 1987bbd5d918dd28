// SPDX-License-Identifier: GPL-3.0-or-later
// Photos as the import and the renderer read them: the description with camera data and
// thumbnails, then the frame-sized picture, reduced and whole, upright and turned.
#include "fuzz/fuzzsupport.h"
#include "storyboard/photoloader.h"
#include "storyboard/picture.h"
#include "storyboard/storyboard.h"

#include <QImageReader>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    fuzz::initialize(argc, argv, {"-timeout=20", "-rss_limit_mb=3072", "-max_len=262144"});
    // A few bytes can claim a picture of a gigabyte, which the reader then fills; a smaller
    // limit than the program's keeps each input to a fraction of a second while still letting
    // the reduced-size decoding and the refusal of oversized photos run.
    QImageReader::setAllocationLimit(64);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    ImageInfo info;
    info.path = fuzz::writeInput(data, size, QStringLiteral("jpg"));
    const bool readable = readPhotoInfo(info);
    if (readable) {
        fuzz::require(info.width > 0 && info.height > 0, "a readable photo has a size");
        fuzz::require(info.thumbnail.size() == QSize(ThumbnailWidth, ThumbnailHeight)
                          && info.thumbnailRotated.size() == QSize(ThumbnailWidth, ThumbnailHeight),
                      "both thumbnails have the list's size");
        fuzz::require(info.exifProperties.size() == ImageInfo::PropertyCount,
                      "one camera text per property");
    }

    // The frame is small so that most inputs are at least twice its size and take the reduced
    // decoding; the turned call decodes whole.
    Picture picture(64, 48, AV_PIX_FMT_BGRA);
    fuzz::require(!picture.isNull(), "picture allocated");
    const bool drawn = loadPhotoPicture(info.path, picture, 64, 48, false, PhotoDecode::Fast);
    const bool turned = loadPhotoPicture(info.path, picture, 64, 48, true, PhotoDecode::Full);
    (void)drawn;
    // A photo the import accepts must not turn black in the show.
    fuzz::require(!readable || turned, "an imported photo can be drawn whole");
    return 0;
}
