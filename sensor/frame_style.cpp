#include "frame_style.h"

#include "config_store.h"

#include <QComboBox>
#include <QListView>

namespace FrameStyle {

namespace {

// Muted tones of the dark theme for what cannot be used now.
const char kMutedGroove[] = "62, 67, 78";
const char kMutedHandle[] = "112, 118, 130";
// A disabled combo: a flat fill a shade off the page, text clearly dimmer
// than enabled text and still readable on it.
const char kDisabledFill[] = "30, 32, 38";
const char kDisabledText[] = "140, 146, 158";

} // namespace

QString Colour(const QString& key)
{
    return ConfigStore::Instance()->ColorText(key, QStringLiteral("255,255,255"));
}

QString Url(const QString& folder, const QString& picture)
{
    // Quoted, so a program folder with blanks still resolves.
    return QStringLiteral("url(\"%1%2\")").arg(folder, picture);
}

QString CaptionStyle()
{
    return QStringLiteral("QLabel{color: rgb(%1);}").arg(Colour(QStringLiteral("LabelColor")));
}

QString SwitchStyle(const QString& switchName, const QString& folder)
{
    return QStringLiteral("#%1{color: rgb(255, 255, 255);border:0px;background-position:center;"
                          "background-repeat:no-repeat;background-image: %2;}"
                          "#%1:checked {background-image: %3;}")
        .arg(switchName, Url(folder, QStringLiteral("Close.png")), Url(folder, QStringLiteral("Open.png")));
}

QString ComboStyle(const QString& folder, bool withDisabledRule)
{
    const QString text = Colour(QStringLiteral("ComboxTextColor"));
    const QString select = Colour(QStringLiteral("ComboxSelectColor"));
    const QString background = Colour(QStringLiteral("ComboxBackGroundColor"));
    QString style =
        QStringLiteral("QComboBox{border: 1px solid gray; color: rgb(%1); border-image: %2;}"
                       "QComboBox::drop-down:button{border-radius:5px; background:rgb(%3);} "
                       "QComboBox::down-arrow{image: %4; right: 8px; }"
                       "QComboBox::down-arrow:on{ image: %5;}"
                       "QComboBox QAbstractItemView::item{height:25px;}"
                       "QComboBox QAbstractItemView {outline: 0px solid gray; border: 1px  solid gray;"
                       "color: rgb(%1); border-image: %6;selection-background-color: rgb(%7); }")
            .arg(text, Url(folder, QStringLiteral("ComboboxBack.png")), background,
                 Url(folder, QStringLiteral("Menu.png")), Url(folder, QStringLiteral("MenuClicked.png")),
                 Url(folder, QStringLiteral("ComboboxTextBack.png")), select);
    // A combo that cannot be opened must not look like one: no raised
    // picture, no arrow, a muted outline and text.
    if (withDisabledRule) {
        style += QStringLiteral("QComboBox:disabled{color: rgb(%1); border-image: none; background-color: rgb(%2);"
                                "border: 1px solid rgb(%3);}"
                                "QComboBox::drop-down:disabled{background: transparent;}"
                                "QComboBox::down-arrow:disabled{image: none;}")
                     .arg(QLatin1String(kDisabledText), QLatin1String(kDisabledFill), QLatin1String(kMutedGroove));
    }
    return style;
}

QListView* InstallListView(QComboBox* combo)
{
    const QString select = Colour(QStringLiteral("ComboxSelectColor"));
    auto* view = new QListView; // the combo takes it over
    view->setStyleSheet(QStringLiteral("QListView::item:selected{background-color: rgb(%1);}"
                                       "QListView::item:hover{background-color: rgb(%1);}")
                            .arg(select));
    combo->setView(view);
    return view;
}

QString CheckBoxStyle(const QString& folder)
{
    return QStringLiteral("QCheckBox{color: rgb(%1);}"
                          "QCheckBox:indicator::checked {image: %2;}"
                          "QCheckBox::indicator::unchecked {image: %3;}")
        .arg(Colour(QStringLiteral("LabelColor")), Url(folder, QStringLiteral("LODCheck.png")),
             Url(folder, QStringLiteral("LOD.png")));
}

QString NumberStyle()
{
    return QStringLiteral("QSpinBox{background-color: transparent;border: 1px solid gray;color: rgb(%1);}"
                          "QSpinBox:hover{color: rgb(%1);}")
        .arg(Colour(QStringLiteral("LinEditColorSecond")));
}

QString ThinSliderStyle(const QString& folder)
{
    return QStringLiteral("QSlider:groove:horizontal{height:2px;left: 0px;right: 0px;border:0px;}"
                          "QSlider:handle:horizontal{ width:  18px;height: 16px;  margin-top: -7px;"
                          "margin-left: -2px; margin-bottom: -7px;margin-right: -2px; border-image: %1;}"
                          "QSlider:sub-page:horizontal{background-color: rgb(%2);}"
                          "QSlider:add-page:horizontal{background-color: rgb(255, 255, 255);}")
        .arg(Url(folder, QStringLiteral("HuaKuai.png")), Colour(QStringLiteral("SliderColor")));
}

QString SliderStyle(const QString& folder, SliderLook look)
{
    const bool knob = look == SliderLook::Knob;
    const QString handleRule =
        knob ? QStringLiteral("width:  18px;height: 16px;  margin-top: -7px;margin-left: -2px; "
                              "margin-bottom: -7px;margin-right: -2px;")
             : QStringLiteral("width:  5px;height: 50px;  margin-top: -20px;margin-left: 0px; "
                              "margin-bottom: -20px;margin-right: 0px;");
    const QString addPageColour = knob ? QStringLiteral("127, 127, 127") : QStringLiteral("255, 255, 255");
    return QStringLiteral("QSlider:groove:horizontal{height:2px;left: 0px;right: 0px;border:0px;border-radius:0px;"
                          "background:rgba(0,0,0,50);}"
                          "QSlider:handle:horizontal{ %1 border-image: %2;} "
                          "QSlider:sub-page:horizontal{background-color: rgb(%3);}"
                          "QSlider:add-page:horizontal{background-color: rgb(%4);}")
        .arg(handleRule, Url(folder, QStringLiteral("HuaKuai.png")), Colour(QStringLiteral("SliderColor")),
             addPageColour);
}

QString DisabledSliderRules()
{
    // Only margins and a radius: the handle takes its height from the 2-pixel
    // groove, a round 12-pixel knob with the enabled handle's centre.
    return QStringLiteral("QSlider::sub-page:horizontal:disabled{background-color: rgb(%1);}"
                          "QSlider::add-page:horizontal:disabled{background-color: rgb(%1);}"
                          "QSlider::handle:horizontal:disabled{border-image: none; background-color: rgb(%2);"
                          "width: 12px; margin-top: -5px; margin-bottom: -5px; border-radius: 6px;}")
        .arg(QLatin1String(kMutedGroove), QLatin1String(kMutedHandle));
}

QString IdleGrooveStyle()
{
    // The line is 3 pixels high; the groove it stands for, 2.
    return QStringLiteral("background-color: rgb(%1); border: 0px; margin-bottom: 1px;").arg(QLatin1String(kMutedGroove));
}

} // namespace FrameStyle
