#pragma once

#include "app/desktop/gtk_desktop_services.h"
#include "tests/support/clipboard_reader.h"
#include "tests/support/recording_desktop.h"

namespace quillomat::testing {

// Records boxes like RecordingDesktop but puts the code on the real clipboard, for xclip to read.
class RealClipboardDesktop : public RecordingDesktop {
protected:
    bool PlaceOnClipboard(std::string_view text) override
    {
        RecordingDesktop::PlaceOnClipboard(text);
        return GtkDesktopServices().PutTextOnClipboard(text);
    }
};

}  // namespace quillomat::testing
