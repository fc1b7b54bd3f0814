#pragma once
// " Dataset resampling": what the Resample Dataset command writes. Resampling writes a stack of
// slices parallel to the plate, "MIP" one projection through a slab around it; the labels and the
// spacing follow the operation at once. The background list offers black and white in the order of
// the dataset's palette; its position, not its colour, is what counts. Counts that are no integer are
// refused with "Enter an integer." and the dialog stays open.

#include <QDialog>
#include <string>

class CColorList;
class MessageBoxes;
class QComboBox;
class QLabel;
class QLineEdit;

struct RecutValues {
    int operation = 0;  // 0 resampling, 1 MIP
    std::string prefix;
    int fileType = 0;  // 0 bmp, 1 jpg
    int backgroundIndex = 1;
    int sliceCount = 1;
    int spacing = 1;
};

class CRecutDlg : public QDialog {
public:
    // `whiteFirst`: the dataset's palette starts with white, so white is list position 0.
    CRecutDlg(const RecutValues& values, bool whiteFirst, MessageBoxes& messages, QWidget* parent = nullptr);

    // The values taken at OK; those given otherwise.
    const RecutValues& Values() const { return values_; }

    void accept() override;

private:
    void ShowOperation(int operation);

    RecutValues values_;
    MessageBoxes& messages_;
    QComboBox* operation_ = nullptr;
    QLabel* prefixLabel_ = nullptr;
    QLineEdit* prefix_ = nullptr;
    QComboBox* fileType_ = nullptr;
    CColorList* background_ = nullptr;
    QLabel* countLabel_ = nullptr;
    QLineEdit* count_ = nullptr;
    QLabel* spacingLabel_ = nullptr;
    QLineEdit* spacing_ = nullptr;
};
