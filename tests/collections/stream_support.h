// Helpers for the tests of strings and the archive-expression streams:
// the text a writer produces, the expressions a reader yields, a compact
// rendering of node trees, and the error reports of the library.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "collections/collections.h"
#include "collections/predicates.h"
#include "collections/stream_messages.h"
#include "defobj/fcall_type.h"
#include "defobj/test_stream.h"

// The text that write sends through a text-mode stream.
inline std::string written(const std::function<void(id)>& write) {
  char* buffer = nullptr;
  size_t size = 0;
  FILE* file = open_memstream(&buffer, &size);
  id stream = msg::create_setFileStream(OutputStream, _obj_globalZone, file);
  write(stream);
  std::fclose(file);
  std::string text(buffer, size);
  std::free(buffer);
  msg::drop(stream);
  return text;
}

// The node that write builds through a node-mode stream.
inline id built(const std::function<void(id)>& write) {
  id stream = msg::create(OutputStream, _obj_globalZone);
  msg::setExprFlag(stream, YES);
  write(stream);
  id expr = msg::getExpr(stream);
  msg::drop(stream);
  return expr;
}

// A node's text form, as an archive file holds it.
inline std::string printed(id node) {
  return written([&](id stream) { msg::lispOutDeep(node, stream); });
}

// Every expression of the text, up to the end of the file.
inline std::vector<id> readAll(const std::string& text) {
  FILE* file = std::tmpfile();
  std::fwrite(text.data(), 1, text.size(), file);
  std::rewind(file);
  id stream = msg::create_setFileStream(InputStream, _obj_globalZone, file);
  std::vector<id> exprs;
  for (id expr = msg::getExpr(stream); expr; expr = msg::getExpr(stream)) exprs.push_back(expr);
  std::fclose(file);
  msg::drop(stream);
  return exprs;
}

inline id readOne(const std::string& text) {
  std::vector<id> exprs = readAll(text);
  return exprs.size() == 1 ? exprs[0] : nil;
}

// The tree with the kind of every node: symbols bare, strings in double
// quotes, values as kind:value ("ll" long long, "f" float, "d" double,
// "ld" long double, "char" by its code), pair(car cdr), cons(car cdr),
// 'quoted, (list members) and array[dims type: elements].
inline std::string shape(id node) {
  auto number = [](long double v) {
    char text[64];
    std::snprintf(text, sizeof text, "%Lg", v);
    return std::string(text);
  };
  if (!node) return "NULL";
  if (node == ArchiverDot) return "DOT";
  if (stringp(node)) return literal_string_p(node) ? '"' + std::string(msg::getC(node)) + '"' : msg::getC(node);
  if (keywordp(node)) return std::string("#:") + msg::getKeywordName(node);
  if (pairp(node))
    return (msg::getConsFormatFlag(node) ? "cons(" : "pair(") + shape(msg::getCar(node)) + " " +
           shape(msg::getCdr(node)) + ")";
  if (quotedp(node)) return "'" + shape(msg::getQuotedObject(node));
  if (valuep(node)) {
    switch (msg::getValueType(node)) {
      case fcall_type_boolean: return msg::getBoolean(node) ? "#t" : "#f";
      case fcall_type_schar: return "char:" + std::to_string(msg::getChar(node));
      case fcall_type_slonglong: return "ll:" + std::to_string(msg::getLongLong(node));
      case fcall_type_float: return "f:" + number(msg::getFloat(node));
      case fcall_type_double: return "d:" + number(msg::getDouble(node));
      case fcall_type_long_double: return "ld:" + number(msg::getLongDouble(node));
      case fcall_type_object: return msg::getObject(node) ? "object" : "nil";
      case fcall_type_class: return "<" + std::string(msg::getClass(node) ? msg::getClass(node)->name : "nil") + ">";
    }
    return "value?";
  }
  if (arrayp(node)) {
    std::string text = "array[";
    for (unsigned d = 0; d < msg::getRank(node); d++) text += (d ? "x" : "") + std::to_string(msg::getDims(node)[d]);
    const int type = msg::getArrayType(node);
    text += " type " + std::to_string(type) + ":";
    for (unsigned i = 0; i < msg::getElementCount(node); i++) {
      const void* data = msg::getData(node);
      switch (type) {
        case fcall_type_boolean: text += static_cast<const BOOL*>(data)[i] ? " #t" : " #f"; break;
        case fcall_type_schar: text += " " + std::to_string(static_cast<const char*>(data)[i]); break;
        case fcall_type_slonglong: text += " " + std::to_string(static_cast<const long long*>(data)[i]); break;
        case fcall_type_float: text += " " + number(static_cast<const float*>(data)[i]); break;
        case fcall_type_double: text += " " + number(static_cast<const double*>(data)[i]); break;
        case fcall_type_long_double: text += " " + number(static_cast<const long double*>(data)[i]); break;
        default: text += " ?"; break;
      }
    }
    return text + "]";
  }
  if (archiver_list_p(node)) {
    std::string text = "(";
    id index = msg::begin(node, _obj_globalZone);
    for (id member = msg::next(index); msg::getLoc(index) == Member; member = msg::next(index))
      text += (text.size() > 1 ? " " : "") + shape(member);
    msg::drop(index);
    return text + ")";
  }
  return "?";
}

// The report of an error raised by the library, as a pattern for death
// tests: the function, the source file and the exact message.
inline std::string errorReport(const std::string& symbol, const std::string& function, const std::string& file,
                               const std::string& message) {
  return literal("*** event raised for error: " + symbol + "\n*** function: " + function + "(), file: " + file +
                 ", line: ") +
         "[0-9]+\n" + literal(message + "*** execution terminating due to error\n");
}
