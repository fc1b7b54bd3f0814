#pragma once
// The main frame's four-pane status bar. Pane 0 stretches and shows the command prompts ("For Help,
// press F1" when idle); panes 1, 2 and 3 are 180 pixels wide, or as wide as their longest text needs in
// the desktop's font; a longer text (a position of five or more digits) widens its pane, so that no text
// is cut. Pane 3 also draws the progress bar.

#include <QStatusBar>
#include <QString>

class QLabel;
class ProgressPane;

inline constexpr int kStatusPaneCount = 4;
inline constexpr int kStatusPaneWidth = 180;

class QFontMetrics;
// Width of panes 1..3 in a font: at least kStatusPaneWidth, and room for a position text of four digits.
int StatusPaneWidth(const QFontMetrics& metrics);
// Width a pane needs to show `text` whole in a font, its margins included.
int StatusPaneWidth(const QFontMetrics& metrics, const QString& text);

class FrameStatusBar : public QStatusBar {
public:
    explicit FrameStatusBar(QWidget* parent = nullptr);

    // Text of pane 0..3; other numbers are ignored. Panes 1..3 widen to fit it. Pane 3 leaves progress
    // display.
    void SetPaneText(int pane, const QString& text);
    // Pane 0: `text`, or the idle prompt ("For Help, press F1") when it is empty.
    void ShowMessage(const QString& text);
    // Text of pane 0..3 as shown when no progress is drawn; empty for other numbers.
    QString PaneText(int pane) const;
    // The widget of pane 0..3 (for grabbing); nullptr for other numbers.
    QWidget* Pane(int pane) const;
    // Draws a progress bar in pane 3: `percent` above 0 (clamped to 100) fills that share and prints
    // "<label><percent>%"; 0 or less clears the pane. Paints the pane at once.
    void ShowProgress(int percent, const QString& label);

private:
    QLabel* panes_[kStatusPaneCount - 1];  // panes 0..2
    ProgressPane* progress_;               // pane 3
};
