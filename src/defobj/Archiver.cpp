#include "defobj/Archiver.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "collections/collections.h"
#include "collections/keyed_messages.h"
#include "collections/stream_messages.h"
#include "defobj/archiving_messages.h"
#include "defobj/arguments_messages.h"
#include "defobj/module.h"
#include "defobj/phase.h"
#include "defobj/zstrdup.h"

id lispArchiver, lispAppArchiver, hdf5Archiver, hdf5AppArchiver;

namespace {

void subclassMustImplement(const char* function, const char* selector) {
  raiseAt(SubclassMustImplement, function, "> %s must be implemented by a subclass of Archiver\n", selector);
}

BOOL isClass(id object) { return (object->isa->info & CLS_META) != 0; }

void dropKeysAndMembers(id map) {
  id index = msg::begin(map, _obj_scratchZone);
  id key;
  for (id member = msg::next_(index, &key); msg::getLoc(index) == Member; member = msg::next_(index, &key)) {
    msg::drop(key);
    msg::drop(member);
  }
  msg::drop(index);
}

id makeArchiver(id type, BOOL system, BOOL inhibit) {
  id archiver = msg::createBegin(type, _obj_globalZone);
  if (system) {
    msg::setDefaultPath(archiver);
    msg::setSystemArchiverFlag(archiver, YES);
  } else {
    msg::setDefaultAppPath(archiver);
  }
  msg::setInhibitLoadFlag(archiver, inhibit);
  return msg::createEnd(archiver);
}

}  // namespace

// --- creating ---

id Archiver_c::createBegin(Class cls, id zone) {
  auto* archiver = static_cast<Archiver_c*>(CreateDrop_s::createBegin(cls, zone));
  archiver->applicationMap = msg::create(Map, zone);
  archiver->classes = msg::create(List, zone);
  archiver->instances = msg::create(List, zone);
  return archiver;
}

id Archiver_c::create_setPath(Class cls, id zone, const char* text) {
  id archiver = msg::createBegin(cls, zone);
  msg::setPath(archiver, text);
  return msg::createEnd(archiver);
}

void Archiver_c::setPath(const char* text) {
  if (path) msg::free(getZone(), path);
  path = text ? zstrdup(getZone(), text) : nullptr;
}

void Archiver_c::setInhibitLoadFlag(BOOL flag) { inhibitLoadFlag = flag; }
void Archiver_c::setSystemArchiverFlag(BOOL flag) { systemArchiverFlag = flag; }
void Archiver_c::setDefaultPath() { subclassMustImplement("-[Archiver(c) _setDefaultPath]", "setDefaultPath"); }

void Archiver_c::setDefaultAppPath() {
  subclassMustImplement("-[Archiver(c) _setDefaultAppPath]", "setDefaultAppPath");
}

void Archiver_c::setHomePath(const char* fileName) {
  // An empty variable names no directory (it would mean the root).
  const char* home = std::getenv("HOME");
  if (!home || !*home) home = std::getenv("BROODHOME");
  if (!home || !*home) {
    setPath(nullptr);
    return;
  }
  std::string text = home;
  if (text.empty() || text.back() != '/') text += '/';
  setPath((text + fileName).c_str());
}

// The data path is a fresh copy in the arguments' zone.
void Archiver_c::setAppPath(const char* suffix) {
  const char* directory = msg::getAppDataPath(arguments);
  if (!directory) {
    setPath(nullptr);
    return;
  }
  const char* name = msg::getAppName(arguments);
  setPath((std::string(directory) + (name ? name : "") + suffix).c_str());
  msg::free(msg::getZone(arguments), const_cast<char*>(directory));
}

id Archiver_c::createAppKey(id zone, const char* application, const char* mode) {
  return msg::create_setC(String, zone,
                          (std::string(application ? application : "") + "/" + (mode ? mode : "")).c_str());
}

id Archiver_c::createEnd() {
  currentApplicationKey =
      createAppKey(getZone(), msg::getAppName(arguments), msg::getAppModeString(arguments));
  return CreateDrop_s::createEnd();
}

// --- using ---

id Archiver_c::currentEntry() { return msg::at(applicationMap, currentApplicationKey); }

void Archiver_c::insertCurrentEntry(id entry) {
  msg::at_insert(applicationMap, msg::copy(currentApplicationKey, getZone()), entry);
}

void Archiver_c::sortByKey(Entries& entries) {
  std::stable_sort(entries.begin(), entries.end(),
                   [](const auto& a, const auto& b) { return msg::compare(a.first, b.first) < 0; });
}

void Archiver_c::insertSorted(id map, const Entries& entries) {
  for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry)
    msg::at_insert(map, entry->first, entry->second);
}

void Archiver_c::registerClient(id client) {
  id list = isClass(client) ? classes : instances;
  if (!msg::contains(list, client)) msg::addLast(list, client);
}

void Archiver_c::unregisterClient(id client) { msg::remove(isClass(client) ? classes : instances, client); }

void Archiver_c::putDeep_object(const char*, id) {
  subclassMustImplement("-[Archiver(c) _putDeep:object:]", "putDeep:object:");
}

void Archiver_c::putShallow_object(const char*, id) {
  subclassMustImplement("-[Archiver(c) _putShallow:object:]", "putShallow:object:");
}

id Archiver_c::getObject(const char* key) { return msg::getWithZone_key(this, getZone(), key); }

id Archiver_c::getWithZone_key(id, const char*) {
  subclassMustImplement("-[Archiver(c) _getWithZone:key:]", "getWithZone:key:");
  return nil;
}

void Archiver_c::sync() { subclassMustImplement("-[Archiver(c) _sync]", "sync"); }

void Archiver_c::updateArchiver_() {
  id index = msg::begin(classes, _obj_scratchZone);
  for (id cls = msg::next(index); msg::getLoc(index) == Member; cls = msg::next(index))
    msg::putShallow_object(this, static_cast<Class>(cls)->name, cls);
  msg::drop(index);
  index = msg::begin(instances, _obj_scratchZone);
  for (id client = msg::next(index); msg::getLoc(index) == Member; client = msg::next(index))
    msg::updateArchiver(client, this);
  msg::drop(index);
}

// The clients belong to others.
void Archiver_c::drop() {
  if (path) msg::free(getZone(), path);
  dropKeysAndMembers(applicationMap);
  msg::drop(applicationMap);
  msg::drop(classes);
  msg::drop(instances);
  msg::drop(currentApplicationKey);
  Object_s::drop();
}

void _obj_initArchivers() {
  const BOOL inhibit = msg::getInhibitArchiverLoadFlag(arguments) || std::getenv("BROOD_INHIBIT_ARCHIVER_LOAD");
  for (id* global : {&hdf5Archiver, &hdf5AppArchiver, &lispArchiver, &lispAppArchiver})
    if (*global) msg::drop(*global);
  hdf5Archiver = makeArchiver(HDF5Archiver, YES, inhibit);
  hdf5AppArchiver = makeArchiver(HDF5Archiver, NO, inhibit);
  lispArchiver = makeArchiver(LispArchiver, YES, inhibit);
  lispAppArchiver = makeArchiver(LispArchiver, NO, inhibit);
}

REGISTER_CLASS(Archiver_c, CreateDrop_s,
  ivar(&Archiver_c::currentApplicationKey, "currentApplicationKey"),
  ivar(&Archiver_c::applicationMap, "applicationMap"),
  ivar(&Archiver_c::inhibitLoadFlag, "inhibitLoadFlag"),
  ivar(&Archiver_c::systemArchiverFlag, "systemArchiverFlag"),
  ivar(&Archiver_c::path, "path"),
  ivar(&Archiver_c::classes, "classes"),
  ivar(&Archiver_c::instances, "instances"),
  classMethod<&Archiver_c::createBegin>(msg::createBegin),
  classMethod<&Archiver_c::create_setPath>(msg::create_setPath),
  phase(Phase::Creating),
  method<&Archiver_c::setPath>(msg::setPath),
  method<&Archiver_c::setInhibitLoadFlag>(msg::setInhibitLoadFlag),
  method<&Archiver_c::setSystemArchiverFlag>(msg::setSystemArchiverFlag),
  method<&Archiver_c::setDefaultPath>(msg::setDefaultPath),
  method<&Archiver_c::setDefaultAppPath>(msg::setDefaultAppPath),
  method<&Archiver_c::createEnd>(msg::createEnd),
  phase(Phase::Setting),
  method<&Archiver_c::drop>(msg::drop),
  phase(Phase::Using),
  method<&Archiver_c::registerClient>(msg::registerClient),
  method<&Archiver_c::unregisterClient>(msg::unregisterClient),
  method<&Archiver_c::putDeep_object>(msg::putDeep_object),
  method<&Archiver_c::putShallow_object>(msg::putShallow_object),
  method<&Archiver_c::getObject>(msg::getObjectByKey),
  method<&Archiver_c::getWithZone_key>(msg::getWithZone_key),
  method<&Archiver_c::sync>(msg::sync),
  method<&Archiver_c::updateArchiver_>(msg::updateArchiver_))
