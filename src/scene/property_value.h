// Copying, sizing and showing typed property values.
#pragma once

#include "orv/property.h"

#include <string>

namespace orv {

// A value of the type filled from a payload pointer (for OVSTRING the text,
// which is copied). False for an unknown type.
bool value_from_payload(int type, const void *payload, OVvalue *out);
// The payload pointer of a value as handlers and setters receive it.
void *value_payload(OVvalue *value);
// A deep copy.
OVvalue value_copy(const OVvalue &value);
// The value as text in its documented form.
std::string value_text(const OVvalue &value);

} // namespace orv
