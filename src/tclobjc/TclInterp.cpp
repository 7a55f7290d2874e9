#include "tclobjc/TclInterp.h"

#include <unistd.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "defobj/Zone.h"
#include "defobj/zstrdup.h"
#include "tclobjc/HashTable.h"
#include "tclobjc/TclObjcList.h"
#include "tclobjc/report.h"
#include "tclobjc/tclObjc.h"

namespace {

// Every interpreter ever initialised, in order.
id tclList = nil;

id theList() {
  if (!tclList) tclList = msg::init(msg::alloc_(objc_get_class("TclObjcList")));
  return tclList;
}

char* copyText(const char* text) {
  const size_t n = std::strlen(text) + 1;
  return static_cast<char*>(std::memcpy(objc_malloc(n), text, n));
}

// Keys and values of the tables are texts or objects, passed untyped.
id asKey(const void* key) { return static_cast<id>(const_cast<void*>(key)); }

void setArgumentVariables(Tcl_Interp* interp, int count, const char* const* words, const char* argv0) {
  char* list = Tcl_Merge(count, words);
  Tcl_SetVar(interp, "argv", list, TCL_GLOBAL_ONLY);
  Tcl_Free(list);
  char number[16];
  std::snprintf(number, sizeof number, "%d", count);
  Tcl_SetVar(interp, "argc", number, TCL_GLOBAL_ONLY);
  Tcl_SetVar(interp, "argv0", argv0, TCL_GLOBAL_ONLY);
}

// The shared body of eval: and globalEval:.
void evaluate(TclInterp* self, size_t bufferSize, bool global, const char* format, va_list args) {
  char* text = static_cast<char*>(objc_malloc(bufferSize));
  const int length = std::vsnprintf(text, bufferSize, format, args);
  if (length < 0 || static_cast<size_t>(length) >= bufferSize) {
    // A cut text would run something other than what was written.
    std::fprintf(stderr, "(Tcl -eval:) text of %d characters does not fit the %zu-byte buffer\n", length,
                 bufferSize);
    Tcl_SetResult(self->interp, const_cast<char*>("text too long for the evaluation buffer"), TCL_STATIC);
    self->code = TCL_ERROR;
    objc_free(text);
    return;
  }
  if (self->evalDebugPrint) std::fprintf(stderr, global ? "(global) %s\n" : "%s\n", text);
  self->code = global ? Tcl_GlobalEval(self->interp, text) : Tcl_Eval(self->interp, text);
  if (self->code != TCL_OK) {
    std::fprintf(stderr, "(Tcl -eval:) %s\n", tclInterp_errorText(self->interp));
    std::fprintf(stderr, "while evaluating: %s\n", text);
  }
  objc_free(text);
}

// eval: (32,768 bytes, current level) and globalEval: (4,096, global).
template <size_t BufferSize, bool Global>
id evalImp(id self, SEL, const char* format, ...) {
  va_list args;
  va_start(args, format);
  evaluate(static_cast<TclInterp*>(self), BufferSize, Global, format, args);
  va_end(args);
  return self;
}

}  // namespace

const char* tclInterp_errorText(Tcl_Interp* interp) {
  const char* info = Tcl_GetVar(interp, "errorInfo", TCL_GLOBAL_ONLY);
  return info ? info : Tcl_GetStringResult(interp);
}

BOOL tclInterp_isInterpreter(const void* object) {
  if (!tclList) return NO;
  for (unsigned i = 0, n = msg::count(tclList); i < n; i++)
    if (msg::objectAt(tclList, i) == object) return YES;
  return NO;
}

id TclInterp::initWithArgc_argv(int argc, const char* const* argv) {
  Object::init();
  const char* script = msg::preInitWithArgc_argv(this, argc, argv);
  registerObject_withName(this, "objcTcl");
  if (script) {
    evalFile(script);
    if (code != TCL_OK) {
      tclObjc_error("%s\n", tclInterp_errorText(interp));
      free_();
      return nil;
    }
  }
  return this;
}

const char* TclInterp::preInitWithArgc_argv(int argc, const char* const* argv) {
  msg::addObject(theList(), this);
  Class table = objc_get_class("HashTable");
  namesToObjects = msg::newKeyDesc_valueDesc(table, "*", "@");
  objectsToNames = msg::newKeyDesc_valueDesc(table, "@", "*");
  Tcl_FindExecutable(argv[0]);
  interp = Tcl_CreateInterp();
  const char* script = nullptr;
  if (argc < 2 || argv[1][0] == '-') {
    setArgumentVariables(interp, argc - 1, argv + 1, argv[0]);
  } else {
    script = argv[1];
    setArgumentVariables(interp, argc - 2, argv + 2, script);
  }
  Tcl_SetVar(interp, "tcl_interactive", "1", TCL_GLOBAL_ONLY);
  Tcl_SetVar(interp, "tclObjc", tclObjc_objectToName(this), TCL_GLOBAL_ONLY);
  if (Tcl_Init(interp) != TCL_OK || TclObjc_Init(interp) != TCL_OK) {
    tclObjc_error("%s\n", tclInterp_errorText(interp));
    return nullptr;
  }
  Tcl_SetVar(interp, "tcl_rcFileName", "~/.wishrc", TCL_GLOBAL_ONLY);
  return script;
}

id TclInterp::evalFile(const char* path) {
  code = Tcl_EvalFile(interp, path);
  if (code != TCL_OK) {
    std::fprintf(stderr, "(Tcl -evalFile:) %s\n", tclInterp_errorText(interp));
    std::fprintf(stderr, "while evaluating contents of file %s\n", path);
  }
  return this;
}

const char* TclInterp::result() { return Tcl_GetStringResult(interp); }
int TclInterp::getCode() { return code; }
Tcl_Interp* TclInterp::getInterp() { return interp; }

namespace {

const char* valueOf(Tcl_Interp* interp, const char* name, int flags) {
  const char* value = Tcl_GetVar(interp, name, flags);
  if (!value) std::fprintf(stderr, "(Tcl variableValue:) %s isn't a variable\n", name);
  return value;
}

}  // namespace

const char* TclInterp::variableValue(const char* name) { return valueOf(interp, name, 0); }
const char* TclInterp::globalVariableValue(const char* name) { return valueOf(interp, name, TCL_GLOBAL_ONLY); }
BOOL TclInterp::variableExists(const char* name) { return Tcl_GetVar(interp, name, 0) ? YES : NO; }
BOOL TclInterp::globalVariableExists(const char* name) {
  return Tcl_GetVar(interp, name, TCL_GLOBAL_ONLY) ? YES : NO;
}

id TclInterp::registerObject_withName(id object, const char* name) {
  unregisterObjectNamed(name);
  unregisterObject(object);
  char* copy = copyText(name);
  msg::insertKey_value(namesToObjects, copy, object);
  msg::insertKey_value(objectsToNames, object, copy);
  tclObjc_registerObjectWithName(interp, object, copy);
  return this;
}

id TclInterp::unregisterObject(id object) {
  auto* name = static_cast<char*>(msg::valueForKey(objectsToNames, object));
  if (!name) return this;
  tclObjc_unregisterObjectNamed(interp, name);
  msg::removeKey(namesToObjects, asKey(name));
  msg::removeKey(objectsToNames, object);
  objc_free(name);
  return this;
}

id TclInterp::unregisterObjectNamed(const char* name) {
  if (msg::isKey(namesToObjects, name)) unregisterObject(static_cast<id>(msg::valueForKey(namesToObjects, name)));
  return this;
}

const char* TclInterp::nameForObject(id object) {
  return static_cast<const char*>(msg::valueForKey(objectsToNames, object));
}
BOOL TclInterp::objectIsRegistered(id object) { return msg::isKey(objectsToNames, object); }
BOOL TclInterp::nameIsRegistered(const char* name) { return msg::isKey(namesToObjects, name); }

id TclInterp::objectNamed(const char* name) {
  id object = tclObjc_nameToObject(name);
  if (object != TclObjcNotFound) return object;
  return msg::isKey(namesToObjects, name) ? static_cast<id>(msg::valueForKey(namesToObjects, name))
                                          : TclObjcNotFound;
}

void TclInterp::setEvalDebugPrint(BOOL flag) { evalDebugPrint = flag; }
void TclInterp::setSecondaryLibraryPath(const char* path) { secondaryPath = path; }

const char* TclInterp::checkPath_subdirectory_file(const char* path, const char* subdirectory, const char* file) {
  Tcl_DString text;
  Tcl_DStringInit(&text);
  Tcl_DStringAppend(&text, path, -1);
  if (!*path || path[std::strlen(path) - 1] != '/') Tcl_DStringAppend(&text, "/", 1);
  if (subdirectory) {
    Tcl_DStringAppend(&text, subdirectory, -1);
    Tcl_DStringAppend(&text, "/", 1);
  }
  const int directoryLength = Tcl_DStringLength(&text);
  Tcl_DStringAppend(&text, file, -1);
  const bool readable = access(Tcl_DStringValue(&text), R_OK) == 0;
  Tcl_DStringSetLength(&text, directoryLength);
  char* directory = readable ? zstrdup(_obj_scratchZone, Tcl_DStringValue(&text)) : nullptr;
  Tcl_DStringFree(&text);
  return directory;
}

void TclInterp::promptAndEval() {
  Tcl_DString command;
  Tcl_DStringInit(&command);
  char line[1000];
  std::fputs("Tcl% ", stdout);
  std::fflush(stdout);
  while (std::fgets(line, sizeof line, stdin)) {
    const char* text = Tcl_DStringAppend(&command, line, -1);
    if (!Tcl_CommandComplete(text)) {
      std::fputs("Tcl> ", stdout);
    } else {
      const int status = Tcl_RecordAndEval(interp, text, 0);
      const char* answer = Tcl_GetStringResult(interp);
      if (status != TCL_OK) std::fprintf(stderr, "%s\n", answer);
      else if (*answer) std::printf("%s\n", answer);
      Tcl_DStringSetLength(&command, 0);
      std::fputs("Tcl% ", stdout);
    }
    std::fflush(stdout);
  }
  std::putchar('\n');
  Tcl_DStringFree(&command);
}

id TclInterp::free_() {
  msg::removeObject(theList(), this);
  // Proxies made later must not bind to a deleted interpreter.
  if (tclObjc_lastInterp == interp) tclObjc_lastInterp = nullptr;
  Tcl_DeleteInterp(interp);
  HashState state = static_cast<HashTable*>(objectsToNames)->initState();
  const void* object;
  void* name;
  while (static_cast<HashTable*>(objectsToNames)->nextState_key_value(&state, &object, &name)) objc_free(name);
  msg::free_(namesToObjects);
  msg::free_(objectsToNames);
  return Object::free_();
}

unsigned TclInterp::tclCount(Class) { return msg::count(theList()); }
id TclInterp::tclAtIndex(Class, unsigned index) { return msg::objectAt(theList(), index); }

id TclInterp::firstTcl(Class) {
  id first = msg::objectAt(theList(), 0);
  if (!first) std::fputs("no firstTcl\n", stderr);
  return first;
}

REGISTER_CLASS(TclInterp, Object,
  ivar(&TclInterp::interp, "interp"),
  ivar(&TclInterp::code, "code"),
  ivar(&TclInterp::namesToObjects, "namesToObjects"),
  ivar(&TclInterp::objectsToNames, "objectsToNames"),
  ivar(&TclInterp::evalDebugPrint, "evalDebugPrint"),
  ivar(&TclInterp::secondaryPath, "secondaryPath"),
  method<&TclInterp::initWithArgc_argv>(msg::initWithArgc_argv),
  method<&TclInterp::preInitWithArgc_argv>(msg::preInitWithArgc_argv),
  rawMethod(msg::eval.sel, to_imp(&evalImp<32768, false>)),
  rawMethod(msg::globalEval.sel, to_imp(&evalImp<4096, true>)),
  method<&TclInterp::evalFile>(msg::evalFile),
  method<&TclInterp::result>(msg::result),
  method<&TclInterp::getCode>(msg::code),
  method<&TclInterp::getInterp>(msg::interp),
  method<&TclInterp::variableValue>(msg::variableValue),
  method<&TclInterp::globalVariableValue>(msg::globalVariableValue),
  method<&TclInterp::variableExists>(msg::variableExists),
  method<&TclInterp::globalVariableExists>(msg::globalVariableExists),
  method<&TclInterp::registerObject_withName>(msg::registerObject_withName),
  method<&TclInterp::unregisterObject>(msg::unregisterObject),
  method<&TclInterp::unregisterObjectNamed>(msg::unregisterObjectNamed),
  method<&TclInterp::nameForObject>(msg::nameForObject),
  method<&TclInterp::objectIsRegistered>(msg::objectIsRegistered),
  method<&TclInterp::nameIsRegistered>(msg::nameIsRegistered),
  method<&TclInterp::objectNamed>(msg::objectNamed),
  method<&TclInterp::setEvalDebugPrint>(msg::setEvalDebugPrint),
  method<&TclInterp::setSecondaryLibraryPath>(msg::setSecondaryLibraryPath),
  method<&TclInterp::checkPath_subdirectory_file>(msg::checkPath_subdirectory_file),
  method<&TclInterp::promptAndEval>(msg::promptAndEval),
  method<&TclInterp::free_>(msg::free_),
  classMethod<&TclInterp::tclCount>(msg::tclCount),
  classMethod<&TclInterp::tclAtIndex>(msg::tclAtIndex),
  classMethod<&TclInterp::firstTcl>(msg::firstTcl))
