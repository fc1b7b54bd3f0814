#pragma once
// Open and save file dialogs: the caller describes the request, the answer is a path and the filter
// the user left selected. Tests script the answers and inspect the requests.

#include <optional>
#include <string>
#include <vector>

struct FileFilter {
    std::string label;  // text shown for the filter; its patterns are added unless it ends with them
    std::vector<std::string> patterns;  // wildcard patterns such as "*.p3g"; matched without regard to case
};

struct FileDialogRequest {
    std::string title;
    std::string startDirectory;  // empty: the dialog's own choice
    std::vector<FileFilter> filters;
    int selectedFilter = 1;        // 1-based, as "OpenFileExt" stores it; out of range selects the first
    std::string defaultName;       // file name proposed in the name field
    std::string defaultExtension;  // without the dot; a save name typed without one gets it
    bool confirmOverwrite = true;  // save only: ask before replacing an existing file
    // An extra check box below the standard controls, shown only while the first filter is selected
    // (an option that belongs to that file type alone); empty text: no box.
    std::string checkText;
    int checkState = 0;     // 1: ticked when the dialog opens
    std::string checkHelp;  // What's This text of the box
};

struct FileDialogResult {
    std::string path;    // absolute path of the chosen file
    int filterIndex;     // 1-based index of the filter selected when the user accepted
    int checkState = 0;  // the extra check box when the user accepted (the request's state without one)
};

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // Lets the user pick an existing file; nothing on cancel.
    virtual std::optional<FileDialogResult> Open(const FileDialogRequest& request) = 0;
    // Lets the user name a file to write; nothing on cancel.
    virtual std::optional<FileDialogResult> Save(const FileDialogRequest& request) = 0;
};
