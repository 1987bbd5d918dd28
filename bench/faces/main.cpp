// SPDX-License-Identifier: GPL-3.0-or-later
// bench_faces: the face measure's tools.
//   bench_faces draw FILE WxH X Y SHARE   writes a photo with a drawn face whose centre is at
//                                         (X, Y) in 0..1 and whose oval is SHARE of its height
//   bench_faces found FILE                prints the faces the import finds in the photo
//   bench_faces count VIDEO               counts the frames in which a stock detector (the
//                                         Haar frontal-face cascade with its usual settings, a
//                                         different detector from the import's) finds a face

#include "storyboard/photoloader.h"
#include "storyboard/storyboard.h"
#include "tests/storyboard/facefixture.h"

#include <QGuiApplication>
#include <QStringList>

#include <opencv2/imgproc.hpp>
#include <opencv2/objdetect.hpp>
#include <opencv2/videoio.hpp>

#include <cstdio>

namespace {

int draw(const QStringList &args)
{
    const QStringList size = args.value(1).split(QLatin1Char('x'));
    if (args.size() != 5 || size.size() != 2)
        return 2;
    const QImage photo
        = photoWithFace(QSize(size[0].toInt(), size[1].toInt()),
                        QPointF(args[2].toDouble(), args[3].toDouble()), args[4].toDouble());
    return photo.save(args[0], nullptr, 92) ? 0 : 1;
}

int found(const QString &path)
{
    ImageInfo info;
    info.path = path;
    if (!readPhotoInfo(info))
        return 1;
    std::printf("the import finds %d face(s)", int(info.faces.size()));
    for (const QRectF &face : info.faces)
        std::printf(" [%.3f %.3f %.3f %.3f]", face.x(), face.y(), face.width(), face.height());
    std::printf("\n");
    return 0;
}

int count(const QString &video)
{
    cv::CascadeClassifier detector;
    if (!detector.load("/usr/share/opencv4/haarcascades/haarcascade_frontalface_default.xml")) {
        std::fprintf(stderr, "no stock face detector\n");
        return 1;
    }
    cv::VideoCapture capture(video.toStdString());
    if (!capture.isOpened()) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(video));
        return 1;
    }
    int frames = 0;
    int withFace = 0;
    cv::Mat frame;
    cv::Mat grey;
    while (capture.read(frame)) {
        ++frames;
        cv::cvtColor(frame, grey, cv::COLOR_BGR2GRAY);
        cv::equalizeHist(grey, grey);
        std::vector<cv::Rect> faces;
        detector.detectMultiScale(grey, faces, 1.1, 3);
        withFace += faces.empty() ? 0 : 1;
    }
    std::printf("%d of %d frames (%.1f %%) show a face to the stock detector\n", withFace, frames,
                frames ? 100.0 * withFace / frames : 0.0);
    return frames ? 0 : 1;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    const QString mode = args.value(0);
    args.removeFirst();
    if (mode == QLatin1String("draw"))
        return draw(args);
    if (mode == QLatin1String("found") && args.size() == 1)
        return found(args[0]);
    if (mode == QLatin1String("count") && args.size() == 1)
        return count(args[0]);
    std::fprintf(stderr, "usage: bench_faces draw FILE WxH X Y SHARE | found FILE | count VIDEO\n");
    return 2;
}
