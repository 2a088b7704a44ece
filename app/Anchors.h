#pragma once

class QLabel;
class QWidget;

namespace app {

// Keeps the widgets of a form at their designed distances from the edges of
// their parent while the parent is resized. A widget names the edges it is
// anchored to in the dynamic property "anchors" of the .ui file
// ("top,right", "left,top,right", ...); anchored to both left and right it
// stretches, to right only it moves. Widgets without the property keep their
// place. Call once after the form's layout has given every parent its
// designed size.
void applyAnchors(QWidget* form);

// A label sized to its text, as labels size themselves when their text is
// set; one anchored to the right grows to the left. Call again after setText.
void fitLabelToText(QLabel* label);
// A word-wrapped label keeps its width and takes the height of its lines.
void fitWrappedLabel(QLabel* label);
// Every label of a form sized to its text: word-wrapped ones keep their width.
void fitLabelsToText(QWidget* form);

} // namespace app
