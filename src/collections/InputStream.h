// The reader of archive-expression text: each getExpr parses the next
// expression of its file into a tree of nodes (nil at the end of the
// file). A stream made over a node instead answers that node every time.
#pragma once

#include <cstdio>
#include <string>

#include "defobj/CreateDrop.h"

extern id id_InputStream_c;

// Whether the text, written bare, reads back as the symbol of that text
// (not as a number, keyword, nil or another form).
BOOL archive_symbol_text_p(const char* text);

struct InputStream_c : CreateDrop_s {
  FILE* fileStream;
  id expr;

  // Creating.
  static id create_setFileStream(Class cls, id zone, FILE* file);
  static id create_setExpr(Class cls, id zone, id node);

  // Setting.
  void setFileStream(FILE* file);
  void setExpr(id node);

  // Using.
  FILE* getFileStream();
  id getExpr();

 private:
  id readExpr(unsigned depth);
  id readOperand(unsigned depth);
  id readList(unsigned depth);
  id readHashForm(unsigned depth);
  id readString();
  id readClass();
  id readCharacter();
  std::string readToken(std::string token = {});
  id classify(const std::string& token);
  id newKeyword(const char* name);
  id newValue();
};
