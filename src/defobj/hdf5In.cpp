#include "defobj/hdf5In.h"

#include "collections/collections.h"
#include "defobj/defobj.h"
#include "defobj/brood_directory.h"
#include "defobj/hdf5_messages.h"
#include "defobj/lispIn.h"
#include "defobj/module.h"

namespace {

// A group with at least one member.
BOOL hasMembers(id node) {
  const hdf5_member_visitor stop = [](id) { return 1; };
  return msg::iterate(node, &stop) > 0;
}

// Only groups and record datasets describe a class; a record dataset's is
// made and registered with its record type.
id classFor(id node) {
  const BOOL dataset = msg::getDatasetFlag(node);
  const BOOL records = msg::getCompoundType(node) != nil;
  if (const char* typeName = msg::getAttribute(node, "type")) {
    id cls = brood_directory_ensure_class_named(typeName);
    msg::free(_obj_scratchZone, const_cast<char*>(typeName));
    if (cls || (dataset && !records)) return cls;
    const Class made = msg::getClass(node);
    if (!dataset) registerLocalClass(made);
    return made;
  }
  if (dataset ? records && msg::getCount(node) < 2 : hasMembers(node)) return msg::getClass(node);
  return dataset && !records ? nil : List;
}

}  // namespace

id hdf5In(id zone, id node) {
  id cls = classFor(node);
  if (!cls) raiseAt(LoadError, "hdf5In", "Failed to find or create class for HDF5 object `%s'", msg::getHDF5Name(node));
  archive_check_creatable(static_cast<Class>(cls), "hdf5In");
  id object = msg::createBegin(cls, zone);
  object = msg::createEnd(msg::hdf5InCreate(object, node));
  return msg::hdf5In(object, node);
}
