// The standard functions of each object class, looked up by their exported
// names when the event system starts. Generic code (deletion of any object,
// names, printing) calls through this table.
#pragma once

namespace orv {

struct ClassFunctions {
    void (*destroy)(void *object);
    int (*setdata)(void *object, void *data);
    void *(*getdata)(void *object);
    int (*setname)(void *object, const char *name);
    const char *(*getname)(void *object);
    void (*sethaseventhandlers)(void *object, int flag);
    int (*gethaseventhandlers)(void *object);
    void *(*find)(const char *name, int length);
    bool usable;
};

// Looks the tables up (once per process); reports classes found incomplete.
void load_class_functions();
// The table of a property class (null for a class without one, or before
// loading).
const ClassFunctions *class_functions(int cls);

} // namespace orv
