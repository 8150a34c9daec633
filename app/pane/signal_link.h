#pragma once

#include <glib-object.h>
#include <sigc++/trackable.h>

#include "app/look/c_callback.h"

namespace quillomat {

namespace signal_link_detail {

void Connect(gpointer instance, const char* signal, GCallback callback, gpointer data,
             sigc::trackable& receiver);

}  // namespace signal_link_detail

// Connects `Handler` to `signal` of the GObject `instance`, with `receiver` as its data, for as
// long as both live: the connection ends with whichever goes first, so that a handler never runs
// for a receiver that is gone, nor is the handler of a disposed object disconnected. An exception
// the handler throws goes to the program's report (CCallback).
template <auto Handler, typename Receiver>
void ConnectWhileAlive(gpointer instance, const char* signal, Receiver* receiver)
{
    signal_link_detail::Connect(instance, signal, CSignalCallback<Handler>(), receiver, *receiver);
}

}  // namespace quillomat
