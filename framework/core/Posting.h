#pragma once
#include "FrameworkTypes.h"

class QObject;
class CCmdTarget;

// Posting and sending framework messages to the toolkit object of a window (or any
// QObject whose event() hands MsgEvents to dispatchMsgEvent). Usable without widgets,
// e.g. by the MIDI input thread.

// Queues a MsgEvent (type 1000) for `target`; the queue owns it. Safe from any thread;
// the handler runs later on the target's thread, in posting order. A message still
// queued when the target is destroyed is dropped with it. Returns 0 (also for a null
// target, which is ignored).
int PostMessage(QObject* target, UINT code, WPARAM w = 0, LPARAM l = 0);

// On the target's thread: delivers a MsgEvent (type 1001) at once and returns 1 when
// a map entry handled it, else 0. From another thread: finds the command target that
// owns `target` (see setMsgOwnerLookup) and runs its map lookup on the calling thread,
// returning the lookup's result, or 0 when no owner is found.
int SendMessage(QObject* target, UINT code, WPARAM w = 0, LPARAM l = 0);

// How SendMessage from another thread finds the owner of a toolkit object. The window
// layer installs its FromHandle here.
using MsgOwnerLookup = CCmdTarget* (*)(QObject* object);
void setMsgOwnerLookup(MsgOwnerLookup lookup);
CCmdTarget* msgOwnerOf(QObject* object);
