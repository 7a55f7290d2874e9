// The probe library: hands out the probe map of each class (made on the
// first request, then cached for the whole process), complete maps made
// afresh for their caller, and single probes by name; keeps the display
// and saved precisions of real values.
#pragma once

#include "defobj/CreateDrop.h"

struct ProbeLibrary : CreateDrop {
  id objectToNotify;  // given to every map the library makes
  id classMap;        // class (or registered object) -> probe map
  unsigned sigFigsDisplay;
  unsigned sigFigsSaved;

  id createEnd();
  void setDisplayPrecision(unsigned digits);
  unsigned getDisplayPrecision();
  void setSavedPrecision(unsigned digits);
  unsigned getSavedPrecision();
  BOOL isProbeMapDefinedFor(Class cls);
  BOOL isProbeMapDefinedForObject(id object);
  id getProbeMapFor(Class cls);
  id getProbeMapForObject(id object);
  id getCompleteProbeMapFor(Class cls);
  id getCompleteProbeMapForObject(id object);
  id getCompleteVarMapFor(Class cls);
  id getCompleteVarMapForObject(id object);
  id getProbeForVariable_inClass(const char* name, Class cls);
  id getProbeForVariable_inObject(const char* name, id object);
  id getProbeForMessage_inClass(const char* name, Class cls);
  id getProbeForMessage_inObject(const char* name, id object);
  void setProbeMap_For(id map, Class cls);
  void setProbeMap_ForObject(id map, id object);
  void setObjectToNotify(id object);
  id getObjectToNotify();

 private:
  id newMap(const char* kind, Class cls);
};
