/* Orvane: the whole public interface. */
#ifndef ORV_H
#define ORV_H

#include "orv_base.h"
#include "message.h"
#include "node.h"
#include "math.h"
#include "geometry.h"
#include "mtable.h"
#include "file.h"
#include "font3d.h"
#include "universe.h"
#include "task.h"
#include "property.h"
#include "viewpoint.h"
#include "light.h"
#include "window.h"
#include "render.h"
#include "sensor.h"
#include "input.h"
#include "motionlink.h"
#include "nodepath.h"
#include "path.h"
#include "net.h"
#include "texture.h"
#include "draw2d.h"

#endif
