// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storyboard/storyboard.h"

#include <QElapsedTimer>
#include <QList>
#include <QUndoCommand>
#include <functional>
#include <type_traits>
#include <utility>

// Whether two lists show the same: the same files in the same order, turned and trimmed alike.
bool samePhotos(const QList<ImageInfo> &a, const QList<ImageInfo> &b);
bool sameClips(const QList<AudioInfo> &a, const QList<AudioInfo> &b);

// One change of the show that has already been made: undo puts the state before it back, redo
// the state after it. Edits with the same merge id that follow each other within a moment (a
// spin box's arrow held down) become one step.
template<typename State> class ShowEdit : public QUndoCommand
{
public:
    using Apply = std::function<void(const State &)>;
    static constexpr qint64 MergeWindowMs = 1500;

    ShowEdit(const QString &text, State before, State after, Apply apply, int mergeId = -1)
        : QUndoCommand(text)
        , before(std::move(before))
        , after(std::move(after))
        , apply(std::move(apply))
        , mergeId(mergeId)
    {
        stamp.start();
    }

    void undo() override { apply(before); }
    void redo() override
    {
        // Pushed after the change was made: the first redo has nothing to do.
        if (done)
            apply(after);
        done = true;
    }
    int id() const override { return mergeId; }
    bool mergeWith(const QUndoCommand *other) override
    {
        const auto *next = dynamic_cast<const ShowEdit *>(other);
        if (!next || next->mergeId != mergeId || stamp.elapsed() > MergeWindowMs)
            return false;
        after = next->after;
        stamp.restart();
        if constexpr (std::is_same_v<State, AlbumSettings>)
            setObsolete(after == before);
        return true;
    }

private:
    State before;
    State after;
    Apply apply;
    int mergeId;
    bool done = false;
    QElapsedTimer stamp;
};
