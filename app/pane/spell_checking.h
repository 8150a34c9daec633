#pragma once

typedef struct _WebKitWebContext WebKitWebContext;
typedef struct _GSignalInvocationHint GSignalInvocationHint;
typedef struct _GValue GValue;

namespace quillomat {

// French spell-checking in the pages of a web context, as the user writes: WebKit underlines
// misspelt words and its menu offers the corrections first, then "Ignorer" and "Ajouter au
// dictionnaire", which WebKit enables once the word is selected. The dictionary takes megabytes
// and a moment to read, so it is opened at the user's first key or click in a page, never at
// start; where it is missing, pages are not checked and nothing is said.
class SpellChecking {
public:
    explicit SpellChecking(WebKitWebContext* context);
    ~SpellChecking();
    SpellChecking(const SpellChecking&) = delete;
    SpellChecking& operator=(const SpellChecking&) = delete;

private:
    static int OnFirstInput(GSignalInvocationHint* hint, unsigned count, const GValue* values,
                            void* self);
    static int OnContextMenu(GSignalInvocationHint* hint, unsigned count, const GValue* values,
                             void* self);
    bool InContext(const GValue& view) const;
    void OpenDictionary();
    void StopWatchingInput();

    WebKitWebContext* context_;
    // Emission hooks, which see every web view of the context, pop-ups included.
    unsigned long keyHook_ = 0;
    unsigned long buttonHook_ = 0;
    unsigned long menuHook_ = 0;
};

}  // namespace quillomat
