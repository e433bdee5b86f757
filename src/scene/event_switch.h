// The global event switch. Compound operations (setting all children, a whole
// transform) turn events off around their inner steps so that only the outer
// change reaches the handlers:
//
//   { orv::EventsOff quiet; ...inner setters... }
//
// While off, OVproperty_firehandlers_pre allows every change and
// OVproperty_firehandlers queues nothing.
#pragma once

#include "orv/orv_base.h"

namespace orv {

bool events_enabled();
// Sets the switch; returns its previous state.
bool set_events_enabled(bool on);

class EventsOff {
  public:
    EventsOff() : previous_(set_events_enabled(false)) {}
    ~EventsOff() { set_events_enabled(previous_); }
    EventsOff(const EventsOff &) = delete;
    EventsOff &operator=(const EventsOff &) = delete;

  private:
    bool previous_;
};

} // namespace orv
