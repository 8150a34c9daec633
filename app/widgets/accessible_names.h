#pragma once

#include <string_view>

#include <gtkmm/label.h>
#include <gtkmm/widget.h>

namespace quillomat {

// What a screen reader announces for a control.

// The label and the control point at each other (label-for, labelled-by).
void LabelledBy(Gtk::Widget& control, Gtk::Label& label);
// Besides, the control takes the label's caption as its name.
void NameAfterLabel(Gtk::Widget& control, Gtk::Label& label);
// A name for a control that has no label of its own.
void SetAccessibleName(Gtk::Widget& control, std::string_view name);

}  // namespace quillomat
