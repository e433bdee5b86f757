/* Orvane: the keyboard queue, its key codes, and the mouse driver. */
#ifndef ORV_INPUT_H
#define ORV_INPUT_H

#include "orv_base.h"

ORV_EXTERN_C_BEGIN

/* Key codes of the keyboard queue. Printable characters and other typed
 * characters are queued as their character code. */
enum {
    OVKEY_UP = 1000,
    OVKEY_DOWN = 1001,
    OVKEY_RIGHT = 1002,
    OVKEY_LEFT = 1003,
    OVKEY_BACKSPACE = 1008,
    OVKEY_TAB = 1009,
    OVKEY_RETURN = 1013,
    OVKEY_F1 = 1059, /* F2 to F12 follow: OVKEY_F1 + n - 1 */
    OVKEY_F12 = 1070,
    OVKEY_HOME = 1071,
    OVKEY_PAGEUP = 1073,
    OVKEY_END = 1079,
    OVKEY_PAGEDOWN = 1081
};

/* Misc-data bits of a mouse sensor, rebuilt on every update. */
enum {
    OVMOUSE_LEFTPRESSED = 0x001,
    OVMOUSE_MIDDLEPRESSED = 0x002,
    OVMOUSE_RIGHTPRESSED = 0x004,
    OVMOUSE_LEFTHELD = 0x008,
    OVMOUSE_MIDDLEHELD = 0x010,
    OVMOUSE_RIGHTHELD = 0x020,
    OVMOUSE_LEFTRELEASED = 0x040,
    OVMOUSE_RIGHTRELEASED = 0x080,
    OVMOUSE_MIDDLERELEASED = 0x100,
    OVMOUSE_LEFTDOUBLE = 0x200,
    OVMOUSE_RIGHTDOUBLE = 0x400,
    OVMOUSE_MIDDLEDOUBLE = 0x800
};

/* Sets the keyboard-open flag (keys are queued whether or not it is set). */
ORV_API void OVkeyboard_open(void);
/* Clears the keyboard-open flag. */
ORV_API void OVkeyboard_close(void);
/* The keyboard-open flag. */
ORV_API int OVkeyboard_isopen(void);
/* Removes and returns the oldest queued key code; 0 when the queue is empty. */
ORV_API int OVkeyboard_getkey(void);
/* Empties the queue and returns the newest key code; 0 when it was empty. */
ORV_API int OVkeyboard_getlastkey(void);

/* Mouse driver open function: allocates the raw data (two floats); always succeeds. */
ORV_API int OVmouse_open(OVsensor *sensor);
/* Mouse driver close function: nothing to release beyond the raw data. */
ORV_API void OVmouse_close(OVsensor *sensor);
/* Flying update: the cursor's offset from the window centre moves the record. */
ORV_API void OVmouse_fly(OVsensor *sensor);
/* Update that reads the buttons and cursor only; the record stays at rest. */
ORV_API void OVmouse_stateonly(OVsensor *sensor);
/* The toolkit window under the screen cursor (viewport included), or null. */
ORV_API OVwindow *OVmouse_getwindow(void);
/* Whether the cursor lies in the window's viewport and the window is the one under it. */
ORV_API int OVmouse_inwindow(OVsensor *sensor, OVwindow *window);

ORV_EXTERN_C_END

#endif
