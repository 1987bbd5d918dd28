// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QLabel>

// The preview area's picture of how to begin a project, in the interface language when the skin
// has a picture for it. GUI thread only.
class GettingStartLabel : public QLabel
{
    Q_OBJECT
    // The base picture; the skin's style sheet sets it. Writing only stores the path.
    Q_PROPERTY(QString gettingStart READ gettingStart WRITE setGettingStart)

public:
    explicit GettingStartLabel(QWidget *parent = nullptr);

    QString gettingStart() const { return basePath; }
    void setGettingStart(const QString &path) { basePath = path; }

    // Loads the picture for the current language (the base picture when the language has none)
    // and repaints. A picture that cannot be loaded draws nothing.
    void reloadImage();
    const QImage &image() const { return picture; }
    // The file reloadImage() read; empty before the first reload.
    QString loadedPath() const { return chosenPath; }

    // The picture for language lang: "start.png" becomes "start_de_DE.png"; "en_US" and a path
    // without a "." keep the base path. The caller checks whether the file exists.
    static QString localizedPath(const QString &base, const QString &lang);
    // Where the picture's top left corner goes: centred across, centred down but never more than
    // 20 pixels below the top.
    static QPoint pictureOrigin(const QSize &label, const QSize &picture);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString basePath;
    QString chosenPath;
    QImage picture;
};
