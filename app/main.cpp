// Quorix One: prepares the per-user data, refuses a second instance and shows
// the top-level window.
#include "app_state.h"
#include "dialog_main.h"
#include "devicelib.h"
#include "exe_is_run.h"
#include "notice_style.h"
#include "qt_dialog_texts.h"
#include "single_instance.h"
#include "startup.h"
#include "up_date_warning.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDebug>
#include <QTimer>

#include <memory>

namespace {

// Scripted runs (the tests start the program twice) cannot press a key in a
// headless notice: with QUORIX_CONFIRM_NOTICE set, the already-running notice
// presses its own OK button as soon as it runs.
void ConfirmWhenScripted(QDialog& notice)
{
    if (qEnvironmentVariableIsEmpty("QUORIX_CONFIRM_NOTICE"))
        return;
    QTimer::singleShot(0, &notice, [&notice] {
        qInfo().noquote() << "confirming" << notice.objectName();
        if (auto* ok = notice.findChild<QAbstractButton*>(QStringLiteral("NewHong")))
            ok->click();
    });
}

// The simulated devices come from a world file: one that cannot be used
// leaves the program without devices, which must not pass unnoticed.
void ReportWorldFileError(DialogMain& window)
{
    const QString error = QString::fromUtf8(UsbSim_WorldFileError());
    if (error.isEmpty())
        return;
    qWarning().noquote() << "The file of simulated devices cannot be used, so no devices are shown:" << error;
    UpDateWarning notice;
    notice.SetLabelText(window.WorldFileErrorText().arg(error));
    notice.move(NoticeStyle::CentredOn(&window, &notice));
    ConfirmWhenScripted(notice);
    notice.exec();
}

} // namespace

int main(int argc, char* argv[])
{
    PrepareUserData();

    // Every window paints with the raster engine. Setting up OpenGL on X11
    // (loading the GL driver) would cost the start about 0.4 s and 50 MiB
    // for nothing; a user who sets the variable keeps his choice.
    if (!qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION"))
        qputenv("QT_XCB_GL_INTEGRATION", "none");

    QApplication app(argc, argv);

    // Held until the process ends; the system releases it after a crash.
    static SingleInstance instance(g_appName);
    if (!instance.Claim()) {
        ExeIsRun notice;
        ConfirmWhenScripted(notice);
        notice.exec();
        return 0;
    }

    QtDialogTexts::Install();
    std::unique_ptr<DialogMain> window(new DialogMain);
    window->show();
    ReportWorldFileError(*window);
    return app.exec();
}
