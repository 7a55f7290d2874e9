#include "defobj/xprint.h"

#include <cstdio>

#include "collections/collections.h"
#include "collections/stream_messages.h"
#include "defobj/Object_s.h"
#include "defobj/address.h"

// The compiled class answers create:setFileStream: in every phase, so the
// stream does not wait for its module to bind the OutputStream type.
id describeStream() {
  static id stream;
  if (!stream) stream = msg::create_setFileStream(objc_get_class("OutputStream_c"), _obj_sessionZone, _obj_xdebug);
  return stream;
}

void Object_s::xprint_() { msg::describe(this, describeStream()); }
void Object_s::xprintid() { msg::describeID(this, describeStream()); }

namespace {

// The for-each forms fall back on the object's own identification.
void printEach(id object, const Message<void(id)>& each, const char* refusal) {
  if (msg::respondsTo(object, each.sel)) {
    each(object, describeStream());
    return;
  }
  std::fputs(refusal, _obj_xdebug);
  msg::describeID(object, describeStream());
}

// Prints "what: object is nil" for nil and answers NO.
BOOL present(id object, const char* what) {
  if (!object) std::fprintf(_obj_xdebug, "%s: object is nil\n", what);
  return object != nil;
}

}  // namespace

void Object_s::xfprint_() {
  printEach(this, msg::describeForEach, "xfprint: object does not respond to describeForEach:\n> object is: ");
}

void Object_s::xfprintid() {
  printEach(this, msg::describeForEachID, "xfprintid: object does not respond to describeForEachID:\n> object is: ");
}

void xprint(id object) {
  if (present(object, "xprint")) msg::xprint_(object);
}

void xprintid(id object) {
  if (present(object, "xprintid")) msg::xprintid(object);
}

void xfprint(id object) {
  if (present(object, "xfprint")) msg::xfprint_(object);
}

void xfprintid(id object) {
  if (present(object, "xfprintid")) msg::xfprintid(object);
}

void xsetname(id object, const char* name) {
  if (!present(object, "xsetname")) return;
  if (!msg::respondsTo(object, msg::setDisplayName.sel)) {
    char address[AddressTextSize];
    std::fprintf(_obj_xdebug, "xsetname: object %sdoes not respond to setDisplayName:\n", formatAddress(address, object));
    return;
  }
  msg::setDisplayName(object, name);
}

void xexec(id object, const char* messageName) {
  if (!object) {
    std::fputs("object is nil\n", _obj_xdebug);
    return;
  }
  SEL sel = sel_get_any_typed_uid(messageName);
  if (!sel) {
    std::fprintf(_obj_xdebug, "message \"%s\" is not defined\n", messageName);
    return;
  }
  if (!msg::respondsTo(object, sel)) {
    char text[ObjectIDTextSize];
    std::fprintf(_obj_xdebug, "Object %s does not respond to message %s\n", formatObjectID(text, object), messageName);
    return;
  }
  msg::perform(object, sel);
}

void xfexec(id collection, const char* messageName) {
  if (!msg::respondsTo(collection, msg::begin.sel)) {
    char address[AddressTextSize];
    std::fprintf(_obj_xdebug,
                 "object %s: %s does not respond to begin:\n"
                 "(begin: is required by xfexec to enumerate the members of a collection)\n",
                 formatAddress(address, collection), collection ? collection->isa->name : "nil");
    return;
  }
  if (!msg::getCount(collection)) {
    std::fputs("collection has no members\n", _obj_xdebug);
    return;
  }
  id index = msg::begin(collection, _obj_scratchZone);
  for (id member = msg::next(index); msg::getLoc(index) == Member; member = msg::next(index))
    xexec(member, messageName);
  msg::drop(index);
}
