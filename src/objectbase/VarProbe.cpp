#include "objectbase/VarProbe.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "collections/collections.h"
#include "defobj/address.h"
#include "defobj/objc_array.h"
#include "defobj/phase.h"
#include "defobj/zstrdup.h"
#include "objectbase/notify_targets.h"
#include "objectbase/objectbase.h"
#include "objectbase/probe_text.h"
#include "objectbase/probe_value.h"

namespace {

// Only the class's own table: callers name the class that declares the
// variable.
objc_ivar* ownIvar(Class cls, const char* name) {
  if (objc_ivar_list* list = cls->ivarList)
    for (int i = 0; i < list->ivar_count; i++)
      if (std::strcmp(list->ivar_list[i].ivar_name, name) == 0) return &list->ivar_list[i];
  return nullptr;
}

bool isKindOf(id object, Class cls) {
  for (Class c = object->isa; c; c = c->superclass)
    if (c == cls) return true;
  return false;
}

bool isReal(char type) { return type && std::strchr("fdXD", type); }

// The codes whose values have a text to read back.
bool hasTextForm(fcall_type_t type) {
  return (type >= fcall_type_boolean && type <= fcall_type_long_double) || type == fcall_type_string;
}

}  // namespace

// --- creating ---

id VarProbe::setProbedVariable(const char* name) {
  if (probedVariable) {
    msg::raiseEvent(WarningMessage, "It is an error to reset the variable\n");
    return nil;
  }
  if (name) probedVariable = zstrdup(getZone(), name);
  return this;
}

id VarProbe::createEnd() {
  Probe::createEnd();
  // Without a name or a class there is nothing to look up.
  if (!probedVariable || !probedClass) {
    msg::raiseEvent(WarningMessage, "VarProbe object was not properly initialized.\n");
    msg::drop(this);
    return nil;
  }
  // Foreign objects would take the bridge's path; no host is ever installed.
  if (language != LanguageObjc) debugabort(__FILE_NAME__, __LINE__, "-[VarProbe createEnd]");
  objc_ivar* ivar = ownIvar(probedClass, probedVariable);
  if (!ivar) {
    msg::raiseEvent(WarningMessage, "Warning: variable `%s' not found\n", probedVariable);
    msg::drop(this);
    return nil;
  }
  probedType = zstrdup(_obj_globalZone, ivar->ivar_type);
  setUpType();
  dataOffset = static_cast<int32_t>(ivar->ivar_offset);
  if (probedType[0] == '[') setUpArray();
  return this;
}

void VarProbe::setUpType() {
  interactiveFlag = NO;
  if (probedType[0] == '[' || probedType[0] == '{') return;
  switch (fcall_type_for_objc_type(probedType[0])) {
    case fcall_type_void:
    case fcall_type_object:
    case fcall_type_class:
    case fcall_type_selector:
    case fcall_type_jobject:
    case fcall_type_jstring:
    case fcall_type_jselector:
    case fcall_type_iid: return;
    case fcall_type_float:
    case fcall_type_double:
    case fcall_type_long_double: {
      char format[16];
      std::snprintf(format, sizeof format, "%%.%ug", msg::getDisplayPrecision(probeLibrary));
      floatFormat = zstrdup(getZone(), format);
      break;
    }
    default: break;
  }
  interactiveFlag = YES;
}

void VarProbe::setUpArray() {
  const char* element;
  const std::vector<unsigned> extents = objc_array_dims(probedType, &element);
  if (*element == '(' || *element == '{') {
    baseType = objc_type_for_fcall_type(fcall_type_void);
    msg::raiseEvent(WarningMessage,
                    "Probing of unions and structs not supported.\n[class: `%s', variable: `%s']\n",
                    probedClass->name, probedVariable);
    return;
  }
  rank = static_cast<unsigned>(extents.size());
  dims = static_cast<unsigned*>(msg::alloc(getZone(), rank * sizeof(unsigned)));
  std::memcpy(dims, extents.data(), rank * sizeof(unsigned));
  baseType = objc_type_for_fcall_type(fcall_type_for_objc_type(*element));
}

// --- setting ---

void VarProbe::setNonInteractive() { interactiveFlag = NO; }

void VarProbe::setStringReturnType(id style) { stringReturnType = style; }

void VarProbe::setFloatFormat(const char* format) {
  if (!probedType || !isReal(probedType[0])) {
    msg::raiseEvent(WarningMessage, "%s is not a float or double\n", probedVariable);
    return;
  }
  release(getZone(), floatFormat);
  floatFormat = format ? zstrdup(getZone(), format) : nullptr;
}

// --- reading ---

const char* VarProbe::getProbedVariable() { return probedVariable; }
BOOL VarProbe::getInteractiveFlag() { return interactiveFlag; }
int VarProbe::getDataOffset() { return dataOffset; }
unsigned VarProbe::getRank() { return rank; }
const char* VarProbe::getBaseType() { return baseType; }
unsigned* VarProbe::getDims() { return dims; }

fcall_type_t VarProbe::scalarType() const {
  if (probedType[0] == '[' || probedType[0] == '{') return fcall_type_void;
  return fcall_type_for_objc_type(probedType[0]);
}

char* VarProbe::at(id object) const { return reinterpret_cast<char*>(object) + dataOffset; }

// A probe reads nothing of nil, and with safety on nothing of an object
// of another class, whose variables lie elsewhere.
bool VarProbe::admits(id object) {
  if (!object) return false;
  if (safety && !isKindOf(object, probedClass)) {
    msg::raiseEvent(WarningMessage, "VarProbe for class %s tried on class %s\n", probedClass->name,
                    msg::getName(object));
    return false;
  }
  return true;
}

void* VarProbe::probeRaw(id object) { return admits(object) ? at(object) : nullptr; }

void* VarProbe::probeAsPointer(id object) {
  if (!admits(object)) return nullptr;
  const char type = probedType[0];
  if (std::strchr("#*@^", type)) return loadValue<void*>(at(object));
  if (std::strchr("IiLlCcSs", type))
    return reinterpret_cast<void*>(numberAs<intptr_t>(scalarType(), at(object), "objc_probe_as_pointer"));
  msg::raiseEvent(WarningMessage, "Invalid type `%s' to retrieve as a pointer...\n", probedType);
  return nullptr;
}

id VarProbe::probeObject(id object) {
  if (!admits(object)) return nil;
  if (probedType[0] != '@' && probedType[0] != '#') {
    msg::raiseEvent(WarningMessage, "Invalid type `%s' to retrieve as an object", probedType);
    return nil;
  }
  return loadValue<id>(at(object));
}

int VarProbe::probeAsInt(id object) {
  return admits(object) ? numberAs<int>(scalarType(), at(object), "objc_probe_as_int") : 0;
}

double VarProbe::probeAsDouble(id object) {
  return admits(object) ? numberAs<double>(scalarType(), at(object), "objc_probe_as_double") : 0.0;
}

char* VarProbe::probeAsString_Buffer_withFullPrecision(id object, char* buffer, BOOL fullPrecision) {
  buffer[0] = '\0';
  if (!admits(object)) return buffer;
  switch (probedType[0]) {
    case '[': std::snprintf(buffer, ProbeTextSize, "[..]"); break;
    case '{': std::snprintf(buffer, ProbeTextSize, "{..}"); break;
    case '^': {
      char address[AddressTextSize];
      std::snprintf(buffer, ProbeTextSize, "%s", formatAddress(address, loadValue<void*>(at(object))));
      break;
    }
    default: {
      // A boolean shows as the number and character of its byte.
      fcall_type_t type = scalarType();
      if (type == fcall_type_boolean) type = fcall_type_uchar;
      string_convert(type, at(object), fullPrecision ? nullptr : floatFormat,
                     msg::getSavedPrecision(probeLibrary), stringReturnType, buffer, ProbeTextSize);
    }
  }
  return buffer;
}

char* VarProbe::probeAsString_Buffer(id object, char* buffer) {
  return probeAsString_Buffer_withFullPrecision(object, buffer, NO);
}

id VarProbe::probeAsString(id object) {
  char buffer[ProbeTextSize];
  return msg::create_setC(String, getZone(), probeAsString_Buffer(object, buffer));
}

// Elements are read by their own type, whatever their size; indices
// follow the walk: entering a dimension starts its index at 0, leaving it
// advances the index of the dimension around it.
template <class T, class F>
void VarProbe::iterate(id object, F function, const char* conversion) {
  if (!admits(object)) return;
  const char* base = at(object);
  const fcall_type_t element = rank ? fcall_type_for_objc_type(baseType[0]) : scalarType();
  std::vector<unsigned> indices(rank);
  unsigned current = 0;
  array_visitor visitor;
  visitor.startDimension = [&](unsigned level) {
    indices[level] = 0;
    current = level;
  };
  visitor.endDimension = [&](unsigned level) {
    if (level > 0) indices[level - 1]++;
  };
  visitor.outputElement = [&](fcall_type_t type, unsigned index) {
    function(rank, indices.data(), numberAs<T>(type, base + index * fcall_type_size(type), conversion));
    if (rank) indices[current]++;
  };
  process_array(rank, dims, element, visitor);
}

void VarProbe::iterateAsDouble_using(id object, double_iter_t function) {
  iterate<double>(object, function, "-[VarProbe iterateAsDouble:using:]");
}

void VarProbe::iterateAsInteger_using(id object, int_iter_t function) {
  iterate<int>(object, function, "-[VarProbe iterateAsInteger:using:]");
}

// --- writing ---

void VarProbe::setData_To(id object, const void* value) {
  if (!admits(object)) return;
  if (std::strchr("*@#:^CcSsIiLlQqfdXD", probedType[0]))
    std::memcpy(at(object), value, fcall_type_size(scalarType()));
  else
    msg::raiseEvent(WarningMessage, "Invalid type `%s' to set\n", probedType);
  msg::notifyFor_with(this, object, value);
}

BOOL VarProbe::setData_ToString(id object, const char* text) {
  if (!admits(object)) return NO;
  const fcall_type_t type = scalarType();
  if (!hasTextForm(type) || !convert_from_string(type, stringReturnType, text, at(object))) {
    msg::raiseEvent(WarningMessage, "Error scanning for value in string %s\n", text ? text : "");
    return NO;
  }
  msg::notifyFor_with(this, object, text);
  return YES;
}

// Only objects of a foreign host are written from a double.
void VarProbe::setData_ToDouble(id, double) { debugabort(__FILE_NAME__, __LINE__, "-[VarProbe setData:ToDouble:]"); }

void VarProbe::notifyFor_with(id object, const void* data) {
  forEachTarget(objectToNotify, [&](id target) {
    msg::eventOccurredOn_via_withProbeType_on_ofType_withData(target, object, this, "VarProbe", probedVariable,
                                                              probedType[0], data);
  });
}

// --- copies, descriptions, drop ---

id VarProbe::clone(id zone) {
  id copy = msg::createBegin(objc_get_class("VarProbe"), zone);
  msg::setProbedClass(copy, probedClass);
  msg::setProbedVariable(copy, probedVariable);
  if (objectToNotify) msg::setObjectToNotify(copy, objectToNotify);
  copy = msg::createEnd(copy);
  msg::setStringReturnType(copy, stringReturnType);
  if (floatFormat) msg::setFloatFormat(copy, floatFormat);
  return copy;
}

void VarProbe::describe(id stream) {
  Object_s::describe(stream);
  msg::catC(stream, "variableName: ");
  msg::catC(stream, probedVariable);
  msg::catC(stream, "\n");
}

void VarProbe::drop() {
  release(getZone(), probedVariable);
  release(getZone(), dims);
  release(getZone(), floatFormat);
  release(_obj_globalZone, baseType);
  Probe::drop();
}

REGISTER_CLASS(VarProbe, Probe,
  ivar(&VarProbe::probedVariable, "probedVariable"),
  ivar(&VarProbe::dataOffset, "dataOffset"),
  ivar(&VarProbe::interactiveFlag, "interactiveFlag"),
  ivar(&VarProbe::floatFormat, "floatFormat"),
  ivar(&VarProbe::rank, "rank"),
  ivar(&VarProbe::dims, "dims"),
  ivar(&VarProbe::baseType, "baseType"),
  phase(Phase::Creating),
  method<&VarProbe::setProbedVariable>(msg::setProbedVariable),
  method<&VarProbe::createEnd>(msg::createEnd),
  phase(Phase::Setting),
  method<&VarProbe::setNonInteractive>(msg::setNonInteractive),
  method<&VarProbe::setStringReturnType>(msg::setStringReturnType),
  method<&VarProbe::setFloatFormat>(msg::setFloatFormat),
  phase(Phase::Using),
  method<&VarProbe::getProbedVariable>(msg::getProbedVariable),
  method<&VarProbe::getInteractiveFlag>(msg::getInteractiveFlag),
  method<&VarProbe::getDataOffset>(msg::getDataOffset),
  method<&VarProbe::probeRaw>(msg::probeRaw),
  method<&VarProbe::probeAsPointer>(msg::probeAsPointer),
  method<&VarProbe::probeObject>(msg::probeObject),
  method<&VarProbe::probeAsInt>(msg::probeAsInt),
  method<&VarProbe::probeAsDouble>(msg::probeAsDouble),
  method<&VarProbe::probeAsString>(msg::probeAsString),
  method<&VarProbe::probeAsString_Buffer>(msg::probeAsString_Buffer),
  method<&VarProbe::probeAsString_Buffer_withFullPrecision>(msg::probeAsString_Buffer_withFullPrecision),
  method<&VarProbe::getRank>(msg::getRank),
  method<&VarProbe::getBaseType>(msg::getBaseType),
  method<&VarProbe::getDims>(msg::getDims),
  method<&VarProbe::iterateAsDouble_using>(msg::iterateAsDouble_using),
  method<&VarProbe::iterateAsInteger_using>(msg::iterateAsInteger_using),
  method<&VarProbe::setData_To>(msg::setData_To),
  method<&VarProbe::setData_ToString>(msg::setData_ToString),
  method<&VarProbe::setData_ToDouble>(msg::setData_ToDouble),
  method<&VarProbe::clone>(msg::clone),
  method<&VarProbe::describe>(msg::describe),
  method<&VarProbe::drop>(msg::drop),
  method<&VarProbe::notifyFor_with>(msg::notifyFor_with))
