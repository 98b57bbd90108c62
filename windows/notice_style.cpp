#include "notice_style.h"

#include "config_store.h"
#include "paths.h"

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QToolButton>

namespace NoticeStyle {

QString PictureFolder()
{
    return ::PictureFolder(QStringLiteral("WarningDialog"));
}

static QString Url(const QString& folder, const QString& picture)
{
    return QStringLiteral("url(\"%1%2\")").arg(folder, picture);
}

void Apply(QDialog* dialog, const Elements& parts)
{
    dialog->setWindowFlags(kWindowFlags);

    const QString folder = PictureFolder();
    ConfigStore* config = ConfigStore::Instance();

    if (parts.label) {
        parts.label->setStyleSheet(QStringLiteral("QLabel{color: rgb(%1);}")
                                       .arg(config->ColorText(QStringLiteral("LabelColor"))));
    }
    if (!parts.buttons.isEmpty()) {
        const QString buttonStyle =
            QStringLiteral("QToolButton{border:0px;color: rgb(%1);border-image: %2;}"
                           "QToolButton:pressed{border-image: %3;}")
                .arg(config->ColorText(QStringLiteral("ButtonColor")),
                     Url(folder, parts.confirmPicture), Url(folder, parts.confirmPressedPicture));
        for (QToolButton* button : parts.buttons)
            button->setStyleSheet(buttonStyle);
    }
    // Entry fields on the field colour of the combo boxes: the light entry
    // text would not show on the default white.
    for (QWidget* entry : parts.entries) {
        const QString type = qobject_cast<QAbstractSpinBox*>(entry) ? QStringLiteral("QSpinBox")
                                                                     : QStringLiteral("QLineEdit");
        entry->setStyleSheet(QStringLiteral("%1{color: rgb(%2);background-color: rgb(%3);border: 1px solid gray;"
                                            "selection-background-color: rgb(%4);}")
                                 .arg(type, config->ColorText(QStringLiteral("LinEditColor")),
                                      config->ColorText(QStringLiteral("ComboxBackGroundColor"), QStringLiteral("0,0,0")),
                                      config->ColorText(QStringLiteral("ComboxSelectColor"), QStringLiteral("0,120,215"))));
    }
    if (!parts.checkBoxes.isEmpty()) {
        const QString boxStyle =
            QStringLiteral("QCheckBox{color: rgb(%1);}QCheckBox::indicator:checked {image: %2;}"
                           "QCheckBox::indicator:unchecked {image: %3;}")
                .arg(config->ColorText(QStringLiteral("LabelColor")), Url(folder, QStringLiteral("CheckBoxCheck.png")),
                     Url(folder, QStringLiteral("CheckBox.png")));
        for (QCheckBox* box : parts.checkBoxes)
            box->setStyleSheet(boxStyle);
    }
    if (parts.closeButton) {
        parts.closeButton->setStyleSheet(
            QStringLiteral("QToolButton{border:0px;background-position:center;background-repeat:no-repeat;"
                           "background-image: %1;}"
                           "QToolButton:hover{background-image: %2;}"
                           "QToolButton:pressed{background-image: %3;}")
                .arg(Url(folder, QStringLiteral("Close.png")), Url(folder, QStringLiteral("CloseHover.png")),
                     Url(folder, QStringLiteral("CloseClick.png"))));
    }
    if (parts.background) {
        // Selected by object name so the picture does not spread to the children.
        parts.background->setStyleSheet(
            QStringLiteral("QFrame#%1{border:0px;background-position:center;background-repeat:no-repeat;"
                           "%2: %3;}")
                .arg(parts.background->objectName(),
                     parts.stretchBackground ? QStringLiteral("border-image") : QStringLiteral("background-image"),
                     Url(folder, QStringLiteral("BackGround.png"))));
    }
}

Elements EntryDialogParts(QFrame* background, QToolButton* closeButton, QLabel* label, QToolButton* ok,
                          QToolButton* cancel, const QList<QWidget*>& entries)
{
    Elements parts;
    parts.background = background;
    parts.closeButton = closeButton;
    parts.label = label;
    parts.buttons = {ok, cancel};
    parts.entries = entries;
    return parts;
}

LabelFile::Keys MessageKeys(QLabel* label, QToolButton* ok, QToolButton* cancel)
{
    LabelFile::Keys keys;
    if (label)
        keys.insert(QStringLiteral("label"), [label](const QString& value) { label->setText(value); });
    if (ok)
        keys.insert(QStringLiteral("NewHong"), [ok](const QString& value) { ok->setText(value); });
    if (cancel)
        keys.insert(QStringLiteral("NewHong_2"), [cancel](const QString& value) { cancel->setText(value); });
    return keys;
}

QColor ConfigColor(const QString& key)
{
    const QStringList parts = ConfigStore::Instance()->ColorText(key).split(QLatin1Char(','));
    if (parts.size() < 3)
        return QColor();
    return QColor(parts[0].trimmed().toInt(), parts[1].trimmed().toInt(), parts[2].trimmed().toInt());
}

QPoint CentredOn(const QWidget* owner, const QWidget* dialog, QPoint shift)
{
    const QPoint topLeft = owner->mapToGlobal(QPoint(0, 0));
    return QPoint(topLeft.x() + (owner->width() - dialog->width()) / 2,
                  topLeft.y() + (owner->height() - dialog->height()) / 2)
        + shift;
}

} // namespace NoticeStyle
