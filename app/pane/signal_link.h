#pragma once

#include <glib-object.h>
#include <sigc++/trackable.h>

namespace quillomat {

// Connects `callback` to `signal` of the GObject `instance`, with `data` as its data, for as long
// as both the instance and `receiver` live: the connection ends with whichever goes first, so
// that a handler never runs for a receiver that is gone, nor is the handler of a disposed object
// disconnected.
void ConnectWhileAlive(gpointer instance, const char* signal, GCallback callback, gpointer data,
                       sigc::trackable& receiver);

// The same with the receiver as the data.
template <typename Receiver>
void ConnectWhileAlive(gpointer instance, const char* signal, GCallback callback,
                       Receiver* receiver)
{
    ConnectWhileAlive(instance, signal, callback, receiver,
                      static_cast<sigc::trackable&>(*receiver));
}

}  // namespace quillomat
