// Message probes: call one method, named by its selector, on any object
// through a dynamic call, with arguments set beforehand from text or
// numbers; the result comes back as a typed value.
#pragma once

#include "objectbase/Probe.h"

struct MessageProbe : Probe {
  SEL probedSelector;
  char* probedMethodName;  // owned, in the probe's zone
  BOOL hideResultFlag;
  val_t* arguments;        // one per argument, in the probe's zone; null without arguments
  id call;                 // the prepared call of a method without arguments, reused

  // Creating.
  static id create_setProbedSelector(Class cls, id zone, SEL sel);
  void setProbedSelector(SEL sel);
  void setProbedMethodName(const char* name);
  id createEnd();  // nil (and the probe dropped) without a typed selector

  // Setting.
  void setHideResult(BOOL flag);

  // Using.
  BOOL isResultId();
  BOOL isArgumentId(int index);
  const char* getProbedMessage();
  int getArgCount();
  val_t getArg(int index);
  const char* getArgName(int index);  // a new text in _obj_scratchZone, or null
  BOOL getHideResult();
  void setArg_ToString(int index, const char* text);
  void setArg_ToUnsigned(int index, unsigned value);
  val_t dynamicCallOn(id object);
  double doubleDynamicCallOn(id object);
  long longDynamicCallOn(id object);
  const char* stringDynamicCallOn(id object);
  id objectDynamicCallOn(id object);
  id clone(id zone);
  void describe(id stream);
  void drop();

 private:
  val_t& slot(int index, const char* function);
  void releaseSlot(val_t& slot);
};
