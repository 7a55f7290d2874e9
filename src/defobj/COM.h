// The bridge to a foreign host that embeds the toolkit (a COM or
// JavaScript host): the table of host functions that initCOM installs, and
// one function per host service used by the dynamic calls, the probes and
// the object directory. This program never installs a table; without one
// every function answers nil, NO or 0 and does nothing.
#pragma once

#include "defobj/fcall_type.h"

// Host handles; their meaning is the host's.
typedef void* COMobject;
typedef void* COMclass;
typedef void* COMselector;
typedef void* COMmethod;
typedef void* COMargs;
typedef void* JSargs;

typedef void (*COM_collect_variable_func_t)(COMmethod getter, COMmethod setter);
typedef void (*COM_collect_method_func_t)(COMmethod method);
typedef void (*JS_collect_func_t)(const char* name);

// The host's functions, in the order the host fills them in. A selector's
// or method's result is described as the parameter after its last argument.
struct COMInterface {
  COMclass (*COMcopyComponentID)(COMclass cls);
  COMclass (*COMgetClass)(COMobject object);
  COMclass (*COMfindComponent)(const char* className);
  const char* (*COMgetComponentName)(COMclass cls);
  COMobject (*COMcreateComponent)(COMclass cls);
  const char* (*COMgetName)(COMobject object);  // the name of the object's class
  COMobject (*COMnormalize)(COMobject object);
  const char* (*COMcopyString)(const char* text);
  COMselector (*selectorCreate)(COMmethod method);
  COMmethod (*selectorMethod)(COMselector sel);
  BOOL (*selectorQuery)(COMselector sel);
  BOOL (*selectorIsJavaScript)(COMselector sel);
  BOOL (*selectorIsVoidReturn)(COMselector sel);
  BOOL (*selectorIsBooleanReturn)(COMselector sel);
  const char* (*selectorName)(COMselector sel);
  unsigned (*selectorArgCount)(COMselector sel);
  fcall_type_t (*selectorArgFcallType)(COMselector sel, unsigned index);
  COMargs (*COMcreateParams)(unsigned size);
  void (*COMsetArg)(COMargs args, unsigned position, val_t* value);
  void (*COMsetReturn)(COMargs args, unsigned position, val_t* value);
  void (*COMfreeParams)(COMargs args);
  void (*collectMethods)(COMclass cls, COM_collect_variable_func_t variable, COM_collect_method_func_t method);
  const char* (*COMmethodName)(COMmethod method);
  unsigned (*COMmethodArgCount)(COMmethod method);
  fcall_type_t (*COMmethodParamFcallType)(COMmethod method, unsigned index);
  void (*COMmethodSetReturn)(COMmethod method, COMargs args, void* value);
  void (*COMmethodInvoke)(COMobject object, COMmethod method, COMargs args);
  BOOL (*isJavaScript)(COMobject object);
  JSargs (*JScreateParams)(unsigned size);
  void (*JSsetArg)(JSargs args, unsigned position, val_t* value);
  void (*JSsetReturn)(JSargs args, unsigned position, val_t* value);
  void (*JSfreeParams)(JSargs args);
  void (*JSprobeVariable)(COMobject object, const char* name, val_t* result);
  void (*JSsetVariable)(COMobject object, const char* name, val_t* value);
  void (*JSmethodInvoke)(COMobject object, const char* name, JSargs args);
  unsigned (*JSmethodArgCount)(COMobject object, const char* name);
  void (*collectJSProperties)(COMobject object, JS_collect_func_t variable, JS_collect_func_t method);
};

BOOL COM_init_p();
// Installs the host's table (nil removes it) and, with the first table,
// makes the object directory.
void initCOM(COMInterface* table);

// Host names, copied into the scratch zone (nil without a table or name).
char* COM_class_name(COMclass cls);
char* COM_get_class_name(COMobject object);
COMclass COM_get_class(COMobject object);
COMclass COM_find_class(const char* className);
BOOL COM_is_javascript(COMobject object);  // NO for nil

// The host services, passed on unchanged.
const char* COM_copy_string(const char* text);
BOOL COM_selector_is_javascript(COMselector sel);
BOOL COM_selector_is_boolean_return(COMselector sel);
COMselector COM_selector_create(COMmethod method);
COMmethod COM_selector_method(COMselector sel);
COMargs COM_create_params(unsigned size);
void COM_set_arg(COMargs args, unsigned position, val_t* value);
void COM_set_return(COMargs args, unsigned position, val_t* value);
void COM_free_params(COMargs args);
JSargs JS_create_params(unsigned size);
void JS_set_arg(JSargs args, unsigned position, val_t* value);
void JS_set_return(JSargs args, unsigned position, val_t* value);
void JS_free_params(JSargs args);
void COM_collect_variables(COMclass cls, COM_collect_variable_func_t variable);
void COM_collect_methods(COMclass cls, COM_collect_method_func_t method);
void JS_collect_variables(COMobject object, JS_collect_func_t variable);
void JS_collect_methods(COMobject object, JS_collect_func_t method);
void JS_probe_variable(COMobject object, const char* name, val_t* result);
void JS_set_variable(COMobject object, const char* name, val_t* value);
void JS_method_invoke(COMobject object, const char* name, JSargs args);
unsigned JS_method_arg_count(COMobject object, const char* name);
const char* COM_method_name(COMmethod method);
fcall_type_t COM_method_param_fcall_type(COMmethod method, unsigned index);
void COM_method_set_return(COMmethod method, COMargs args, void* value);
void COM_method_invoke(COMobject object, COMmethod method, COMargs args);

// Services that the object directory asks of the host.
COMobject COM_create_component(COMclass cls);
COMobject COM_normalize(COMobject object);
const char* COM_selector_name(COMselector sel);
BOOL COM_selector_is_void_return(COMselector sel);
unsigned COM_selector_arg_count(COMselector sel);
fcall_type_t COM_selector_arg_fcall_type(COMselector sel, unsigned index);
