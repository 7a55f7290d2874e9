// The nodes of an archive expression, as the reader yields them and the
// writer builds them in node mode: keywords, scalar values, pairs, quoted
// expressions and lists (arrays are in ArchiverArray.h; strings and
// symbols are String objects). Each node prints itself back as text
// through an OutputStream.
#pragma once

#include "collections/List.h"
#include "defobj/CreateDrop.h"

extern id ArchiverKeyword, ArchiverValue, ArchiverPair, ArchiverQuoted, ArchiverList;
extern id id_ArchiverKeyword_c, id_ArchiverValue_c, id_ArchiverPair_c, id_ArchiverQuoted_c,
    id_ArchiverList_c;

struct ArchiverKeyword_c : CreateDrop_s {
  const char* keywordName;  // owned, from the node's zone

  void setKeywordName(const char* name);
  const char* getKeywordName();
  void lispOutDeep(id stream);
  void drop();
};

struct ArchiverValue_c : CreateDrop_s {
  int type;  // fcall_type_t code
  struct {
    union {
      long double longDouble;
      double doubleValue;
      float floatValue;
      long long longLong;
      BOOL boolean;
      char character;
      id object;
      Class cls;
    };
  } value;
  // A class name that no class of this program has, kept so that the
  // node writes back what it was read from; owned, from the node's zone.
  const char* className;

  void setBoolean(BOOL flag);
  void setChar(char c);
  void setLongLong(long long n);
  void setFloat(float f);
  void setDouble(double d);
  void setLongDouble(long double d);
  void setNil();
  void setClass(Class c);
  void setClassName(const char* name);
  int getValueType();
  BOOL getBoolean();
  char getChar();
  long long getLongLong();
  int getInteger();
  unsigned getUnsigned();
  float getFloat();
  double getDouble();
  long double getLongDouble();
  id getObject();
  Class getClass();
  void lispOutDeep(id stream);
  void drop();
};

struct ArchiverPair_c : CreateDrop_s {
  id car;
  id cdr;
  BOOL consFormatFlag;  // written (cons a b) rather than (a . b)

  void setCar(id node);
  void setCdr(id node);
  id getCar();
  id getCdr();
  void setConsFormatFlag(BOOL flag);
  BOOL getConsFormatFlag();
  void lispOutDeep(id stream);
};

struct ArchiverQuoted_c : CreateDrop_s {
  id value;

  void setQuotedObject(id node);
  id getQuotedObject();
  void lispOutDeep(id stream);
};

struct ArchiverList_c : List_linked {
  void lispOutDeep(id stream);
};
