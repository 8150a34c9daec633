#pragma once

#include <gtkmm/textbuffer.h>
#include <gtkmm/textview.h>

namespace quillomat {

// Keeps a text view quick with paragraphs of any length: the toolkit lays out a whole paragraph
// again at every change of style (focus, an open message box), and one of 200,000 characters
// froze the window for minutes. Beyond its first few thousand characters a paragraph is kept but
// not drawn; what the program reads, and what the user copies or cuts, is the whole text.
class LongParagraphFold {
public:
    explicit LongParagraphFold(Gtk::TextView& view);
    LongParagraphFold(const LongParagraphFold&) = delete;
    LongParagraphFold& operator=(const LongParagraphFold&) = delete;

private:
    void OnInserted(const Gtk::TextIter& end, const Glib::ustring& text, int bytes);
    void OnErased(const Gtk::TextIter& start, const Gtk::TextIter& end);
    void FoldLines(int firstLine, int lastLine);
    void ShowFoldHint();
    static void OnCopy(GtkTextView* view, LongParagraphFold* fold);
    static void OnCut(GtkTextView* view, LongParagraphFold* fold);
    bool PutSelectionOnClipboard();

    Gtk::TextView& view_;
    Glib::RefPtr<Gtk::TextBuffer> buffer_;
    Glib::RefPtr<Gtk::TextTag> hidden_;
};

}  // namespace quillomat
