// The function menus of the button page and their items.
#include "buttoninterface.h"
#include "ui_buttoninterface.h"

void Buttoninterface::OpenKeyMenu(int key, const QString& keyAreaStyle)
{
    Q_UNUSED(key)
    Q_UNUSED(keyAreaStyle)
}

void Buttoninterface::AssignKeyFunction(QAbstractButton* item, bool checked, int type, int param1)
{
    Q_UNUSED(item)
    Q_UNUSED(checked)
    Q_UNUSED(type)
    Q_UNUSED(param1)
}

void Buttoninterface::AssignMediaKey(int button, int code)
{
    Q_UNUSED(button)
    Q_UNUSED(code)
}

void Buttoninterface::AssignKeyboardKey(int button, const QString& text)
{
    Q_UNUSED(button)
    Q_UNUSED(text)
}

void Buttoninterface::on_FireKey_clicked() {}
void Buttoninterface::on_RightKey_clicked() {}
void Buttoninterface::on_BackKey_clicked() {}
void Buttoninterface::on_TopMusic_clicked() {}
void Buttoninterface::on_StartPause_clicked() {}
void Buttoninterface::on_BackMusic_clicked() {}
void Buttoninterface::on_Number1_clicked() {}
void Buttoninterface::on_Number2_clicked() {}
void Buttoninterface::on_Number3_clicked() {}
void Buttoninterface::on_Number4_clicked() {}
void Buttoninterface::on_Number5_clicked() {}
void Buttoninterface::on_Number6_clicked() {}

void Buttoninterface::on_LeftKey_3_clicked(bool) {}
void Buttoninterface::on_RightKey_3_clicked(bool) {}
void Buttoninterface::on_MidKey_clicked(bool) {}
void Buttoninterface::on_BackKey_2_clicked(bool) {}
void Buttoninterface::on_ForWardKey_clicked(bool) {}
void Buttoninterface::on_DPI_2_clicked(bool) {}
void Buttoninterface::on_DPI_3_clicked(bool) {}
void Buttoninterface::on_DPI_5_clicked(bool) {}
void Buttoninterface::on_DPI_13_clicked() {}
void Buttoninterface::on_DPI_11_clicked() {}
void Buttoninterface::on_DPI_4_clicked() {}
void Buttoninterface::on_DPI_4_clicked(bool) {}
void Buttoninterface::on_DPI_9_clicked() {}
void Buttoninterface::on_DPI_7_clicked() {}
void Buttoninterface::on_DPI_12_clicked() {}
void Buttoninterface::on_DPI_10_clicked() {}
void Buttoninterface::on_DPI_6_clicked(bool) {}
void Buttoninterface::on_DPI_6_clicked() {}
void Buttoninterface::on_DPI_8_clicked() {}

void Buttoninterface::on_Player_clicked(bool) {}
void Buttoninterface::on_StartPause_2_clicked(bool) {}
void Buttoninterface::on_BackMusic_2_clicked(bool) {}
void Buttoninterface::on_TopMusic_2_clicked(bool) {}
void Buttoninterface::on_Mute_clicked(bool) {}
void Buttoninterface::on_VolumeUp_clicked(bool) {}
void Buttoninterface::on_VolumeDown_clicked(bool) {}
void Buttoninterface::on_VolumeDown_4_clicked(bool) {}
void Buttoninterface::on_VolumeDown_5_clicked(bool) {}
void Buttoninterface::on_VolumeDown_6_clicked(bool) {}
void Buttoninterface::on_VolumeDown_3_clicked(bool) {}
void Buttoninterface::on_VolumeDown_8_clicked(bool) {}
void Buttoninterface::on_VolumeDown_9_clicked(bool) {}
void Buttoninterface::on_VolumeDown_7_clicked(bool) {}
void Buttoninterface::on_VolumeDown_10_clicked(bool) {}
void Buttoninterface::on_VolumeDown_12_clicked(bool) {}
void Buttoninterface::on_VolumeDown_13_clicked(bool) {}
void Buttoninterface::on_VolumeDown_11_clicked(bool) {}

void Buttoninterface::on_VolumeUp_4_clicked(bool) {}
void Buttoninterface::on_VolumeUp_5_clicked(bool) {}
void Buttoninterface::on_VolumeUp_6_clicked(bool) {}
void Buttoninterface::on_VolumeUp_7_clicked(bool) {}
void Buttoninterface::on_VolumeUp_11_clicked(bool) {}
void Buttoninterface::on_VolumeUp_12_clicked(bool) {}
void Buttoninterface::on_VolumeUp_13_clicked(bool) {}
void Buttoninterface::on_VolumeUp_16_clicked(bool) {}
void Buttoninterface::on_VolumeUp_15_clicked(bool) {}
void Buttoninterface::on_VolumeUp_19_clicked(bool) {}
void Buttoninterface::on_VolumeUp_20_clicked(bool) {}
void Buttoninterface::on_VolumeUp_22_clicked(bool) {}
void Buttoninterface::on_VolumeUp_18_clicked(bool) {}
void Buttoninterface::on_VolumeUp_24_clicked(bool) {}
void Buttoninterface::on_VolumeUp_23_clicked(bool) {}
void Buttoninterface::on_VolumeUp_21_clicked(bool) {}
void Buttoninterface::on_VolumeUp_2_clicked(bool) {}
void Buttoninterface::on_VolumeDown_2_clicked(bool) {}
void Buttoninterface::on_VolumeUp_8_clicked(bool) {}
void Buttoninterface::on_VolumeUp_9_clicked(bool) {}
void Buttoninterface::on_VolumeUp_10_clicked(bool) {}
void Buttoninterface::on_VolumeUp_14_clicked(bool) {}
void Buttoninterface::on_VolumeDown_14_clicked(bool) {}

// Handlers of objects the form does not have.
void Buttoninterface::on_MultiMedia_clicked() {}
void Buttoninterface::on_RightKey_2_clicked() {}
void Buttoninterface::on_LeftKey_clicked() {}
void Buttoninterface::on_Advance_clicked() {}
void Buttoninterface::on_Back_clicked() {}
void Buttoninterface::on_DPI_clicked() {}
void Buttoninterface::on_checkBox_clicked() {}
void Buttoninterface::on_pushButton_clicked() {}
