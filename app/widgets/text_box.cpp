#include "app/widgets/text_box.h"

#include <gtk/gtk.h>

#include "app/look/window_look.h"

namespace quillomat {

namespace {

// GTK's own buffer stops at 65,535 characters and drops the rest without a word.
struct UnlimitedBuffer {
    GtkEntryBuffer parent;
    GString* text;
    guint characters;
};

struct UnlimitedBufferClass {
    GtkEntryBufferClass parent;
};

G_DEFINE_TYPE(UnlimitedBuffer, unlimited_buffer, GTK_TYPE_ENTRY_BUFFER)

UnlimitedBuffer* Self(GtkEntryBuffer* buffer)
{
    return reinterpret_cast<UnlimitedBuffer*>(buffer);
}

const gchar* GetText(GtkEntryBuffer* buffer, gsize* bytes)
{
    UnlimitedBuffer* self = Self(buffer);
    if (bytes)
        *bytes = self->text->len;
    return self->text->str;
}

guint GetLength(GtkEntryBuffer* buffer)
{
    return Self(buffer)->characters;
}

gsize ByteOffset(const gchar* text, guint characters)
{
    return g_utf8_offset_to_pointer(text, characters) - text;
}

guint InsertText(GtkEntryBuffer* buffer, guint position, const gchar* chars, guint count)
{
    UnlimitedBuffer* self = Self(buffer);
    position = MIN(position, self->characters);
    g_string_insert_len(self->text, ByteOffset(self->text->str, position), chars,
                        ByteOffset(chars, count));
    self->characters += count;
    gtk_entry_buffer_emit_inserted_text(buffer, position, chars, count);
    return count;
}

guint DeleteText(GtkEntryBuffer* buffer, guint position, guint count)
{
    UnlimitedBuffer* self = Self(buffer);
    position = MIN(position, self->characters);
    count = MIN(count, self->characters - position);
    if (count == 0)
        return 0;
    const gsize start = ByteOffset(self->text->str, position);
    const gsize end = start + ByteOffset(self->text->str + start, count);
    g_string_erase(self->text, start, end - start);
    self->characters -= count;
    gtk_entry_buffer_emit_deleted_text(buffer, position, count);
    return count;
}

void Finalize(GObject* object)
{
    g_string_free(reinterpret_cast<UnlimitedBuffer*>(object)->text, TRUE);
    G_OBJECT_CLASS(unlimited_buffer_parent_class)->finalize(object);
}

void unlimited_buffer_class_init(UnlimitedBufferClass* klass)
{
    G_OBJECT_CLASS(klass)->finalize = Finalize;
    GtkEntryBufferClass* bufferClass = GTK_ENTRY_BUFFER_CLASS(klass);
    bufferClass->get_text = GetText;
    bufferClass->get_length = GetLength;
    bufferClass->insert_text = InsertText;
    bufferClass->delete_text = DeleteText;
}

void unlimited_buffer_init(UnlimitedBuffer* self)
{
    self->text = g_string_new(nullptr);
}

}  // namespace

void RemoveLengthLimit(Gtk::Entry& entry)
{
    auto* buffer = static_cast<GtkEntryBuffer*>(g_object_new(unlimited_buffer_get_type(), nullptr));
    entry.set_buffer(Glib::wrap(buffer));
}

TextBox::TextBox()
{
    RemoveLengthLimit(*this);
    MarkAsTextBox(*this);
    // Never shown, but without one the toolkit measures candidates at each change of the look.
    set_invisible_char('*');
}

}  // namespace quillomat
