// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QRectF>
#include <QRgb>
#include <QSize>

#include "storyboard/storyboard.h"

class Picture;
class QImage;
class QString;
struct ImageInfo;

// Photo decoding for the story board: the import-time description of a photo, the folding of
// orientation steps into a code, and the frame-sized picture the renderer draws. Free functions
// without shared state; each may run on any thread.

// Both thumbnails of a photo: the list's 88 x 66 grid cell less 8 and 6, on opaque grey.
inline constexpr int ThumbnailWidth = 80;
inline constexpr int ThumbnailHeight = 60;
inline constexpr QRgb ThumbnailBackground = 0xFF808080;

// Fills the descriptive fields of a record whose path is set: size, depth, camera fields and
// properties, suffix, file size, modification time and both thumbnails, and searches the small
// copy for faces unless the record says they were searched already. False, with the record
// unchanged, when the file is not a decodable image or is too large for the image reader.
bool readPhotoInfo(ImageInfo &info);

// The orientation code 0..7 of a list of steps (ImageInfo::Operation values, in order).
int foldOrientation(const QList<int> &operations);
// Recomputes info.orientation from info.operations.
void foldOrientation(ImageInfo &info);

// Sets exifRotation, exifMirror and exifFlip from a camera orientation tag; a tag outside 1..8
// means no camera steps.
void setCameraFields(ImageInfo &info, int orientationTag);
// Replaces the steps by those the camera fields ask for (mirror, flip, turn) and folds them.
void applyCameraOrientation(ImageInfo &info);
// Clears the steps and folds them (code 0).
void restoreOrientation(ImageInfo &info);

// Full decodes at full resolution. Fast decodes a JPEG at 1/2, 1/4 or 1/8 scale when the photo
// is at least twice the frame size both ways; its pictures differ from Full by a mean of at
// most 1.5 levels per colour sample, with at most 1 % of samples more than 16 levels apart.
enum class PhotoDecode { Fast, Full };

// Draws a photo into a BGRA picture of exactly width x height pixels, bottom row first:
// turned 90 degrees clockwise when turn90, centred and, by framing, fitted between opaque black
// bars, fitted over a blurred and darkened copy of itself that covers the frame, or scaled to
// cover the frame with the overhang cropped. The crop, and the blurred copy's, centre on faces
// (boxes in 0..1 of the photo as stored, before any turn) when there are any. False when
// the photo cannot be decoded (the picture is then opaque black) or when the picture is not a
// BGRA picture of that size (the picture is then untouched).
bool loadPhotoPicture(const QString &path, Picture &picture, int width, int height, bool turn90,
                      PhotoDecode decode = PhotoDecode::Fast, Framing framing = Framing::Fit,
                      const QList<QRectF> &faces = {});
// The size a photo shown at shown (after turning) is scaled to in a frame: fitted inside it, or
// covering it for Fill.
QSize fittedPhotoSize(QSize shown, QSize frame, Framing framing);
// One frame a photo is drawn for.
struct FrameNeed
{
    QSize frame;
    Framing framing = Framing::Fit;
};
// The photo read, turned 90 degrees clockwise when turn90, scaled to the largest size it is
// fitted to in any of frames, and in sRGB (RGB32); null when it cannot be read. shownSize, when
// given, gets the photo's own size after turning, from which fittedPhotoSize() places it. A Fast
// decode reduces only when the photo is twice the largest frame's size both ways.
QImage readFittedPhoto(const QString &path, bool turn90, const QList<FrameNeed> &frames,
                       PhotoDecode decode = PhotoDecode::Fast, QSize *shownSize = nullptr);
// Draws a fitted photo (RGB32, as readFittedPhoto() gives it for this frame) into a BGRA
// picture, bottom row first, with black bars or the blurred backdrop by framing: centred, or for
// a cropped photo around shownFaces (face boxes in 0..1 of the photo as shown, after turning).
bool placePhotoPicture(const QImage &fitted, Picture &picture, Framing framing,
                       const QList<QRectF> &shownFaces = {});
// Makes a BGRA picture opaque black: what a photo that cannot be read shows.
void fillOpaqueBlack(Picture &picture);
// How many blurred backdrops have been made in this process (each is made while a photo picture
// is loaded, never while frames are drawn).
int blurredBackdropsMade();
