// The settings page's share of the firmware update: version display, update
// check and the update run.
#include "form_setting.h"
#include "ui_form_setting.h"

void FormSetting::SetVerText() {}
void FormSetting::SetVer(int index) { Q_UNUSED(index) }
void FormSetting::SlotLabelText(int index, QString Text) { Q_UNUSED(index) Q_UNUSED(Text) }
void FormSetting::SlotLabelTextB(QString TextA, QString Text) { Q_UNUSED(TextA) Q_UNUSED(Text) }
void FormSetting::onDongleCheckTimer() {}
void FormSetting::onMouseCheckTimer() {}
void FormSetting::SlotContinue(int index) { Q_UNUSED(index) }
void FormSetting::on_Start() {}
void FormSetting::SlotCheckUpdate() {}
