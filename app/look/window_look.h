#pragma once

#include <string>

#include <gdkmm/pixbuf.h>
#include <gtkmm/widget.h>
#include <gtkmm/window.h>

namespace quillomat {

// The program's look: Tahoma 8.25 pt on #EEEEEA, flat single-line borders and controls exactly
// as small as the layouts say. The style sheet keys on these marks.
void LoadProgramStyle();
void MarkAsProgramWindow(Gtk::Window& window);
// A fixed single-line border without minimise and maximise buttons, from the window's realising.
void GiveFixedBorder(Gtk::Window& window);
// The window's text and the sizes of its style are drawn at this resolution rather than the
// screen's: a window that fits the screen only with smaller text.
void UseTextResolution(Gtk::Window& window, double dotsPerInch);
void MarkAsWhiteButton(Gtk::Widget& button);
void MarkAsBold(Gtk::Widget& control);
void MarkAsItalic(Gtk::Widget& control);
void MarkAsTextBox(Gtk::Widget& entry);
void MarkAsBlackText(Gtk::Widget& control);
void MarkAsWarningText(Gtk::Widget& control);
// Underlined blue text.
void MarkAsLink(Gtk::Widget& control);

// The program's icon in its three sizes.
void SetProgramIcon(Gtk::Window& window);

// A picture of the bundle, stretched to the given size.
Glib::RefPtr<Gdk::Pixbuf> LoadBundledPicture(const std::string& name, int width, int height);

}  // namespace quillomat
