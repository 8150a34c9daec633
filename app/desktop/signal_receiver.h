#pragma once

#include <glib-object.h>

namespace quillomat {

// Stands for a C++ object in its C signal connections and asynchronous calls: each handler is
// connected with g_signal_connect_object to a plain GObject that ends with the receiver, and a
// call's answer finds no owner once the receiver is gone, so nothing reaches a freed object
// however the connections and calls were left.
template <typename Owner>
class SignalReceiver {
public:
    explicit SignalReceiver(Owner& owner) : object_(G_OBJECT(g_object_new(G_TYPE_OBJECT, nullptr)))
    {
        g_object_set_qdata(object_, Quark(), &owner);
    }
    ~SignalReceiver()
    {
        g_object_set_qdata(object_, Quark(), nullptr);
        // Ends the connections now, even while calls still hold the object.
        g_object_run_dispose(object_);
        g_object_unref(object_);
    }
    SignalReceiver(const SignalReceiver&) = delete;
    SignalReceiver& operator=(const SignalReceiver&) = delete;

    // `handler` gets this receiver's object as its last argument; OwnerOf turns it back.
    void Connect(gpointer instance, const char* signal, GCallback handler)
    {
        g_signal_connect_object(instance, signal, handler, object_, GConnectFlags(0));
    }

    // The user data of an asynchronous call, for Answered to take back in its callback.
    gpointer ForCall() { return g_object_ref(object_); }

    // The receiver's owner, or none once it is gone.
    static Owner* OwnerOf(gpointer receiver)
    {
        return static_cast<Owner*>(g_object_get_qdata(G_OBJECT(receiver), Quark()));
    }

    // The owner of a call's receiver, or none once it is gone; the call's hold ends.
    static Owner* Answered(gpointer receiver)
    {
        Owner* owner = OwnerOf(receiver);
        g_object_unref(receiver);
        return owner;
    }

private:
    static GQuark Quark() { return g_quark_from_static_string("quillomat-signal-receiver"); }

    GObject* object_;
};

}  // namespace quillomat
