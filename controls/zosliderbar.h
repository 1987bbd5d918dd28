// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>
#include <QString>
#include <QWidget>

// A horizontal slider drawn only from images: a background bar, an optional clip region between
// a start and an end tag that can be dragged, and a thumb for the current position. Every image
// and its vertical position is a property, so the skin's style sheet dresses it; it has no
// pictures of its own. GUI thread only.
class ZoSliderBar : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int horiMargin READ horiMargin WRITE setHoriMargin)
    Q_PROPERTY(int foreTop READ foreTop WRITE setForeTop)
    Q_PROPERTY(QString fore READ fore WRITE setFore)
    Q_PROPERTY(int clipForeTop READ clipForeTop WRITE setClipForeTop)
    Q_PROPERTY(QString clipFore READ clipFore WRITE setClipFore)
    Q_PROPERTY(QString clipForeSelected READ clipForeSelected WRITE setClipForeSelected)
    Q_PROPERTY(QString diableclipFore READ diableclipFore WRITE setDisableClipFore)
    Q_PROPERTY(int goneTop READ goneTop WRITE setGoneTop)
    Q_PROPERTY(QString gone READ gone WRITE setGone)
    Q_PROPERTY(int clipTagTop READ clipTagTop WRITE setClipTagTop)
    Q_PROPERTY(QString clipStart READ clipStart WRITE setClipStart)
    Q_PROPERTY(QString clipEnd READ clipEnd WRITE setClipEnd)
    Q_PROPERTY(int thumbTop READ thumbTop WRITE setThumbTop)
    Q_PROPERTY(QString thumb READ thumb WRITE setThumb)
    Q_PROPERTY(QString disableThumb READ disableThumb WRITE setDisabaleThumb)
    Q_PROPERTY(bool isThumbCenter READ isThumbCenter WRITE setIsThumbCenter)

public:
    // Flags of type(): what is shown and reacts to the mouse.
    enum TypeFlag { ShowThumb = 1, ShowClipRegion = 2, ShowClipTags = 4 };
    // What the last press grabbed.
    enum DragPart { DragNothing = 0, DragThumb = 1, DragStartTag = 2, DragEndTag = 3 };

    explicit ZoSliderBar(QWidget *parent = nullptr);

    int horiMargin() const { return margin; }
    int foreTop() const { return foreY; }
    QString fore() const { return forePath; }
    int clipForeTop() const { return clipForeY; }
    QString clipFore() const { return clipForePath; }
    QString clipForeSelected() const { return clipForeSelectedPath; }
    QString diableclipFore() const { return clipForeDisabledPath; }
    int goneTop() const { return goneY; }
    QString gone() const { return gonePath; }
    int clipTagTop() const { return clipTagY; }
    QString clipStart() const { return clipStartPath; }
    QString clipEnd() const { return clipEndPath; }
    int thumbTop() const { return thumbY; }
    QString thumb() const { return thumbPath; }
    QString disableThumb() const { return thumbDisabledPath; }
    bool isThumbCenter() const { return tagsCentred; }

    int value() const { return current; }
    int minimum() const { return rangeMin; }
    int maximum() const { return rangeMax; }
    int clipStartValue() const { return startValue; }
    int clipEndValue() const { return endValue; }
    int type() const { return shown; }
    bool thumbEnabled() const { return thumbActive; }
    int dragPart() const { return grabbed; }
    bool thumbHeld() const { return holdingThumb; }
    int minClipGap() const { return clipGap; }
    bool clipSelected() const { return selected; }

    // Ignored unless 0 <= minimum < maximum. Unset or out-of-range tags move into the range.
    void setRange(int minimum, int maximum);
    // Ignored while the user holds the thumb; emits nothing.
    void setValue(int value);
    void setClipStartValue(int value);
    void setClipEndValue(int value);
    // The smallest distance the tags keep between them.
    void setMinClipGap(int gap);
    void setClipSelected(bool on);
    void setThumbEnabled(bool on);
    // A waveform drawn along the track (see paintWaveform); empty for none.
    void setWaveform(const QByteArray &pairs);

    // Where a value is drawn and which value lies under a widget x, on the track between the
    // horizontal margins.
    int positionOf(int value) const;
    int valueAt(int x) const;

    // The diagnostic log: the user's cache folder + "/" + the program's file name + ".1.log";
    // empty when the program's file name cannot be found.
    static QString logPath();
    // Appends one printf-style line to the log (at most 1023 characters); beyond 8191 bytes the
    // log is renamed to the same name with ".2.log". Nothing is written without a log path, nor
    // through a link or into a file of another user.
    static void writeLog(const char *format, ...) Q_ATTRIBUTE_FORMAT_PRINTF(1, 2);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void valueChanged(int value);
    void clipStartChanged(int value);
    void clipEndChanged(int value);
    void thumbMouseRelease(int value);
    void startTagMouseRelease(int value);
    void endTagMouseRelease(int value);

public slots:
    void setHoriMargin(int value);
    void setForeTop(int value);
    void setFore(const QString &path);
    void setClipForeTop(int value);
    void setClipFore(const QString &path);
    void setClipForeSelected(const QString &path);
    void setDisableClipFore(const QString &path);
    void setGoneTop(int value);
    void setGone(const QString &path);
    void setClipTagTop(int value);
    void setClipStart(const QString &path);
    void setClipEnd(const QString &path);
    void setThumbTop(int value);
    void setThumb(const QString &path);
    void setDisabaleThumb(const QString &path);
    void setType(int flags);
    void setIsThumbCenter(bool on);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    QByteArray waveformPairs;
    int trackLeft() const { return margin; }
    int trackRight() const { return width() - 1 - margin; }
    int trackWidth() const { return width() - 2 * margin; }
    // Writes a diagnostic naming the function and line, and an empty line after it.
    static void diagnose(int line, const char *function);
    static void appendLog(const QByteArray &lines);
    void dragTo(int x);

    int margin = 0;
    int foreY = -1;
    QString forePath;
    QPixmap foreImage;
    int clipForeY = -1;
    QString clipForePath;
    QPixmap clipForeImage;
    QString clipForeSelectedPath;
    QPixmap clipForeSelectedImage;
    QString clipForeDisabledPath;
    QPixmap clipForeDisabledImage;
    int goneY = -1;
    QString gonePath;
    QPixmap goneImage;
    int clipTagY = -1;
    QString clipStartPath;
    QPixmap clipStartImage;
    QString clipEndPath;
    QPixmap clipEndImage;
    int thumbY = -1;
    QString thumbPath;
    QPixmap thumbImage;
    QString thumbDisabledPath;
    QPixmap thumbDisabledImage;
    bool tagsCentred = false;

    int current = 0;
    int rangeMin = 0;
    int rangeMax = 1000;
    int startValue = -1;
    int endValue = -1;
    int shown = ShowThumb | ShowClipRegion;
    bool thumbActive = true;
    int grabbed = DragNothing;
    bool holdingThumb = false;
    int clipGap = 0;
    bool selected = false;
};
