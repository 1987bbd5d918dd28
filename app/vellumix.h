// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "media/photosettingspanel.h"
#include "storyboard/storyboard.h"
#include "zofc/zomainwindow.h"
#include "zomprofile/zomprofiledata.h"

#include <QList>
#include <QPoint>
#include <QStringList>
#include <memory>

class AVPlayer;
class CaptionSection;
class MediaInfoWidget;
class MotionRectEditor;
class QAction;
class QMenu;
class QShortcut;
class QTabWidget;
class QTimer;
class QUndoStack;
struct AlbumSettings;
class ShowSession;
class StripListWidget;
class StoryBoardRender;
struct ShowFile;

namespace Ui {
class VellumixClass;
}

// The program's only top-level window: the preview with its controls and timeline, the two
// strips, the settings column, the tool row and the menus. It owns the story board, the renderer
// and the properties window, keeps the controls' enabled state in step with the model, and runs
// the commands that reach beyond one strip (properties, preferences, post-task action, video
// creation). GUI thread only.
class Vellumix : public ZoMainWindow
{
    Q_OBJECT

public:
    // The preview's transport: stopped at the start, playing, or paused where it stood.
    enum class PlayState { Stopped = 0, Playing = 1, Paused = 2 };
    Q_ENUM(PlayState)

    explicit Vellumix(QWidget *parent = nullptr, Qt::WindowFlags flags = {});
    ~Vellumix() override;

    StoryBoard &board() { return storyBoard; }
    const MediaFormat &format() const { return previewFormat; }
    StoryBoardRender *renderer() const { return render.get(); }
    MediaInfoWidget *mediaInfoWidget() const { return mediaInfo; }
    Ui::VellumixClass *form() const { return ui.get(); }
    PlayState state() const { return playState; }
    double framePixels() const { return pixelsPerFrame; }
    const ZomProfileData &lastProfile() const { return profileData; }
    // Every change of the show made from the window, to undo and redo.
    QUndoStack *undoStack() const { return undo; }

    // Pauses, clamps k to the show and shows that frame.
    void showPosition(int k);
    // Every enabled state that follows the playing state and the strips' current rows.
    void updateEnabledState();
    // Imports files and folders into the strips as a drop would: audio files into the audio
    // strip, everything else into the photo strip (which names what it cannot read), folders into
    // both. Runs from the event loop, once no dialog of the window is open.
    void openFiles(const QStringList &paths);
    // Post-task action values as stored under "AfterBurnAction".
    void syncAfterBurnChecks();

    // The show's file, its unsaved mark, the recent shows and the autosave copy.
    ShowSession *showSession() const { return session; }
    // The show as it stands, as it is saved.
    ShowFile currentShow() const;
    // Opens a show file in place of the window's show, once unsaved changes are saved or
    // discarded; false when it was not opened (the reason shown in a message box).
    bool openShow(const QString &path);
    // An empty show, once unsaved changes are saved or discarded.
    bool newShow();
    // Offers the show that a run which did not end normally left behind; called once at start.
    void offerRecovery();

    void retranslate() override;
    void makeUndoActions(QAction *before);
    void updateUndoActions();

public slots:
    // Joined to the form's buttons by their object names.
    void on_play_clicked();
    void on_pause_clicked();
    void on_stop_clicked();
    void on_previous_clicked();
    void on_next_clicked();
    void on_mute_clicked();
    void on_unmute_clicked();
    void on_burn_clicked();
    void on_adjustOrder_clicked();
    void on_importPicture_clicked();
    void on_importPictureDir_clicked();
    void on_importAudio_clicked();
    void on_deleteClip_clicked();
    void on_turnLeft_clicked();
    void on_turnRight_clicked();
    void on_mirror_clicked();
    void on_flip_clicked();
    void on_autoRotate_clicked();
    void on_restore_clicked();
    void on_moveLeft_clicked();
    void on_moveRight_clicked();

public:
    // Connected explicitly; not slots, so that the form's by-name wiring does not look for
    // objects of these names.
    void on_volumePositionAction_triggered();
    void on_sliderPosition_presssed();
    void on_sliderPosition_released();
    void on_sliderPositionAction_triggered();
    void on_sliderPosition_changed(int value);
    void on_fileProperty();
    void on_preferences_clicked();
    void on_photoListWidget_item_clicked();
    void on_audioListWidget_item_clicked();
    void on_photoListWidget_row_changed(int row);
    void on_audioListWidget_row_changed(int row);
    void on_AfterBurnAction();
    void on_photoListContextMenu(bool isPhoto, QPoint pos);
    void on_audioListContextMenu(QPoint pos);
    void on_clear_clicked();
    void on_selectAll_clicked();
    void on_autoRotateAll_clicked();
    void on_autoRotatewhileImporting_clicked(bool checked);
    // A key or an order of "Sort By" chosen: it alone of its group is checked, and the active
    // strip (the audio strip when none was selected yet) is sorted.
    void on_sort();
    void on_sortOrder();
    // The settings column: each edit goes to the model at once and the preview is drawn again
    // where it stood.
    void on_photoDur_changed(int value);
    void on_transtionDur_changed(int value);
    void on_transition_changed(int state);
    void on_dynamicZoom_changed(int state);
    void on_transitionType_changed();
    void on_audioSetting_changed();
    void on_framing_changed();
    void on_crossfade_changed(double seconds);
    void on_loudness_changed();
    void on_beatCut_changed();
    void on_sync_clicked();
    void photoItemSelectChanged();
    void audioItemSelectChanged();
    void photoListChanged(const QList<ImageInfo> &list);
    void audioListChanged(const QList<AudioInfo> &list);
    void changeScrollRange();
    void updateProgress();
    void onStoryBoardDataChanged();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    // Files dropped anywhere outside the strips (on the preview, the getting-started picture)
    // are imported as if given to the program.
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    // The class is spread over files by concern; each concern wires its own controls from the
    // constructor.

    // vellumix.cpp: the window itself, undo and redo, the properties window and preferences.
    void saveGeometrySetting();
    // A termination signal's number: SIGINT closes as the Exit command does; SIGTERM and SIGHUP
    // end the program at once, with the recovery copy written.
    void endOnSignal(int number);

    // settingspanel.cpp
    // Shows the model's album and audio settings in the settings column, telling no one.
    void loadSettingsPanel();
    void connectSettingsPanel();
    void fillFramingChoices();
    void fillMusicChoices();
    // Records a settings edit (the model already holds the new values) and refreshes the show.
    void settingsEdited(const AlbumSettings &before, const QString &name, int mergeId = -1);
    // Undo and redo: put an earlier state back without recording it as a new edit.
    void restoreSettings(const AlbumSettings &settings);

    // photopanel.cpp: the settings of the selected photos and of one transition.
    void setUpPhotoPanel();
    void retranslatePhotoPanel();
    // The selected photo shown whole on the paused preview with its motion's rectangles to drag.
    void editMotionOnPreview(bool on);
    void stopEditingMotion();
    // Lays the editor over the player's frame, which shows bounds of the photo.
    void placeMotionEditor(const QRectF &bounds);
    // Shows the selected photos' own settings in their panel.
    void showPhotoSettings();
    void editSelectedPhotos(const QString &name, const PhotoSettingsPanel::Change &change);
    // change made to the photos at indexes as one undo step.
    void editPhotos(const QList<int> &indexes, const QString &name,
                    const PhotoSettingsPanel::Change &change);
    // The choices of the transition after photo; deletes itself once closed.
    QMenu *transitionMenu(int photo);

    // captioncommands.cpp: the selected photos' captions, edited in the panel's section, from
    // the strip's menu and by a double-click on the paused preview.
    void setUpCaptionCommands();
    void retranslateCaptionCommands();
    // Asks for the caption of the photos at indexes (the first one's text to start from) and
    // gives it to all of them as one undo step.
    void editCaptionText(const QList<int> &indexes);
    // Gives the selected photos the description they carry (or their file name) as caption.
    void captionsFromPhotos(bool fileNames);
    // The selected photo's caption style becomes the show's, as one undo step.
    void useCaptionStyleForShow();
    // Asks for a title card's text and background and puts it before the selected photo (at
    // the start without a selection), as one undo step.
    void addTitleCard();
    // Asks for the text and background of the title card at index, changed as one undo step.
    void editTitleCard(int index);
    // Edits the show's caption style in its dialog, changed as one undo step.
    void editShowCaptionStyle();
    void setShowCaptionStyle(const CaptionStyle &style);
    // The paths of the show's photos a title card can take its background from.
    QStringList titleCardPhotos() const;
    // Shows the title card dialog of command from text and card, and writes the card chosen into
    // record. False when the user cancels or the card cannot be written, which is said.
    bool askTitleCard(const QString &command, const QString &text, const TitleCard &card,
                      ImageInfo &record);
    // The photo the paused preview shows, or -1.
    int pausedPhoto() const;

    // transport.cpp: play, pause, stop, stepping, volume and the position slider.
    void setUpTransport();
    void togglePlayback();
    // While playing, the photo strip marks the photo on screen at frame (its row selected and
    // current; the shared scroll bar keeps it in view).
    void markShownPhoto(int frame);

    // windowstate.cpp: the enabled state of the controls and the view of the model.
    // The enabled state of the edit commands for the active strip's selection.
    void updateEditCommands();
    void disableEditCommands();
    // The player when there is a show, the getting-started picture when there is none.
    void showPreview(bool on);

    // scrollsync.cpp: one scroll bar for both strips.
    void setUpScrollSync();
    // The audio strip's length in frames at the preview rate.
    int audioStripFrames() const;
    int stripContentWidth() const;
    // Sets the scroll bar from code without the strips' bars echoing it back.
    void setScrollValue(int value);

    // stripcommands.cpp: the strips' changes, selection and edit commands.
    void setUpStripCommands();
    // Formats the properties window's record again, in the language now chosen.
    void reformatMediaInfo();
    void restorePhotos(const QList<ImageInfo> &photos);
    void restoreAudios(const QList<AudioInfo> &clips);
    // Runs a strip operation whose list change is recorded under name.
    template<typename Operation> void runEdit(const QString &name, Operation operation)
    {
        editName = name;
        operation();
        editName.clear();
    }
    void applySort();
    // Marks the photos and clips whose files have gone since they were read as a show's missing
    // files are (the strips' Missing tile, left out of the video); no edit to undo. True when
    // any was newly marked.
    bool markVanishedFiles();

    // importcommands.cpp: files handed over, dropped or chosen in a file dialog.
    void setUpImportCommands();
    void importPendingFiles();
    // Reads the paths into a strip through the import dialog and shows the frame the preview
    // had reached, clamped to the new show.
    void importInto(StripListWidget *strip, const QStringList &paths);

    // showdocument.cpp: the show file commands.
    void setUpShowCommands();
    // Replaces the window's show by one read from a file (its files read again, with progress);
    // false when the user cancelled the reading.
    bool loadShow(ShowFile show);
    // Reads the show file at path into the window, with nothing asked first, and names its missing
    // files; false when it could not be read (the user has been told why) or the user cancelled.
    bool readShow(const QString &path);
    void updateTitle();
    void rebuildRecentMenu();
    // One message naming the files of the show that are missing.
    void reportMissingFiles();
    // The paths for a message, one a line; past the first few they are counted.
    static QString pathList(const QStringList &paths);

    // creationcommands.cpp: video creation and the post-task action.
    void setUpCreationCommands();
    // The preview takes the shape, frame rate and sound of the output the output settings would
    // make now (its size at most that of 720p).
    void followOutputFormat();
    MediaFormat outputPreviewFormat() const;

    PlayState playState = PlayState::Stopped;
    QTimer *progressTimer = nullptr;
    ZomProfileData profileData;
    MediaFormat previewFormat;
    StoryBoard storyBoard;
    std::unique_ptr<StoryBoardRender> render;
    MediaInfoWidget *mediaInfo = nullptr;
    // The photo or clip the properties window describes, by its place in its list.
    qsizetype mediaInfoItem = -1;
    int activeList = -1;
    QMenu *autoRotateMenu = nullptr;
    PhotoSettingsPanel *photoPanel = nullptr;
    CaptionSection *captionSection = nullptr;
    QAction *editCaptionAction = nullptr;
    QAction *captionFromDescriptionAction = nullptr;
    QAction *captionFromFileNameAction = nullptr;
    QAction *addTitleAction = nullptr;
    QAction *showCaptionStyleAction = nullptr;
    QAction *editTitleAction = nullptr;
    QAction *editShowStyleAction = nullptr;
    QTabWidget *settingsTabs = nullptr;
    MotionRectEditor *motionEditor = nullptr;
    QAction *autoRotateAction = nullptr;
    QAction *autoRotateAllAction = nullptr;
    QShortcut *playShortcut = nullptr;
    // The player when the platform cannot show it; otherwise it lives in the form.
    std::unique_ptr<AVPlayer> unseenPlayer;
    // Files handed over (command line, a second start) and not yet imported.
    QStringList pendingFiles;
    QTimer *importTimer = nullptr;
    // Rows come and go one at a time while a batch is read: the scroll range follows once.
    QTimer *scrollRangeTimer = nullptr;
    double pixelsPerFrame = 1.0;
    QUndoStack *undo = nullptr;
    QAction *undoAction = nullptr;
    QAction *redoAction = nullptr;
    // Set while an undo or redo puts a state back, which is no new edit.
    bool restoring = false;
    // The name the next list change of a strip is recorded under; empty for the strip's own
    // edits (drops, drags).
    QString editName;
    ShowSession *session = nullptr;
    QMenu *recentMenu = nullptr;
    // The output folder and name of the show's last video (empty: the program's defaults).
    QString showOutputFolder;
    QString showOutputName;
    std::unique_ptr<Ui::VellumixClass> ui;
};
