#pragma once

#include "storyboard/storyboard.h"
#include "zofc/zomainwindow.h"

class QLabel;
class QTimer;

// The program's only top-level window. It owns the story board and, as the program grows, the
// renderer, the preview player and the media strips.
class Vellumix : public ZoMainWindow
{
    Q_OBJECT
public:
    explicit Vellumix(QWidget *parent = nullptr, Qt::WindowFlags flags = {});
    ~Vellumix() override;

    StoryBoard &board() { return storyBoard; }
    const MediaFormat &format() const { return previewFormat; }

    void retranslate() override;

private:
    int playState = 0;
    QTimer *progressTimer = nullptr;
    MediaFormat previewFormat;
    StoryBoard storyBoard;
    QLabel *placeholder = nullptr;
};
