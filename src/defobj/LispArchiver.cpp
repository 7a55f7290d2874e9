#include "defobj/LispArchiver.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "collections/InputStream.h"
#include "collections/collections.h"
#include "collections/keyed_messages.h"
#include "collections/predicates.h"
#include "collections/stream_messages.h"
#include "defobj/archive_file.h"
#include "defobj/archiving_messages.h"
#include "defobj/lispIn.h"
#include "defobj/phase.h"
#include "defobj/zstrdup.h"

namespace {

const char* const LoadFunction = "-[LispArchiver(c) _lispIn:]";
const char* const PairsFunction = "-[LispArchiver(c) _processPairs:]";
const char* const SyncFunction = "-[LispArchiver(c) _sync]";
const char* const CreateEndFunction = "-[LispArchiver(c) _createEnd]";

const char* classNameOf(id object) { return object ? object->isa->name : "nil"; }

template <class F>
void forEachEntry(id map, F&& function) {
  id index = msg::begin(map, _obj_scratchZone);
  id key;
  for (id member = msg::next_(index, &key); msg::getLoc(index) == Member; member = msg::next_(index, &key))
    function(key, member);
  msg::drop(index);
}

template <class F>
void forEachElement(id list, F&& function) {
  id index = msg::begin(list, _obj_scratchZone);
  for (id element = msg::next(index); msg::getLoc(index) == Member; element = msg::next(index)) function(element);
  msg::drop(index);
}

// The key that a pair's car names, as a new String of the zone: a word,
// or the two words of an application key such as '(rarevadiv default). A
// key without "/" is written as one word in parentheses and read back as
// that word.
id pairKey(id zone, id car) {
  if (quotedp(car)) car = msg::getQuotedObject(car);
  if (archiver_list_p(car)) {
    const unsigned count = msg::getCount(car);
    id first = count ? msg::getFirst(car) : nil;
    id last = count ? msg::getLast(car) : nil;
    if (!stringp(first))
      raiseAt(InvalidArgument, PairsFunction, "first pair item not a string (%s)", classNameOf(first));
    if (!stringp(last))
      raiseAt(InvalidArgument, PairsFunction, "second pair item not a string (%s)", classNameOf(last));
    const std::string key = count == 1 ? msg::getC(first) : std::string(msg::getC(first)) + "/" + msg::getC(last);
    return msg::create_setC(String, zone, key.c_str());
  }
  if (!stringp(car)) raiseAt(InvalidArgument, PairsFunction, "key not a string");
  return msg::create_setC(String, zone, msg::getC(car));
}

// (list (cons key value) ...): each key, made in the zone, with its value,
// in file order.
Archiver_c::Entries pairsOf(id expr, id zone) {
  if (!archiver_list_p(expr)) raiseAt(InvalidArgument, PairsFunction, "argument to processPairs not a list");
  id index = msg::begin(expr, _obj_scratchZone);
  if (!list_literal_p(msg::next(index)))
    raiseAt(InvalidArgument, PairsFunction, "first string in processPairs not \"list\"");
  Archiver_c::Entries entries;
  for (id pair = msg::next(index); msg::getLoc(index) == Member; pair = msg::next(index)) {
    if (!pairp(pair)) raiseAt(InvalidArgument, PairsFunction, "Expecting a pair object");
    entries.emplace_back(pairKey(zone, msg::getCar(pair)), msg::getCdr(pair));
  }
  msg::drop(index);
  return entries;
}

// The first of the entries under one key stays, each in a stream of its
// own; the stream map is empty before.
void insertStreams(id map, Archiver_c::Entries entries, id streamZone) {
  Archiver_c::sortByKey(entries);
  Archiver_c::Entries kept;
  for (const auto& [key, expr] : entries) {
    if (!kept.empty() && msg::compare(kept.back().first, key) == 0) {
      raiseAt(WarningMessage, PairsFunction, "Duplicate object key `%s'", msg::getC(key));
      msg::drop(key);
      continue;
    }
    kept.emplace_back(key, msg::create_setExpr(InputStream, streamZone, expr));
  }
  Archiver_c::insertSorted(map, kept);
}

// What keeps a save from being written, as the warning tells it: the
// entry and the cause. Empty while all is well.
using SaveFailure = std::string;

// Keys are written as bare words when they read back as the same word,
// else as string constants; archive text has no way to hold a double quote.
bool catWord(id stream, const char* word) {
  if (archive_symbol_text_p(word)) msg::catC(stream, word);
  else if (!std::strchr(word, '"')) msg::catString(stream, word);
  else return false;
  return true;
}

// (list (cons 'key expr) ...), each newline followed by the indent; the
// first entry that cannot be written ends the text.
void writePairs(id stream, id application, const std::string& indent, SaveFailure& failure) {
  msg::catC(stream, "(list");
  forEachEntry(msg::getStreamMap(application), [&](id key, id entry) {
    if (!failure.empty()) return;
    const std::string where = std::string("entry `") + msg::getC(key) + "' of `" + msg::getName(application) + "'";
    id expr = msg::getExpr(entry);
    if (!archiver_list_p(expr) && !nil_value_p(expr)) {
      failure = where + ": parsed ArchiverList instance expected or nil";
      return;
    }
    msg::catC(stream, ("\n" + indent + "  (cons '").c_str());
    if (!catWord(stream, msg::getC(key))) {
      failure = where + ": its key holds a double quote, which archive text cannot hold";
      return;
    }
    msg::catC(stream, ("\n" + indent + "     ").c_str());
    msg::lispOutDeep(expr, stream);
    msg::catC(stream, ")");
  });
  msg::catC(stream, ")");
}

SaveFailure systemFailure(const char* what) { return std::string(what) + ": " + std::strerror(errno); }

// The text goes to a new file beside the archive, which then takes the
// archive's place: a save that fails leaves the former archive whole.
// A symbolic link is followed to the file it names, so that the link and
// its target never part.
SaveFailure replaceFile(const char* link, const std::string& text) {
  char* resolved = nullptr;
  struct stat status;
  if (lstat(link, &status) == 0 && S_ISLNK(status.st_mode) && !(resolved = realpath(link, nullptr)))
    return "it is a symbolic link to a missing file";
  const std::string target = resolved ? resolved : link;
  std::free(resolved);
  const char* path = target.c_str();
  std::string temporary = target + ".XXXXXX";
  const int fd = mkstemp(temporary.data());
  if (fd < 0) return systemFailure("cannot create a new file beside it");
  mode_t mode;
  if (stat(path, &status) == 0) {
    mode = status.st_mode & 07777;
  } else {
    const mode_t mask = umask(0);
    umask(mask);
    mode = 0666 & ~mask;
  }
  fchmod(fd, mode);
  SaveFailure failure;
  for (size_t done = 0; failure.empty() && done < text.size();) {
    const ssize_t n = write(fd, text.data() + done, text.size() - done);
    if (n > 0) done += n;
    else if (n == 0 || errno != EINTR) failure = systemFailure("cannot write it");
  }
  if (failure.empty() && fsync(fd) != 0) failure = systemFailure("cannot write it");
  if (close(fd) != 0 && failure.empty()) failure = systemFailure("cannot write it");
  if (failure.empty() && std::rename(temporary.c_str(), path) != 0) failure = systemFailure("cannot replace it");
  if (!failure.empty()) unlink(temporary.c_str());
  return failure;
}

}  // namespace

// --- creating ---

void LispArchiver_c::setDefaultPath() { setHomePath(".broodArchiver"); }
void LispArchiver_c::setDefaultAppPath() { setAppPath(".scm"); }

id LispArchiver_c::createEnd() {
  Archiver_c::createEnd();
  ensureApp(msg::copy(currentApplicationKey, getZone()));
  if (inhibitLoadFlag) return this;
  inStreamZone = msg::create(Zone, getZone());
  // A missing file is an empty archive.
  if (FILE* file = path ? archive_open_for_reading(path, CreateEndFunction) : nullptr) {
    load(file);
    std::fclose(file);
  }
  return this;
}

// The Application under the key, made when there is none; the key is the
// map's or dropped.
id LispArchiver_c::ensureApp(id key) {
  if (id application = msg::at(applicationMap, key)) {
    msg::drop(key);
    return application;
  }
  id application = newApplication(key);
  msg::at_insert(applicationMap, key, application);
  return application;
}

id LispArchiver_c::newApplication(id key) {
  id application = msg::create(id_Application, getZone());
  msg::setName(application, msg::getC(key));
  return application;
}

void LispArchiver_c::load(FILE* file) {
  id input = msg::create_setFileStream(InputStream, inStreamZone, file);
  id expr = msg::getExpr(input);
  // An archive is one expression; what follows it would be lost unseen.
  if (expr && msg::getExpr(input))
    raiseAt(LoadError, CreateEndFunction, "> archive %s holds more than one expression\n", path);
  msg::drop(input);
  if (!expr) return;
  id zone = getZone();
  if (!systemArchiverFlag) {
    insertStreams(msg::getStreamMap(currentEntry()), pairsOf(expr, zone), inStreamZone);
    return;
  }
  if (!archiver_list_p(expr)) raiseAt(InvalidArgument, LoadFunction, "argument to Archiver lispIn not a list");
  id head = msg::getCount(expr) ? msg::getFirst(expr) : nil;
  if (!stringp(head)) raiseAt(InvalidArgument, LoadFunction, "Archiver function not a string");
  if (std::strcmp(msg::getC(head), "archiver") != 0)
    raiseAt(InvalidArgument, LoadFunction, "Archiver function name incorrect: [%s]", msg::getC(head));
  // Entries of one application key, however many, fill one Application;
  // only the current application's is in the map before.
  Entries applications = pairsOf(msg::getCount(expr) > 1 ? msg::atOffset(expr, 1) : nil, zone);
  sortByKey(applications);
  Entries made;
  for (size_t first = 0, end; first < applications.size(); first = end) {
    id key = applications[first].first;
    Entries streams;
    for (end = first; end < applications.size() && msg::compare(applications[end].first, key) == 0; end++) {
      for (auto& entry : pairsOf(applications[end].second, zone)) streams.push_back(entry);
      if (end > first) msg::drop(applications[end].first);
    }
    id application;
    if (msg::compare(key, currentApplicationKey) == 0) {
      application = currentEntry();
      msg::drop(key);
    } else {
      application = newApplication(key);
      made.emplace_back(key, application);
    }
    insertStreams(msg::getStreamMap(application), std::move(streams), inStreamZone);
  }
  insertSorted(applicationMap, made);
}

// --- using ---

void LispArchiver_c::put(const char* key, id object, BOOL deep) {
  id streams = msg::getStreamMap(currentEntry());
  id zone = msg::getZone(streams);
  id stream = msg::createBegin(OutputStream, zone);
  msg::setExprFlag(stream, YES);
  stream = msg::createEnd(stream);
  if (!object) msg::catNil(stream);
  else if (deep) msg::lispOutDeep(object, stream);
  else msg::lispOutShallow(object, stream);
  id keyString = msg::create_setC(String, zone, key);
  if (msg::containsKey(streams, keyString)) {
    msg::drop(msg::at_replace(streams, keyString, stream));
    msg::drop(keyString);
  } else {
    msg::at_insert(streams, keyString, stream);
  }
}

void LispArchiver_c::putDeep_object(const char* key, id object) { put(key, object, YES); }
void LispArchiver_c::putShallow_object(const char* key, id object) { put(key, object, NO); }

id LispArchiver_c::getWithZone_key(id zone, const char* key) {
  id keyString = msg::create_setC(String, _obj_scratchZone, key);
  id stream = msg::at(msg::getStreamMap(currentEntry()), keyString);
  msg::drop(keyString);
  return stream ? ::lispIn(zone, msg::getExpr(stream)) : nil;
}

// The clients update what they stored and the whole text is built before
// the file is touched. A save that cannot be written is a warning: the run
// goes on, and the archive on disk stays as it was.
void LispArchiver_c::sync() {
  if (!path) {
    raiseAt(SaveWarning, SyncFunction, "> lisp archive has no path (neither HOME nor BROODHOME is set)\n");
    return;
  }
  msg::updateArchiver_(this);
  SaveFailure failure;
  const std::string text = archiveText(failure);
  if (failure.empty()) failure = replaceFile(path, text);
  if (!failure.empty())
    raiseAt(SaveWarning, SyncFunction, "> lisp archive %s is not saved: %s\n", path, failure.c_str());
}

std::string LispArchiver_c::archiveText(std::string& failure) {
  char* buffer = nullptr;
  size_t size = 0;
  FILE* memory = open_memstream(&buffer, &size);
  id stream = msg::create_setFileStream(OutputStream, _obj_scratchZone, memory);
  if (systemArchiverFlag) {
    msg::catC(stream, "(archiver\n  (list");
    forEachEntry(applicationMap, [&](id key, id application) {
      std::string words = msg::getC(key);
      const size_t slash = words.find('/');
      msg::catC(stream, "\n    (cons '(");
      bool written = catWord(stream, words.substr(0, slash).c_str());
      if (slash != std::string::npos) {
        msg::catC(stream, " ");
        written = catWord(stream, words.substr(slash + 1).c_str()) && written;
      }
      if (!written && failure.empty())
        failure = "application `" + words + "': its key holds a double quote, which archive text cannot hold";
      msg::catC(stream, ")\n      ");
      writePairs(stream, application, "      ", failure);
      msg::catC(stream, ")");
    });
    msg::catC(stream, "))\n");
  } else {
    writePairs(stream, currentEntry(), "", failure);
  }
  msg::drop(stream);
  std::fclose(memory);
  std::string text(buffer, size);
  std::free(buffer);
  return text;
}

// What the load read goes with its zone.
void LispArchiver_c::drop() {
  if (inStreamZone) msg::drop(inStreamZone);
  Archiver_c::drop();
}

// --- Application ---

id Application::createBegin(Class cls, id zone) {
  auto* application = static_cast<Application*>(CreateDrop_s::createBegin(cls, zone));
  application->name = zstrdup(zone, "EMPTY");
  application->streamMap = msg::create(Map, zone);
  return application;
}

void Application::setName(const char* text) {
  msg::free(getZone(), name);
  name = zstrdup(getZone(), text);
}

const char* Application::getName() { return name; }
id Application::getStreamMap() { return streamMap; }

// The streams belong to the archiver's zones.
void Application::drop() {
  msg::free(getZone(), name);
  forEachEntry(streamMap, [](id key, id) { msg::drop(key); });
  msg::drop(streamMap);
  Object_s::drop();
}

REGISTER_CLASS(LispArchiver_c, Archiver_c,
  ivar(&LispArchiver_c::inStreamZone, "inStreamZone"),
  phase(Phase::Creating),
  method<&LispArchiver_c::setDefaultPath>(msg::setDefaultPath),
  method<&LispArchiver_c::setDefaultAppPath>(msg::setDefaultAppPath),
  method<&LispArchiver_c::createEnd>(msg::createEnd),
  phase(Phase::Setting),
  method<&LispArchiver_c::drop>(msg::drop),
  phase(Phase::Using),
  method<&LispArchiver_c::putDeep_object>(msg::putDeep_object),
  method<&LispArchiver_c::putShallow_object>(msg::putShallow_object),
  method<&LispArchiver_c::getWithZone_key>(msg::getWithZone_key),
  method<&LispArchiver_c::sync>(msg::sync))

REGISTER_CLASS(Application, CreateDrop,
  ivar(&Application::name, "name"),
  ivar(&Application::streamMap, "streamMap"),
  classMethod<&Application::createBegin>(msg::createBegin),
  phase(Phase::Setting),
  method<&Application::setName>(msg::setName),
  method<&Application::drop>(msg::drop),
  phase(Phase::Using),
  method<&Application::getName>(msg::getName),
  method<&Application::getStreamMap>(msg::getStreamMap))
