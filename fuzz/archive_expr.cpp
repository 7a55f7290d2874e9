// The archive-expression reader on arbitrary text: every expression it
// reads is printed, read again and printed again; the two printed texts
// must be one and the same expression. Text the reader or the writer
// refuses with an error report is a defined outcome.
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "collections/collections.h"
#include "collections/stream_messages.h"
#include "defobj/defobj.h"
#include "harness.h"

namespace {

constexpr int MaxExpressions = 8;

// The expressions of the text, up to the first refused one.
std::vector<id> readExpressions(id zone, const char* text, size_t size, bool* refused) {
  std::vector<id> exprs;
  FILE* file = fmemopen(const_cast<char*>(text), size, "r");
  id stream = msg::create_setFileStream(InputStream, zone, file);
  *refused = !survivesReports([&] {
    for (int i = 0; i < MaxExpressions; i++) {
      id expr = msg::getExpr(stream);
      if (!expr) break;
      exprs.push_back(expr);
    }
  });
  std::fclose(file);
  return exprs;
}

// The node as the writer prints it; false when the writer refuses it.
bool print(id zone, id node, std::string* text) {
  char* buffer = nullptr;
  size_t size = 0;
  FILE* file = open_memstream(&buffer, &size);
  id stream = msg::create_setFileStream(OutputStream, zone, file);
  const bool printed = survivesReports([&] { msg::lispOutDeep(node, stream); });
  std::fclose(file);
  text->assign(buffer, size);
  std::free(buffer);
  return printed;
}

// Text with each run of whitespace as one space: the writer may space a
// form differently from how it was read.
std::string spaced(const std::string& text) {
  std::string out;
  for (char c : text) {
    const bool blank = std::isspace(static_cast<unsigned char>(c));
    if (!blank || out.empty() || out.back() != ' ') out += blank ? ' ' : c;
  }
  return out;
}

// The printed text read back as its one expression, printed again.
std::string reprinted(id zone, const std::string& text) {
  bool refused;
  const std::vector<id> again = readExpressions(zone, text.data(), text.size(), &refused);
  if (refused) harnessFault("the printed text does not read back");
  if (again.size() != 1) harnessFault("the printed text does not read back as one expression");
  std::string printed;
  if (!print(zone, again[0], &printed)) harnessFault("what was read back does not print");
  return printed;
}

void roundTrip(id zone, id expr) {
  std::string first;
  if (!print(zone, expr, &first)) return;  // a form the writer does not print
  const std::string second = reprinted(zone, first), third = reprinted(zone, second);
  if (spaced(first) != spaced(second) || second != third) {
    std::fprintf(stderr, "printed:\n%s\nread and printed again:\n%s\nand again:\n%s\n", first.c_str(),
                 second.c_str(), third.c_str());
    harnessFault("the expression changed in a write and a read");
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  startHarness([] {});
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  id zone = msg::create(Zone, _obj_globalZone);
  bool refused;
  for (id expr : readExpressions(zone, reinterpret_cast<const char*>(data), size, &refused)) roundTrip(zone, expr);
  msg::drop(zone);
  return 0;
}
