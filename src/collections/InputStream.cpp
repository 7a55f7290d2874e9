#include "collections/InputStream.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "collections/ArchiverArray.h"
#include "collections/ArchiverNodes.h"
#include "collections/collections.h"
#include "collections/predicates.h"
#include "collections/stream_messages.h"
#include "defobj/phase.h"

namespace {

const char* const GetExpr = "-[InputStream(c) _getExpr]";

// Deeper nesting than any archive has is refused before it can exhaust
// the stack.
constexpr unsigned MaxDepth = 1000;

BOOL isBlank(int c) { return c == ' ' || c == '\t' || c == '\n' || c == '\f' || c == '\r'; }
BOOL endsToken(int c) { return c == EOF || isBlank(c) || c == '(' || c == ')'; }
BOOL isDigit(int c) { return c >= '0' && c <= '9'; }

// A file that the stream reads is named, so that a person knows which
// archive ends too early; a stream over memory or over a file without a
// name left (a temporary one) has none to give.
[[noreturn]] void endOfFile(FILE* file) {
  const int fd = file ? fileno(file) : -1;
  struct stat status;
  char link[32], path[4096] = {};
  std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
  if (fd >= 0 && fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && status.st_nlink > 0 &&
      readlink(link, path, sizeof path - 1) > 0)
    raiseAt(InvalidArgument, GetExpr, "unexpected EOF in %s\n", path);
  raiseAt(InvalidArgument, GetExpr, "unexpected EOF");
  __builtin_unreachable();
}

// A closing parenthesis or a lone dot where an expression must begin.
void refuseMarker(id expr) {
  if (expr == ArchiverEOL) raiseAt(LoadError, GetExpr, "Unexpected character `%c'\n", ')');
  if (expr == ArchiverDot) raiseAt(LoadError, GetExpr, "Unexpected character `%c'\n", '.');
}

// Longer than any name or string an archive holds: text that would run on
// (a device that never ends, a missing closing quote in a huge file) is
// refused before it fills the memory.
constexpr size_t MaxToken = 1 << 20;

// Strings are NUL-terminated, so a NUL byte would cut the text short.
void append(std::string& text, int c) {
  if (c == 0) raiseAt(LoadError, GetExpr, "> archive text holds a NUL byte\n");
  if (text.size() >= MaxToken) raiseAt(LoadError, GetExpr, "> token longer than %zu bytes\n", MaxToken);
  text += static_cast<char>(c);
}

int peek(FILE* file) {
  int c = std::getc(file);
  if (c != EOF) std::ungetc(c, file);
  return c;
}

enum class NumberKind { None, Integer, Float, Double, LongDouble };

// A number is an optional "-", digits with at most one "." among them,
// and optionally one of the suffixes F0, D0 and L0 that the writer puts
// after reals. Anything else (1e5, +3, F0, -) is a symbol.
NumberKind numberKind(const std::string& token) {
  const size_t start = token[0] == '-' ? 1 : 0;
  size_t end = token.size();
  NumberKind suffixKind = NumberKind::None;
  if (end - start >= 2 && token[end - 1] == '0') {
    switch (token[end - 2]) {
      case 'F': suffixKind = NumberKind::Float; break;
      case 'D': suffixKind = NumberKind::Double; break;
      case 'L': suffixKind = NumberKind::LongDouble; break;
    }
    if (suffixKind != NumberKind::None) end -= 2;
  }
  unsigned digits = 0, dots = 0;
  for (size_t i = start; i < end; i++) {
    if (isDigit(token[i])) digits++;
    else if (token[i] == '.') dots++;
    else return NumberKind::None;
  }
  if (digits == 0 || dots > 1) return NumberKind::None;
  if (suffixKind != NumberKind::None) return suffixKind;
  return dots ? NumberKind::Double : NumberKind::Integer;
}

// Decimal integers; those from 2^63 to 2^64 - 1, which the writer gives
// unsigned 64-bit values, keep their bit pattern.
long long integerOf(const std::string& token) {
  errno = 0;
  long long n = std::strtoll(token.c_str(), nullptr, 10);
  if (errno != ERANGE) return n;
  if (token[0] != '-') {
    errno = 0;
    unsigned long long u = std::strtoull(token.c_str(), nullptr, 10);
    if (errno != ERANGE) return static_cast<long long>(u);
  }
  raiseAt(WarningMessage, GetExpr, "Could not convert to long");
  return n;
}

}  // namespace

BOOL archive_symbol_text_p(const char* text) {
  const std::string token = text;
  if (token.empty() || token.size() > MaxToken || std::strchr("':<#()\";", token[0]) || token == ".") return NO;
  for (char c : token)
    if (isBlank(c) || c == '(' || c == ')') return NO;
  return numberKind(token) == NumberKind::None && token.back() != ':' && token != "nil";
}

// --- creating and setting ---

id InputStream_c::create_setFileStream(Class cls, id zone, FILE* file) {
  id stream = msg::create(cls, zone);
  msg::setFileStream(stream, file);
  return stream;
}

id InputStream_c::create_setExpr(Class cls, id zone, id node) {
  id stream = msg::create(cls, zone);
  msg::setExpr(stream, node);
  return stream;
}

void InputStream_c::setFileStream(FILE* file) { fileStream = file; }
void InputStream_c::setExpr(id node) { expr = node; }

// --- using ---

FILE* InputStream_c::getFileStream() { return fileStream; }

id InputStream_c::getExpr() {
  if (!fileStream) return expr;
  id next = readExpr(0);
  refuseMarker(next);
  return next;
}

// The next expression, nil at the end of the file, or one of the markers
// ArchiverEOL and ArchiverDot.
id InputStream_c::readExpr(unsigned depth) {
  if (depth > MaxDepth) raiseAt(LoadError, GetExpr, "Expression nested deeper than %u levels\n", MaxDepth);
  for (;;) {
    int c = std::getc(fileStream);
    while (isBlank(c)) c = std::getc(fileStream);
    switch (c) {
      case EOF: return nil;
      case ';':
        while (c != '\n' && c != EOF) c = std::getc(fileStream);
        continue;
      case '\'': {
        id quoted = msg::create(ArchiverQuoted, getZone());
        msg::setQuotedObject(quoted, readOperand(depth + 1));
        return quoted;
      }
      case ':': return newKeyword(readToken().c_str());
      case '<': return readClass();
      case '#': return readHashForm(depth);
      case '(': return readList(depth + 1);
      case ')': return ArchiverEOL;
      case '"': return readString();
      case '.':
        if (endsToken(peek(fileStream))) return ArchiverDot;
        [[fallthrough]];
      default: {
        std::string first;
        append(first, c);
        return classify(readToken(first));
      }
    }
  }
}

// An expression that must be there: not the end of the file, not a marker.
id InputStream_c::readOperand(unsigned depth) {
  id operand = readExpr(depth);
  if (!operand) endOfFile(fileStream);
  refuseMarker(operand);
  return operand;
}

id InputStream_c::readList(unsigned depth) {
  id zone = getZone();
  id list = msg::create(ArchiverList, zone);
  for (id member = readExpr(depth); member != ArchiverEOL; member = readExpr(depth)) {
    if (!member) endOfFile(fileStream);
    msg::addLast(list, member);
  }
  const unsigned count = msg::getCount(list);
  id first = count ? msg::getFirst(list) : nil;
  if (count == 3 && msg::atOffset(list, 1) == ArchiverDot) {
    id pair = msg::create(ArchiverPair, zone);
    msg::setCar(pair, first);
    msg::setCdr(pair, msg::getLast(list));
    msg::drop(list);
    return pair;
  }
  if (quote_literal_p(first)) {
    if (count != 2) raiseAt(InvalidArgument, GetExpr, "quote accepts only one argument");
    id quoted = msg::create(ArchiverQuoted, zone);
    msg::setQuotedObject(quoted, msg::getLast(list));
    msg::drop(first);
    msg::drop(list);
    return quoted;
  }
  if (cons_literal_p(first)) {
    if (count != 3) raiseAt(InvalidArgument, GetExpr, "cons accepts only two arguments");
    id pair = msg::create(ArchiverPair, zone);
    msg::setConsFormatFlag(pair, YES);
    msg::setCar(pair, msg::atOffset(list, 1));
    msg::setCdr(pair, msg::getLast(list));
    msg::drop(first);
    msg::drop(list);
    return pair;
  }
  return list;
}

id InputStream_c::readHashForm(unsigned depth) {
  const int c = std::getc(fileStream);
  if (c == EOF) endOfFile(fileStream);
  if (c == '(' || isDigit(c)) {
    std::ungetc(c, fileStream);
    if (isDigit(c)) {
      // The written rank is not used: the nesting of the lists decides.
      unsigned rank;
      const int ret = std::fscanf(fileStream, "%u", &rank);
      if (ret != 1) raiseAt(InvalidArgument, GetExpr, "Unable to scan array dimensions [ret = %d]", ret);
    }
    return archiverArrayFromList(getZone(), readOperand(depth + 1));
  }
  if (c == ':') return newKeyword(readToken().c_str());
  if (c == '\\') return readCharacter();
  if ((c == 't' || c == 'f') && endsToken(peek(fileStream))) {
    id value = newValue();
    msg::setBoolean(value, c == 't');
    return value;
  }
  raiseAt(InvalidArgument, GetExpr, "Unknown `#' form");
  return nil;
}

id InputStream_c::readCharacter() {
  const int c = std::getc(fileStream);
  if (c == EOF) endOfFile(fileStream);
  char value = static_cast<char>(c);
  if (c >= '0' && c <= '3') {
    std::ungetc(c, fileStream);
    unsigned code;
    if (std::fscanf(fileStream, "%o", &code) != 1)
      raiseAt(InvalidArgument, GetExpr, "Unable to scan octal character value");
    value = static_cast<char>(code & 0xFF);
  }
  id node = newValue();
  msg::setChar(node, value);
  return node;
}

// Strings have no escapes: the text runs to the next double quote.
id InputStream_c::readString() {
  std::string text;
  for (int c = std::getc(fileStream); c != '"'; c = std::getc(fileStream)) {
    if (c == EOF) raiseAt(InvalidArgument, GetExpr, "wrong type");
    append(text, c);
  }
  id string = msg::create_setC(String, getZone(), text.c_str());
  msg::setLiteralFlag(string, YES);
  return string;
}

id InputStream_c::readClass() {
  std::string name;
  for (int c = std::getc(fileStream); c != '>'; c = std::getc(fileStream)) {
    if (c == EOF) endOfFile(fileStream);
    append(name, c);
  }
  id value = newValue();
  // A name no class has (another application's) is kept for writing back;
  // "nil" is the writer's name for the nil class.
  const Class cls = objc_lookup_class(name.c_str());
  if (cls || name == "nil") msg::setClass(value, cls);
  else msg::setClassName(value, name.c_str());
  return value;
}

// A token runs to a blank, a parenthesis (left for the next read) or the
// end of the file.
std::string InputStream_c::readToken(std::string token) {
  int c;
  while (!endsToken(c = std::getc(fileStream))) append(token, c);
  if (c != EOF) std::ungetc(c, fileStream);
  return token;
}

id InputStream_c::classify(const std::string& token) {
  const NumberKind kind = numberKind(token);
  if (kind == NumberKind::Integer) {
    id value = newValue();
    msg::setLongLong(value, integerOf(token));
    return value;
  }
  if (kind != NumberKind::None) {
    // The suffix ends the conversion.
    const double d = std::strtod(token.c_str(), nullptr);
    if (!std::isfinite(kind == NumberKind::Float ? static_cast<float>(d) : d))
      raiseAt(InvalidArgument, GetExpr, "Could not convert to double");
    id value = newValue();
    if (kind == NumberKind::Float) msg::setFloat(value, static_cast<float>(d));
    else if (kind == NumberKind::Double) msg::setDouble(value, d);
    else msg::setLongDouble(value, d);
    return value;
  }
  if (token.back() == ':') return newKeyword(token.substr(0, token.size() - 1).c_str());
  if (token == "nil") {
    id value = newValue();
    msg::setNil(value);
    return value;
  }
  return msg::create_setC(String, getZone(), token.c_str());
}

id InputStream_c::newKeyword(const char* name) {
  id keyword = msg::create(ArchiverKeyword, getZone());
  msg::setKeywordName(keyword, name);
  return keyword;
}

id InputStream_c::newValue() { return msg::create(ArchiverValue, getZone()); }

REGISTER_CLASS(InputStream_c, CreateDrop_s,
  ivar(&InputStream_c::fileStream, "fileStream"),
  ivar(&InputStream_c::expr, "expr"),
  classMethod<&InputStream_c::create_setFileStream>(msg::create_setFileStream),
  classMethod<&InputStream_c::create_setExpr>(msg::create_setExpr),
  phase(Phase::Setting),
  method<&InputStream_c::setFileStream>(msg::setFileStream),
  method<&InputStream_c::setExpr>(msg::setExpr),
  phase(Phase::Using),
  method<&InputStream_c::getFileStream>(msg::getFileStream),
  method<&InputStream_c::getExpr>(msg::getExpr))
