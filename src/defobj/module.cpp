// The module registry and the object model's bootstrap.
#include "defobj/module.h"

#include <cstring>
#include <vector>

#include "defobj/Archiver.h"
#include "defobj/Class_s.h"
#include "misc/debugabort.h"
#include "misc/xmalloc.h"

Class* _obj_modules;
unsigned _obj_nmodules;
id _obj_programModule;  // the program has no module record of its own
id _obj_implModule;
id arguments;

namespace {

bool bootstrapped;
// Never destroyed: registered modules and classes outlive every static
// object.
auto& registeredModules = *new std::vector<ProgramModule_c*>;  // in registration order
auto& localClasses = *new std::vector<Class>;                  // classes made at run time

[[noreturn]] void badSymbolTable() { debugabort("Program", 260, "_obj_initModule"); }

void makeSymbols(ProgramModule_c* module) {
  const char* const* names = module->symbolNames;
  if (!names || !*names) return;
  if (**names != '0') badSymbolTable();
  id** variable = module->symbols;
  id kind = nil;
  for (; *names; names++) {
    const char* name = *names;
    if (name[0] == '0') {
      switch (name[1]) {
        case 'S': kind = Symbol; break;
        case 'W': kind = Warning; break;
        case 'E': kind = Error; break;
        default: badSymbolTable();
      }
      continue;
    }
    if (!*variable) badSymbolTable();  // more names than variables
    **variable++ = msg::create_setName(kind, _obj_initZone, name);
  }
}

bool adopts(const Type_c* type, const char* protocol) {
  for (const char* const* s = type->supertypes; s && *s; s++)
    if (std::strcmp(*s, protocol) == 0) return true;
  return false;
}

void makeTypes(ProgramModule_c* module) {
  for (id* entry = module->types; entry && *entry; entry++) {
    auto* type = static_cast<Type_c*>(*entry);
    type->isa = static_cast<Class>(id_Type_c);
    type->zbits = reinterpret_cast<zbits_t>(_obj_initZone);
    type->owner = module;
    if (adopts(type, "CREATABLE") || adopts(type, "RETURNABLE")) type->implementation = Creating;
    *type->typeID = type;
  }
}

void claimClasses(ProgramModule_c* module) {
  for (id** classID = module->classes; classID && *classID; classID++) {
    const Class cls = static_cast<Class>(**classID);
    classData_t data = _obj_getClassData(cls);
    if (data->owner)
      msg::raiseEvent(InternalError, "\r", "_obj_initModule", "Program", 312,
                      "> class %s already belongs to module %s\n", cls->name,
                      static_cast<ProgramModule_c*>(data->owner)->name);
    data->owner = module;
    data->classID = *classID;
    // A class split at bootstrap shows its using class like the others.
    if (data->initialPhase) **classID = usingPhaseOf(cls);
  }
}

// A type named as implemented by creatable classes takes the first phase
// class of the one that has a creating phase.
void bindImplementations(ProgramModule_c* module) {
  for (id** classID = module->classes; classID && *classID; classID++) {
    const Class cls = static_cast<Class>(**classID);
    auto* type = static_cast<Type_c*>(_obj_getClassData(cls)->typeImplemented);
    const Class first = creatingPhaseOf(cls);
    if (!type || !first) continue;
    if (type->implementation == Creating) {
      type->implementation = *type->typeID = first;
    } else if (type->implementation) {
      raiseAt(SourceMessage, "_obj_initModule",
              "initModule(): more than one class specified as implementation\n"
              "for Creating phase of type %s\n(classes include %s and %s)\n",
              type->name, reinterpret_cast<CreatedClass_s*>(type->implementation)->definingClass->name,
              cls->name);
    }
  }
}

void findModuleClasses() {
  const Class base = objc_get_class("Module_super_");
  std::vector<Class> modules;
  void* state = nullptr;
  _obj_nclasses = 0;
  while (Class cls = objc_next_class(&state)) {
    _obj_nclasses++;
    if (cls->superclass == base) modules.push_back(cls);
  }
  _obj_nmodules = modules.size();
  _obj_modules = static_cast<Class*>(_obj_initAlloc(modules.size() * sizeof(Class)));
  std::memcpy(_obj_modules, modules.data(), modules.size() * sizeof(Class));
  for (Class module : modules) msg::initialize(module);
}

id makePhaseSymbol(const char* name) { return msg::create_setName(id_Symbol_c, _obj_initZone, name); }

void bootstrap() {
  bootstrapped = true;
  findModuleClasses();

  const Class zoneClass = static_cast<Class>(id_Zone_c);
  _obj_initZone = static_cast<id>(_obj_initAlloc(zoneClass->instanceSize));
  _obj_initZone->isa = zoneClass;
  Creating = makePhaseSymbol("Creating");
  Setting = makePhaseSymbol("Setting");
  Using = makePhaseSymbol("Using");
  CreatingOnly = makePhaseSymbol("CreatingOnly");
  UsingOnly = makePhaseSymbol("Using");

  _obj_xerror = _obj_xdebug = stderr;

  // Splitting Error_c splits the symbol classes above it, down to
  // Customize_s. The phase symbols, made before there was a using class,
  // join it.
  _obj_splitPhases(static_cast<Class>(id_Error_c));
  for (id phase : {Creating, Setting, Using, CreatingOnly, UsingOnly})
    phase->isa = usingPhaseOf(static_cast<Class>(id_Symbol_c));
  Symbol = _obj_getClassData(static_cast<Class>(id_Symbol_c))->initialPhase;
  Warning = _obj_getClassData(static_cast<Class>(id_Warning_c))->initialPhase;
  Error = _obj_getClassData(static_cast<Class>(id_Error_c))->initialPhase;

  _obj_initModule(&_defobj_);
  _obj_globalZone = msg::create(Zone, _obj_initZone);
  _obj_sessionZone = msg::create(Zone, _obj_initZone);
  _obj_scratchZone = msg::create(Zone, _obj_initZone);
  _obj_GCFixedRootZone = msg::createBegin(Zone, _obj_initZone);
  msg::setGCFixedRootFlag(_obj_GCFixedRootZone, YES);
  _obj_GCFixedRootZone = msg::createEnd(_obj_GCFixedRootZone);
  _obj_initModule(&_collections_);
}

}  // namespace

void* _obj_initAlloc(size_t size) {
  if (!_obj_initZone) return xcalloc(1, size);
  void* block = msg::allocBlock(_obj_initZone, size);
  std::memset(block, 0, size);
  return block;
}

void _obj_initModule(ProgramModule_c* module) {
  if (!bootstrapped) bootstrap();
  if (module->isa) return;
  module->isa = static_cast<Class>(id_ProgramModule_c);
  module->owner = _obj_programModule;
  registeredModules.push_back(module);

  makeSymbols(module);
  makeTypes(module);
  claimClasses(module);
  const id outer = _obj_implModule;
  _obj_implModule = module;
  if (module->implement) module->implement();
  _obj_implModule = outer;
  bindImplementations(module);
  if (module->initialize) module->initialize();
}

id defobj_lookup_type(const char* name) {
  if (!name) return nil;
  for (ProgramModule_c* module : registeredModules)
    for (id* entry = module->types; entry && *entry; entry++) {
      auto* type = static_cast<Type_c*>(*entry);
      if (std::strcmp(type->name, name) == 0) return *type->typeID;
    }
  return nil;
}

Class findTypeOrLocalClass(const char* name) {
  if (id type = defobj_lookup_type(name)) return static_cast<Class>(type);
  for (Class cls : localClasses)
    if (std::strcmp(cls->name, name) == 0) return cls;
  return nil;
}

void registerLocalClass(Class cls) { localClasses.push_back(cls); }

void initDefobj(id args) {
  arguments = args;
  _objc_lookup_class = findTypeOrLocalClass;
  _obj_initArchivers();
}
