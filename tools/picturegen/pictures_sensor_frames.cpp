// Folder Sensor, the option frames of the sensor page: the on/off switch,
// the combo pieces, the slider handle, the check-box indicators, the
// polling-rate buttons and the debounce steps. The sensor page and the DPI
// editor add their own pictures to this folder from their own files.
#include "kit.h"

using namespace kit;

namespace {

void Paint(PictureSink& out)
{
    // The on/off switch, drawn centred on the switch button.
    out.Add(QStringLiteral("Close"), Switch({36, 18}, false));
    out.Add(QStringLiteral("Open"), Switch({36, 18}, true));

    // Combo pieces: the field and the open list are stretched over the
    // widget (border-image), the arrow is drawn at its own size.
    AddComboBox(out, {130, 30}, {16, 16}, {130, 150});

    // The handle of the frames' sliders: 18 x 16 on a 2-pixel groove.
    out.Add(QStringLiteral("HuaKuai"), SliderHandle({18, 16}, State::Normal));

    out.Add(QStringLiteral("LOD"), CheckBox({16, 16}, false));
    out.Add(QStringLiteral("LODCheck"), CheckBox({16, 16}, true));

    // Polling-rate buttons, 74 x 26, centred and not stretched.
    out.Add(QStringLiteral("ReportRate"), Button({74, 26}, State::Normal, ButtonKind::Secondary));
    out.Add(QStringLiteral("ReportRateClick"), Button({74, 26}, State::Normal, ButtonKind::Primary));

    // The debounce steps; the minus picture is only 4 pixels high.
    out.Add(QStringLiteral("Reduce"), MinusSign({14, 4}));
    out.Add(QStringLiteral("Add"), PlusSign({14, 14}));
}

const FolderRegistrar registrar("Sensor", Paint);

} // namespace
