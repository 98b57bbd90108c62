// Drawing kit of the picture generator.
//
// The generator draws every picture the style sheets name into
// <program>/Picture/<Folder>/<Name>.png at build time. Each picture folder
// has its own source file here (pictures_<folder>.cpp) that registers itself;
// add a file for your page's folder, nothing shared needs editing:
//
//     #include "kit.h"
//     using namespace kit;
//
//     static void Paint(PictureSink& out)
//     {
//         out.Add("BackGround", Panel({300, 140}));
//         out.Add("Close", IconButton({20, 20}, Glyph::Close, State::Normal));
//         out.Add("CloseHover", IconButton({20, 20}, Glyph::Close, State::Hover));
//     }
//     static const FolderRegistrar registrar("WarningDialog", Paint);
//
// Several files may register the same folder; a name drawn twice in one
// folder stops the build. Names are given without ".png". Draw inside the
// Paint function only: the theme colours are not ready during static
// initialisation.
//
// Theme: one dark theme matching the Option colours of Config.ini — dark
// panels, light text (LabelColor / ButtonColor), one azure accent
// (ComboxSelectColor / SliderColor), fields in ComboxBackGroundColor. Use the
// `theme` colours below rather than inventing new ones, so pages agree.
//
// Pieces (all return transparent ARGB images of exactly the given size):
//   Panel / Backdrop ........ rounded dialog panel, full-window background
//   Button .................. rounded button; Primary (accent), Secondary
//                             (dark outline), Danger; every State differs
//                             visibly (hover lighter, pressed darker and
//                             shifted, checked accent-outlined, disabled dim)
//   IconButton .............. a glyph (close, minimise, arrows, check) on a
//                             round hover/pressed plate (close turns red)
//   CheckBox ................ box unticked / ticked
//   ComboField / ComboArrow / ComboList .. combo-box pieces
//   SliderHandle ............ slider handle
//   Switch .................. on/off switch, off grey, on accent
//   MinusSign / PlusSign .... step buttons: bars across the whole picture
//   VerticalGradient, Mix, WithAlpha, FadingAccent, DrawGlyph, DrawText,
//   RoundedPath, DrawLogoMark, DrawTitleBand ... for your own drawings on a
//   Canvas(); Prepare a QPainter of your own as the kit does.
//   AddIconButton ........... adds an IconButton's three pictures to a folder
//   AddComboBox ............. adds the four pictures of a combo box to a folder
#ifndef PICTUREGEN_KIT_H
#define PICTUREGEN_KIT_H

#include <QColor>
#include <QImage>
#include <QLinearGradient>
#include <QPainterPath>
#include <QRectF>
#include <QSize>
#include <QString>

#include <functional>
#include <vector>

class QPainter;

namespace kit {

namespace theme {
extern const QColor window;      // behind everything (page backgrounds)
extern const QColor panelTop;    // dialog panels: gradient from top ...
extern const QColor panelBottom; // ... to bottom
extern const QColor field;       // combo boxes, edits (ComboxBackGroundColor)
extern const QColor fieldHover;
extern const QColor border;      // 1 px outlines
extern const QColor highlight;   // thin light line along a panel's top edge
extern const QColor text;        // LabelColor
extern const QColor textStrong;  // ButtonColor
extern const QColor textDim;     // secondary text, idle icons
extern const QColor accent;      // ComboxSelectColor, SliderColor
extern const QColor accentHover;
extern const QColor accentPressed;
extern const QColor danger;      // close hover
extern const QColor dangerPressed;
} // namespace theme

enum class State { Normal, Hover, Pressed, Checked, Disabled };
enum class ButtonKind { Primary, Secondary, Danger };
enum class Glyph { Close, Minimise, ArrowLeft, ArrowRight, ArrowUp, ArrowDown, Check };

// --- helpers ------------------------------------------------------------------
QImage Canvas(QSize size); // transparent, ready for QPainter
// Antialiased shapes and text, smoothly scaled pictures: how the kit paints.
void Prepare(QPainter& painter);
QColor Mix(const QColor& a, const QColor& b, qreal t); // t = 0 gives a, 1 gives b
QColor WithAlpha(QColor color, int alpha);
// A horizontal gradient from x0 to x1: the accent fading out towards both
// ends, full from `edge` to 1 - edge of the way.
QLinearGradient FadingAccent(qreal x0, qreal x1, qreal edge);
QLinearGradient VerticalGradient(const QRectF& rect, const QColor& top, const QColor& bottom);
QPainterPath RoundedPath(const QRectF& rect, qreal radius);
// Glyph drawn with round caps inside `box`, crisp at small sizes.
void DrawGlyph(QPainter& painter, Glyph glyph, const QRectF& box, const QColor& color, qreal penWidth);
void DrawText(QPainter& painter, const QRectF& rect, const QString& text, int pixelSize, const QColor& color,
              int flags = 0x0084 /* Qt::AlignCenter */, bool bold = false);
// The Q of the logo: a ring with a short tail, in a box of any size.
void DrawLogoMark(QPainter& painter, const QRectF& box, const QColor& color, qreal pen);
// The title band along the top of the program's windows: the band, the
// accent rule along its top edge, its lower edge, and the logo with the
// program's name, which stay in one place whichever window shows them.
void DrawTitleBand(QPainter& painter, qreal width, qreal height);

// --- pieces -------------------------------------------------------------------
QImage Panel(QSize size, qreal radius = 10);
QImage Backdrop(QSize size);
QImage Button(QSize size, State state, ButtonKind kind = ButtonKind::Primary, qreal radius = 5);
QImage IconButton(QSize size, Glyph glyph, State state);
QImage CheckBox(QSize size, bool checked);
QImage ComboField(QSize size);
QImage ComboArrow(QSize size, bool open);
QImage ComboList(QSize size);
QImage SliderHandle(QSize size, State state);
// A rounded track with a round knob: left and grey when off, right on the
// accent when on.
QImage Switch(QSize size, bool on);
// A 2-pixel bar across the whole width (the minus of a 4-pixel-high picture
// still shows); the plus adds one down the whole height.
QImage MinusSign(QSize size);
QImage PlusSign(QSize size);

// --- registration ---------------------------------------------------------------
class PictureSink {
public:
    virtual ~PictureSink() = default;
    virtual void Add(const QString& name, const QImage& image) = 0;
};

using FolderPainter = void (*)(PictureSink& out);

struct RegisteredFolder {
    QString folder;
    FolderPainter paint;
};

class FolderRegistrar {
public:
    FolderRegistrar(const char* folder, FolderPainter paint);
};

const std::vector<RegisteredFolder>& RegisteredFolders();

// name, name + "Hover" and name + "Click": an IconButton in its normal,
// hover and pressed states.
void AddIconButton(PictureSink& out, const QString& name, QSize size, Glyph glyph);
// ComboboxBack, Menu, MenuClicked and ComboboxTextBack: the field, the arrow
// closed and open, and the open list.
void AddComboBox(PictureSink& out, QSize field, QSize arrow, QSize list);

} // namespace kit

#endif // PICTUREGEN_KIT_H
