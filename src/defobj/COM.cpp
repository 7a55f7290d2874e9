#include "defobj/COM.h"

#include <type_traits>

#include "defobj/Directory.h"
#include "defobj/defobj.h"
#include "defobj/zstrdup.h"

namespace {

COMInterface* comEnv;

// Calls the table's entry with the arguments as they are; without a table
// the result is zero of its type.
template <auto entry, class... A>
auto callHost(A... args) {
  using Result = decltype((comEnv->*entry)(args...));
  if constexpr (std::is_void_v<Result>) {
    if (comEnv) (comEnv->*entry)(args...);
  } else {
    return comEnv ? (comEnv->*entry)(args...) : Result{};
  }
}

char* scratchCopy(const char* text) { return text ? zstrdup(_obj_scratchZone, text) : nullptr; }

}  // namespace

BOOL COM_init_p() { return comEnv != nullptr; }

void initCOM(COMInterface* table) {
  comEnv = table;
  if (table && !broodDirectory) broodDirectory = msg::create(objc_get_class("Directory"), _obj_globalZone);
}

char* COM_class_name(COMclass cls) { return scratchCopy(callHost<&COMInterface::COMgetComponentName>(cls)); }
char* COM_get_class_name(COMobject object) { return scratchCopy(callHost<&COMInterface::COMgetName>(object)); }
COMclass COM_get_class(COMobject object) { return callHost<&COMInterface::COMgetClass>(object); }
COMclass COM_find_class(const char* className) { return callHost<&COMInterface::COMfindComponent>(className); }
BOOL COM_is_javascript(COMobject object) { return object && callHost<&COMInterface::isJavaScript>(object); }

const char* COM_copy_string(const char* text) { return callHost<&COMInterface::COMcopyString>(text); }
BOOL COM_selector_is_javascript(COMselector sel) { return callHost<&COMInterface::selectorIsJavaScript>(sel); }
BOOL COM_selector_is_boolean_return(COMselector sel) {
  return callHost<&COMInterface::selectorIsBooleanReturn>(sel);
}
COMselector COM_selector_create(COMmethod method) { return callHost<&COMInterface::selectorCreate>(method); }
COMmethod COM_selector_method(COMselector sel) { return callHost<&COMInterface::selectorMethod>(sel); }
COMargs COM_create_params(unsigned size) { return callHost<&COMInterface::COMcreateParams>(size); }
void COM_set_arg(COMargs args, unsigned position, val_t* value) {
  callHost<&COMInterface::COMsetArg>(args, position, value);
}
void COM_set_return(COMargs args, unsigned position, val_t* value) {
  callHost<&COMInterface::COMsetReturn>(args, position, value);
}
void COM_free_params(COMargs args) { callHost<&COMInterface::COMfreeParams>(args); }
JSargs JS_create_params(unsigned size) { return callHost<&COMInterface::JScreateParams>(size); }
void JS_set_arg(JSargs args, unsigned position, val_t* value) {
  callHost<&COMInterface::JSsetArg>(args, position, value);
}
void JS_set_return(JSargs args, unsigned position, val_t* value) {
  callHost<&COMInterface::JSsetReturn>(args, position, value);
}
void JS_free_params(JSargs args) { callHost<&COMInterface::JSfreeParams>(args); }

// One host collector serves both: the callback not wanted is null.
void COM_collect_variables(COMclass cls, COM_collect_variable_func_t variable) {
  callHost<&COMInterface::collectMethods>(cls, variable, COM_collect_method_func_t{});
}
void COM_collect_methods(COMclass cls, COM_collect_method_func_t method) {
  callHost<&COMInterface::collectMethods>(cls, COM_collect_variable_func_t{}, method);
}
void JS_collect_variables(COMobject object, JS_collect_func_t variable) {
  callHost<&COMInterface::collectJSProperties>(object, variable, JS_collect_func_t{});
}
void JS_collect_methods(COMobject object, JS_collect_func_t method) {
  callHost<&COMInterface::collectJSProperties>(object, JS_collect_func_t{}, method);
}

void JS_probe_variable(COMobject object, const char* name, val_t* result) {
  callHost<&COMInterface::JSprobeVariable>(object, name, result);
}
void JS_set_variable(COMobject object, const char* name, val_t* value) {
  callHost<&COMInterface::JSsetVariable>(object, name, value);
}
void JS_method_invoke(COMobject object, const char* name, JSargs args) {
  callHost<&COMInterface::JSmethodInvoke>(object, name, args);
}
unsigned JS_method_arg_count(COMobject object, const char* name) {
  return callHost<&COMInterface::JSmethodArgCount>(object, name);
}
const char* COM_method_name(COMmethod method) { return callHost<&COMInterface::COMmethodName>(method); }
fcall_type_t COM_method_param_fcall_type(COMmethod method, unsigned index) {
  return callHost<&COMInterface::COMmethodParamFcallType>(method, index);
}
void COM_method_set_return(COMmethod method, COMargs args, void* value) {
  callHost<&COMInterface::COMmethodSetReturn>(method, args, value);
}
void COM_method_invoke(COMobject object, COMmethod method, COMargs args) {
  callHost<&COMInterface::COMmethodInvoke>(object, method, args);
}

COMobject COM_create_component(COMclass cls) { return callHost<&COMInterface::COMcreateComponent>(cls); }
COMobject COM_normalize(COMobject object) { return callHost<&COMInterface::COMnormalize>(object); }
const char* COM_selector_name(COMselector sel) { return callHost<&COMInterface::selectorName>(sel); }
BOOL COM_selector_is_void_return(COMselector sel) { return callHost<&COMInterface::selectorIsVoidReturn>(sel); }
unsigned COM_selector_arg_count(COMselector sel) { return callHost<&COMInterface::selectorArgCount>(sel); }
fcall_type_t COM_selector_arg_fcall_type(COMselector sel, unsigned index) {
  return callHost<&COMInterface::selectorArgFcallType>(sel, index);
}
