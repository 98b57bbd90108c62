// Style sheets shared by the option frames of the sensor page and their
// variants. Colours are Option keys of Config.ini ("r,g,b"); pictures come
// from the frame's picture folder (<program>/Picture/<Page>/).
#ifndef FRAME_STYLE_H
#define FRAME_STYLE_H

#include <QString>

class QComboBox;
class QListView;

namespace FrameStyle {

// "r,g,b" of an Option colour key; white when the key holds fewer than three
// numbers, so a damaged catalogue leaves texts readable on the dark pages.
QString Colour(const QString& key);

// QLabel{color: LabelColor}
QString CaptionStyle();

// The on/off picture switch: "Close.png" off, "Open.png" on.
QString SwitchStyle(const QString& switchName, const QString& folder);

// The shared combo look (ComboxTextColor, ComboxBackGroundColor,
// ComboxSelectColor with the four combo pictures). withDisabledRule adds
// the flat, muted look of a disabled combo.
QString ComboStyle(const QString& folder, bool withDisabledRule);

// Gives the combo a new list view whose selected and hovered items take
// ComboxSelectColor; returns that view (the combo owns it).
QListView* InstallListView(QComboBox* combo);

// Check-box indicators "LODCheck.png" / "LOD.png" with LabelColor texts.
QString CheckBoxStyle(const QString& folder);

// The read-only number beside the sliders of the B/C variants.
QString NumberStyle();

// The 2-pixel slider of the B/C variants: handle "HuaKuai.png", filled part
// SliderColor, the rest white.
QString ThinSliderStyle(const QString& folder);

// The two looks of the 2-pixel sliders of the DPI editors, the DPI light and
// the lighting page.
enum class SliderLook {
    Knob, // an 18 x 16 handle, the part right of it grey (SensorDPI, SensorEffect)
    Bar   // a 5 x 50 handle, the part right of it white (the other layouts, LampLight)
};

// Handle "HuaKuai.png" in the shape of the look, the part left of it SliderColor.
QString SliderStyle(const QString& folder, SliderLook look);

// Appended to a frame's slider style: a disabled slider shows a muted groove
// on both sides of a plain grey handle instead of the SliderColor fill and
// the handle picture, so it reads as disabled on the dark pages.
QString DisabledSliderRules();

// For the line that stands in a hidden slider's row: the muted groove of a
// disabled slider.
QString IdleGrooveStyle();

// url("<folder><picture>")
QString Url(const QString& folder, const QString& picture);

} // namespace FrameStyle

#endif // FRAME_STYLE_H
