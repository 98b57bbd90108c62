// Names one key for a key event of a macro: the key the user touches last,
// pressed or released, as the single-key instance of the keyboard hook
// reports it. OK with a captured name sets `accepted`; OK without one counts
// as Cancel. Every way the dialog closes or goes removes its hook.
#ifndef ADD_KEY_H
#define ADD_KEY_H

#include "key_capture_dialog.h"

#include <QString>

#include <memory>

namespace Ui {
class addKey;
}

class addKey : public KeyCaptureDialog {
    Q_OBJECT
public:
    bool accepted = false;
    QString keyName;

    explicit addKey(QWidget* parent = nullptr);
    ~addKey() override;

    // Name of a virtual key here: the key table's name, except Space and
    // right Alt, which (like keys the table lacks) give the empty name.
    static QString KeyName(int keyCode);

public slots:
    void SlotChangeLanguage(int index);

private slots:
    void on_NewHong_clicked();
    void on_NewHong_2_clicked();
    void on_CloseButton_clicked();

private:
    void UpdateCapslockTip(int keyCode, bool downOrUp, bool aotu);

    std::unique_ptr<Ui::addKey> ui;
};

#endif // ADD_KEY_H
