// SPDX-License-Identifier: GPL-3.0-or-later
#include "storyboard/facefinder.h"

#include <QDebug>
#include <QImage>

#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>
#include <opencv2/objdetect.hpp>

#include <algorithm>
#include <memory>
#include <mutex>

// The detector is the frontal-face cascade of local binary patterns that Debian's opencv-data
// ships. On the 160-pixel copy that the import decodes, it found the same faces as the Haar
// cascades at a quarter of their time, and the histogram-of-gradients detector of the other
// candidate library needs faces of 80 pixels (or a doubled copy at four times the cost), so it
// missed every face smaller than half the copy.

namespace {

// The search runs on at most this many pixels along the long side: the small copy already is,
// and a photo the reader could not reduce while decoding is scaled down first.
constexpr int SearchBox = 160;
// The cascade's own window: no smaller face can be found.
constexpr int SmallestFace = 24;

struct Detector
{
    cv::CascadeClassifier cascade;
    bool loaded = false;
};

// One per thread: a cascade keeps scratch state while it searches.
Detector &threadDetector()
{
    thread_local std::unique_ptr<Detector> detector;
    if (!detector) {
        // The search stays on the calling thread instead of the library's own workers.
        static std::once_flag sequential;
        std::call_once(sequential, [] { cv::setNumThreads(0); });
        detector = std::make_unique<Detector>();
        try {
            detector->loaded = detector->cascade.load(faceDetectorPath().toStdString());
        } catch (const cv::Exception &e) {
            qDebug() << "Face detector:" << e.what();
        }
        if (!detector->loaded)
            qDebug() << "No face detector at" << faceDetectorPath();
    }
    return *detector;
}

} // namespace

QString faceDetectorPath()
{
    return QStringLiteral(VELLUMIX_FACE_DETECTOR);
}

std::optional<QList<QRectF>> findFaces(const QImage &image)
{
    Detector &detector = threadDetector();
    if (!detector.loaded)
        return std::nullopt;
    if (image.isNull())
        return QList<QRectF>();
    QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
    if (grey.width() > SearchBox || grey.height() > SearchBox)
        grey = grey.scaled(SearchBox, SearchBox, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    if (grey.width() < SmallestFace || grey.height() < SmallestFace)
        return QList<QRectF>();

    const cv::Mat view(grey.height(), grey.width(), CV_8UC1, const_cast<uchar *>(grey.constBits()),
                       size_t(grey.bytesPerLine()));
    std::vector<cv::Rect> found;
    try {
        cv::Mat equalised;
        cv::equalizeHist(view, equalised);
        // Four neighbours rather than the usual three: a false face moves the crop of a photo
        // without people, which is worse than a face missed.
        detector.cascade.detectMultiScale(equalised, found, 1.1, 4, 0,
                                          cv::Size(SmallestFace, SmallestFace));
    } catch (const cv::Exception &e) {
        qDebug() << "Face search failed:" << e.what();
        return QList<QRectF>();
    }
    std::sort(found.begin(), found.end(),
              [](const cv::Rect &a, const cv::Rect &b) { return a.area() > b.area(); });
    if (found.size() > size_t(MaxFacesPerPhoto))
        found.resize(size_t(MaxFacesPerPhoto));

    const double w = grey.width();
    const double h = grey.height();
    const QRectF whole(0.0, 0.0, 1.0, 1.0);
    QList<QRectF> faces;
    for (const cv::Rect &r : found)
        faces.append(QRectF(r.x / w, r.y / h, r.width / w, r.height / h).intersected(whole));
    return faces;
}
