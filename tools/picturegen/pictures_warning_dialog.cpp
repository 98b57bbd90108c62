// Folder WarningDialog: the small notices (300 x 140, frameless) and their
// buttons.
#include "kit.h"

#include <QPainter>

using namespace kit;

namespace {

// Fills the whole rectangle (the notice window is not translucent, so round
// corners would show the window behind), with an accent line along the top.
QImage NoticeBackground(QSize size)
{
    QImage image = Panel(size, 0);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.fillRect(QRectF(1, 1, size.width() - 2, 2), FadingAccent(0, size.width(), 0.2));
    return image;
}

void Paint(PictureSink& out)
{
    out.Add(QStringLiteral("BackGround"), NoticeBackground({300, 140}));

    AddIconButton(out, QStringLiteral("Close"), {20, 20}, Glyph::Close);

    // The offline notice spells its button pictures "ConFirm"; file names
    // are case-sensitive here, so both spellings exist.
    const QSize button(90, 24);
    for (const QString& name : {QStringLiteral("Confirm"), QStringLiteral("ConFirm")}) {
        out.Add(name, Button(button, State::Normal));
        out.Add(name + QStringLiteral("Click"), Button(button, State::Pressed));
    }

    // The update and repair dialog's two buttons.
    const QSize wide(120, 24);
    out.Add(QStringLiteral("ok_nr"), Button(wide, State::Normal));
    out.Add(QStringLiteral("ok_enter"), Button(wide, State::Hover));
}

const FolderRegistrar registrar("WarningDialog", Paint);

} // namespace
