#include "output/SaveScreenImage.h"

#include "output/ScreenPicture.h"
#include "platform/MessageBoxes.h"
#include "platform/PlatformServices.h"
#include "platform/ProgramSettings.h"
#include "render/CPexoraView.h"

FileDialogRequest SaveImageRequest(const std::vector<ScreenImageFormat>& formats,
                                   const std::string& dataDirectory) {
    FileDialogRequest request;
    request.title = "Save Image";
    request.startDirectory = dataDirectory;
    for (const ScreenImageFormat& format : formats)
        request.filters.push_back(format.filter);
    request.selectedFilter = 1;
    request.defaultExtension = formats.front().extension;
    request.confirmOverwrite = true;
    return request;
}

void SaveScreenImage(CPexoraView& view, ProgramSettings& settings, PlatformServices& services,
                     const std::vector<ScreenImageFormat>& formats) {
    const std::optional<FileDialogResult> chosen =
        services.files.Save(SaveImageRequest(formats, settings.dataDirectory));
    if (!chosen) return;
    // The folder is the text before the last slash; a bare name leaves it empty (the dialog's own choice).
    const size_t slash = chosen->path.find_last_of('/');
    settings.dataDirectory = slash == std::string::npos ? std::string() : chosen->path.substr(0, slash);

    const BgrImage picture = CaptureScreenPicture(view);
    const size_t index =
        chosen->filterIndex >= 1 && static_cast<size_t>(chosen->filterIndex) <= formats.size()
            ? static_cast<size_t>(chosen->filterIndex - 1)
            : 0;
    if (!formats[index].write(chosen->path, picture, settings.jpegQuality))
        services.messages.Warn(kImageNotSavedMessage + chosen->path + ".");
    view.update();
}
