#include "app/pane/find_bar.h"

#include <gdk/gdkkeysyms.h>
#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/label.h>
#include <webkit2/webkit2.h>

#include <utility>

#include "app/look/ustring.h"
#include "app/look/window_look.h"
#include "app/pane/signal_link.h"
#include "app/pane/writing_texts.h"
#include "app/widgets/accessible_names.h"
#include "app/widgets/text_box.h"

namespace quillomat {

namespace texts = writing_texts;

namespace {

constexpr guint FindOptions =
    WEBKIT_FIND_OPTIONS_CASE_INSENSITIVE | WEBKIT_FIND_OPTIONS_WRAP_AROUND;
constexpr int FieldCharacters = 30;

// A script world of the program's own, which the page's scripts cannot reach.
constexpr char ScriptWorld[] = "quillomat-find";

bool IsEnter(guint keyval)
{
    return keyval == GDK_KEY_Return || keyval == GDK_KEY_KP_Enter || keyval == GDK_KEY_ISO_Enter;
}

}  // namespace

struct FindBar::Controls {
    Gtk::Box bar{Gtk::ORIENTATION_HORIZONTAL};
    TextBox field;
    Gtk::Button previous{ToUString(texts::PreviousButton)};
    Gtk::Button next{ToUString(texts::NextButton)};
    Gtk::Label place;
    Gtk::Button close{ToUString(texts::CloseButton)};
};

FindBar::FindBar(WebKitWebView* view) : view_(view)
{
    gtk_container_add(GTK_CONTAINER(overlay_.gobj()), GTK_WIDGET(view_));
}

FindBar::~FindBar()
{
    // The page goes with the overlay: nothing it reports reaches the bar from here on.
    notify_callbacks();
}

void FindBar::Build()
{
    controls_ = std::make_unique<Controls>();
    Gtk::Box& bar = controls_->bar;
    bar.set_valign(Gtk::ALIGN_END);
    bar.get_style_context()->add_class("find-bar");
    bar.pack_start(controls_->field, Gtk::PACK_SHRINK);
    bar.pack_start(controls_->previous, Gtk::PACK_SHRINK);
    bar.pack_start(controls_->next, Gtk::PACK_SHRINK);
    bar.pack_start(controls_->place, Gtk::PACK_SHRINK);
    bar.pack_end(controls_->close, Gtk::PACK_SHRINK);
    bar.show_all_children();
    // Shown only when asked for, whatever shows the window.
    bar.set_no_show_all(true);
    overlay_.add_overlay(bar);

    controls_->field.set_width_chars(FieldCharacters);
    SetAccessibleName(controls_->field, texts::FindFieldName);
    for (auto [button, tip] : {std::pair{&controls_->previous, texts::PreviousTip},
                               {&controls_->next, texts::NextTip},
                               {&controls_->close, texts::CloseTip}}) {
        MarkAsWhiteButton(*button);
        button->set_tooltip_text(ToUString(tip));
        // The keys do what the buttons do; the window's keyboard order stays the design's.
        button->set_can_focus(false);
    }

    controls_->field.signal_changed().connect(sigc::mem_fun(*this, &FindBar::Search));
    controls_->previous.signal_clicked().connect([this] { Step(false); });
    controls_->next.signal_clicked().connect([this] { Step(true); });
    controls_->close.signal_clicked().connect(sigc::mem_fun(*this, &FindBar::Close));
    controller_ = webkit_web_view_get_find_controller(view_);
    ConnectWhileAlive<&FindBar::OnFoundText>(controller_, "found-text", this);
    ConnectWhileAlive<&FindBar::OnFailedToFindText>(controller_, "failed-to-find-text", this);
    ConnectWhileAlive<&FindBar::OnLoadChanged>(view_, "load-changed", this);
}

bool FindBar::IsOpen() const
{
    return controls_ && controls_->bar.get_visible();
}

bool FindBar::OnKeyPress(const GdkEventKey& event)
{
    const guint modifiers =
        event.state & (GDK_CONTROL_MASK | GDK_MOD1_MASK | GDK_SHIFT_MASK | GDK_SUPER_MASK);
    if (modifiers == GDK_CONTROL_MASK && (event.keyval == GDK_KEY_f || event.keyval == GDK_KEY_F)) {
        Open();
        return true;
    }
    const bool shiftAlone = (modifiers & ~GDK_SHIFT_MASK) == 0;
    if (shiftAlone && event.keyval == GDK_KEY_F3) {
        Step(!(modifiers & GDK_SHIFT_MASK));
        return true;
    }
    if (!IsOpen() || !controls_->field.is_focus())
        return false;
    if (shiftAlone && IsEnter(event.keyval)) {
        Step(!(modifiers & GDK_SHIFT_MASK));
        return true;
    }
    if (modifiers == 0 && event.keyval == GDK_KEY_Escape) {
        Close();
        return true;
    }
    return false;
}

void FindBar::Open()
{
    if (!controls_)
        Build();
    const bool wasOpen = IsOpen();
    controls_->bar.show();
    // The whole text is selected, ready to be typed over.
    controls_->field.grab_focus();
    if (!wasOpen)
        Search();
}

void FindBar::Close()
{
    if (!IsOpen())
        return;
    const bool focusInBar = controls_->field.is_focus();
    controls_->bar.hide();
    searched_.clear();
    webkit_find_controller_search_finish(controller_);
    // The focus goes back to the page rather than nowhere.
    if (focusInBar)
        gtk_widget_grab_focus(GTK_WIDGET(view_));
}

void FindBar::Search()
{
    searched_ = controls_->field.get_text();
    matchCount_ = 0;
    matchIndex_ = 0;
    if (searched_.empty()) {
        webkit_find_controller_search_finish(controller_);
        ShowPlace(true);
        return;
    }
    // WebKit starts a new search at the page's selection or caret; from the top of the page, the
    // first match found is the first of all. The script goes ahead of the search on one channel.
    webkit_web_view_evaluate_javascript(view_, "getSelection().removeAllRanges()", -1, ScriptWorld,
                                        nullptr, nullptr, nullptr, nullptr);
    pendingSteps_.push_back(0);
    webkit_find_controller_search(controller_, searched_.c_str(), FindOptions, G_MAXUINT);
}

void FindBar::Step(bool forward)
{
    if (!IsOpen()) {
        Open();
        return;
    }
    if (searched_.empty())
        return;
    // Nothing was found: the page may have changed since.
    if (matchCount_ == 0 && pendingSteps_.empty()) {
        Search();
        return;
    }
    pendingSteps_.push_back(forward ? 1 : -1);
    if (forward)
        webkit_find_controller_search_next(controller_);
    else
        webkit_find_controller_search_previous(controller_);
}

// WebKit answers the searches in the order they were asked; only a new search counts matches.
void FindBar::OnFoundText(WebKitFindController*, unsigned count, FindBar* bar)
{
    if (bar->pendingSteps_.empty())
        return;
    const int step = bar->pendingSteps_.front();
    bar->pendingSteps_.pop_front();
    if (step == 0) {
        bar->matchCount_ = count;
        bar->matchIndex_ = 1;
    } else if (bar->matchCount_ > 0) {
        bar->matchIndex_ = (bar->matchIndex_ - 1 + bar->matchCount_ + step) % bar->matchCount_ + 1;
    }
    bar->ShowPlace(true);
}

void FindBar::OnFailedToFindText(WebKitFindController*, FindBar* bar)
{
    if (bar->pendingSteps_.empty())
        return;
    bar->pendingSteps_.pop_front();
    bar->matchCount_ = 0;
    bar->matchIndex_ = 0;
    bar->ShowPlace(false);
}

void FindBar::OnLoadChanged(WebKitWebView*, int loadEvent, FindBar* bar)
{
    if (loadEvent != WEBKIT_LOAD_COMMITTED)
        return;
    // Answers still to come are about the page left.
    bar->pendingSteps_.clear();
    bar->Close();
}

void FindBar::ShowPlace(bool found)
{
    auto style = controls_->field.get_style_context();
    Gtk::Label& place = controls_->place;
    if (searched_.empty())
        place.set_text("");
    else if (found)
        place.set_text(ToUString(texts::MatchPlace(matchIndex_, matchCount_)));
    else
        place.set_text(ToUString(texts::NoMatch));
    if (found || searched_.empty())
        style->remove_class("not-found");
    else
        style->add_class("not-found");
}

}  // namespace quillomat
