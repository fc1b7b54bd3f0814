#include "app/WhatsThisTexts.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <algorithm>
#include <iterator>

#include "app/FrameStatusBar.h"
#include "resources/AboutIds.h"
#include "resources/CompressionIds.h"
#include "resources/DialogIds.h"
#include "resources/FlightRecorderIds.h"
#include "resources/FlightSaveIds.h"
#include "resources/MovementsIds.h"
#include "resources/PreferencesIds.h"
#include "resources/PrintLayoutIds.h"
#include "resources/RecutIds.h"
#include "resources/VoxSizeIds.h"

namespace {

struct WhatsThisEntry {
    int window;
    int control;
    const char* text;
};

constexpr char kViewText[] =
    "The models on the stage. Drag with the right mouse button to turn, with the left button to move the "
    "objects (or, in Move Camera, to scale them); the wheel moves nearer or farther. A double-click "
    "switches between Move Camera and Move Object(s).";
constexpr const char* kPaneTexts[kStatusPaneCount] = {
    "What the command under the pointer does, or the state of the program.",
    "Position of the plate along X, Y and Z, in the units of the models.",
    "Direction the camera looks in, as its X, Y and Z parts (-1 to +1).",
    "How many models are loaded and their facets in all; the progress of long operations.",
};

// One line for each (window, control); identifiers repeat between windows.
constexpr WhatsThisEntry kEntries[] = {
    // About box
    {kIdAboutDialog, kIdAboutClose, "Closes this box."},
    {kIdAboutDialog, kIdAboutWebSite, "Opens the web site in your browser."},
    {kIdAboutDialog, kIdAboutEmail, "Starts a new e-mail message to this address."},
    {kIdAboutDialog, kIdAboutVersion, "The version of this program."},
    {kIdAboutDialog, kIdAboutLegal, "Who holds the rights to this program."},
    {kIdAboutDialog, kIdAboutIcon, "The program's icon: a specimen cut by the plate."},
    // Objects dialog
    {kIdObjectsDialog, kIdObjectList,
     "The loaded models and the plate. Select one to see and change its properties below."},
    {kIdObjectsDialog, kIdRedSlider, "Red share of the selected object's colour (0 to 100)."},
    {kIdObjectsDialog, kIdRedText, "Red share of the colour, in percent."},
    {kIdObjectsDialog, kIdGreenSlider, "Green share of the selected object's colour (0 to 100)."},
    {kIdObjectsDialog, kIdGreenText, "Green share of the colour, in percent."},
    {kIdObjectsDialog, kIdBlueSlider, "Blue share of the selected object's colour (0 to 100)."},
    {kIdObjectsDialog, kIdBlueText, "Blue share of the colour, in percent."},
    {kIdObjectsDialog, kIdEmissionSlider,
     "How much light the object gives off by itself: lit even where the light does not reach it."},
    {kIdObjectsDialog, kIdEmissionText, "Emission, in percent."},
    {kIdObjectsDialog, kIdDiffuseSlider, "How strongly the object's surface scatters the light."},
    {kIdObjectsDialog, kIdDiffuseText, "Diffuse scattering, in percent."},
    {kIdObjectsDialog, kIdReflectionSlider, "How much the surface shines where the light is reflected."},
    {kIdObjectsDialog, kIdReflectionText, "Reflection, in percent."},
    {kIdObjectsDialog, kIdOpacitySlider, "How opaque the object is: 0 lets everything behind it show."},
    {kIdObjectsDialog, kIdOpacityText, "Opacity, in percent."},
    {kIdObjectsDialog, kIdResetAllButton,
     "Gives the selected object the starting material: mid grey, opaque, visible and movable."},
    {kIdObjectsDialog, kIdColoursButton, "Picks the selected object's colour from a colour chooser."},
    {kIdObjectsDialog, kIdFacetsText, "Number of facets (triangles) of the selected object."},
    {kIdObjectsDialog, kIdVertexesText, "Number of vertices of the selected object."},
    {kIdObjectsDialog, kIdLocationText, "The file the selected object was loaded from."},
    {kIdObjectsDialog, kIdVisibleCheck, "Shows or hides the selected object."},
    {kIdObjectsDialog, kIdSurfaceApplyButton,
     "Rebuilds the selected object's surface with the chosen display, centring and optimisation."},
    {kIdObjectsDialog, kIdSurfaceHint, "Large models take a while to rebuild."},
    {kIdObjectsDialog, kIdMovableCheck,
     "Whether the selected object moves with the mouse and keys while objects are being moved."},
    {kIdObjectsDialog, kIdMaterialApplyButton,
     "Gives the selected object the material set on the sliders. Shown when a large scene waits for it."},
    {kIdObjectsDialog, kIdCutButton,
     "Cuts the selected object where the plate lies and closes the cut with caps."},
    {kIdObjectsDialog, kIdRestoreButton, "Reads the selected object again from its file, undoing cuts."},
    {kIdObjectsDialog, kIdRenameButton, "Gives the selected object a new name."},
    {kIdObjectsDialog, kIdDeleteButton, "Removes the selected object from the scene (the file stays)."},
    {kIdObjectsDialog, kIdCenteredCheck,
     "Moves the selected object's centre to the centre of the stage. Takes effect with Apply."},
    {kIdObjectsDialog, kIdAxesCheck, "Draws the object's own X, Y and Z axes."},
    {kIdObjectsDialog, kIdApplyToAllButton,
     "Gives every model the selected object's colour, opacity and lighting. The plate keeps its own."},
    {kIdObjectsDialog, kIdSurfaceCombo,
     "How the surface is drawn: wires, flat facets, a normal or a smooth surface. Takes effect with Apply."},
    {kIdObjectsDialog, kIdTopCutCheck, "Cut by plate removes the part above the plate instead of below."},
    {kIdObjectsDialog, kIdCutIcon, "Cutting by the plate."},
    {kIdObjectsDialog, kIdPlateEditButton,
     "Edit lets you type the plate's size; Apply then gives the plate that size (more than 10 each way)."},
    {kIdObjectsDialog, kIdPlateDefaultButton, "Gives the plate its starting size, half the stage each way."},
    {kIdObjectsDialog, kIdPlateSizeLabel, "Size of the plate along X and Z."},
    {kIdObjectsDialog, kIdPlateSizeXEdit, "Size of the plate along X."},
    {kIdObjectsDialog, kIdPlateSizeYEdit, "Size of the plate along Z."},
    {kIdObjectsDialog, kIdOptimizedCheck,
     "Joins the vertices that facets share, for a smaller model and smooth shading. Takes effect with "
     "Apply; Restore undoes it."},
    {kIdObjectsDialog, kIdTextureCombo,
     "What covers the caps of the next cut: the object's colour, the plate's colour or the CT slice image."},
    {kIdObjectsDialog, kIdLoadMaterialButton, "Gives the selected object a material saved in a file."},
    {kIdObjectsDialog, kIdSaveMaterialButton, "Saves the selected object's material to a file."},
    {kIdObjectsDialog, kIdRecutCheck, "Cuts this object again at every keyframe of a flight."},
    {kIdObjectsDialog, kIdBoxCheck,
     "Draws the selected object's bounding box, with a scale when its voxel size is known."},
    {kIdObjectsDialog, kIdPixelSizeIcon, "Click to enter the voxel size of the selected model's dataset."},
    {kIdObjectsDialog, kIdTickSlider, "Spacing of the scale ticks on the bounding box."},
    {kIdObjectsDialog, kIdTickLabel, "Spacing of the scale ticks on the bounding box."},
    // Light dialog
    {kIdLightDialog, kIdLightYSlider, "Where the light comes from, from below to above."},
    {kIdLightDialog, kIdLightYText, "Height of the light, -100 (below) to 100 (above)."},
    {kIdLightDialog, kIdLightZSlider, "Where the light comes from, from behind to in front."},
    {kIdLightDialog, kIdLightZText, "Depth of the light, -100 (behind) to 100 (in front)."},
    {kIdLightDialog, kIdLightRedSlider, "Red share of the light's colour."},
    {kIdLightDialog, kIdLightRedText, "Red share of the light, in percent."},
    {kIdLightDialog, kIdLightGreenSlider, "Green share of the light's colour."},
    {kIdLightDialog, kIdLightGreenText, "Green share of the light, in percent."},
    {kIdLightDialog, kIdLightBlueSlider, "Blue share of the light's colour."},
    {kIdLightDialog, kIdLightBlueText, "Blue share of the light, in percent."},
    {kIdLightDialog, kIdLightXSlider, "Where the light comes from, from the left to the right."},
    {kIdLightDialog, kIdLightXText, "Side of the light, -100 (left) to 100 (right)."},
    // Flight recorder
    {kIdFlightRecorderDialog, kIdStoreKeyframeButton,
     "Stores the scene as it is now as the next keyframe: camera, light, fog and every object."},
    {kIdFlightRecorderDialog, kIdResetButton, "Deletes every keyframe stored so far."},
    {kIdFlightRecorderDialog, kIdPlayButton,
     "Plays the flight from the first keyframe to the last, with the frames between them when "
     "\"interpolated frames\" is ticked."},
    {kIdFlightRecorderDialog, kIdBackwardButton,
     "Shows the keyframes one after another, from the last to the first."},
    {kIdFlightRecorderDialog, kIdForwardButton,
     "Shows the keyframes one after another, from the first to the last."},
    {kIdFlightRecorderDialog, kIdStopButton, "Stops the flight or the slide show."},
    {kIdFlightRecorderDialog, kIdPlayProgress, "How far the flight has come."},
    {kIdFlightRecorderDialog, kIdKeyframeText, "The keyframe shown last and how many keyframes are stored."},
    {kIdFlightRecorderDialog, kIdKeyframeLabel, "The keyframe shown last and how many keyframes are stored."},
    {kIdFlightRecorderDialog, kIdSaveFilesCheck,
     "Writes the flight as a movie or as numbered pictures while it plays; the flight then runs once."},
    {kIdFlightRecorderDialog, kIdInterpolatedCheck,
     "Plays smooth movements between the keyframes instead of jumping from one to the next."},
    {kIdFlightRecorderDialog, kIdInterpolatedEdit, "How many frames lie between two keyframes (0 to 1000)."},
    {kIdFlightRecorderDialog, kIdRepeatCheck, "Plays the flight again and again until STOP is pressed."},
    {kIdFlightRecorderDialog, kIdTotalFramesText, "How many pictures the saved flight will have."},
    {kIdFlightRecorderDialog, kIdFadeInCheck, "The saved flight fades in at its start."},
    {kIdFlightRecorderDialog, kIdFadeOutCheck, "The saved flight fades out at its end."},
    {kIdFlightRecorderDialog, kIdFadeInEdit, "How many frames the fade-in lasts (0 to 1000)."},
    {kIdFlightRecorderDialog, kIdFadeOutEdit, "How many frames the fade-out lasts (0 to 1000)."},
    {kIdFlightRecorderDialog, kIdFadeInStaticCheck,
     "The fade-in is added as still frames of the first keyframe before the flight moves."},
    {kIdFlightRecorderDialog, kIdFadeOutStaticCheck,
     "The fade-out is added as still frames of the last keyframe after the flight stops moving."},
    {kIdFlightRecorderDialog, kIdFadeInSceneRadio, "The flight fades in from the empty stage."},
    {kIdFlightRecorderDialog, kIdFadeInColourRadio, "The flight fades in from the colour beside."},
    {kIdFlightRecorderDialog, kIdFadeOutSceneRadio, "The flight fades out to the empty stage."},
    {kIdFlightRecorderDialog, kIdFadeOutColourRadio, "The flight fades out to the colour beside."},
    {kIdFlightRecorderDialog, kIdFadeInFromLabel, "Where the fade-in starts from."},
    {kIdFlightRecorderDialog, kIdFadeOutToLabel, "What the fade-out ends in."},
    {kIdFlightRecorderDialog, kIdFadeInColourSwatch,
     "The colour the fade-in starts from; click to choose another."},
    {kIdFlightRecorderDialog, kIdFadeOutColourSwatch,
     "The colour the fade-out ends in; click to choose another."},
    // Stage dialog
    {kIdStageDialog, kIdStageColourButton, "Picks the colour that fills the background."},
    {kIdStageDialog, kIdCubeColourButton, "Picks the colour of the cube around the stage."},
    {kIdStageDialog, kIdCubeSizeApplyButton, "Gives the stage cube the size typed beside it."},
    {kIdStageDialog, kIdStereoCheck, "Red and cyan stereo picture, for red-cyan glasses."},
    {kIdStageDialog, kIdStereoAngleSlider, "Angle between the two eyes of the stereo picture."},
    {kIdStageDialog, kIdStereoAngleText, "Stereo angle in degrees."},
    {kIdStageDialog, kIdStereoNote,
     "A negative angle puts red on the left eye, a positive one on the right."},
    {kIdStageDialog, kIdStereoAngleLabel, "Angle between the two eyes of the stereo picture."},
    {kIdStageDialog, kIdFillRadio, "Fills the background with one colour."},
    {kIdStageDialog, kIdImageCubeRadio, "Surrounds the stage with a cube of six pictures."},
    {kIdStageDialog, kIdTextureEdit, "Folder of the six pictures of the image cube."},
    {kIdStageDialog, kIdFogCheck, "Makes far parts of the scene fade into the background."},
    {kIdStageDialog, kIdFogSlider, "How thick the fog is."},
    {kIdStageDialog, kIdFogText, "Fog thickness, in percent."},
    {kIdStageDialog, kIdCubeSizeEdit, "Size of the stage cube."},
    {kIdStageDialog, kIdColourCubeRadio, "Surrounds the stage with a cube in one colour."},
    {kIdStageDialog, kIdReloadImageButton, "Reads the image cube's pictures again from the folder."},
    {kIdStageDialog, kIdViewAngleText, "Viewing angle in degrees."},
    {kIdStageDialog, kIdViewAngleSlider,
     "Viewing angle of the camera: small for a tele view, large for a wide one."},
    {kIdStageDialog, kIdAdaptiveCheck, "Enlarges the stage to fit each model that is loaded."},
    {kIdStageDialog, kIdWhiteBoxesCheck, "Draws bounding boxes in white instead of the objects' colours."},
    // Preferences dialog
    {kIdPreferencesDialog, kIdPrefOk, "Keeps the changes."},
    {kIdPreferencesDialog, kIdPrefCancel, "Closes the dialog without changing anything."},
    {kIdPreferencesDialog, kIdPrefWheelFar, "Turning the wheel forward moves the scene away."},
    {kIdPreferencesDialog, kIdPrefWheelClose, "Turning the wheel forward brings the scene closer."},
    {kIdPreferencesDialog, kIdPrefApplyButtonLimit,
     "Above this many million facets, material changes wait for Apply instead of redrawing at once."},
    {kIdPreferencesDialog, kIdPrefArrowLength, "Length of the axis arrows, in units of the model."},
    {kIdPreferencesDialog, kIdPrefSound, "Short tones when a model is loaded or a mode changes."},
    {kIdPreferencesDialog, kIdPrefPlateAtStart, "Shows the plate when the program starts."},
    {kIdPreferencesDialog, kIdPrefAccelerator,
     "Draws with the graphics card. Takes effect at the next start; without a card the program draws "
     "in software."},
    {kIdPreferencesDialog, kIdPrefBoxesWhenMoving,
     "Draws only the bounding boxes while the scene moves, so that large models move smoothly."},
    {kIdPreferencesDialog, kIdPrefJpegQualityEdit,
     "Quality of saved JPEG pictures: higher is sharper and larger."},
    {kIdPreferencesDialog, kIdPrefJpegQualityUpDown,
     "Quality of saved JPEG pictures: higher is sharper and larger."},
    {kIdPreferencesDialog, kIdPrefFramerateEdit, "Frames a second of recorded movies."},
    {kIdPreferencesDialog, kIdPrefFramerateUpDown, "Frames a second of recorded movies."},
    {kIdPreferencesDialog, kIdPrefLogOpacity,
     "Opacity sliders act on a logarithmic scale, for fine steps near transparent."},
    {kIdPreferencesDialog, kIdPrefLookAt, "The camera looks at the scene from slightly above."},
    // Movements dialog
    {kIdMovementsDialog, kIdTranslationStepEdit, "How many pixels one move button moves."},
    {kIdMovementsDialog, kIdRotationStepEdit, "How many degrees one turn button turns."},
    {kIdMovementsDialog, kIdMoveUpButton, "Moves up by one step (as the U key)."},
    {kIdMovementsDialog, kIdMoveDownButton, "Moves down by one step (as the D key)."},
    {kIdMovementsDialog, kIdMoveLeftButton, "Moves left by one step (as the L key)."},
    {kIdMovementsDialog, kIdMoveRightButton, "Moves right by one step (as the R key)."},
    {kIdMovementsDialog, kIdMoveForwardButton, "Moves forward by one step (as the F key)."},
    {kIdMovementsDialog, kIdMoveBackButton, "Moves back by one step (as the B key)."},
    {kIdMovementsDialog, kIdTurnPageUpButton, "Turns about the Z axis by one step (as Page Up)."},
    {kIdMovementsDialog, kIdTurnRightButton, "Turns right by one step (as the Right arrow key)."},
    {kIdMovementsDialog, kIdTurnLeftButton, "Turns left by one step (as the Left arrow key)."},
    {kIdMovementsDialog, kIdTurnDownButton, "Turns down by one step (as the Down arrow key)."},
    {kIdMovementsDialog, kIdTurnUpButton, "Turns up by one step (as the Up arrow key)."},
    {kIdMovementsDialog, kIdTurnHomeButton, "Turns about the Z axis the other way by one step (as Home)."},
    // Rename dialog
    {kIdNewNameDialog, kIdCurrentNameEdit, "The object's name now."},
    {kIdNewNameDialog, kIdNewNameEdit, "Type the object's new name here."},
    // Voxel size pop-up
    // File dialog of a flight export
    {kIdFlightSaveDialog, kIdLaunchPlayerCheck,
     "When ticked, the movie is shown in the desktop's player once it has been written. The box shows "
     "with the AVI filter; its choice holds for MP4 movies too."},
    {kIdVoxSizeDialog, kIdVoxSizeOk, "Keeps the voxel size typed (Enter)."},
    {kIdVoxSizeDialog, kIdVoxSizeCancel, "Leaves the voxel size as it was (Escape)."},
    {kIdVoxSizeDialog, kIdVoxSizeEdit,
     "Voxel size of the dataset in micrometres. Enter keeps it, Escape leaves it as it was."},
    // Dataset resampling
    {kIdRecutDialog, kIdRecutOperation,
     "Resampling writes a new stack of slices parallel to the plate; MIP writes one projection of the "
     "brightest (white background) or darkest (black background) values through a slab around the plate."},
    {kIdRecutDialog, kIdRecutPrefixLabel, "The beginning of the names of the files written."},
    {kIdRecutDialog, kIdRecutPrefix,
     "Folder and beginning of the names of the files written: the slice offset in four digits (or _mip) "
     "and the extension follow. Existing files of those names are replaced."},
    {kIdRecutDialog, kIdRecutFileType,
     "The format of the files written: BMP, or JPEG of the quality set in the "
     "preferences."},
    {kIdRecutDialog, kIdRecutBackground,
     "The value of pixels outside the dataset: the first swatch is pixel value 0, the second 255."},
    {kIdRecutDialog, kIdRecutCountLabel,
     "How many slices to write, or how many planes the projection spans."},
    {kIdRecutDialog, kIdRecutCount,
     "Number of slices to write, centred on the plate; for MIP the number of planes, one unit apart, the "
     "projection spans."},
    {kIdRecutDialog, kIdRecutSpacingLabel, "The distance between the slices written."},
    {kIdRecutDialog, kIdRecutSpacing, "Distance between the slices written, in plate units."},
    {kIdRecutDialog, kIdRecutOk, "Writes the files."},
    {kIdRecutDialog, kIdRecutCancel, "Closes the dialog without writing anything."},

    // Video compression of movies
    {kIdCompressionDialog, kIdCompressionCodecList,
     "How the frames of the movie are compressed. Full frames are the largest files and lose nothing; "
     "FFV1 loses nothing either and is smaller; Motion JPEG, MPEG-4 and H.264 are ever smaller but lose "
     "detail by the quality set below."},
    {kIdCompressionDialog, kIdCompressionQualitySlider,
     "Quality of the compressed frames: higher is sharper and larger. Only compressors that lose detail "
     "have one."},
    {kIdCompressionDialog, kIdCompressionQualityText, "The quality set with the slider (1 to 100)."},
    {kIdCompressionDialog, kIdCompressionOk, "Writes the movie with this compression."},
    {kIdCompressionDialog, kIdCompressionCancel, "Closes the dialog; the flight is not played."},

    // Print Layout
    {kIdPrintLayoutDialog, kIdPrintLayoutSizeEdit,
     "Width of the printed picture in millimetres (1 to 100000); its height follows the view's proportions."},
    {kIdPrintLayoutDialog, kIdPrintLayoutLeftMarginEdit,
     "Distance of the picture from the left edge of the paper, in millimetres (1 to 100000)."},
    {kIdPrintLayoutDialog, kIdPrintLayoutTopMarginEdit,
     "Distance of the picture from the top edge of the paper, in millimetres (1 to 100000)."},
    {kIdPrintLayoutDialog, kIdPrintLayoutOk, "Keeps the size and margins typed for the following prints."},
    {kIdPrintLayoutDialog, kIdPrintLayoutCancel, "Closes the dialog and keeps the layout as it was."},
};

}  // namespace

const char* WhatsThisText(int windowId, int controlId) {
    const auto* found = std::find_if(
        std::begin(kEntries), std::end(kEntries),
        [&](const WhatsThisEntry& entry) { return entry.window == windowId && entry.control == controlId; });
    return found == std::end(kEntries) ? nullptr : found->text;
}

void ApplyWhatsThis(QWidget& window) {
    bool isNumber = false;
    const int windowId = window.objectName().toInt(&isNumber);
    if (!isNumber) return;
    for (QWidget* child : window.findChildren<QWidget*>()) {
        const int controlId = child->objectName().toInt(&isNumber);
        if (!isNumber) continue;
        if (const char* text = WhatsThisText(windowId, controlId))
            child->setWhatsThis(QString::fromUtf8(text));
    }
}

void ApplyFrameWhatsThis(QWidget& view, FrameStatusBar& statusBar) {
    view.setWhatsThis(QString::fromUtf8(kViewText));
    for (int pane = 0; pane < kStatusPaneCount; ++pane)
        statusBar.Pane(pane)->setWhatsThis(QString::fromUtf8(kPaneTexts[pane]));
}

WhatsThisApplier::WhatsThisApplier(QObject* parent) : QObject(parent) {
    qApp->installEventFilter(this);
}

WhatsThisApplier::~WhatsThisApplier() {
    qApp->removeEventFilter(this);
}

bool WhatsThisApplier::eventFilter(QObject* object, QEvent* event) {
    // Every dialog is shown before anyone can ask about its controls; applying at each show also covers
    // dialogs that are built anew each time.
    if (event->type() == QEvent::Show && object->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(object);
        if (widget->isWindow()) ApplyWhatsThis(*widget);
    }
    return false;
}
