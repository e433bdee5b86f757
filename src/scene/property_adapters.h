// Row setters and getters made from a class's own accessors, so that a class
// binds a property by naming them instead of writing an adaptor per row:
//
//   {orv::PROPERTY_CLASS_VIEWPOINT, 4, orv::set_through<OVviewpoint_setparallax>,
//    orv::get_through<OVviewpoint_getparallax>}
//
// Setters take the value (int f(Object *, T)), the floats of the OVP2, OVP3
// and OVQ rows (const float *) or the text of the OVSTRING rows (const char *).
// Getters return the value or the text (T f(const Object *)), the text being
// copied for the caller, or fill the floats (R f(Object *, float *)); a
// filling getter that returns int reports its own success, any other succeeds.
#pragma once

#include "orv/message.h"

#include <type_traits>

namespace orv {

namespace adapters {

template <class F> struct Setter;
template <class O, class T> struct Setter<int (*)(O *, T)> {
    using Object = O;
    using Value = T;
};

template <class F> struct Getter;
template <class O, class R> struct Getter<R (*)(O *)> {
    using Object = std::remove_const_t<O>;
    static constexpr bool fills = false;
};
template <class O, class R> struct Getter<R (*)(O *, float *)> {
    using Object = std::remove_const_t<O>;
    static constexpr bool fills = true;
};

} // namespace adapters

// The row setter calling Set with the payload.
template <auto Set> int set_through(void *object, const void *payload) {
    using S = adapters::Setter<decltype(Set)>;
    auto *o = static_cast<typename S::Object *>(object);
    using Value = typename S::Value;
    if constexpr (std::is_same_v<Value, const float *> || std::is_same_v<Value, const char *>)
        return Set(o, static_cast<Value>(payload));
    else
        return Set(o, *static_cast<const Value *>(payload));
}

// The row getter calling Get and writing the payload.
template <auto Get> int get_through(void *object, void *payload) {
    using G = adapters::Getter<decltype(Get)>;
    auto *o = static_cast<typename G::Object *>(object);
    if constexpr (!G::fills) {
        using Value = decltype(Get(o));
        if constexpr (std::is_same_v<Value, const char *>)
            *static_cast<char **>(payload) = OVstrdup(Get(o));
        else
            *static_cast<Value *>(payload) = Get(o);
        return 1;
    } else if constexpr (std::is_void_v<decltype(Get(o, nullptr))>) {
        Get(o, static_cast<float *>(payload));
        return 1;
    } else {
        return Get(o, static_cast<float *>(payload)) ? 1 : 0;
    }
}

} // namespace orv
