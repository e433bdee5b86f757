// Internal services of the event system for the other modules.
#pragma once

namespace orv {

// Restarts the event clock at 0.
void reset_event_clock();
// Frees every queued event.
void clear_event_queue();
// Drops the queued events and due timed handlers of an object going away.
void forget_queued_events(const void *object);
// Whether the object has a static (applying) or dynamic property of the name.
bool has_property(void *object, const char *name);
// The extension hooks, null when the application exports none.
using ObjectHook = int (*)(void *object);
ObjectHook deleted_hook();
ObjectHook namestored_hook();
// Ends the watches on an object being deleted, calls "_OVbase_deleted" and
// removes its handlers, queued events and dynamic properties.
void base_object_deleted(void *object);
// Whether "_OVbase_isnamestored" forbids renaming the object.
bool base_name_stored(void *object);
// Replaces the object's owned name with a copy of text (null clears it)
// unless "_OVbase_isnamestored" forbids renaming; false then.
bool base_rename(void *object, char *&name, const char *text);
// The extension hook called at the end of every event pass (null if none).
using UpdateHook = void (*)();
UpdateHook update_hook();

} // namespace orv
