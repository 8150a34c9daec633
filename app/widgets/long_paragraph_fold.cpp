#include "app/widgets/long_paragraph_fold.h"

#include <gtkmm/clipboard.h>

#include <algorithm>

#include "app/look/c_callback.h"
#include "app/look/ustring.h"
#include "app/widgets/long_paragraph_fold_texts.h"

namespace quillomat {

namespace {

// Enough for any link code or template written by hand, and quick to lay out.
constexpr int ShownCharactersPerParagraph = 4000;

bool HasTagWithin(const Glib::RefPtr<Gtk::TextTag>& tag, const Gtk::TextIter& from,
                  const Gtk::TextIter& to)
{
    Gtk::TextIter toggle = from;
    return from.has_tag(tag) || (toggle.forward_to_tag_toggle(tag) && toggle < to);
}

bool HasTagThroughout(const Glib::RefPtr<Gtk::TextTag>& tag, const Gtk::TextIter& from,
                      const Gtk::TextIter& to)
{
    Gtk::TextIter toggle = from;
    return from.has_tag(tag) && (!toggle.forward_to_tag_toggle(tag) || toggle >= to);
}

}  // namespace

LongParagraphFold::LongParagraphFold(Gtk::TextView& view)
    : view_(view), buffer_(view.get_buffer()), hidden_(buffer_->create_tag())
{
    hidden_->property_invisible() = true;
    buffer_->signal_insert().connect(sigc::mem_fun(*this, &LongParagraphFold::OnInserted), true);
    buffer_->signal_erase().connect(sigc::mem_fun(*this, &LongParagraphFold::OnErased), true);
    g_signal_connect(view_.gobj(), "copy-clipboard", CSignalCallback<&LongParagraphFold::OnCopy>(),
                     this);
    g_signal_connect(view_.gobj(), "cut-clipboard", CSignalCallback<&LongParagraphFold::OnCut>(),
                     this);
}

void LongParagraphFold::OnInserted(const Gtk::TextIter& end, const Glib::ustring& text, int)
{
    const auto& bytes = text.raw();
    const int lineBreaks = static_cast<int>(std::count(bytes.begin(), bytes.end(), '\n'));
    FoldLines(end.get_line() - lineBreaks, end.get_line());
}

void LongParagraphFold::OnErased(const Gtk::TextIter& start, const Gtk::TextIter&)
{
    FoldLines(start.get_line(), start.get_line());
}

void LongParagraphFold::FoldLines(int firstLine, int lastLine)
{
    for (int line = std::max(firstLine, 0); line <= lastLine; ++line) {
        const Gtk::TextIter lineStart = buffer_->get_iter_at_line(line);
        Gtk::TextIter lineEnd = lineStart;
        if (!lineEnd.ends_line())
            lineEnd.forward_to_line_end();
        Gtk::TextIter foldStart = lineEnd;
        if (lineEnd.get_line_offset() > ShownCharactersPerParagraph)
            foldStart = buffer_->get_iter_at_line_offset(line, ShownCharactersPerParagraph);
        // Untouched lines keep their tags: changing them would lay the paragraph out again.
        if (HasTagWithin(hidden_, lineStart, foldStart))
            buffer_->remove_tag(hidden_, lineStart, foldStart);
        if (foldStart < lineEnd && !HasTagThroughout(hidden_, foldStart, lineEnd))
            buffer_->apply_tag(hidden_, foldStart, lineEnd);
    }
    ShowFoldHint();
}

void LongParagraphFold::ShowFoldHint()
{
    const bool folded = HasTagWithin(hidden_, buffer_->begin(), buffer_->end());
    if (folded == view_.get_has_tooltip())
        return;
    view_.set_tooltip_text(folded ? ToUString(long_paragraph_fold_texts::FoldHint) : "");
    view_.set_has_tooltip(folded);
}

void LongParagraphFold::OnCopy(GtkTextView* view, LongParagraphFold* fold)
{
    // The toolkit would copy only the text it draws.
    if (fold->PutSelectionOnClipboard())
        g_signal_stop_emission_by_name(view, "copy-clipboard");
}

void LongParagraphFold::OnCut(GtkTextView* view, LongParagraphFold* fold)
{
    if (!fold->PutSelectionOnClipboard())
        return;
    fold->buffer_->erase_selection(true, fold->view_.get_editable());
    g_signal_stop_emission_by_name(view, "cut-clipboard");
}

bool LongParagraphFold::PutSelectionOnClipboard()
{
    Gtk::TextIter start, end;
    if (!buffer_->get_selection_bounds(start, end) || !HasTagWithin(hidden_, start, end))
        return false;
    Gtk::Clipboard::get(GDK_SELECTION_CLIPBOARD)->set_text(buffer_->get_text(start, end, true));
    return true;
}

}  // namespace quillomat
