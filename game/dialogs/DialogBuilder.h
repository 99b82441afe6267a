// Turns a dialog template into widgets: the dialog's caption and size, and one child widget
// per control, in template order, with its id, text, style and rectangle.
//
// Dialog units are converted with the template font (its face at its point size at the
// screen's vertical density; "System" falls back to Qt's substitute): the horizontal base
// unit is the font's average character width, the vertical one its character height, and
// x = units * base / 4, y = units * base / 8, rounded to nearest (the platform's rule).
//
// Controls by class:
//   "static"          QLabel (SS_CENTER centres the text; SS_ICON gives an empty label)
//   "edit"            QLineEdit (a frame only with WS_BORDER)
//   "button"          QPushButton for push and default push buttons (the default one becomes
//                     the dialog's default), CheckBox for automatic check boxes
//   "SysListView32"   QListWidget in list mode (columns top to bottom), single selection
//   "SysTabControl32" QTabWidget
//   "CARDFIELD"       what the caller's factory makes, else an empty QWidget
//   "SIPPREF"         the shell's invisible control (platform::gui::CreateSipPrefControl);
//                     nothing is created while the shell's extra classes are not registered
//   anything else     an empty QWidget
// Each control gets: objectName "id<N>" (N = its id; "id-1" for -1; the SIPPREF control keeps
// the name the shell gives it), the properties
// "controlId" (int) and "windowClass" (the template's class name), the template font, its
// rectangle, and is hidden when its style lacks WS_VISIBLE.
#pragma once

#include <QCheckBox>
#include <QFont>
#include <QRect>
#include <QSize>
#include <functional>

#include "game/resources/DialogTemplates.h"

class QWidget;

// Makes the widget for a custom control class (such as "CARDFIELD") as a child of `parent`;
// may return null to let the builder make its default widget.
using ControlFactory = std::function<QWidget*(const ControlTemplate& control, QWidget* parent)>;

// An automatic check box whose label wraps onto several lines within its width.
class CheckBox : public QCheckBox {
    Q_OBJECT

  public:
    explicit CheckBox(const QString& text, QWidget* parent = nullptr);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;

  private:
    QRect IndicatorRect(const QStyleOptionButton& option) const;
    int TextLeft(const QStyleOptionButton& option) const;
};

// The template's font at the screen's density.
QFont TemplateFont(const DialogTemplate& dialog);
// The base units (average character width, character height) of `font`.
QSize DialogBaseUnits(const QFont& font);
// A rectangle in dialog units converted to pixels with `baseUnits`.
QRect MapDialogRect(const QRect& units, const QSize& baseUnits);

// Sets the caption and the client size of `dialog` and creates every control of `tmpl` as a
// direct child of it. Controls that `dialog` already has stay. Null `dialog` does nothing.
void BuildDialog(QWidget* dialog, const DialogTemplate& tmpl, const ControlFactory& factory = {});
// The same with a template id; false (nothing built) when no template has that id.
bool BuildDialog(QWidget* dialog, int templateId, const ControlFactory& factory = {});

// The direct child of `dialog` whose "controlId" property is `id`, or null. With several such
// children (as with id -1) the first in child order.
QWidget* ControlById(const QWidget* dialog, int id);

// Widens the dialog's one-line static texts (left-aligned labels no higher than one line of
// their font) to their text's width, so a label whose font or translation is wider than the
// template allowed is not cut; only into free space, up to the next control on its line or
// the dialog's right edge. Where there is none, the label keeps its template width and is
// clipped. Call after fonts and translations are in place.
void FitStaticTexts(QWidget* dialog);
// Typed form: null also when the control is not a T.
template <class T>
T* ControlById(const QWidget* dialog, int id) {
    return qobject_cast<T*>(ControlById(dialog, id));
}
