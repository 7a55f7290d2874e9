// Actions: schedulable units of work. A message to an object (ActionTo),
// a call of a plain function (ActionCall) or a prepared dynamic call
// (FAction); the for-each kinds are in ActionForEach.h and
// ActionHomogeneous.h.
#pragma once

#include <cstdint>

#include "activity/messages.h"
#include "defobj/CreateDrop.h"

// Option bits shared by the option words of plans and for-each actions:
// the order, auto-drop, and the mark of a group made for one time.
inline constexpr uint32_t BitConcurrent = 0x100;
inline constexpr uint32_t BitRandomized = 0x200;
inline constexpr uint32_t BitOrder = BitConcurrent | BitRandomized;
inline constexpr uint32_t BitAutoDrop = 0x400;
inline constexpr uint32_t BitTimeGroup = 0x10000;

struct CAction : CreateDrop_s {
  id owner;               // the schedule or concurrent group holding the action
  void* ownerActions[2];  // link in the owner's member list
  uint32_t bits;
  BOOL autoDropFlag;  // dropping the action drops the call it prepared

  id createEnd();
  id getOwner();
  void setAutoDrop(BOOL flag);
  BOOL getAutoDrop();
  // The top-level placeholder of a plan activity performs nothing.
  void _performAction_(id activity);
};

// The byte offset of a member variable inside objects of class T.
template <class T, class F>
int memberOffset(F T::*field) {
  alignas(T) static unsigned char probe[sizeof(T)];
  return static_cast<int>(reinterpret_cast<unsigned char*>(&(reinterpret_cast<T*>(probe)->*field)) - probe);
}

// An action that performs a prepared dynamic call.
struct PAction : CAction {
  id call;
  IMP perform_imp;  // FCall's performCall, looked up once
  id target;

  id createEnd();
  void drop();

 protected:
  void performCall() { imp_cast<void (*)(id, SEL)>(perform_imp)(call, msg::performCall.sel); }
  void dropCall();
};

// A call action with up to three object arguments.
struct PFAction : PAction {
  unsigned argCount;
  id arg1, arg2, arg3;

  static id createBegin(Class cls, id zone);
  void setArg1(id a);
  void setArg2(id a);
  void setArg3(id a);
  unsigned getNArgs();
  id getArg1();
  id getArg2();
  id getArg3();
  void describe(id stream);

 protected:
  // An argument list in the action's zone with the set arguments.
  id makeArguments(SEL sel);
  void describeArguments(id stream, const char* first, const char* rest);
};

struct ActionCall_c : PFAction {
  func_t funcPtr;

  void setFunctionPointer(func_t function);
  id createEnd();
  func_t getFunctionPointer();
  void _performAction_(id activity);
  void describe(id stream);
};

struct ActionTo_c : PFAction {
  SEL selector;
  id protoTarget;

  void setTarget(id object);
  void setMessageSelector(SEL sel);
  id createEnd();
  id getTarget();
  SEL getMessageSelector();
  void _performAction_(id activity);
  void describe(id stream);

  // A call of the selector on the object, with the action's arguments.
  id makeCall(id object);

 protected:
  void checkArity(const char* function, SEL sel);
  void describeMessage(id stream);
};

struct FAction_c : PAction {
  void setCall(id aCall);
  void setTarget(id object);
  id createEnd();
  id getTarget();
  void _performAction_(id activity);
  void describe(id stream);
};

// Drops a prepared call and its argument list.
void dropCallAndArguments(id call);
