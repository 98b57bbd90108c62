// Composes a key combination for a mouse button: modifier boxes (Shift,
// Ctrl, Alt, Win) and up to three keys captured through the combination
// instance of the keyboard hook. OK with at most three items sets `accepted`
// and `keyText` ("Ctrl+Alt+Del"); more items show GroupMaxThree and start
// the capture again. Every way the dialog closes or goes removes its hook.
#ifndef GROUP_KEY_H
#define GROUP_KEY_H

#include "key_capture_dialog.h"
#include "key_combination_capture.h"

#include <QString>

#include <memory>

namespace Ui {
class GroupKey;
}

class GroupKey : public KeyCaptureDialog {
    Q_OBJECT
public:
    bool accepted = false;
    QString keyText;

    // clock: milliseconds of a monotonic clock for the 2000 ms window; tests
    // pass their own.
    explicit GroupKey(QWidget* parent = nullptr, KeyCombinationCapture::Clock clock = {});
    ~GroupKey() override;

public slots:
    void SlotChangeLanguage(int index);

private slots:
    void on_NewHong_clicked();
    void on_NewHong_2_clicked();
    void on_CloseButton_clicked();
    void on_lineEdit_textEdited(const QString& text);

private:
    void UpdateCapslockTip(int keyCode, bool downOrUp, bool aotu);

    std::unique_ptr<Ui::GroupKey> ui;
    KeyCombinationCapture m_capture;
};

#endif // GROUP_KEY_H
