/* Orvane: tasks, per-frame functions bound to an owner object and run in
 * ascending order of priority once per simulation pass. */
#ifndef ORV_TASK_H
#define ORV_TASK_H

#include "orv_base.h"

ORV_EXTERN_C_BEGIN

/* A task function, called with its owner; the result is ignored. */
typedef int (*OVtaskfn)(void *owner);

/* A new task, placed by priority at the start of the next tasks slot; null
 * for a null owner or function. */
ORV_API OVtask *OVtask_new(void *owner, OVtaskfn function, float priority);
/* Marks the task deleted; it is freed at the next tasks slot. */
ORV_API int OVtask_delete(OVtask *task);
/* Requests a new priority, taking effect at the next tasks slot. */
ORV_API int OVtask_setpriority(OVtask *task, float priority);
/* The requested priority, or -999999.0 for a null or deleted task. */
ORV_API float OVtask_getpriority(OVtask *task);
/* Stops the task from running until it is resumed. */
ORV_API int OVtask_suspend(OVtask *task);
/* Lets a suspended task run again; false for a deleted task. */
ORV_API int OVtask_resume(OVtask *task);
/* The task's function, or null. */
ORV_API OVtaskfn OVtask_getfunction(OVtask *task);
/* The index-th live task of the owner in creation order, or null. */
ORV_API OVtask *OVtask_get(void *owner, int index);
/* Suspends every task of the owner; false when it has none. */
ORV_API int OVtask_suspendall(void *owner);
/* Resumes every task of the owner; false when it has none. */
ORV_API int OVtask_resumeall(void *owner);
/* Marks every task of the owner deleted; false when it has none. */
ORV_API int OVtask_deleteall(void *owner);
/* The tasks slot of the simulation pass: reorganise, then run. */
ORV_API void OVtask_run(void);
/* Frees every task (universe deletion). */
ORV_API void OVtask_clear(void);

ORV_EXTERN_C_END

#endif
