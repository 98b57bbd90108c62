// The common part of the on/off frames of the sensor page and their
// alternative layouts (MotionSync, RippeControl, StraightLine and their B
// forms): a caption and a picture switch whose click writes one byte of the
// device image through its field setter and sends the image. Each frame keeps
// its own form and click slot and hands both widgets over here.
#ifndef ON_OFF_FRAME_H
#define ON_OFF_FRAME_H

#include <QFrame>
#include <QString>

class QAbstractButton;
class QLabel;

class OnOffFrame : public QFrame {
    Q_OBJECT
public:
    // Programmatic state changes emit no click, so they never send.
    void SetChecked(bool on);
    void SetLabelText(const QString& text);
    void SetLabelToolTip(const QString& text);

protected:
    using FieldSetter = bool (*)(int on);

    explicit OnOffFrame(QWidget* parent);

    // Call once the form is set up: keeps and styles the two widgets.
    void AttachSwitch(QLabel* caption, QAbstractButton* switchButton);
    // The body of every switch's click slot.
    static void SendClick(bool checked, FieldSetter setter);

private:
    QLabel* m_caption = nullptr;
    QAbstractButton* m_switch = nullptr;
    QString m_pictureFolder;
};

#endif // ON_OFF_FRAME_H
