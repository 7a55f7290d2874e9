// A prepared dynamic call: a plain function, or a method of a native
// object, with an argument list (FArguments). libffi prepares the call
// once at createEnd; performCall may then run it any number of times.
#pragma once

#include <ffi.h>

#include "defobj/FArguments.h"

struct FCall_c : CreateDrop_s {
  call_type_t callType;
  FArguments_c* fargs;  // not owned
  ffi_cif cif;
  func_t ffunction;  // the function, or the method's implementation
  id* gcInfo;        // two words: the receiver's class and the receiver
  SEL fmethod;

  // Creating.
  static id createBegin(Class cls, id zone);
  static id create_target_selector_arguments(Class cls, id zone, id target, SEL sel, id arguments);
  static id create_target_methodName_arguments(Class cls, id zone, id target, const char* name, id arguments);
  void setArguments(id arguments);
  void setFunctionPointer(func_t function);
  void setMethodFromSelector_inObject(SEL sel, id object);
  void setMethodFromName_inObject(const char* name, id object);
  void setJavaMethodFromName_inObject(const char* name, id object);
  void setJavaMethodFromName_inClass(const char* name, const char* className);
  id createEnd();

  // Setting.
  id getArguments();
  func_t getFunctionPointer();
  call_type_t getCallType();

  // Using. The calls of for-each actions (a method with no argument that
  // answers nothing or an object) run inline, as plain calls of the
  // implementation; every other call goes through libffi.
  void performCall() {
    FArguments_c* a = fargs;
    if (callType != objccall || !gcInfo[1] || a->assignedArgumentCount != 0) return performGeneralCall();
    // Pointed again at each performance: the argument list may have served
    // another call since.
    a->argValues[1] = &gcInfo[1];
    a->argValues[2] = &fmethod;
    if (a->retVal.type == fcall_type_void)
      reinterpret_cast<void (*)(id, SEL)>(ffunction)(gcInfo[1], fmethod);
    else if (a->retVal.type == fcall_type_object)
      a->retVal.val.object = reinterpret_cast<id (*)(id, SEL)>(ffunction)(gcInfo[1], fmethod);
    else
      performGeneralCall();
  }
  void* getResult();
  // The result's 16 value bytes into buf, and the typed result as the
  // answer, which a forwarding method can hand back unchanged.
  val_t getRetVal_buf(void* record, void* buf);
  void mapAllocations(mapalloc_t mapalloc);

  // performCall's libffi path, and the lookup of updateTarget for a
  // receiver of another class.
  void performGeneralCall();
  void lookUpMethodFor(id target);
};

// Re-aims a prepared method call at another receiver. A receiver of
// another class gets that class's implementation of the selector.
inline void updateTarget(id call, id target) {
  auto* c = static_cast<FCall_c*>(call);
  if (c->callType != objccall) return;
  c->gcInfo[1] = target;
  if ((target ? target->isa : Nil) != static_cast<Class>(c->gcInfo[0])) c->lookUpMethodFor(target);
}
