// The archiver that keeps each stored object as an archive expression and
// rewrites one text file on sync: the per-user ".broodArchiver", holding
// every application and mode, or the application's own ".scm" file.
#pragma once

#include <string>

#include "defobj/Archiver.h"

struct LispArchiver_c : Archiver_c {
  id inStreamZone;  // holds what the load read; nil when loading is inhibited

  // Creating.
  void setDefaultPath();
  void setDefaultAppPath();
  id createEnd();

  // Using.
  void putDeep_object(const char* key, id object);
  void putShallow_object(const char* key, id object);
  id getWithZone_key(id zone, const char* key);
  void sync();
  void drop();

 private:
  id ensureApp(id key);
  id newApplication(id key);
  void load(FILE* file);
  void put(const char* key, id object, BOOL deep);
  // The file's text; failure tells what keeps it from being written.
  std::string archiveText(std::string& failure);
};

// The objects of one application and mode: each key's stream answers the
// stored expression with getExpr.
extern id id_Application;

struct Application : CreateDrop {
  char* name;     // owned; "EMPTY" until setName:
  id streamMap;   // key (String) -> InputStream or node-mode OutputStream

  static id createBegin(Class cls, id zone);
  void setName(const char* text);
  const char* getName();
  id getStreamMap();
  void drop();
};
