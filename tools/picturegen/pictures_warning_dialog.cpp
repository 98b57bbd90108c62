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
    QLinearGradient line(QPointF(0, 0), QPointF(size.width(), 0));
    QColor faded = theme::accent;
    faded.setAlpha(0);
    line.setColorAt(0.0, faded);
    line.setColorAt(0.2, theme::accent);
    line.setColorAt(0.8, theme::accent);
    line.setColorAt(1.0, faded);
    painter.fillRect(QRectF(1, 1, size.width() - 2, 2), line);
    return image;
}

void Paint(PictureSink& out)
{
    out.Add(QStringLiteral("BackGround"), NoticeBackground({300, 140}));

    out.Add(QStringLiteral("Close"), IconButton({20, 20}, Glyph::Close, State::Normal));
    out.Add(QStringLiteral("CloseHover"), IconButton({20, 20}, Glyph::Close, State::Hover));
    out.Add(QStringLiteral("CloseClick"), IconButton({20, 20}, Glyph::Close, State::Pressed));

    // The offline notice spells its button pictures "ConFirm"; file names
    // are case-sensitive here, so both spellings exist.
    const QSize button(90, 24);
    for (const QString& name : {QStringLiteral("Confirm"), QStringLiteral("ConFirm")}) {
        out.Add(name, Button(button, State::Normal));
        out.Add(name + QStringLiteral("Click"), Button(button, State::Pressed));
    }
}

const FolderRegistrar registrar("WarningDialog", Paint);

} // namespace
