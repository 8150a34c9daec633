#pragma once

#include <gtkmm/textbuffer.h>
#include <gtkmm/textview.h>

namespace quillomat {

// Keeps a text view quick with paragraphs of any length. The toolkit lays out a whole paragraph
// again after every change of style (focus, an open message box) and the cost grows faster than
// the paragraph: a paragraph of 200,000 characters froze the window for minutes. Beyond its
// first few thousand characters a paragraph is therefore kept but not drawn; what the program
// reads, and what the user copies or cuts from the view, is still the whole text.
class LongParagraphFold {
public:
    explicit LongParagraphFold(Gtk::TextView& view);
    LongParagraphFold(const LongParagraphFold&) = delete;
    LongParagraphFold& operator=(const LongParagraphFold&) = delete;

    // Whether some text is kept but not drawn.
    bool Folded() const;

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
