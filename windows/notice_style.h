// The look shared by the small notice dialogs: frameless 300 x 140 windows
// whose pictures live in <program>/Picture/WarningDialog/ and whose text
// colours come from Config.ini (Option/LabelColor, Option/ButtonColor), and
// the place their openers give them.
#ifndef NOTICE_STYLE_H
#define NOTICE_STYLE_H

#include "label_file.h"

#include <QColor>
#include <QList>
#include <QPoint>
#include <QString>
#include <Qt>

class QCheckBox;
class QDialog;
class QFrame;
class QLabel;
class QToolButton;
class QWidget;

namespace NoticeStyle {

// SubWindow | BypassWindowManagerHint | FramelessWindowHint |
// WindowSystemMenuHint | WindowMinimizeButtonHint (0x6C12).
constexpr Qt::WindowFlags kWindowFlags = Qt::SubWindow | Qt::BypassWindowManagerHint
    | Qt::FramelessWindowHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint;

// The colour along the bottom edge of the shipped BackGround.png.
inline QColor PictureBottomColor()
{
    return QColor(27, 29, 35);
}

// <program>/Picture/WarningDialog/
QString PictureFolder();

struct Elements {
    QFrame* background = nullptr;
    QToolButton* closeButton = nullptr;
    QLabel* label = nullptr;
    QList<QToolButton*> buttons;   // confirm / answer buttons; empty: ButtonColor is not read
    QList<QWidget*> entries;       // line edits and spin boxes, in LinEditColor
    QList<QCheckBox*> checkBoxes;  // LabelColor text, CheckBox.png / CheckBoxCheck.png indicators
    bool stretchBackground = false; // BackGround.png as a border image, stretched to the frame
    QString confirmPicture = QStringLiteral("Confirm.png");
    QString confirmPressedPicture = QStringLiteral("ConfirmClick.png");
};

// Window flags and style sheets of one notice.
void Apply(QDialog* dialog, const Elements& parts);

// The parts of a dialog that asks for a value: message, OK and Cancel,
// close button and the entry fields.
Elements EntryDialogParts(QFrame* background, QToolButton* closeButton, QLabel* label, QToolButton* ok,
                          QToolButton* cancel, const QList<QWidget*>& entries);

// Language keys of a message and its OK and Cancel buttons: "label",
// "NewHong" and "NewHong_2"; null widgets are left out.
LabelFile::Keys MessageKeys(QLabel* label, QToolButton* ok, QToolButton* cancel = nullptr);

// The "r,g,b" colour of an Option key of Config.ini.
QColor ConfigColor(const QString& key);

// Top-left (global) that centres `dialog` on `owner`, moved by `shift`:
// where openers put their notices and dialogs before running them.
QPoint CentredOn(const QWidget* owner, const QWidget* dialog, QPoint shift = QPoint());

} // namespace NoticeStyle

#endif // NOTICE_STYLE_H
