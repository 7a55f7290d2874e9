#include "defobj/ForeignProxy.h"

#include "defobj/foreign_messages.h"
#include "defobj/phase.h"

BOOL COMProxy::isCOMProxy() { return YES; }

BOOL JavaProxy::isJavaProxy() { return YES; }
int JavaProxy::compare(id) { return 0; }

// Java is not available here: the counterpart is only finished.
id JavaProxy::createJavaCounterpart(void*) {
  msg::createEnd(this);
  return nil;
}

BOOL JavaClassProxy::isJavaProxy() { return YES; }

REGISTER_CLASS(COMProxy, CreateDrop,
  phase(Phase::Using),
  method<&COMProxy::isCOMProxy>(msg::isCOMProxy))

REGISTER_CLASS(JavaProxy, CreateDrop,
  phase(Phase::Creating),
  method<&JavaProxy::createJavaCounterpart>(msg::createJavaCounterpart),
  phase(Phase::Using),
  method<&JavaProxy::isJavaProxy>(msg::isJavaProxy),
  method<&JavaProxy::compare>(msg::compare))

REGISTER_CLASS(JavaClassProxy, CreateDrop,
  phase(Phase::Using),
  method<&JavaClassProxy::isJavaProxy>(msg::isJavaProxy))

REGISTER_CLASS(JavaCollection, JavaProxy)

REGISTER_CLASS(JavaCollectionIndex, CreateDrop,
  ivar(&JavaCollectionIndex::status, "status"))
